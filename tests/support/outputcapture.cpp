#include "outputcapture.h"

#include <unistd.h>

OutputCapture::OutputCapture(std::FILE *stream)
    : stream(stream)
{
    std::fflush(stream);
    if (!file.open())
        return;
    savedFd = dup(fileno(stream));
    dup2(file.handle(), fileno(stream));
}

OutputCapture::~OutputCapture()
{
    if (savedFd < 0)
        return;
    std::fflush(stream);
    dup2(savedFd, fileno(stream));
    ::close(savedFd);
    // Hand on what was captured, so the test log still shows it (test
    // failures reported during the capture included).
    const QByteArray captured = text();
    std::fwrite(captured.constData(), 1, size_t(captured.size()), stream);
    std::fflush(stream);
}

QByteArray OutputCapture::text()
{
    std::fflush(stream);
    if (savedFd < 0)
        return {};
    QFile reader(file.fileName());
    if (!reader.open(QIODevice::ReadOnly))
        return {};
    return reader.readAll();
}

QByteArray OutputCapture::programText()
{
    QByteArrayList lines = text().split('\n');
    lines.removeIf([](const QByteArray &line) {
        return line.startsWith("QWARN") || line.startsWith("QDEBUG") || line.startsWith("QINFO");
    });
    return lines.join('\n');
}
