#include "sharecontrol.h"

#include "alarmrows.h"
#include "portlistener.h"
#include "sharedialog.h"
#include "sharer.h"
#include "watcher.h"

#include <QAction>
#include <QDateTime>
#include <QLocale>
#include <QSettings>

ShareControl::ShareControl(QWidget *window, AlarmRows *rows)
    : QObject(window), window(window), rows(rows)
{
    QSettings kept;
    settings = ShareSettings::load(kept);
    action = new QAction(tr("Share over MQTT..."), this);
    action->setObjectName(QStringLiteral("shareAction"));
    connect(action, &QAction::triggered, this, &ShareControl::openDialog);
    // Once the program has said what the session is: a watched one is not shared.
    QMetaObject::invokeMethod(this, [this] {
        if (!sharing && !watching)
            restart();
    }, Qt::QueuedConnection);
}

void ShareControl::listenTo(PortListener *heard)
{
    listener = heard;
    hearListener();
}

void ShareControl::hearListener()
{
    if (!sharing || !listener)
        return;
    connect(listener, &PortListener::reportVolts, sharing, &Sharer::addReport);
    connect(listener, &PortListener::reportData, sharing, &Sharer::addData);
    connect(listener, &PortListener::reportThreshold, sharing, &Sharer::addThreshold);
}

void ShareControl::timeBy(const BlockDevice *device)
{
    clock = device;
    if (sharing)
        sharing->timeBy(device);
}

void ShareControl::setChannelScale(int channel, const ChannelScale &scale)
{
    scales[std::size_t(channel - 1)] = scale;
    if (sharing)
        sharing->setChannelScale(channel, scale);
}

void ShareControl::shareTo(const BrokerAddress &commanded)
{
    commandLine = commanded;
    restart();
}

// The sharer of before goes (saying "offline"), and one for the settings
// as they are now comes, if they say to share: connected and "online" from
// the start, its reports once there is a port.
void ShareControl::restart()
{
    delete sharing;
    sharing = nullptr;
    failure.clear();
    address = commandLine ? *commandLine : settings.address();
    if (watching || !address.isValid() || (!commandLine && !settings.enabled)) {
        updateNote();
        return;
    }
    sharing = new Sharer(settings.sharing(address), settings.homeAssistant, this);
    sharing->timeBy(clock);
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        sharing->setChannelScale(channel, scales[std::size_t(channel - 1)]);
    hearListener();
    connect(rows, &AlarmRows::trippedChanged, sharing, &Sharer::setTripped);
    follow(sharing->client());
    connect(sharing->client(), &MqttClient::dropped, this, [this](qint64 count) {
        emit message(tr("%1 reports could not wait for %2 and were dropped").arg(count).arg(address.broker()));
    });
    updateNote();
}

WatchDevice *ShareControl::watch(const BrokerAddress &watched)
{
    address = watched;
    watching = new Watcher(settings.watching(watched), this);
    // A watched session is not shared again: into its own topics, it would loop.
    delete sharing;
    sharing = nullptr;
    action->setEnabled(false);
    action->setToolTip(tr("A watched session is not shared again"));
    //: The tooltip of each Set button while watching a session shared from another computer
    rows->disableSending(tr("The module is on another machine: a watched session sends it nothing"));
    connect(watching, &Watcher::channelScaleChanged, this, &ShareControl::watchedScaleChanged);
    connect(watching, &Watcher::stationOffline, this, &ShareControl::stationOffline);
    connect(watching, &Watcher::stationOnline, this, [this] {
        if (!station.isEmpty())
            emit message(tr("The station sharing %1 is online again").arg(address.base));
        station.clear();
        updateNote();
    });
    connect(watching, &Watcher::droppedChanged, this, &ShareControl::updateNote);
    follow(watching->client());
    updateNote();
    return watching->device();
}

void ShareControl::follow(MqttClient *client)
{
    connect(client, &MqttClient::failed, this, [this](MqttClient::Failure, const QString &text) { clientFailed(text); });
    connect(client, &MqttClient::connectedChanged, this, [this](bool connected) {
        if (connected && !failure.isEmpty())
            emit message(tr("Connected to %1 again").arg(address.broker()));
        if (connected)
            failure.clear();
        updateNote();
    });
}

// Every retry fails the same way while nothing changes: said once.
void ShareControl::clientFailed(const QString &text)
{
    if (text != failure)
        emit message(text);
    failure = text;
    updateNote();
}

void ShareControl::stationOffline(qint64 sinceMs)
{
    station = sinceMs < 0
            ? tr("The station sharing %1 is offline").arg(address.base)
            : tr("The station sharing %1 is offline since %2")
                      .arg(address.base, QLocale().toString(QDateTime::fromMSecsSinceEpoch(sinceMs).time(),
                                                             QLocale::LongFormat));
    emit message(station);
    updateNote();
}

void ShareControl::updateNote()
{
    MqttClient *client = sharing ? sharing->client() : watching ? watching->client() : nullptr;
    if (!client) {
        emit noteChanged(QString());
        return;
    }
    const QString state = client->isConnected() ? tr("connected")
            : failure.isEmpty()                  ? tr("connecting")
                                                 : tr("not connected: %1").arg(failure);
    QStringList lines{ sharing ? tr("Sharing as %1 on %2: %3").arg(address.base, address.broker(), state)
                               : tr("Watching %1 on %2: %3").arg(address.base, address.broker(), state) };
    if (!station.isEmpty())
        lines << station;
    if (watching && watching->droppedCount() > 0)
        lines << tr("%1 messages that were not a sharer's dropped").arg(watching->droppedCount());
    emit noteChanged(lines.join(QLatin1Char('\n')));
}

void ShareControl::openDialog()
{
    ShareDialog dialog(settings, window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings = dialog.settings();
    QSettings kept;
    if (!settings.save(kept))
        emit message(tr("Cannot keep the sharing settings in %1").arg(kept.fileName()));
    commandLine.reset(); // the dialog's choice from now on
    restart();
}
