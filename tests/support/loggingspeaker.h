#ifndef LOGGINGSPEAKER_H
#define LOGGINGSPEAKER_H

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

// While it lives, speakers made start logging-speaker.sh in place of the
// speaking program (through DUPLINK_SPEAKER): each text is read at once and
// written down, and stop() leaves a "stop" line. Having read "exit", it ends.
class LoggingSpeaker
{
public:
    LoggingSpeaker();
    ~LoggingSpeaker();

    // What was said so far, a line each.
    QStringList said() const;

private:
    QTemporaryDir folder;
    QByteArray speakerBefore;
};

#endif
