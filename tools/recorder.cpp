#include "recorder.h"

#include "framecodec.h"
#include "rawcapture.h"
#include "recordwriter.h"
#include "threshold.h"

#include <QFile>

#include <cstdio>
#include <sys/stat.h>

Recorder::Recorder(const Options &options, RecordWriter &writer, RawCapture *raw, QObject *parent)
    : QObject(parent),
      options(options),
      writer(writer),
      raw(raw),
      port(stableDevicePath(options.device, options.byIdFolder)),
      tap(&port),
      listener(&tap),
      link(options.device, &port, &listener)
{
    connect(&link, &SerialLink::cannotOpen, this, &Recorder::showOpenFailure);
    connect(&link, &SerialLink::lost, this, &Recorder::showStatus);
    connect(&link, &SerialLink::restored, this, &Recorder::showStatus);
    connect(&link, &SerialLink::restored, this, &Recorder::sendRequest);
    connect(&tap, &QIODevice::readyRead, &listener, &PortListener::receive);
    connect(&listener, &PortListener::reportVolts, this, &Recorder::recordVolts);
    connect(&listener, &PortListener::reportThreshold, this, &Recorder::recordThreshold);
    connect(&listener, &PortListener::reportData, this, &Recorder::recordData);
    if (raw)
        connect(&tap, &ReadTap::blockRead, this, &Recorder::recordRaw);

    flushTimer.setInterval(FlushInterval);
    connect(&flushTimer, &QTimer::timeout, this, &Recorder::flushOutputs);
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, this, [this] { stop(0); });
}

void Recorder::start()
{
    clock.start();
    if (isNotSerialDevice()) {
        fail(QStringLiteral("%1 is not a serial device").arg(options.device));
        return;
    }
    const bool opened = link.open();
    // Something that is there but cannot be a serial line will not become one.
    if (!opened && (!options.waitForDevice || port.error() == QSerialPort::UnsupportedOperationError)) {
        fail(QStringLiteral("cannot open %1: %2").arg(options.device, port.errorString()));
        return;
    }
    if (!writer.writeHeader()) {
        fail(writer.errorString());
        return;
    }
    if (opened)
        sendRequest();
    else
        link.waitForDevice();
    if (options.durationMs > 0)
        deadline.start(int(options.durationMs));
    flushTimer.start();
}

bool Recorder::isNotSerialDevice() const
{
    struct stat status;
    return ::stat(QFile::encodeName(options.device).constData(), &status) == 0
            && !S_ISCHR(status.st_mode);
}

void Recorder::showOpenFailure(const QString &message)
{
    showStatus(message + QStringLiteral("; retrying every second"));
    if (!link.advice().isEmpty())
        showStatus(link.advice());
}

void Recorder::sendRequest()
{
    std::uint8_t wire[Protocol::MaxWireFrame];
    const qint64 length = qint64(encodeFrame(Command::request(), wire));
    if (port.write(reinterpret_cast<const char *>(wire), length) != length)
        showStatus(QStringLiteral("Request not sent: %1").arg(port.errorString()));
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

void Recorder::recordVolts(char volt1, char volt2, char linkq, char linkql)
{
    if (!stopped)
        lineWritten(writer.writeVolts(quint8(volt1), quint8(volt2), quint8(linkq), quint8(linkql)));
}

void Recorder::recordThreshold(Threshold *threshold)
{
    if (!stopped)
        lineWritten(writer.writeThreshold(threshold->index, threshold->value,
                                          quint8(threshold->comparison), quint8(threshold->level)));
}

void Recorder::recordData(char *bytes, int length)
{
    if (!stopped)
        lineWritten(writer.writeData(bytes, length));
}

void Recorder::lineWritten(bool ok)
{
    if (!ok)
        fail(writer.errorString());
    else if (options.frameLimit > 0 && ++framesWritten >= options.frameLimit)
        stop(0);
}

void Recorder::recordRaw(const QByteArray &bytes)
{
    if (!stopped && !raw->append(clock.elapsed(), bytes))
        fail(raw->errorString());
}

void Recorder::flushOutputs()
{
    if (!writer.flush())
        fail(writer.errorString());
    else if (raw && !raw->flush())
        fail(raw->errorString());
}

void Recorder::stop(int exitCode)
{
    if (stopped)
        return;
    stopped = true;
    flushTimer.stop();
    deadline.stop();
    // A failure that ended the run has been reported already.
    QString problem;
    if (!writer.flush())
        problem = writer.errorString();
    else if (raw && !raw->flush())
        problem = raw->errorString();
    if (!problem.isEmpty() && exitCode == 0) {
        std::fprintf(stderr, "duplink-record: %s\n", qPrintable(problem));
        exitCode = 1;
    }
    link.close();
    emit finished(exitCode);
}
