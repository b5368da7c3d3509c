#include "datapane.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace {

const char Banner[] = "<font color=blue size=+2><center><B>"
                      "www.duplink.example"
                      "<B></center></font><P><BR>";

constexpr int BatchLines = 256;        // bounds the time one insertion takes
constexpr int InsertionIntervalMs = 250;
constexpr QChar LineBreak = QChar::LineSeparator;

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
    setAccessibleName(tr("User data"));
    setAccessibleDescription(tr("One line of hexadecimal bytes for each user-data frame received"));
    // The pane holds left-to-right text only. Saying so spares the layout a
    // scan of every paragraph's text whenever trimming moves them all up.
    QTextOption textOption = document()->defaultTextOption();
    textOption.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(textOption);

    insertTimer.setSingleShot(true);
    connect(&insertTimer, &QTimer::timeout, this, &DataPane::showPendingLines);
}

void DataPane::appendBytes(const char *bytes, int length)
{
    // Under the line before it, in a new paragraph every few lines.
    const int place = linesInLastParagraph + pendingCount;
    pendingText.append(place % LinesPerParagraph == 0 ? QChar(QChar::ParagraphSeparator) : LineBreak);
    for (int i = 0; i < length; ++i)
        appendHexByte(pendingText, static_cast<unsigned char>(bytes[i]));
    // The first line after a pause goes in when the event loop comes round;
    // others wait for the rest of the interval, or for a full batch.
    if (++pendingCount == BatchLines) {
        insertTimer.start(0);
    } else if (!insertTimer.isActive()) {
        const qint64 since = sinceInsertion.isValid() ? sinceInsertion.elapsed() : InsertionIntervalMs;
        insertTimer.start(int(qMax<qint64>(0, InsertionIntervalMs - since)));
    }
}

void DataPane::showPendingLines()
{
    insertTimer.stop();
    if (pendingCount == 0)
        return;
    sinceInsertion.start();
    QScrollBar *scrollBar = verticalScrollBar();
    const bool following = scrollBar->value() == scrollBar->maximum();

    // One edit, so the document is laid out once for all of it. The first
    // data paragraph is a plain left-aligned one: appending would carry the
    // banner's centring and font over to the data.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.beginEditBlock();
    if (lines == 0) {
        end.insertBlock(QTextBlockFormat(), QTextCharFormat());
        pendingText.remove(0, 1); // the paragraph is there now
    }
    end.insertText(pendingText);
    end.endEditBlock();
    lines += pendingCount;
    linesInLastParagraph = (linesInLastParagraph + pendingCount - 1) % LinesPerParagraph + 1;
    pendingText.resize(0);
    pendingCount = 0;

    if (lines >= MaxLines + TrimBatch)
        trimOldestLines();
    if (following)
        scrollBar->setValue(scrollBar->maximum());
}

// The oldest lines go, the banner stays.
void DataPane::trimOldestLines()
{
    int excess = lines - MaxLines;
    QTextDocument *text = document();
    const QTextBlock first = text->findBlockByNumber(bannerBlocks);
    QTextBlock block = first;
    int cutAt = block.position();
    while (excess > 0) {
        const QString paragraph = block.text();
        const int inParagraph = int(paragraph.count(LineBreak)) + 1;
        if (inParagraph <= excess) {
            excess -= inParagraph;
            block = block.next();
            cutAt = block.position();
            continue;
        }
        int at = -1;
        for (int i = 0; i < excess; ++i)
            at = int(paragraph.indexOf(LineBreak, at + 1));
        cutAt = block.position() + at + 1;
        excess = 0;
    }
    QTextCursor cursor(first);
    cursor.setPosition(cutAt, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    lines = MaxLines;
}

void DataPane::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    menu->setToolTipsVisible(true); // why an entry is disabled, say
    menu->addSeparator();
    menu->addActions(menuActions);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

QString DataPane::line(int index) const
{
    for (QTextBlock block = document()->findBlockByNumber(bannerBlocks); block.isValid();
         block = block.next()) {
        const QStringList inParagraph = block.text().split(LineBreak);
        if (index < inParagraph.size())
            return inParagraph.at(index);
        index -= int(inParagraph.size());
    }
    return {};
}

QString DataPane::lastLine() const
{
    if (lines == 0)
        return {};
    const QString paragraph = document()->lastBlock().text();
    return paragraph.mid(paragraph.lastIndexOf(LineBreak) + 1);
}
