#ifndef ALARMCALLOUTS_H
#define ALARMCALLOUTS_H

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class Speaker;

// What the alarm rows say aloud, and when. The caller reports each row's
// shown state as it changes (trip() and clear(), with the words to say);
// this decides the order:
// - callouts are read one after another, never cut off by the next;
// - a row has at most one callout waiting: a newer one takes the older's
//   place in the line, so a row never queues behind itself;
// - a row that clears before its trip was read is not read at all, nor
//   is its clearing;
// - while a row stays tripped, its callout comes again every repeat
//   interval, counted from when it was last read;
// - silence() breaks off what is being read and keeps quiet until a row
//   trips; then everything is as before, the rows still tripped repeating
//   one interval after that trip.
// After shutDown() (or destruction) nothing more is said.
//
// Repeats come from a timer of its own (its child), set from the injectable
// clock, so the tests move the clock and call tick() instead of waiting.
//
// In a window: a SpeechSpeaker member declared before this one (so this one
// goes first), prepare()d when speaking is switched on; each row's shown
// change to trip() or clear(); the Silence entry to silence(); closing to
// shutDown().
class AlarmCallouts : public QObject
{
    Q_OBJECT

public:
    // The settings the window keeps for the callouts.
    static constexpr char SpeakKey[] = "alarms/speak"; // bool, off by default
    static constexpr char RepeatSecondsKey[] = "alarms/repeatSeconds";
    static constexpr int DefaultRepeatSeconds = 30;
    static constexpr int RowCount = 4;

    using Clock = std::function<qint64()>; // milliseconds, never going back

    // The speaker must outlive this object. Without a clock, a monotonic one.
    explicit AlarmCallouts(Speaker &speaker, Clock clock = {}, QObject *parent = nullptr);
    ~AlarmCallouts() override;

    // 0: a callout is never repeated.
    void setRepeatSeconds(int seconds);

    // The row (0 to 3) is shown tripped; `text` is what it says, now and at
    // each repeat. For a row already tripped, only its words change.
    void trip(int row, const QString &text);
    // The row is shown clear again; `text` ("Alarm 1 clear") is read in turn,
    // if the trip was read.
    void clear(int row, const QString &text);

    void silence();
    void shutDown();

    // Queues the repeats that are due. Its own timer calls it.
    void tick();

private:
    struct Row
    {
        bool tripped = false;
        bool heardTripped = false; // what the last callout read said
        QString tripText;
        qint64 lastReadAt = 0;
        QString waiting; // the callout waiting its turn, if any
    };

    // Milliseconds until the next repeat is due, or -1 when none will be.
    qint64 nextRepeatIn() const;
    void queue(int row, const QString &text);
    void unqueue(int row);
    void speakNext();
    void spoken();
    void armTimer();
    qint64 repeatAt(int row) const; // -1: no repeat in view

    Speaker &speaker;
    Clock clock;
    QTimer repeatTimer;
    Row rows[RowCount];
    QList<int> line; // rows with a callout waiting, in turn
    int reading = -1; // the row whose callout is being read
    qint64 repeatMs = DefaultRepeatSeconds * 1000;
    bool silenced = false;
    bool isShutDown = false;
};

#endif
