#ifndef COMMDIALOG_H
#define COMMDIALOG_H

#include <QDialog>
#include <QList>
#include <QSerialPortInfo>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QComboBox;
class QLabel;
class QPushButton;
QT_END_NAMESPACE

// Lets the user pick the serial port the telemetry module is attached to.
class CommDialog : public QDialog
{
    Q_OBJECT

public:
    // extraPorts (devices named on the command line, which enumeration does
    // not list) come first, the first of them current.
    explicit CommDialog(QWidget *parent, const QStringList &extraPorts = {});

    QString selectedPort() const;

private:
    QComboBox *portBox;
    QList<QSerialPortInfo> portList;
    QLabel *captionLabel;
    QPushButton *okButton;
};

#endif
