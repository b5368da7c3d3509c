#ifndef FIGURESLABEL_H
#define FIGURESLABEL_H

#include <QLabel>

// A label for figures that change while it is shown: its size comes from
// the font, a number of lines and a sample of the widest line, not from the
// text, so new figures repaint the label without laying its window out
// again, which would measure the text anew each time. Its text is what
// assistive tools read.
class FiguresLabel : public QLabel
{
public:
    FiguresLabel(int lines, const QString &widestLine, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // Narrower windows cut the lines short rather than wrapping them.
    QSize minimumSizeHint() const override { return QSize(sizeHint().width() / 3, sizeHint().height()); }

protected:
    void changeEvent(QEvent *event) override;

private:
    const int lines;
    const QString widestLine;
    mutable QSize size; // for the font as it is; measured when first asked
};

#endif
