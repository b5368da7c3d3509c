#ifndef TOOLPROCESS_H
#define TOOLPROCESS_H

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// One of the tools run as a child process for a test: what it prints is
// collected as it comes, and every wait runs the event loop. A process still
// running at the end is killed.
class ToolProcess
{
public:
    ToolProcess(const QString &program, const QStringList &arguments,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    ~ToolProcess();

    // Whether `text` has been printed `times` times within ten seconds.
    bool waitForOutput(const QByteArray &text, qsizetype times = 1);
    bool waitForError(const QByteArray &text, qsizetype times = 1);
    // The first line printed, such as the simulator's device; empty if none
    // came within ten seconds.
    QString firstLine();
    // The lines printed on standard output so far, without the unfinished one.
    QStringList lines() const;

    bool isRunning() const { return process.state() != QProcess::NotRunning; }
    // CPU time the process has used so far, or -1 without /proc.
    qint64 cpuMs() const;

    // The exit code once the process has ended and its output is read; -1 if
    // it has not ended within timeoutMs, or crashed.
    int exitCode(int timeoutMs = 4000);
    int stop(int signalNumber, int timeoutMs = 4000);

    QByteArray out; // standard output so far
    QByteArray err; // standard error so far

private:
    QProcess process;
};

#endif
