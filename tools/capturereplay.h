#ifndef CAPTUREREPLAY_H
#define CAPTUREREPLAY_H

#include "modulesource.h"
#include "rawcapture.h"

#include <QElapsedTimer>
#include <QTimer>

class LineWriter;

// Plays a raw capture back at its recorded pace, from the monitor's first
// command on, and ends with the capture. Answers nothing: the capture holds
// the answers the module gave at the time.
class CaptureReplay : public ModuleSource
{
    Q_OBJECT

public:
    CaptureReplay(RawCapture &capture, LineWriter &writer, QObject *parent = nullptr);

    void start() override;
    void stop() override;
    void commandHeard(const Command &command) override;

private:
    void sendDueRecords();

    RawCapture &capture;
    LineWriter &writer;
    QTimer pacer;
    QElapsedTimer clock; // from the first command
    RawCapture::Record nextRecord;
    bool hasNextRecord = false;
    bool playing = false;
};

#endif
