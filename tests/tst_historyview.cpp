#include "historyview.h"

#include <QTest>

namespace {

// Ten minutes of reports; the time axis starts at 1000.
constexpr qint64 Origin = 1000;
constexpr qint64 Minutes10 = 600000;
constexpr int Width = 800;

HistoryView viewOf(qint64 oldest, qint64 newest)
{
    HistoryView view;
    view.setWidth(Width);
    view.follow({ Origin, oldest, newest, false });
    return view;
}

// The share of the width the reports from oldest to newest take.
double filled(const HistoryView &view, qint64 oldest, qint64 newest)
{
    return double(newest - oldest) / double(view.to() - view.from());
}

} // namespace

class tst_HistoryView : public QObject
{
    Q_OBJECT

private slots:
    void wholeFitsTightlyAndGrowsWithRoom();
    void zoomKeepsTheTimeUnderTheAnchor_data();
    void zoomKeepsTheTimeUnderTheAnchor();
    void zoomToARange_data();
    void zoomToARange();
    void panStopsAtEitherEnd();
};

// Home fits the reports in at least 8/9 of the width; a session that
// outgrows it gets room to grow rather than a repaint a column later.
void tst_HistoryView::wholeFitsTightlyAndGrowsWithRoom()
{
    HistoryView view = viewOf(Origin, Origin + Minutes10);
    QCOMPARE(view.mode(), HistoryView::Mode::Whole);
    QCOMPARE(view.from(), Origin);
    QVERIFY(filled(view, Origin, Origin + Minutes10) > 8.0 / 9 && view.to() > Origin + Minutes10);
    const qint64 grown = view.to() + 1;
    view.follow({ Origin, Origin, grown, false });
    QVERIFY(view.to() > grown && filled(view, Origin, grown) < 0.85);
    view.showWhole();
    QVERIFY(filled(view, Origin, grown) > 8.0 / 9 && view.to() > grown);
}

void tst_HistoryView::zoomKeepsTheTimeUnderTheAnchor_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("anchor");
    QTest::newRow("in at the left edge") << 8 << 0;
    QTest::newRow("in at the middle, twice") << 16 << Width / 2;
    QTest::newRow("in, then out a little") << -3 << 100; // after zooming in by 16
}

void tst_HistoryView::zoomKeepsTheTimeUnderTheAnchor()
{
    QFETCH(int, steps);
    QFETCH(int, anchor);
    HistoryView view = viewOf(Origin, Origin + Minutes10);
    if (steps < 0)
        view.zoom(16, Width / 2);
    const qint64 before = view.columnStart(anchor) + view.msPerColumn() / 2;
    const qint64 wider = view.msPerColumn();
    view.zoom(steps, anchor);
    QCOMPARE(view.mode(), HistoryView::Mode::Fixed);
    QVERIFY(steps > 0 ? view.msPerColumn() < wider : view.msPerColumn() > wider);
    QVERIFY(before >= view.columnStart(anchor) && before < view.columnStart(anchor + 1));
}

void tst_HistoryView::zoomToARange_data()
{
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("to");
    QTest::newRow("a minute") << Origin + 120000 << Origin + 180000;
    QTest::newRow("a tenth of a second") << Origin + 300000 << Origin + 300100;
    QTest::newRow("a millisecond: one a column at most") << Origin + 5000 << Origin + 5001;
}

// The range across at least 8/9 of the width, but for the finest columns.
void tst_HistoryView::zoomToARange()
{
    QFETCH(qint64, from);
    QFETCH(qint64, to);
    HistoryView view = viewOf(Origin, Origin + Minutes10);
    view.zoomTo(from, to);
    QCOMPARE(view.mode(), HistoryView::Mode::Fixed);
    QVERIFY(view.from() <= from && view.to() >= to);
    QVERIFY(view.msPerColumn() == 1 || double(to - from) > double(view.to() - view.from()) * 8 / 9 - view.msPerColumn());
}

// Back no further than the oldest report kept; forward to the newest, where
// the view follows again.
void tst_HistoryView::panStopsAtEitherEnd()
{
    const qint64 oldest = Origin + 60000;
    HistoryView view = viewOf(oldest, Origin + Minutes10);
    view.zoom(16, Width - 1);
    QCOMPARE(view.mode(), HistoryView::Mode::Live);
    view.pan(-1000000);
    QCOMPARE(view.mode(), HistoryView::Mode::Fixed);
    QVERIFY(view.from() <= oldest && view.columnStart(1) > oldest);
    view.pan(1000000);
    QCOMPARE(view.mode(), HistoryView::Mode::Live);
    QVERIFY(view.to() > Origin + Minutes10 && view.columnStart(Width - 1) <= Origin + Minutes10);
}

QTEST_MAIN(tst_HistoryView)
#include "tst_historyview.moc"
