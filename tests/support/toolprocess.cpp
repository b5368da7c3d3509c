#include "toolprocess.h"

#include <QFile>
#include <QTest>

#include <csignal>
#include <unistd.h>

ToolProcess::ToolProcess(const QString &program, const QStringList &arguments,
                         const QProcessEnvironment &environment)
{
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                     [this] { out += process.readAllStandardOutput(); });
    QObject::connect(&process, &QProcess::readyReadStandardError, &process,
                     [this] { err += process.readAllStandardError(); });
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
}

ToolProcess::~ToolProcess()
{
    process.kill();
    process.waitForFinished(1000);
}

bool ToolProcess::waitForOutput(const QByteArray &text, qsizetype times)
{
    return QTest::qWaitFor([&] { return out.count(text) >= times; }, 10000);
}

bool ToolProcess::waitForError(const QByteArray &text, qsizetype times)
{
    return QTest::qWaitFor([&] { return err.count(text) >= times; }, 10000);
}

QString ToolProcess::firstLine()
{
    return waitForOutput("\n") ? lines().first() : QString();
}

QStringList ToolProcess::lines() const
{
    QStringList result = QString::fromLocal8Bit(out).split(QLatin1Char('\n'));
    result.removeLast(); // unfinished, or empty after the last line
    return result;
}

qint64 ToolProcess::cpuMs() const
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(process.processId()));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // From the state (field 3) on: utime and stime are fields 14 and 15.
    const QByteArrayList fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields[11].toLongLong() + fields[12].toLongLong()) * 1000 / sysconf(_SC_CLK_TCK);
}

int ToolProcess::exitCode(int timeoutMs)
{
    if (!QTest::qWaitFor([this] { return !isRunning(); }, timeoutMs))
        return -1;
    out += process.readAllStandardOutput();
    err += process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int ToolProcess::stop(int signalNumber, int timeoutMs)
{
    if (process.state() == QProcess::Running)
        ::kill(pid_t(process.processId()), signalNumber);
    return exitCode(timeoutMs);
}
