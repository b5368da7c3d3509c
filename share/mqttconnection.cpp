#include "mqttconnection.h"

#include <mosquitto.h>
#include <mqtt_protocol.h>

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Failure = MqttClient::Failure;

// Messages handed to the library before their acknowledgements: enough to
// keep a connection busy, few enough that a lost one sends little twice.
constexpr qsizetype SendWindow = 64;
constexpr int IdleWaitMs = 1000; // the library's keep-alive pings are due in seconds
// After handing messages over, the worker sleeps this long before the next
// round, woken neither by new messages nor by the broker's acknowledgements,
// and then takes all that came at once: each wake-up, and each packet sent
// on a loopback, costs more than the messages in it. At the line's rate that
// is two reports a round instead of three wake-ups a report, for at most this
// much more latency.
constexpr int GatherMs = 15;
constexpr QByteArrayView Online("online");
constexpr QByteArrayView Offline("offline");

Failure socketFailure(int error)
{
    switch (error) {
    case ECONNREFUSED:
        return Failure::Refused;
    case ETIMEDOUT:
        return Failure::NoAnswer;
    case EHOSTUNREACH:
    case ENETUNREACH:
        return Failure::Unreachable;
    default:
        return Failure::Other;
    }
}

void waitForRetry(MqttClient::Shared &shared, int delayMs)
{
    QElapsedTimer waited;
    waited.start();
    for (qint64 left = delayMs; left > 0; left = delayMs - waited.elapsed()) {
        {
            std::lock_guard<std::mutex> lock(shared.mutex);
            if (shared.stopping)
                return;
        }
        pollfd wake = { shared.wakeFd, POLLIN, 0 };
        if (poll(&wake, 1, int(left)) > 0) {
            quint64 drained;
            if (read(shared.wakeFd, &drained, sizeof drained) < 0) { }
            shared.wakePending = false;
        }
    }
}

// Corked, the messages of one round leave in as few packets as they fit:
// on a loopback each packet costs what the broker's side takes to receive it.
void setCorked(int socket, bool corked)
{
    const int on = corked ? 1 : 0;
    setsockopt(socket, IPPROTO_TCP, TCP_CORK, &on, sizeof on);
}

} // namespace

void MqttConnection::run(std::shared_ptr<MqttClient::Shared> shared)
{
    int delayMs = MqttClient::FirstRetryMs;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->stopping)
                break;
        }
        MqttConnection connection(*shared);
        if (connection.connectAndServe())
            break;
        if (connection.wasConnected())
            delayMs = MqttClient::FirstRetryMs;
        shared->post({ false, connection.failure(), connection.detail(), 0 });
        waitForRetry(*shared, delayMs);
        // A refusal is cheap and says the broker's host is up: it is likely back soon.
        delayMs = connection.failure() == Failure::Refused
                ? MqttClient::FirstRetryMs
                : std::min(delayMs * 2, MqttClient::LastRetryMs);
    }
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->finished = true;
    shared->ended.notify_all();
}

MqttConnection::MqttConnection(MqttClient::Shared &shared)
    : shared(shared)
{
}

MqttConnection::~MqttConnection()
{
    if (handle)
        mosquitto_destroy(handle);
}

bool MqttConnection::connectAndServe()
{
    if (setUp() && connectSocket())
        serve();
    return why == Failure::None;
}

void MqttConnection::fail(Failure failure, const QString &text)
{
    if (why != Failure::None)
        return; // the first cause is the one to tell
    why = failure;
    whyDetail = text;
    ended = true;
}

bool MqttConnection::setUp()
{
    const MqttClient::Options &options = shared.options;
    handle = mosquitto_new(shared.clientId.constData(), options.sessionSeconds == 0, this);
    if (!handle) {
        fail(Failure::Other, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    mosquitto_int_option(handle, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
    mosquitto_int_option(handle, MOSQ_OPT_TCP_NODELAY, 1);
    mosquitto_int_option(handle, MOSQ_OPT_RECEIVE_MAXIMUM, 1000);
    mosquitto_connect_v5_callback_set(handle, &MqttConnection::onConnect);
    mosquitto_publish_v5_callback_set(handle, &MqttConnection::onPublish);
    mosquitto_message_v5_callback_set(handle, &MqttConnection::onMessage);
    if (!options.username.isEmpty()) {
        mosquitto_username_pw_set(handle, options.username.toUtf8().constData(),
                                  options.password.isEmpty() ? nullptr : options.password.toUtf8().constData());
    }
    if (options.address.tls) {
        // Only the library's log says why a handshake failed. With a log
        // callback set it formats a line for every packet, so it is set
        // until the connection is up.
        mosquitto_log_callback_set(handle, &MqttConnection::onLog);
        const int rc = options.caFile.isEmpty()
                ? mosquitto_int_option(handle, MOSQ_OPT_TLS_USE_OS_CERTS, 1)
                : mosquitto_tls_set(handle, QFile::encodeName(options.caFile).constData(), nullptr, nullptr,
                                    nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            fail(Failure::CaFile, options.caFile);
            return false;
        }
    }
    if (!options.statusTopic.isEmpty())
        mosquitto_will_set_v5(handle, options.statusTopic.constData(), int(Offline.size()), Offline.data(), 1,
                              true, nullptr);
    return true;
}

// Looks the host up and connects, the step that may wait long.
bool MqttConnection::connectSocket()
{
    const MqttClient::Options &options = shared.options;
    mosquitto_property *properties = nullptr;
    if (options.sessionSeconds > 0)
        mosquitto_property_add_int32(&properties, MQTT_PROP_SESSION_EXPIRY_INTERVAL,
                                     quint32(options.sessionSeconds));
    errno = 0;
    const int rc = mosquitto_connect_bind_v5(handle, options.address.host.toUtf8().constData(),
                                             options.address.port, options.keepAliveSeconds, nullptr,
                                             properties);
    const int error = errno;
    mosquitto_property_free_all(&properties);
    since.start();
    switch (rc) {
    case MOSQ_ERR_SUCCESS:
        return true;
    case MOSQ_ERR_EAI:
        fail(Failure::UnknownHost, QString::fromLocal8Bit(gai_strerror(error)));
        return false;
    case MOSQ_ERR_ERRNO:
        fail(socketFailure(error), QString::fromLocal8Bit(std::strerror(error)));
        return false;
    case MOSQ_ERR_TLS:
        fail(lastTlsError.contains(QLatin1String("certificate verify failed")) ? Failure::CertificateRefused
                                                                               : Failure::Tls,
             lastTlsError);
        return false;
    default:
        fail(Failure::Other, QString::fromUtf8(mosquitto_strerror(rc)));
        return false;
    }
}

void MqttConnection::serve()
{
    const qint64 answerWithinMs = qint64(shared.options.keepAliveSeconds) * 1000;
    while (!ended) {
        shared.wakePending = false; // a message pushed from here on wakes it
        bool stopping;
        {
            std::lock_guard<std::mutex> lock(shared.mutex);
            stopping = shared.stopping;
        }
        if (stopping && goodbyeMid < 0 && !goodbyeClock.isValid())
            sayGoodbye();
        if (goodbyeClock.isValid()
            && (goodbyeAcknowledged || !connected || goodbyeClock.elapsed() > MqttClient::GoodbyeMs)) {
            mosquitto_property *properties = nullptr;
            if (shared.options.sessionSeconds > 0) // the session ends with the program
                mosquitto_property_add_int32(&properties, MQTT_PROP_SESSION_EXPIRY_INTERVAL, 0);
            mosquitto_disconnect_v5(handle, 0, properties);
            mosquitto_property_free_all(&properties);
            mosquitto_loop_write(handle, 1);
            ended = true;
            break;
        }
        const bool handedOver = connected && !goodbyeClock.isValid() && sendWaiting();
        if (handedOver)
            shared.wakePending = true; // gathering: a message pushed now waits for the round
        if (!step(handedOver ? GatherMs : IdleWaitMs, handedOver))
            break;
        if (!connected && since.elapsed() > answerWithinMs)
            fail(Failure::NoAnswer, QString());
    }
}

// One wait for the socket or a wake-up (gathering: for the time alone), and
// what the library does then; false once the connection is gone.
bool MqttConnection::step(int timeoutMs, bool gathering)
{
    const int socket = mosquitto_socket(handle);
    if (socket < 0) {
        fail(Failure::Lost, QString());
        return false;
    }
    pollfd fds[2] = { { shared.wakeFd, POLLIN, 0 },
                      { socket, short(POLLIN | (mosquitto_want_write(handle) ? POLLOUT : 0)), 0 } };
    if (poll(fds, gathering ? 1 : 2, timeoutMs) < 0 && errno != EINTR)
        return true;
    if (fds[0].revents & POLLIN) {
        quint64 drained;
        if (read(shared.wakeFd, &drained, sizeof drained) < 0) { }
    }
    int rc = MOSQ_ERR_SUCCESS;
    if (gathering || (fds[1].revents & (POLLIN | POLLERR | POLLHUP)))
        rc = mosquitto_loop_read(handle, 1);
    if (rc == MOSQ_ERR_SUCCESS && mosquitto_want_write(handle))
        rc = mosquitto_loop_write(handle, 1);
    if (rc == MOSQ_ERR_SUCCESS)
        rc = mosquitto_loop_misc(handle);
    if (rc == MOSQ_ERR_SUCCESS && mosquitto_socket(handle) >= 0)
        return !ended;
    if (rc == MOSQ_ERR_TLS)
        fail(lastTlsError.contains(QLatin1String("certificate verify failed")) ? Failure::CertificateRefused
                                                                               : Failure::Tls,
             lastTlsError);
    else
        fail(Failure::Lost, rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(std::strerror(errno))
                                                 : QString::fromUtf8(mosquitto_strerror(rc)));
    return false;
}

// The retained values not sent on this connection, then the queue, up to
// the window.
bool MqttConnection::sendWaiting()
{
    bool handed = false;
    std::lock_guard<std::mutex> lock(shared.mutex);
    for (MqttClient::Shared::Retained &value : shared.retained) {
        if (value.sent)
            continue;
        value.sent = true;
        mosquitto_publish_v5(handle, nullptr, value.topic.constData(), int(value.payload.size()),
                             value.payload.constData(), 1, true, nullptr);
    }
    const int socket = mosquitto_socket(handle);
    while (shared.queue.inFlight() < SendWindow) {
        const OutgoingQueue::Message *message = shared.queue.takeNext();
        if (!message)
            break;
        if (!handed)
            setCorked(socket, true);
        int mid = 0;
        mosquitto_publish_v5(handle, &mid, message->topic.constData(), int(message->payload.size()),
                             message->payload.constData(), 1, false, nullptr);
        inFlight.push_back({ mid, message->number });
        handed = true;
    }
    if (handed)
        setCorked(socket, false);
    return handed;
}

void MqttConnection::sayGoodbye()
{
    goodbyeClock.start();
    if (!connected || shared.options.statusTopic.isEmpty()) {
        goodbyeAcknowledged = true;
        return;
    }
    mosquitto_publish_v5(handle, &goodbyeMid, shared.options.statusTopic.constData(), int(Offline.size()),
                         Offline.data(), 1, true, nullptr);
}

void MqttConnection::onConnect(mosquitto *, void *self, int reason, int, const mqtt5__property *)
{
    auto *connection = static_cast<MqttConnection *>(self);
    MqttClient::Shared &shared = connection->shared;
    if (reason != 0) {
        const QString text = QString::fromUtf8(mosquitto_reason_string(reason));
        // Brokers refuse a wrong password as "not authorized" too.
        const bool credentialsGiven = !shared.options.username.isEmpty();
        const bool credentials = reason == MQTT_RC_BAD_USERNAME_OR_PASSWORD
                || (reason == MQTT_RC_NOT_AUTHORIZED && credentialsGiven);
        connection->fail(credentials                         ? Failure::BadCredentials
                                 : reason == MQTT_RC_NOT_AUTHORIZED ? Failure::NotAuthorized
                                                                    : Failure::BrokerRefused,
                         text);
        return;
    }
    connection->connected = connection->connectedOnce = true;
    mosquitto_log_callback_set(connection->handle, nullptr);
    qint64 dropped;
    {
        std::lock_guard<std::mutex> lock(shared.mutex);
        shared.queue.resendInFlight();
        for (MqttClient::Shared::Retained &value : shared.retained)
            value.sent = false;
        dropped = shared.queue.takeDropped();
    }
    if (!shared.options.statusTopic.isEmpty())
        mosquitto_publish_v5(connection->handle, nullptr, shared.options.statusTopic.constData(),
                             int(Online.size()), Online.data(), 1, true, nullptr);
    for (const QByteArray &topic : shared.options.subscriptions)
        mosquitto_subscribe_v5(connection->handle, nullptr, topic.constData(), 1, 0, nullptr);
    shared.post({ true, Failure::None, QString(), dropped });
}

void MqttConnection::onPublish(mosquitto *, void *self, int mid, int reason, const mqtt5__property *)
{
    auto *connection = static_cast<MqttConnection *>(self);
    if (mid == connection->goodbyeMid) {
        connection->goodbyeAcknowledged = true;
        return;
    }
    auto sent = std::find_if(connection->inFlight.begin(), connection->inFlight.end(),
                             [mid](const Sent &entry) { return entry.mid == mid; });
    if (sent == connection->inFlight.end())
        return;
    {
        std::lock_guard<std::mutex> lock(connection->shared.mutex);
        connection->shared.queue.acknowledge(sent->number);
    }
    connection->inFlight.erase(connection->inFlight.begin(), sent + 1);
    // A refusal for one topic is the broker's rule (its access list), told once.
    if (reason >= 0x80 && connection->refusedPublish.isEmpty()) {
        connection->refusedPublish = QString::fromUtf8(mosquitto_reason_string(reason));
        connection->shared.post({ true, Failure::BrokerRefused, connection->refusedPublish, 0 });
    }
}

void MqttConnection::onMessage(mosquitto *, void *self, const mosquitto_message *message,
                               const mqtt5__property *)
{
    auto *connection = static_cast<MqttConnection *>(self);
    MqttClient::Shared &shared = connection->shared;
    bool first;
    {
        std::lock_guard<std::mutex> lock(shared.mutex);
        first = shared.incoming.empty();
        shared.incoming.push_back({ QByteArray(message->topic),
                                    QByteArray(static_cast<const char *>(message->payload), message->payloadlen),
                                    message->retain });
    }
    if (first)
        emit shared.relay.messagesWaiting();
}

void MqttConnection::onLog(mosquitto *, void *self, int level, const char *text)
{
    if (level == MOSQ_LOG_ERR)
        static_cast<MqttConnection *>(self)->lastTlsError = QString::fromUtf8(text);
}
