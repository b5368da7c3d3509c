#include "statusline.h"

#include <QPainter>
#include <QStyle>

StatusLine::StatusLine(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void StatusLine::setPurpose(const QString &text)
{
    purpose = text;
    setAccessibleDescription(purpose);
}

void StatusLine::showMessage(const QString &message, const QString &advice)
{
    setText(message);
    // The tooltip holds what the line may not have room for.
    more = advice.isEmpty() ? message : message + QLatin1Char('\n') + advice;
    setAccessibleDescription(advice.isEmpty() ? purpose : purpose + QLatin1String(". ") + advice);
    messageShown = true;
    showToolTip();
}

void StatusLine::showFigures(const QString &figures)
{
    setText(figures);
    if (messageShown) {
        messageShown = false;
        more.clear();
        showToolTip();
        setAccessibleDescription(purpose);
    }
}

void StatusLine::setNote(const QString &text)
{
    note = text;
    showToolTip();
}

void StatusLine::showToolTip()
{
    setToolTip(more.isEmpty() || note.isEmpty() ? more + note : more + QLatin1Char('\n') + note);
}

// One line, whatever the text: a width of its own would widen the window.
QSize StatusLine::sizeHint() const
{
    const QMargins margins = contentsMargins();
    return QSize(0, fontMetrics().height() + margins.top() + margins.bottom() + 2 * margin());
}

QSize StatusLine::minimumSizeHint() const
{
    return sizeHint();
}

void StatusLine::paintEvent(QPaintEvent *event)
{
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    if (shown == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, area, QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), shown, foregroundRole());
}
