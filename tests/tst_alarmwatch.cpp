#include "alarmwatch.h"

#include <QTest>

// Each step of a case is one line:
//   "<ms> sample <volt1> <volt2> -> <shown> <wait>"
//   "<ms> less|great|other <row 1-4> <value> -> <shown> <wait>"
//   "<ms> settle -> <shown> <wait>"
// at the given time on the watch's clock; <shown> is what rows 1 to 4 show
// afterwards (1 for "the condition holds"), <wait> what nextChangeIn()
// says then (-1: no change waits).
class tst_AlarmWatch : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void changedRowsAreReported();
};

void tst_AlarmWatch::steps_data()
{
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("nothing holds before a sample") << QStringList{
        "0 great 1 100 -> 0000 -1",
        "0 less 3 200 -> 0000 -1",
        "5000 settle -> 0000 -1",
    };
    // The defaults, value 1 and "less", hold only for a sample of 0.
    QTest::newRow("defaults") << QStringList{
        "0 sample 1 1 -> 0000 -1",
        "2000 sample 0 1 -> 1100 -1",
        "4000 sample 0 0 -> 1111 -1",
    };
    QTest::newRow("less: below holds, equal does not") << QStringList{
        "0 less 1 100 -> 0000 -1",
        "0 sample 99 50 -> 1000 -1",
        "2000 sample 100 50 -> 0000 -1",
    };
    QTest::newRow("great: above holds, equal does not") << QStringList{
        "0 great 2 100 -> 0000 -1",
        "0 sample 101 50 -> 0100 -1",
        "2000 sample 100 50 -> 0000 -1",
    };
    QTest::newRow("rows 3 and 4 watch volt 2") << QStringList{
        "0 great 3 100 -> 0000 -1",
        "0 great 1 100 -> 0000 -1",
        "0 sample 50 150 -> 0010 -1",
        "2000 sample 150 50 -> 1000 -1",
    };
    QTest::newRow("bytes as sent, 0 to 255") << QStringList{
        "0 great 1 254 -> 0000 -1",
        "0 sample 255 50 -> 1000 -1",
    };
    QTest::newRow("an unknown comparison never holds") << QStringList{
        "0 other 1 100 -> 0000 -1",
        "0 sample 0 50 -> 0100 -1",
        "2000 sample 255 50 -> 0000 -1",
    };
    QTest::newRow("the first change shows at once") << QStringList{
        "0 great 1 100 -> 0000 -1",
        "7 sample 150 50 -> 1000 -1",
    };
    QTest::newRow("a change back within the second waits for it") << QStringList{
        "0 great 1 100 -> 0000 -1",
        "0 sample 150 50 -> 1000 -1",
        "300 sample 50 50 -> 1000 700",
        "999 settle -> 1000 1",
        "1000 settle -> 0000 -1",
    };
    QTest::newRow("a held change shows with the next sample after the second") << QStringList{
        "0 great 1 100 -> 0000 -1",
        "0 sample 150 50 -> 1000 -1",
        "300 sample 50 50 -> 1000 700",
        "1200 sample 60 50 -> 0000 -1",
    };
    QTest::newRow("a change undone within the second is never shown") << QStringList{
        "0 great 1 100 -> 0000 -1",
        "0 sample 150 50 -> 1000 -1",
        "300 sample 50 50 -> 1000 700",
        "600 sample 150 50 -> 1000 -1",
        "1000 settle -> 1000 -1",
        "5000 settle -> 1000 -1",
    };
    QTest::newRow("hovering at the threshold: one change a second") << QStringList{
        "0 great 1 100 -> 0000 -1",
        "0 sample 101 50 -> 1000 -1",
        "100 sample 99 50 -> 1000 900",
        "200 sample 101 50 -> 1000 -1",
        "300 sample 99 50 -> 1000 700",
        "900 sample 101 50 -> 1000 -1",
        "1000 sample 99 50 -> 0000 -1",
        "1100 sample 101 50 -> 0000 900",
        "1200 sample 99 50 -> 0000 -1",
        "1900 sample 101 50 -> 0000 100",
        "2000 sample 101 50 -> 1000 -1",
    };
    QTest::newRow("editing the value trips and clears") << QStringList{
        "0 sample 150 150 -> 0000 -1",
        "0 great 4 140 -> 0001 -1",
        "500 great 4 160 -> 0001 500",
        "1000 settle -> 0000 -1",
        "1100 less 4 160 -> 0000 900",
        "2000 settle -> 0001 -1",
    };
    QTest::newRow("each row holds its own second") << QStringList{
        "0 great 1 100 -> 0000 -1",
        "0 great 3 100 -> 0000 -1",
        "0 sample 150 50 -> 1000 -1",
        "400 sample 150 150 -> 1010 -1",
        "500 sample 50 50 -> 1010 500",
        "1000 settle -> 0010 400",
        "1400 settle -> 0000 -1",
    };
}

void tst_AlarmWatch::steps()
{
    QFETCH(QStringList, steps);
    qint64 now = 0;
    AlarmWatch watch([&now] { return now; });
    for (const QString &step : std::as_const(steps)) {
        const QStringList words = step.split(QLatin1Char(' '));
        QVERIFY2(words.size() >= 5, qPrintable(step));
        now = words.at(0).toLongLong();
        const QString verb = words.at(1);
        if (verb == QLatin1String("sample")) {
            watch.addSample(words.at(2).toInt(), words.at(3).toInt());
        } else if (verb == QLatin1String("settle")) {
            watch.settle();
        } else {
            const int comparison = verb == QLatin1String("less")    ? AlarmWatch::Less
                                   : verb == QLatin1String("great") ? AlarmWatch::Great
                                                                    : 5;
            watch.setCondition(words.at(2).toInt() - 1, words.at(3).toInt(), comparison);
        }
        const int arrow = words.indexOf(QStringLiteral("->"));
        QVERIFY2(arrow > 0 && arrow + 2 < words.size(), qPrintable(step));
        QString shown;
        for (int row = 0; row < AlarmWatch::RowCount; ++row)
            shown += watch.holds(row) ? QLatin1Char('1') : QLatin1Char('0');
        QVERIFY2(shown == words.at(arrow + 1), qPrintable(step + QStringLiteral(": shows ") + shown));
        const qint64 wait = watch.nextChangeIn();
        QVERIFY2(wait == words.at(arrow + 2).toLongLong(),
                 qPrintable(step + QStringLiteral(": waits ") + QString::number(wait)));
    }
}

void tst_AlarmWatch::changedRowsAreReported()
{
    qint64 now = 0;
    AlarmWatch watch([&now] { return now; });
    QCOMPARE(watch.setCondition(0, 100, AlarmWatch::Great), 0);
    QCOMPARE(watch.setCondition(2, 100, AlarmWatch::Great), 0);
    QCOMPARE(watch.addSample(150, 150), 0b0101);
    QCOMPARE(watch.addSample(150, 150), 0); // the same state again is no change
    now = 300;
    QCOMPARE(watch.addSample(50, 150), 0); // held back
    now = 1000;
    QCOMPARE(watch.settle(), 0b0001);
    QCOMPARE(watch.setCondition(7, 1, AlarmWatch::Less), 0); // no such row
}

QTEST_APPLESS_MAIN(tst_AlarmWatch)
#include "tst_alarmwatch.moc"
