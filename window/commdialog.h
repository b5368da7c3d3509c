#ifndef COMMDIALOG_H
#define COMMDIALOG_H

#include "devicepath.h"
#include "portentry.h"
#include "rememberedport.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QTimer>

#include <functional>

QT_BEGIN_NAMESPACE
class QComboBox;
class QLabel;
class QPushButton;
QT_END_NAMESPACE

// Lets the user pick the serial port the telemetry module is attached to.
// While it is shown, the list follows the adapters plugged in and out.
class CommDialog : public QDialog
{
    Q_OBJECT

public:
    using PortSource = std::function<QList<PortEntry>()>;
    // Often enough that an adapter shows within about a second of plugging.
    static constexpr int PollInterval = 500; // ms

    // extraPorts (devices named on the command line, which enumeration does
    // not list) come first and stay, the first of them current; without them
    // the port last opened is current when it is there. `source` lists the
    // ports; byIdFolder holds the adapters' stable links.
    explicit CommDialog(QWidget *parent, const QStringList &extraPorts = {},
                        const QString &byIdFolder = defaultByIdFolder(),
                        PortSource source = PortEntry::available);

    QString selectedPort() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct ListedPort
    {
        PortEntry entry;
        QString byIdLink;
        bool operator==(const ListedPort &other) const;
    };

    QList<ListedPort> listPorts() const;
    void refreshPorts();
    void showPorts(const QList<ListedPort> &ports);
    void describeExtraPorts();
    void describeItem(int index, const QString &about);
    QString describe(const ListedPort &port, const QString &note = {}) const;
    int indexOf(const QString &systemLocation, int from) const;
    int preferredIndex() const;
    void showCurrentPort();

    QLabel *captionLabel;
    QComboBox *portBox;
    QPushButton *okButton;
    const QStringList extraPorts;
    const QString byIdFolder;
    const PortSource source;
    RememberedPort remembered;
    QList<ListedPort> listed; // the enumerated ports, after the extra ones
    QTimer pollTimer;
};

#endif
