#ifndef MQTTSHARED_H
#define MQTTSHARED_H

#include "mqttclient.h"
#include "mqttrelay.h"
#include "outgoingqueue.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

// What the client and its worker thread share; the worker may outlive the
// client (a connect to an address that does not answer), so both hold it.
// Everything but the options and the wake-up descriptor is under `mutex`.
struct MqttClient::Shared
{
    struct Retained
    {
        QByteArray topic;
        QByteArray payload;
        bool sent = false;
    };
    struct Incoming
    {
        QByteArray topic;
        QByteArray payload;
        bool retained = false;
    };
    // News for the client's thread, in the order it happened.
    struct Event
    {
        bool connected = false;
        Failure failure = Failure::None;
        QString detail;
        qint64 dropped = 0;
    };

    explicit Shared(const Options &options);
    ~Shared();

    // Wakes the worker from its wait; cheap when it is awake already.
    void wake();
    void post(const Event &event);

    const Options options;
    const QByteArray clientId;
    const int wakeFd;
    std::atomic<bool> wakePending{ false };
    std::mutex mutex;
    std::condition_variable ended;
    bool stopping = false;
    bool finished = false;
    OutgoingQueue queue;
    std::vector<Retained> retained;
    std::vector<Incoming> incoming;
    std::vector<Event> events;
    MqttRelay relay;
};

#endif
