#ifndef MQTTCONNECTION_H
#define MQTTCONNECTION_H

#include "mqttshared.h"

#include <QElapsedTimer>

#include <deque>
#include <memory>

struct mosquitto;
struct mqtt5__property;

// One connection to the broker, from connect to its loss or the goodbye,
// run in the client's worker thread: the only thread that touches the
// libmosquitto handle. run() makes one after another, waiting between
// failed ones.
class MqttConnection
{
public:
    // The worker thread's whole life.
    static void run(std::shared_ptr<MqttClient::Shared> shared);

    explicit MqttConnection(MqttClient::Shared &shared);
    ~MqttConnection();
    MqttConnection(const MqttConnection &) = delete;
    MqttConnection &operator=(const MqttConnection &) = delete;

    // Connects and serves until the connection ends; false with `failure`
    // when it ended for a reason other than the owner's goodbye.
    bool connectAndServe();
    bool wasConnected() const { return connectedOnce; }
    MqttClient::Failure failure() const { return why; }
    QString detail() const { return whyDetail; }

private:
    bool setUp();
    bool connectSocket();
    void serve();
    bool step(int timeoutMs, bool gathering);
    bool sendWaiting();
    void sayGoodbye();
    void fail(MqttClient::Failure failure, const QString &detail);

    static void onConnect(mosquitto *, void *self, int reason, int flags, const mqtt5__property *);
    static void onPublish(mosquitto *, void *self, int mid, int reason, const mqtt5__property *);
    static void onMessage(mosquitto *, void *self, const struct mosquitto_message *message,
                          const mqtt5__property *);
    static void onLog(mosquitto *, void *self, int level, const char *text);

    MqttClient::Shared &shared;
    mosquitto *handle = nullptr;
    QElapsedTimer since;
    bool connected = false;
    bool connectedOnce = false;
    bool ended = false;
    int goodbyeMid = -1;
    bool goodbyeAcknowledged = false;
    QElapsedTimer goodbyeClock;
    struct Sent
    {
        int mid;
        quint64 number;
    };
    std::deque<Sent> inFlight;
    MqttClient::Failure why = MqttClient::Failure::None;
    QString whyDetail;
    QString lastTlsError;
    QString refusedPublish; // the broker's reason for refusing a message, told once
};

#endif
