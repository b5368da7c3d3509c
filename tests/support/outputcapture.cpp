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
    QByteArray result;
    const QList<QByteArray> lines = text().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        if (line.startsWith("QWARN") || line.startsWith("QDEBUG") || line.startsWith("QINFO"))
            continue;
        result += line;
        if (i + 1 < lines.size())
            result += '\n';
    }
    return result;
}
