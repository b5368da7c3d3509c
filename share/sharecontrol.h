#ifndef SHARECONTROL_H
#define SHARECONTROL_H

#include "brokeraddress.h"
#include "channelscale.h"
#include "sharesettings.h"

#include <QObject>

#include <array>
#include <optional>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class AlarmRows;
class BlockDevice;
class MqttClient;
class PortListener;
class Sharer;
class WatchDevice;
class Watcher;

// Sharing the session through a broker, and watching one shared elsewhere:
// the "Share over MQTT..." entry and its dialog, the settings, the Sharer
// while sharing (as the settings say, or as the command line asks for this
// run), the Watcher of a watched session; what they say goes to the status
// line (message) and its tooltip (note).
class ShareControl : public QObject
{
    Q_OBJECT

public:
    ShareControl(QWidget *window, AlarmRows *rows);

    QAction *shareAction() const { return action; }
    Sharer *sharer() const { return sharing; }
    Watcher *watcher() const { return watching; }

    // Shares what this listener hears, if sharing is on.
    void listenTo(PortListener *listener);
    // Reports are timed by this device (a replay's).
    void timeBy(const BlockDevice *device);
    // Shares to this address for this run, whatever the settings say.
    void shareTo(const BrokerAddress &address);
    // Watches a shared session instead: its frames come on the device.
    WatchDevice *watch(const BrokerAddress &address);

public slots:
    // Channel 1 to 3 reads this way here from now on.
    void setChannelScale(int channel, const ChannelScale &scale);

signals:
    // The watched station's channel reads this way there.
    void watchedScaleChanged(int channel, const ChannelScale &scale);
    void message(const QString &text);
    // Where the session is shared or watched from, and how it goes.
    void noteChanged(const QString &note);

private:
    void openDialog();
    void restart();
    void hearListener();
    void follow(MqttClient *client);
    void clientFailed(const QString &text);
    void stationOffline(qint64 sinceMs);
    void updateNote();

    QWidget *window;
    AlarmRows *rows;
    std::array<ChannelScale, ChannelScale::ChannelCount> scales = {
        ChannelScale::defaults(ChannelScale::Volt1), ChannelScale::defaults(ChannelScale::Volt2),
        ChannelScale::defaults(ChannelScale::LinkQuality)
    };
    QAction *action;
    ShareSettings settings;
    std::optional<BrokerAddress> commandLine;
    BrokerAddress address;
    PortListener *listener = nullptr;
    const BlockDevice *clock = nullptr;
    Sharer *sharing = nullptr;
    Watcher *watching = nullptr;
    QString failure; // the last one told, until connected again
    QString station; // what the watched station's status says
};

#endif
