#include "capturewriter.h"

#include "portlistener.h"

#include <QDateTime>

bool CaptureWriter::open(const QString &path)
{
    return capture.create(path, QDateTime::currentMSecsSinceEpoch());
}

bool CaptureWriter::start(PortListener &listener)
{
    clock.start();
    if (!lead.isEmpty() && !capture.append(0, lead))
        return false;
    connect(&listener, &PortListener::blockRead, this, &CaptureWriter::writeBlock);
    return true;
}

void CaptureWriter::writeBlock(const QByteArray &bytes)
{
    if (!capture.append(clock.elapsed(), bytes))
        emit writeFailed(capture.errorString());
}
