#ifndef WINDOWFEED_H
#define WINDOWFEED_H

#include <QBuffer>
#include <QString>

#include <memory>

class DataPane;
class PortListener;
class Window;

// What is wrong with the pane after `linesSent` user-data lines since it was
// made, the newest of them `lastLine`: it keeps every line until it is full,
// then at least the newest DataPane::MaxLines. Empty when nothing is.
QString checkKeptLines(const DataPane &pane, qint64 linesSent, const QString &lastLine);

// A window fed from an in-memory device, one input at a time, and checked
// after each input against what the reference model says it must show.
// Needs a QApplication.
class WindowFeed
{
public:
    WindowFeed();
    ~WindowFeed();
    WindowFeed(const WindowFeed &) = delete;
    WindowFeed &operator=(const WindowFeed &) = delete;

    // Runs the bytes through the listener as reads from the device, lets the
    // event loop flush the data pane, and returns what the window got wrong,
    // or an empty string. The half frame of one input is not carried over to
    // the next, so every input gives the same result on its own.
    QString feed(const char *data, qsizetype size);

    Window &window() { return *shown; }

private:
    std::unique_ptr<Window> shown;
    QBuffer device;
    PortListener *listener;
    DataPane *pane;
    qint64 linesSent = 0;
};

#endif
