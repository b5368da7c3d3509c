#ifndef CAPTUREWRITER_H
#define CAPTUREWRITER_H

#include "rawcapture.h"
#include "sessionsink.h"

#include <QElapsedTimer>

// A raw capture of the session: every block the listener reads, with its
// time since start(). The file's header holds the wall-clock time it was
// created.
class CaptureWriter : public SessionSink
{
    Q_OBJECT

public:
    // Bytes that came before start(), written as its first record, at time
    // 0: what a recording begun in the middle of a read must not lose.
    void setLead(const QByteArray &bytes) { lead = bytes; }

    bool open(const QString &path) override;
    bool start(PortListener &listener) override;
    bool flush() override { return capture.flush(); }
    bool close() override { return capture.close(); }
    QString errorString() const override { return capture.errorString(); }

private:
    void writeBlock(const QByteArray &bytes);

    RawCapture capture;
    QElapsedTimer clock;
    QByteArray lead;
};

#endif
