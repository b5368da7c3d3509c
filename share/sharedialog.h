#ifndef SHAREDIALOG_H
#define SHAREDIALOG_H

#include "sharesettings.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QCheckBox;
class QLabel;
class QLineEdit;
QT_END_NAMESPACE

// "Share over MQTT": the broker, the base topic, the user name and
// password, TLS with its CA file, Home Assistant's discovery and whether to
// share this session. OK keeps the dialog open while the broker or the
// topic makes no sense, and says why.
class ShareDialog : public QDialog
{
    Q_OBJECT

public:
    ShareDialog(const ShareSettings &settings, QWidget *parent = nullptr);

    // The settings as edited; those the dialog does not show as they were.
    ShareSettings settings() const;

public slots:
    void accept() override;

private:
    QString brokerText() const;
    void chooseCaFile();
    void followTls();

    ShareSettings kept;
    QLineEdit *broker;
    QCheckBox *tls;
    QLineEdit *caFile;
    QLineEdit *topic;
    QLineEdit *username;
    QLineEdit *password;
    QCheckBox *homeAssistant;
    QCheckBox *enabled;
    QLabel *problem;
    QWidget *caRow;
};

#endif
