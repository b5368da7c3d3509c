#ifndef PORTLISTENER_H
#define PORTLISTENER_H

#include "framecodec.h"
#include "threshold.h"

#include <QObject>
#include <QTimer>

QT_BEGIN_NAMESPACE
class QIODevice;
QT_END_NAMESPACE

// Reads a serial device and turns its bytes into telemetry reports. Each
// report's receivers run before the next byte is decoded.
class PortListener : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 ReadBlockSize = 1024;
    static constexpr int TimerInterval = 100; // ms

    // Reads `port` from now on, whenever it has bytes.
    explicit PortListener(QIODevice *port, QObject *parent = nullptr);

    // Drops a half-received frame, so bytes from before a lost link are not
    // joined to the bytes that follow.
    void resetDecoder();

    QTimer timer;

signals:
    void reportThreshold(Threshold *threshold);
    void reportVolts(char volt1, char volt2, char linkq, char linkql);
    void reportData(char *, int length);
    // Every block read, before it is decoded; valid only during the call.
    void blockRead(const QByteArray &bytes);

public slots:
    void receive();
    void reportWritten(qint64 bytes);
    void reportClose();
    void reportDsr(bool status);
    void timeToReport();

private:
    void dispatch(const std::uint8_t *payload, int length);
    void scheduleReceive();

    QIODevice *port;
    Threshold threshold = {};
    struct {
        char volt1, volt2, linkq, linkql;
    } volts = {};
    char data[Protocol::MaxUserDataBytes] = {};
    FrameDecoder decoder;
    bool receiving = false;
    bool receiveScheduled = false;
};

#endif
