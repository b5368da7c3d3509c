#ifndef OUTPUTCAPTURE_H
#define OUTPUTCAPTURE_H

#include <QByteArray>
#include <QTemporaryFile>

#include <cstdio>

// Diverts a standard stream of this process into a file for the length of a
// test step, so the lines the code under test prints can be compared; they
// are passed on to the stream when the capture ends.
class OutputCapture
{
public:
    explicit OutputCapture(std::FILE *stream);
    ~OutputCapture();
    OutputCapture(const OutputCapture &) = delete;
    OutputCapture &operator=(const OutputCapture &) = delete;

    // Everything printed since the capture began.
    QByteArray text();
    // The same, less the lines the test framework logs itself (QWARN ...).
    QByteArray programText();

private:
    std::FILE *stream;
    int savedFd = -1;
    QTemporaryFile file;
};

#endif
