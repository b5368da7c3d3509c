#ifndef MQTTRELAY_H
#define MQTTRELAY_H

#include <QObject>

// Tells the client's thread, through queued connections, that the worker
// thread has news for it: signals may be emitted from any thread.
class MqttRelay : public QObject
{
    Q_OBJECT

signals:
    void messagesWaiting();
    void eventsWaiting();
};

#endif
