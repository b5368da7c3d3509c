#include "datapane.h"

#include <QIODevice>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace {

const char Banner[] = "<font color=blue size=+2><center><B>"
                      "www.duplink.example"
                      "<B></center></font><P><BR>";

constexpr int BatchLines = 256;      // bounds the time one insertion takes
constexpr int BacklogWaitMs = 40;    // how long lines may gather while a backlog is read

void appendHexByte(QString &line, unsigned char byte)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    line.append(QLatin1Char(digits[byte >> 4]));
    line.append(QLatin1Char(digits[byte & 0x0F]));
    line.append(QLatin1Char(' '));
}

} // namespace

DataPane::DataPane(QWidget *parent)
    : QTextBrowser(parent)
{
    setText(QString::fromLatin1(Banner));
    bannerBlocks = document()->blockCount();
    // The pane holds left-to-right text only. Saying so spares the layout a
    // scan of every paragraph's text whenever trimming moves them all up.
    QTextOption textOption = document()->defaultTextOption();
    textOption.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(textOption);

    flushTimer.setSingleShot(true);
    flushTimer.setInterval(0);
    connect(&flushTimer, &QTimer::timeout, this, &DataPane::flushLines);
}

void DataPane::watchBacklog(const QIODevice *device)
{
    backlog = device;
}

void DataPane::appendBytes(const char *bytes, int length)
{
    if (!pendingLines.isEmpty())
        pendingLines.append(QLatin1Char('\n'));
    for (int i = 0; i < length; ++i)
        appendHexByte(pendingLines, static_cast<unsigned char>(bytes[i]));
    if (++pendingCount == BatchLines || !flushTimer.isActive())
        flushTimer.start(0);
}

void DataPane::flushLines()
{
    if (pendingLines.isEmpty())
        return;
    // Trimming a full pane lays out every line again. While a backlog is
    // being read, that happens once a wait or a batch of lines, not after
    // every read.
    const qint64 sinceLast = sinceFlush.isValid() ? sinceFlush.elapsed() : BacklogWaitMs;
    if (sinceLast < BacklogWaitMs && pendingCount < BatchLines && backlog
        && backlog->bytesAvailable() > 0) {
        flushTimer.start(int(BacklogWaitMs - sinceLast));
        return;
    }
    sinceFlush.start();
    pendingCount = 0;
    QScrollBar *scrollBar = verticalScrollBar();
    const bool following = scrollBar->value() == scrollBar->maximum();

    // Plain left-aligned paragraphs, one per line: appending would carry the
    // banner's centring and font over to the data.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertBlock(QTextBlockFormat(), QTextCharFormat());
    end.insertText(pendingLines);
    pendingLines.resize(0);

    trimToMaxLines();
    if (following)
        scrollBar->setValue(scrollBar->maximum());
}

// The oldest lines go, the banner stays.
void DataPane::trimToMaxLines()
{
    QTextDocument *text = document();
    const int excess = text->blockCount() - bannerBlocks - MaxLines;
    if (excess <= 0)
        return;
    QTextCursor cursor(text->findBlockByNumber(bannerBlocks));
    cursor.setPosition(text->findBlockByNumber(bannerBlocks + excess).position(),
                       QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
