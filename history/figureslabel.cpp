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
    const QMargins margins = contentsMargins();
    const int sides = margins.left() + margins.right();
    const int first = metrics.horizontalAdvance(widestFirstLine) + sides;
    size = QSize(std::max(metrics.horizontalAdvance(widestLine) + sides, first),
                 metrics.lineSpacing() * lines + margins.top() + margins.bottom());
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

void FiguresLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        size = QSize();
    QLabel::changeEvent(event);
}
