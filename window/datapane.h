#ifndef DATAPANE_H
#define DATAPANE_H

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QTimer>

QT_BEGIN_NAMESPACE
class QIODevice;
QT_END_NAMESPACE

// The user-data pane: a banner, then one line of hexadecimal bytes for each
// user-data frame, the newest MaxLines of them kept. It stays at the end
// while the user has not scrolled away from it.
class DataPane : public QTextBrowser
{
    Q_OBJECT

public:
    static constexpr int MaxLines = 10000;

    explicit DataPane(QWidget *parent = nullptr);

    // Adds a line: each byte as two upper-case hex digits and a blank.
    void appendBytes(const char *bytes, int length);

    // Lines arrive from what this device delivers; while it still has bytes
    // waiting, they are gathered for a while before the pane is touched.
    void watchBacklog(const QIODevice *device);

private:
    void flushLines();
    void trimToMaxLines();

    // Lines wait here until the event loop comes round, so the lines of one
    // read reach the pane in one insertion.
    QString pendingLines;
    int pendingCount = 0;
    int bannerBlocks = 0;
    QTimer flushTimer;
    QElapsedTimer sinceFlush;
    QPointer<const QIODevice> backlog;
};

#endif
