#include "historyplot.h"

#include "flighthistory.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int KeyZoomSteps = 8; // a doubling
constexpr int WheelStepAngle = 60; // in eighths of a degree: a notch is two steps
constexpr int PanShare = 8; // Left and Right move an eighth of the width

} // namespace

HistoryPlot::HistoryPlot(const FlightHistory &history, QWidget *parent)
    : QWidget(parent), history(history), drawing(history, shown)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true); // opaque, so scrolling moves pixels instead of repainting
    setFocusPolicy(Qt::StrongFocus);
    drawing.font = font();
    drawing.palette = palette();
    createActions();
}

void HistoryPlot::createActions()
{
    auto add = [this](const QString &text, const char *name, const QKeySequence &key,
                      void (HistoryPlot::*slot)()) {
        auto *action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        actions << action;
    };
    add(tr("Whole flight"), "wholeFlightAction", QKeySequence(Qt::Key_Home), &HistoryPlot::showWhole);
    add(tr("Follow the newest report"), "followAction", QKeySequence(Qt::Key_End), &HistoryPlot::goLive);
    add(tr("Zoom in"), "zoomInAction", QKeySequence(Qt::Key_Plus), &HistoryPlot::zoomIn);
    add(tr("Zoom out"), "zoomOutAction", QKeySequence(Qt::Key_Minus), &HistoryPlot::zoomOut);
    addActions(actions);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

HistoryView::Span HistoryPlot::span() const
{
    return { shown.origin(), history.firstTime(), history.lastTime(), history.isEmpty() || !hasOrigin };
}

void HistoryPlot::setOrigin(qint64 ms)
{
    hasOrigin = true;
    HistoryView::Span data = span();
    data.origin = ms;
    shown.follow(data);
    redrawAll();
}

void HistoryPlot::setChannelScale(int channel, const ChannelScale &scale)
{
    if (channel < 1 || channel > HistoryDrawing::Channels || drawing.scales[channel - 1] == scale)
        return;
    drawing.scales[channel - 1] = scale;
    layOut();
}

void HistoryPlot::layOut()
{
    drawing.layOut(size());
    shown.setWidth(drawing.plotArea().width());
    drawnAny = false;
    update();
}

// The legend and the value axis stay as they are.
void HistoryPlot::redrawAll()
{
    drawnAny = false;
    update(drawing.movingArea());
}

// Scrolls the picture by the columns the view moved and repaints those the
// new reports reached, with room for an alarm mark; while the link is lost,
// or when it changed, everything after the newest report.
void HistoryPlot::refresh()
{
    if (!isVisible())
        return;
    const qint64 oldFirst = shown.firstColumn();
    const qint64 oldMs = shown.msPerColumn();
    shown.follow(span());
    const bool lost = history.isLinkLost();
    const QRect moving = drawing.movingArea();
    const qint64 shift = shown.firstColumn() - oldFirst;
    if (!drawnAny || shown.msPerColumn() != oldMs || history.droppedCount() != drawnDropped || shift < 0
        || shift >= moving.width() || (shift > 0 && drawing.selectionFrom >= 0)) {
        redrawAll();
        return;
    }
    if (shift > 0) {
        scroll(-int(shift), 0, moving);
        if (cursor >= 0 && hasFocus()) {
            update(columnRect(cursor - int(shift)));
            update(columnRect(cursor));
        }
    }
    qint64 from = shown.columnAt(drawnNewest) - HistoryDrawing::MarkRadius;
    qint64 to = shown.columnAt(history.lastTime()) + HistoryDrawing::MarkRadius;
    if (lost || lost != drawnLost)
        to = moving.width() - 1;
    from = std::max<qint64>(from, 0);
    to = std::min<qint64>(to, moving.width() - 1);
    // The time axis under new columns changes only for a new alarm mark.
    const bool marked = !history.alarmChanges(drawnNewest, history.lastTime() + 1).empty();
    const int height = marked || lost != drawnLost ? moving.height() : drawing.plotArea().height();
    if (from <= to)
        update(QRect(moving.left() + int(from), moving.top(), int(to - from + 1), height));
    drawnNewest = history.lastTime();
    drawnLost = lost;
}

void HistoryPlot::settle()
{
    refresh();
    if (shown.mode() == HistoryView::Mode::Whole)
        showWhole();
}

void HistoryPlot::paintEvent(QPaintEvent *event)
{
    if (!drawnAny) {
        drawnAny = true;
        drawnNewest = history.lastTime();
        drawnDropped = history.droppedCount();
        drawnLost = history.isLinkLost();
    }
    drawing.cursor = hasFocus() ? cursor : -1;
    QPainter painter(this);
    for (const QRect &area : event->region())
        drawing.draw(painter, area);
}

void HistoryPlot::resizeEvent(QResizeEvent *event)
{
    layOut();
    QWidget::resizeEvent(event);
}

void HistoryPlot::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        drawing.font = font();
        drawing.palette = palette();
        layOut();
    }
    QWidget::changeEvent(event);
}

void HistoryPlot::showEvent(QShowEvent *event)
{
    shown.follow(span());
    redrawAll();
    QWidget::showEvent(event);
}

int HistoryPlot::columnAt(int x) const
{
    return std::clamp(x - drawing.plotArea().left(), 0, drawing.plotArea().width() - 1);
}

QRect HistoryPlot::columnRect(int column) const
{
    const QRect plot = drawing.plotArea();
    return QRect(plot.left() + column, plot.top(), 1, plot.height());
}

// Applies a change of view asked for by the user, and repaints.
template<typename Change>
void HistoryPlot::changeView(Change change)
{
    change();
    redrawAll();
    QToolTip::hideText(); // it read a report that may have moved
    emit viewChanged();
}

void HistoryPlot::showWhole()
{
    changeView([this] { shown.showWhole(); });
}

void HistoryPlot::goLive()
{
    changeView([this] { shown.goLive(); });
}

// While following, a zoom keeps the newest report at the right edge;
// otherwise it keeps the middle where it is.
void HistoryPlot::zoomIn()
{
    changeView([this] { shown.zoom(KeyZoomSteps, shown.isLive() ? shown.width() - 1 : shown.width() / 2); });
}

void HistoryPlot::zoomOut()
{
    changeView([this] { shown.zoom(-KeyZoomSteps, shown.isLive() ? shown.width() - 1 : shown.width() / 2); });
}

QString HistoryPlot::readout(int column) const
{
    const qint64 from = shown.columnStart(column);
    const qint64 to = shown.columnStart(column + 1);
    const qsizetype index = history.nearest(from + (to - from) / 2);
    if (index < 0 || !hasOrigin)
        return tr("No reports yet");
    const FlightHistory::Report report = history.at(index);
    const QString clock =
            QDateTime::fromMSecsSinceEpoch(report.time).toString(QStringLiteral("HH:mm:ss.zzz"));
    //: The readout of a report: its time since the first report, then by the clock
    QStringList lines(tr("Time: %1 (%2)").arg(HistoryDrawing::elapsedText(report.time - origin(), 3), clock));
    for (int channel = 0; channel < HistoryDrawing::Channels; ++channel) {
        const ChannelScale &scale = drawing.scales[channel];
        lines << tr("%1: %2").arg(scale.name, scale.reading(report.values[std::size_t(channel)]));
    }
    for (const FlightHistory::LostLink &gap : history.lostLinks(from, to)) {
        lines << (gap.to == FlightHistory::StillLost
                          ? tr("Link lost since %1").arg(HistoryDrawing::elapsedText(gap.from - origin(), 1))
                          : tr("Link lost from %1 to %2")
                                    .arg(HistoryDrawing::elapsedText(gap.from - origin(), 1),
                                         HistoryDrawing::elapsedText(gap.to - origin(), 1)));
    }
    const qint64 reach = HistoryDrawing::MarkRadius * shown.msPerColumn();
    for (const FlightHistory::AlarmChange &change : history.alarmChanges(from - reach, to + reach)) {
        lines << (change.tripped ? tr("Alarm %1 tripped at %2") : tr("Alarm %1 cleared at %2"))
                         .arg(change.row + 1)
                         .arg(HistoryDrawing::elapsedText(change.time - origin(), 1));
    }
    return lines.join(QLatin1Char('\n'));
}

bool HistoryPlot::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (!drawing.plotArea().contains(help->pos())) {
            QToolTip::hideText();
            return true;
        }
        const int column = columnAt(help->pos().x());
        QToolTip::showText(help->globalPos(), readout(column), this, columnRect(column));
        return true;
    }
    return QWidget::event(event);
}

void HistoryPlot::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int step = std::max(1, shown.width() / PanShare);
    if (modifiers == Qt::ShiftModifier && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        moveCursor(cursor < 0 ? -1 : cursor + (event->key() == Qt::Key_Left ? -1 : 1));
    } else if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Left) {
        changeView([this, step] { shown.pan(-step); });
    } else if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Right) {
        changeView([this, step] { shown.pan(step); });
    } else if (event->key() == Qt::Key_Equal || event->key() == Qt::Key_Plus) {
        zoomIn(); // "+" without Shift, and on the keypad
    } else if (event->key() == Qt::Key_Minus) {
        zoomOut();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void HistoryPlot::wheelEvent(QWheelEvent *event)
{
    wheelRest += event->angleDelta().y();
    const int steps = wheelRest / WheelStepAngle;
    wheelRest -= steps * WheelStepAngle;
    if (steps != 0) {
        const int anchor = columnAt(qRound(event->position().x()));
        changeView([this, steps, anchor] { shown.zoom(steps, anchor); });
    }
    event->accept();
}

// The left button drags over a time range to zoom to it, or with Shift
// held pans, as the middle button does; a click places the cursor.
void HistoryPlot::mousePressEvent(QMouseEvent *event)
{
    const int x = qRound(event->position().x());
    if (event->button() == Qt::MiddleButton
        || (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier))) {
        panX = x;
    } else if (event->button() == Qt::LeftButton) {
        pressX = x;
    } else {
        QWidget::mousePressEvent(event);
    }
}

void HistoryPlot::mouseMoveEvent(QMouseEvent *event)
{
    const int x = qRound(event->position().x());
    if (panX >= 0 && x != panX) {
        const int by = panX - x;
        panX = x;
        changeView([this, by] { shown.pan(by); });
    } else if (pressX >= 0 && (selecting || std::abs(x - pressX) >= QApplication::startDragDistance())) {
        selecting = true;
        drawing.selectionFrom = columnAt(pressX);
        drawing.selectionTo = columnAt(x);
        update(drawing.movingArea());
    }
}

void HistoryPlot::mouseReleaseEvent(QMouseEvent *event)
{
    const int x = qRound(event->position().x());
    if (selecting) {
        const int from = std::min(drawing.selectionFrom, drawing.selectionTo);
        const int to = std::max(drawing.selectionFrom, drawing.selectionTo);
        drawing.selectionFrom = drawing.selectionTo = -1;
        changeView([this, from, to] { shown.zoomTo(shown.columnStart(from), shown.columnStart(to + 1)); });
    } else if (pressX >= 0) {
        setFocus(Qt::MouseFocusReason);
        moveCursor(columnAt(x));
    }
    pressX = panX = -1;
    selecting = false;
}

// The cursor shows once it is used: first at the newest report, or in the
// middle when that is out of view.
void HistoryPlot::moveCursor(int column)
{
    if (cursor < 0 && column < 0) {
        const qint64 newest = shown.columnAt(history.lastTime());
        column = newest >= 0 && newest < shown.width() ? int(newest) : shown.width() / 2;
    }
    cursor = std::clamp(column, 0, shown.width() - 1);
    update(drawing.movingArea());
    const QRect at = columnRect(cursor);
    QToolTip::showText(mapToGlobal(at.center()), readout(cursor), this);
}

void HistoryPlot::focusInEvent(QFocusEvent *event)
{
    if (cursor >= 0)
        update(columnRect(cursor));
    QWidget::focusInEvent(event);
}

void HistoryPlot::focusOutEvent(QFocusEvent *event)
{
    if (cursor >= 0)
        update(columnRect(cursor));
    QWidget::focusOutEvent(event);
}

QImage HistoryPlot::image()
{
    if (size().isEmpty())
        return {};
    QImage picture(size(), QImage::Format_RGB32);
    const int shownCursor = cursor;
    cursor = -1;
    render(&picture);
    cursor = shownCursor;
    return picture;
}
