#ifndef FIGURESLABEL_H
#define FIGURESLABEL_H

#include <QLabel>

// A label for figures that change while it is shown: its size comes from
// the font, a number of lines and samples of the widest lines, not from the
// text, so new figures repaint the label without laying its window out
// again, which would measure the text anew each time. It has no margins.
// Its text is what assistive tools read.
class FiguresLabel : public QLabel
{
public:
    // `widestFirstLine`: the first line at its widest, which is never cut.
    FiguresLabel(int lines, const QString &widestLine, const QString &widestFirstLine, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // As wide as the first line at its widest: narrower windows cut the
    // other lines short rather than wrapping them.
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void measure() const;

    const int lines;
    const QString widestLine;
    const QString widestFirstLine;
    // For the font as it is; measured when first asked.
    mutable QSize size;
    mutable QSize minimumSize;
};

#endif
