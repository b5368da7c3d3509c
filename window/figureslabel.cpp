#include "figureslabel.h"

#include <QFontMetrics>

FiguresLabel::FiguresLabel(int lines, const QString &widestLine, QWidget *parent)
    : QLabel(parent), lines(lines), widestLine(widestLine)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QSize FiguresLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QMargins margins = contentsMargins();
    return QSize(metrics.horizontalAdvance(widestLine) + margins.left() + margins.right(),
                 metrics.lineSpacing() * lines + margins.top() + margins.bottom());
}

// Narrower windows cut the lines short rather than wrapping them.
QSize FiguresLabel::minimumSizeHint() const
{
    return QSize(sizeHint().width() / 3, sizeHint().height());
}
