#include "recorder.h"

#include "capturewriter.h"
#include "seriallink.h"

#include <QFile>
#include <QSerialPort>

#include <cstdio>
#include <sys/stat.h>

Recorder::Recorder(const Options &options, QObject *parent)
    : QObject(parent),
      options(options),
      connection(options.device, options.byIdFolder),
      link(*connection.link()),
      lines(connection.listener()),
      raw(connection.listener())
{
    connect(&link, &SerialLink::cannotOpen, this, &Recorder::showOpenFailure);
    connect(&link, &SerialLink::lost, this, &Recorder::showStatus);
    connect(&link, &SerialLink::restored, this, &Recorder::showStatus);
    connect(&link, &SerialLink::restored, this, &Recorder::sendRequest);
    connect(&lines, &SessionRecording::frameWritten, this, &Recorder::countFrame);
    connect(&lines, &SessionRecording::failed, this, &Recorder::fail);
    connect(&raw, &SessionRecording::failed, this, &Recorder::fail);
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, [this] { stop(0); });
}

bool Recorder::openOutputs()
{
    SessionRecording *failed = nullptr;
    if (!lines.open(options.output, std::make_unique<RecordWriter>(options.format)))
        failed = &lines;
    else if (!options.raw.isEmpty() && !raw.open(options.raw, std::make_unique<CaptureWriter>()))
        failed = &raw;
    if (failed)
        std::fprintf(stderr, "duplink-record: %s\n", qPrintable(failed->errorString()));
    return !failed;
}

void Recorder::start()
{
    if (isNotSerialDevice()) {
        fail(tr("%1 is not a serial device").arg(options.device));
        return;
    }
    const bool opened = link.open();
    // Something that is there but cannot be a serial line will not become one.
    const QSerialPort &port = *connection.port();
    if (!opened && (!options.waitForDevice || port.error() == QSerialPort::UnsupportedOperationError)) {
        fail(tr("cannot open %1: %2").arg(options.device, port.errorString()));
        return;
    }
    if (!lines.begin()) {
        fail(lines.errorString());
        return;
    }
    if (!options.raw.isEmpty() && !raw.begin()) {
        fail(raw.errorString());
        return;
    }
    if (opened)
        sendRequest();
    else
        link.waitForDevice();
    if (options.durationMs > 0)
        deadline.start(int(options.durationMs));
}

bool Recorder::isNotSerialDevice() const
{
    struct stat status;
    return ::stat(QFile::encodeName(options.device).constData(), &status) == 0
            && !S_ISCHR(status.st_mode);
}

void Recorder::showOpenFailure(const QString &message)
{
    //: %1 says why the device cannot be opened
    showStatus(tr("%1; retrying every second").arg(message));
    if (!link.advice().isEmpty())
        showStatus(link.advice());
}

void Recorder::sendRequest()
{
    QString whyNot;
    if (!connection.send(Command::request(), &whyNot))
        showStatus(tr("Request not sent: %1").arg(whyNot));
}

void Recorder::showStatus(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

void Recorder::fail(const QString &message)
{
    std::fprintf(stderr, "duplink-record: %s\n", qPrintable(message));
    stop(1);
}

void Recorder::countFrame()
{
    if (options.frameLimit > 0 && ++framesWritten >= options.frameLimit)
        stop(0);
}

void Recorder::stop(int exitCode)
{
    if (stopped)
        return;
    stopped = true;
    deadline.stop();
    // A failure that ended the run has been reported already.
    QString problem;
    if (!lines.end())
        problem = lines.errorString();
    else if (!raw.end())
        problem = raw.errorString();
    if (!problem.isEmpty() && exitCode == 0) {
        std::fprintf(stderr, "duplink-record: %s\n", qPrintable(problem));
        exitCode = 1;
    }
    link.close();
    emit finished(exitCode);
}
