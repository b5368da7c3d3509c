#ifndef MODULESOURCE_H
#define MODULESOURCE_H

#include "framecodec.h"

#include <QObject>
#include <QString>

// Where the simulated module's output comes from: frames it makes up, or a
// capture played back. It queues its bytes on the line writer, and hears
// every command the monitor sends.
class ModuleSource : public QObject
{
    Q_OBJECT

public:
    using Command = ::Command::Heard;

    using QObject::QObject;

    virtual void start() = 0;
    // Queues nothing more of its own accord: the line is being drained.
    virtual void stop() = 0;
    virtual void commandHeard(const Command &command) = 0;

signals:
    // Nothing more to send.
    void ended();
    // Cannot go on; the run ends with exit code 1.
    void failed(const QString &reason);
};

#endif
