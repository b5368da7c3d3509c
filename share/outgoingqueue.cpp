#include "outgoingqueue.h"

#include <algorithm>

namespace {

constexpr qsizetype FirstSlots = 64;

} // namespace

OutgoingQueue::OutgoingQueue(qsizetype capacity)
    : limit(std::max<qsizetype>(1, capacity))
{
}

void OutgoingQueue::push(const QByteArray &topic, const char *payload, qsizetype size)
{
    if (count == limit) {
        head = (head + 1) % qsizetype(ring.size());
        --count;
        ++dropped;
    } else if (count == qsizetype(ring.size())) {
        grow();
    }
    Message &slot = at(count);
    slot.number = ++pushed;
    slot.topic = topic; // shared, not copied
    slot.payload.resize(size); // within the slot's room once it has held as much
    std::copy(payload, payload + size, slot.payload.data());
    ++count;
}

// Doubles the ring, the oldest message first again, up to the capacity.
void OutgoingQueue::grow()
{
    const qsizetype room = std::min(limit, std::max(FirstSlots, qsizetype(ring.size()) * 2));
    std::rotate(ring.begin(), ring.begin() + head, ring.end());
    ring.resize(std::size_t(room));
    head = 0;
}

const OutgoingQueue::Message *OutgoingQueue::takeNext()
{
    const qsizetype next = inFlight();
    if (next == count)
        return nullptr;
    Message &message = at(next);
    handedOut = message.number;
    return &message;
}

void OutgoingQueue::acknowledge(quint64 number)
{
    while (count > 0 && at(0).number <= number) {
        head = (head + 1) % qsizetype(ring.size());
        --count;
    }
}

void OutgoingQueue::resendInFlight()
{
    handedOut = count > 0 ? at(0).number - 1 : pushed;
}

qsizetype OutgoingQueue::inFlight() const
{
    if (count == 0)
        return 0;
    const quint64 oldest = ring[std::size_t(head)].number;
    return handedOut < oldest ? 0 : qsizetype(handedOut - oldest + 1);
}

qint64 OutgoingQueue::takeDropped()
{
    const qint64 taken = dropped;
    dropped = 0;
    return taken;
}
