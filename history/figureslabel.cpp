#include "figureslabel.h"

#include <QEvent>
#include <QFontMetrics>

#include <algorithm>

FiguresLabel::FiguresLabel(int lines, const QString &widestLine, const QString &widestFirstLine, QWidget *parent)
    : QLabel(parent), lines(lines), widestLine(widestLine), widestFirstLine(widestFirstLine)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FiguresLabel::measure() const
{
    const QFontMetrics metrics(font());
    const int first = metrics.horizontalAdvance(widestFirstLine);
    size = QSize(std::max(metrics.horizontalAdvance(widestLine), first), metrics.lineSpacing() * lines);
    minimumSize = QSize(first, size.height());
}

QSize FiguresLabel::sizeHint() const
{
    if (size.isEmpty())
        measure();
    return size;
}

QSize FiguresLabel::minimumSizeHint() const
{
    if (size.isEmpty())
        measure();
    return minimumSize;
}

// Only the font changes what the label measures.
void FiguresLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        size = QSize();
    QLabel::changeEvent(event);
}
