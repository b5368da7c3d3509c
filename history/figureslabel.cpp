#include "figureslabel.h"

#include <QEvent>
#include <QFontMetrics>

FiguresLabel::FiguresLabel(int lines, const QString &widestLine, QWidget *parent)
    : QLabel(parent), lines(lines), widestLine(widestLine)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QSize FiguresLabel::sizeHint() const
{
    if (size.isEmpty()) {
        const QFontMetrics metrics(font());
        const QMargins margins = contentsMargins();
        size = QSize(metrics.horizontalAdvance(widestLine) + margins.left() + margins.right(),
                     metrics.lineSpacing() * lines + margins.top() + margins.bottom());
    }
    return size;
}

void FiguresLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        size = QSize();
    QLabel::changeEvent(event);
}
