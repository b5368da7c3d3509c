#ifndef LINEWRITER_H
#define LINEWRITER_H

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <random>

QT_BEGIN_NAMESPACE
class QSocketNotifier;
QT_END_NAMESPACE

class ModuleLine;

// What the simulated module sends down its line: holds the bytes the line
// has not taken yet and writes them as it takes them, in small pieces if
// asked; throws away output nobody takes; and at the end gives the far end
// time to read what is left.
class LineWriter : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        bool splitWrites = false;        // 1 to 8 bytes per write
        bool pauseBetweenPieces = false; // a moment between split writes
        std::uint32_t seed = 0;
    };

    LineWriter(ModuleLine &line, const Options &options, QObject *parent = nullptr);

    void queue(QByteArrayView bytes) { pending.append(bytes); }
    qsizetype queuedBytes() const { return pending.size(); }
    // Writes what the line takes now, the rest as it takes more.
    void flush();
    // While on, roomForMore() comes whenever the line could take more, so
    // that a source can write as fast as the line takes the bytes.
    void setAskingForMore(bool on);
    // To be called before new output is queued.
    void dropUnheardOutput();
    // Writes out what is queued, then emits drained() once the far end has
    // read it, or has stopped reading.
    void drain();
    // Writes nothing more.
    void stop();

signals:
    void roomForMore();
    void drained();
    void writeFailed(int errorNumber);

private:
    void lineHasRoom();
    void checkDrained();
    void updateWriteNotifier();

    ModuleLine &line;
    const Options options;
    std::mt19937 splitSizes; // drawn as the line takes bytes, so apart from the content
    QSocketNotifier *writeNotifier = nullptr;
    QTimer splitPause;
    QTimer drainCheck;
    QElapsedTimer clock;

    QByteArray pending; // encoded bytes the line has not taken yet
    bool askingForMore = false;
    int lastSeenUnread = 0;
    qint64 lastHeardMs = 0;
    int lastUnread = -1;
    qint64 lastDrainProgressMs = 0;
    bool stopped = false;
};

#endif
