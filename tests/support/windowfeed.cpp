#include "windowfeed.h"

#include "datapane.h"
#include "linkedwindow.h"
#include "portlistener.h"
#include "renderarea.h"
#include "streammodel.h"
#include "window.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString hexLine(const StreamModel::Bytes &bytes)
{
    QString line;
    for (std::uint8_t byte : bytes)
        line += QString::asprintf("%02X ", byte);
    return line;
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
    QList<int> rowsBefore[Protocol::AlarmCount];
    for (int r = 0; r < Protocol::AlarmCount; ++r)
        rowsBefore[r] = rowSettings(*shown, r + 1);

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
        const QList<int> now = rowSettings(*shown, r + 1);
        QList<int> want = rowsBefore[r]; // level, comparison, value
        const StreamModel::Reports::Alarm &alarm = expected.alarms[r];
        if (alarm.reported) {
            want[0] = std::clamp(int(alarm.level), 0, 3);
            want[2] = std::clamp(int(alarm.value), 1, 254);
            if (alarm.comparison >= 0)
                want[1] = alarm.comparison;
        }
        if (now != want)
            return QStringLiteral("alarm row %1 shows %2/%3/%4, expected %5/%6/%7")
                    .arg(r + 1).arg(now[0]).arg(now[1]).arg(now[2]).arg(want[0]).arg(want[1]).arg(want[2]);
    }

    // The data pane: one line per user-data frame.
    const int lines = int(expected.dataLines.size());
    linesSent += lines;
    if (lines > 0 || linesSent == 0)
        return checkKeptLines(*pane, linesSent, lines > 0 ? hexLine(expected.dataLines.back()) : QString());
    return checkKeptLines(*pane, linesSent, pane->lastLine());
}
