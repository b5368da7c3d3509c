#ifndef DATAPANE_H
#define DATAPANE_H

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTextBrowser>
#include <QTimer>

// The user-data pane: a banner, then one line of hexadecimal bytes for each
// user-data frame, at least the newest MaxLines of them kept. It stays at
// the end while the user has not scrolled away from it.
//
// Lines reach the pane at most four times a second, a read's worth or more
// at a time, since laying out and painting new text costs the same for one
// line as for many. Lines are kept a few to a paragraph, one under the other as separate
// paragraphs would be: the document's cost in memory and layout is mostly
// per paragraph, and a pane of single-line paragraphs cost three times as
// much memory. The oldest lines go a batch at a time, since taking any away
// moves every line below and so lays them all out again.
class DataPane : public QTextBrowser
{
    Q_OBJECT

public:
    static constexpr int MaxLines = 10000;
    static constexpr int TrimBatch = 100;       // lines beyond MaxLines before they go
    static constexpr int LinesPerParagraph = 4;

    explicit DataPane(QWidget *parent = nullptr);

    // Adds a line: each byte as two upper-case hex digits and a blank.
    void appendBytes(const char *bytes, int length);

    // Shows the lines still gathered for the next insertion, now.
    void showPendingLines();

    // Offered in the context menu after the pane's own entries.
    void setMenuActions(const QList<QAction *> &actions) { menuActions = actions; }

    // The lines in the pane, the banner aside: their number, one of them
    // (0 the oldest kept), and the newest.
    int lineCount() const { return lines; }
    QString line(int index) const;
    QString lastLine() const;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void trimOldestLines();

    QString pendingText; // lines not in the pane yet, with their separators
    int pendingCount = 0;
    int bannerBlocks = 0;
    int lines = 0;
    int linesInLastParagraph = LinesPerParagraph; // the next line starts one
    QTimer insertTimer;
    QElapsedTimer sinceInsertion;
    QList<QAction *> menuActions;
};

#endif
