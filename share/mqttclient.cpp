#include "mqttclient.h"

#include "mqttconnection.h"
#include "mqttshared.h"

#include <QRandomGenerator>

#include <mosquitto.h>

#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

std::once_flag libraryReady;

// Unique among the broker's clients; a watcher keeps its id, and so its
// session, over its reconnections.
QByteArray clientId(const QByteArray &prefix)
{
    return prefix + '-' + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
}

} // namespace

MqttClient::Shared::Shared(const Options &options)
    : options(options),
      clientId(::clientId(options.clientPrefix)),
      wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      queue(options.queueCapacity)
{
}

MqttClient::Shared::~Shared()
{
    if (wakeFd >= 0)
        close(wakeFd);
}

void MqttClient::Shared::wake()
{
    if (wakePending.exchange(true))
        return;
    const quint64 one = 1;
    if (write(wakeFd, &one, sizeof one) < 0) { } // already readable
}

void MqttClient::Shared::post(const Event &event)
{
    bool first;
    {
        std::lock_guard<std::mutex> lock(mutex);
        first = events.empty();
        events.push_back(event);
    }
    if (first)
        emit relay.eventsWaiting();
}

MqttClient::MqttClient(const Options &options, QObject *parent)
    : QObject(parent), settings(options)
{
    std::call_once(libraryReady, [] { mosquitto_lib_init(); });
    shared = std::make_shared<Shared>(options);
    connect(&shared->relay, &MqttRelay::messagesWaiting, this, &MqttClient::takeIncoming, Qt::QueuedConnection);
    connect(&shared->relay, &MqttRelay::eventsWaiting, this, &MqttClient::takeState, Qt::QueuedConnection);
    worker = std::thread(&MqttConnection::run, shared);
}

MqttClient::~MqttClient()
{
    shared->relay.disconnect(this);
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->stopping = true;
    lock.unlock();
    shared->wake();
    lock.lock();
    // Connected, it says goodbye; connecting, it may be waiting on an
    // address that does not answer, which is not worth waiting for.
    const auto wait = std::chrono::milliseconds(connected ? GoodbyeMs + 500 : 100);
    const bool done = shared->ended.wait_for(lock, wait, [this] { return shared->finished; });
    lock.unlock();
    if (done)
        worker.join();
    else
        worker.detach(); // it holds the shared state, and ends when its connect does
}

void MqttClient::publish(const QByteArray &topic, const char *payload, qsizetype size)
{
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->queue.push(topic, payload, size);
    }
    shared->wake();
}

void MqttClient::setRetained(const QByteArray &topic, const QByteArray &payload)
{
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        auto same = std::find_if(shared->retained.begin(), shared->retained.end(),
                                 [&](const Shared::Retained &value) { return value.topic == topic; });
        if (same == shared->retained.end())
            shared->retained.push_back({ topic, payload, false });
        else
            *same = { topic, payload, false };
    }
    shared->wake();
}

qsizetype MqttClient::queued() const
{
    std::lock_guard<std::mutex> lock(shared->mutex);
    return shared->queue.size();
}

void MqttClient::takeIncoming()
{
    std::vector<Shared::Incoming> taken;
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        taken.swap(shared->incoming);
    }
    for (const Shared::Incoming &message : taken)
        emit messageArrived(message.topic, message.payload, message.retained);
}

void MqttClient::takeState()
{
    std::vector<Shared::Event> taken;
    {
        std::lock_guard<std::mutex> lock(shared->mutex);
        taken.swap(shared->events);
    }
    for (const Shared::Event &event : taken) {
        if (event.connected != connected) {
            connected = event.connected;
            emit connectedChanged(connected);
        }
        if (event.dropped > 0)
            emit dropped(event.dropped);
        if (event.failure != Failure::None)
            emit failed(event.failure, describe(event.failure, settings.address.broker(), event.detail));
    }
}

QString MqttClient::describe(Failure failure, const QString &broker, const QString &detail)
{
    switch (failure) {
    case Failure::None:
        return {};
    case Failure::UnknownHost:
        return tr("Cannot reach %1: the host name is not known (%2)").arg(broker, detail);
    case Failure::Refused:
        return tr("Cannot reach %1: nothing answers on that port (connection refused); is the broker running?")
                .arg(broker);
    case Failure::NoAnswer:
        return tr("Cannot reach %1: no answer").arg(broker);
    case Failure::Unreachable:
        return tr("Cannot reach %1: no route to it (%2)").arg(broker, detail);
    case Failure::CertificateRefused:
        return tr("Refused the certificate of %1: it is not signed by a trusted authority, or names "
                  "another host (%2)").arg(broker, detail);
    case Failure::Tls:
        return tr("No secure connection to %1 (%2)").arg(broker, detail);
    case Failure::CaFile:
        return tr("Cannot read the CA file %1").arg(detail);
    case Failure::BadCredentials:
        return tr("%1 refused the user name or password").arg(broker);
    case Failure::NotAuthorized:
        return tr("%1 refused the connection: not authorized (a user name and password may be needed)")
                .arg(broker);
    case Failure::BrokerRefused:
        return tr("%1 refused: %2").arg(broker, detail);
    case Failure::Lost:
        return tr("Lost the connection to %1 (%2)").arg(broker, detail);
    case Failure::Other:
        break;
    }
    return tr("Cannot reach %1: %2").arg(broker, detail);
}
