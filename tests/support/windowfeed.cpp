#include "windowfeed.h"
#include "datapane.h"

#include "datapane.h"
#include "portlistener.h"
#include "renderarea.h"
#include "streammodel.h"
#include "window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSpinBox>

#include <algorithm>

namespace {

QString hexLine(const StreamModel::Bytes &bytes)
{
    QString line;
    for (std::uint8_t byte : bytes)
        line += QString::asprintf("%02X ", byte);
    return line;
}

struct AlarmRowState
{
    int level, comparison, value;
};

AlarmRowState rowState(Window &window, int row)
{
    const QString suffix = QString::number(row);
    return { window.findChild<QSpinBox *>(QStringLiteral("levelSpinBox") + suffix)->value(),
             window.findChild<QComboBox *>(QStringLiteral("comparisonComboBox") + suffix)->currentIndex(),
             window.findChild<QSpinBox *>(QStringLiteral("valueSpinBox") + suffix)->value() };
}

} // namespace

QString checkKeptLines(const DataPane &pane, qint64 linesSent, const QString &lastLine)
{
    const qint64 kept = pane.lineCount();
    const bool full = linesSent >= DataPane::MaxLines;
    const bool right = full ? kept >= DataPane::MaxLines
                    && kept < DataPane::MaxLines + DataPane::TrimBatch && kept <= linesSent
                            : kept == linesSent;
    if (!right)
        return QStringLiteral("data pane keeps %1 lines of %2").arg(kept).arg(linesSent);
    if (linesSent > 0 && pane.lastLine() != lastLine)
        return QStringLiteral("last data line is \"%1\", expected \"%2\"").arg(pane.lastLine(), lastLine);
    return {};
}

WindowFeed::WindowFeed()
    : shown(new Window)
{
    listener = shown->listen(&device);
    pane = shown->findChild<DataPane *>(QStringLiteral("dataBrowser"));
}

WindowFeed::~WindowFeed() = default;

QString WindowFeed::feed(const char *data, qsizetype size)
{
    auto *graph = shown->findChild<RenderArea *>(QStringLiteral("renderArea"));
    const int headBefore = graph->newestSlot();
    AlarmRowState rowsBefore[Protocol::AlarmCount];
    for (int r = 0; r < Protocol::AlarmCount; ++r)
        rowsBefore[r] = rowState(*shown, r + 1);

    StreamModel::ReferenceDecoder reference;
    std::vector<StreamModel::Bytes> frames;
    reference.decode(reinterpret_cast<const std::uint8_t *>(data), std::size_t(size), frames);
    StreamModel::Reports expected;
    for (const StreamModel::Bytes &frame : frames)
        expected.add(frame);

    listener->resetDecoder();
    device.setData(data, size);
    device.open(QIODevice::ReadOnly);
    // One read per call, as on readyRead(); a call that reads nothing would
    // mean the listener stopped short of the end.
    while (device.bytesAvailable() > 0) {
        const qint64 before = device.bytesAvailable();
        listener->receive();
        if (device.bytesAvailable() == before)
            return QStringLiteral("receive() read nothing with %1 bytes waiting").arg(before);
    }
    QCoreApplication::processEvents();
    pane->showPendingLines(); // not a quarter second later
    device.close();

    // The graph: one slot per volts report, the newest last.
    const int reports = int(expected.volts.size());
    const int head = graph->newestSlot();
    if (head != (headBefore + reports) % RenderArea::Slots)
        return QStringLiteral("graph at slot %1 after %2 volts reports from slot %3")
                .arg(head).arg(reports).arg(headBefore);
    for (int back = 0; back < std::min(reports, int(RenderArea::Slots)); ++back) {
        const auto &volts = expected.volts[std::size_t(reports - 1 - back)];
        const int slot = (head - back + RenderArea::Slots) % RenderArea::Slots;
        const int want[] = { volts.volt1, volts.volt2, volts.linkq };
        for (int channel = 1; channel <= 3; ++channel) {
            if (graph->point(channel, slot) != QPoint(slot, 255 - want[channel - 1]))
                return QStringLiteral("graph channel %1 slot %2 is y %3, expected %4")
                        .arg(channel).arg(slot).arg(graph->point(channel, slot).y())
                        .arg(255 - want[channel - 1]);
        }
    }

    // The alarm rows: the last setting reported for each, within the editors'
    // ranges; an unknown comparison leaves the row's choice.
    for (int r = 0; r < Protocol::AlarmCount; ++r) {
        const AlarmRowState now = rowState(*shown, r + 1);
        AlarmRowState want = rowsBefore[r];
        const StreamModel::Reports::Alarm &alarm = expected.alarms[r];
        if (alarm.reported) {
            want.level = std::clamp(int(alarm.level), 0, 3);
            want.value = std::clamp(int(alarm.value), 1, 254);
            if (alarm.comparison >= 0)
                want.comparison = alarm.comparison;
        }
        if (now.level != want.level || now.comparison != want.comparison || now.value != want.value)
            return QStringLiteral("alarm row %1 shows %2/%3/%4, expected %5/%6/%7")
                    .arg(r + 1).arg(now.level).arg(now.comparison).arg(now.value)
                    .arg(want.level).arg(want.comparison).arg(want.value);
    }

    // The data pane: one line per user-data frame.
    const int lines = int(expected.dataLines.size());
    linesSent += lines;
    if (lines > 0 || linesSent == 0)
        return checkKeptLines(*pane, linesSent, lines > 0 ? hexLine(expected.dataLines.back()) : QString());
    return checkKeptLines(*pane, linesSent, pane->lastLine());
    return {};
}
