#ifndef OUTGOINGQUEUE_H
#define OUTGOINGQUEUE_H

#include <QByteArray>

#include <vector>

// The messages on their way to the broker, oldest first: each stays until
// the broker has acknowledged it, so that a connection lost with messages
// in flight sends them again. It holds at most `capacity` messages; past
// that the oldest goes and is counted. A slot keeps its memory, so a queue
// that has once held a message of a size takes the next without allocating.
// Not thread-safe: its owner locks.
class OutgoingQueue
{
public:
    struct Message
    {
        quint64 number = 0; // counted from 1 in the order pushed
        QByteArray topic;
        QByteArray payload;
    };

    explicit OutgoingQueue(qsizetype capacity);

    void push(const QByteArray &topic, const char *payload, qsizetype size);
    // The oldest message not handed out yet, now in flight; nullptr if none.
    const Message *takeNext();
    // The broker has every message up to `number`.
    void acknowledge(quint64 number);
    // The connection is gone: whatever was in flight goes out again.
    void resendInFlight();

    qsizetype size() const { return count; }
    qsizetype inFlight() const;
    qsizetype capacity() const { return limit; }
    // Messages dropped for room since the last call.
    qint64 takeDropped();

private:
    Message &at(qsizetype index) { return ring[std::size_t((head + index) % qsizetype(ring.size()))]; }
    void grow();

    qsizetype limit;
    std::vector<Message> ring;
    qsizetype head = 0;
    qsizetype count = 0;
    quint64 pushed = 0;
    quint64 handedOut = 0; // the number of the newest message in flight
    qint64 dropped = 0;
};

#endif
