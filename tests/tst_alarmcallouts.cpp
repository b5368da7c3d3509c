#include "alarmcallouts.h"
#include "speaker.h"

#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Writes down what it is told instead of speaking; the test says when a
// text is finished.
class RecordingSpeaker : public Speaker
{
public:
    void say(const QString &text) override { calls << text; }
    void stop() override { calls << QStringLiteral("stop"); }

    QStringList calls;
};

} // namespace

// Each step of a case is one line: "<ms> <action> -> <said> <timer>", at the
// given time on the callouts' clock. Actions: "trip N" and "clear N" for row
// N (1 to 4), whose words are "TN" and "CN"; "done" (the speaker finished
// its text), "tick" (the repeat timer fired), "repeat S" (seconds),
// "silence", "shutdown", "destroy". <said> is what the speaker was told
// during the step ("-" for nothing), <timer> the repeat timer's interval
// afterwards (-1: stopped).
class tst_AlarmCallouts : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
};

void tst_AlarmCallouts::steps_data()
{
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("trip, repeat while tripped, clear") << QStringList{
        "0 trip 1 -> T1 -1",
        "2000 done -> - 28000",
        "29999 tick -> - 1",
        "30000 tick -> T1 -1",
        "31000 done -> - 29000",
        "35000 clear 1 -> C1 -1",
        "36000 done -> - -1",
        "99000 tick -> - -1",
    };
    QTest::newRow("repeat 0: said once") << QStringList{
        "0 repeat 0 -> - -1",
        "0 trip 1 -> T1 -1",
        "2000 done -> - -1",
        "600000 tick -> - -1",
        "600000 clear 1 -> C1 -1",
    };
    QTest::newRow("a shorter repeat counts from the last reading") << QStringList{
        "0 trip 2 -> T2 -1",
        "1000 done -> - 29000",
        "5000 repeat 10 -> - 5000",
        "10000 tick -> T2 -1",
    };
    QTest::newRow("rows tripping together: one after another, never cut off") << QStringList{
        "0 trip 1 -> T1 -1",
        "0 trip 3 -> - -1",
        "0 trip 2 -> - -1",
        "1500 done -> T3 28500",
        "3000 done -> T2 27000",
        "4500 done -> - 25500",
    };
    QTest::newRow("a row that clears while queued is not read") << QStringList{
        "0 trip 1 -> T1 -1",
        "0 trip 2 -> - -1",
        "500 clear 2 -> - -1",
        "1500 done -> - 28500",
    };
    QTest::newRow("a row's newer callout takes the older's place") << QStringList{
        "0 trip 1 -> T1 -1",
        "100 clear 1 -> - -1",
        "200 trip 2 -> - -1",
        "300 trip 1 -> - -1",
        "1000 done -> T1 -1",
        "2000 done -> T2 29000",
        "3000 done -> - 28000",
    };
    QTest::newRow("a repeat due while the row waits is not queued again") << QStringList{
        "0 repeat 1 -> - -1",
        "0 trip 1 -> T1 -1",
        "0 trip 2 -> - -1",
        "500 done -> T2 500",
        "1000 tick -> - -1",
        "5000 tick -> - -1",
        "6000 done -> T1 -1",
        "7000 done -> T2 -1",
    };
    QTest::newRow("silence, then the next trip") << QStringList{
        "0 trip 1 -> T1 -1",
        "0 trip 2 -> - -1",
        "1000 silence -> stop -1",
        "1500 done -> - -1",
        "60000 tick -> - -1",
        "60000 clear 1 -> - -1",
        "61000 trip 3 -> T3 30000",
        "62000 done -> - 29000",
        "91000 tick -> T2 -1",
        "92000 done -> T3 29000",
        "93000 done -> - 28000",
    };
    QTest::newRow("nothing after shutting down") << QStringList{
        "0 trip 1 -> T1 -1",
        "0 trip 2 -> - -1",
        "1000 shutdown -> stop -1",
        "1500 done -> - -1",
        "2000 trip 3 -> - -1",
        "99000 tick -> - -1",
    };
    QTest::newRow("nothing after destruction") << QStringList{
        "0 trip 4 -> T4 -1",
        "0 trip 3 -> - -1",
        "1000 destroy -> stop -1",
        "1500 done -> - -1",
    };
}

void tst_AlarmCallouts::steps()
{
    QFETCH(QStringList, steps);
    qint64 now = 0;
    RecordingSpeaker speaker;
    auto callouts = std::make_unique<AlarmCallouts>(speaker, [&now] { return now; });
    const QTimer *timer = callouts->findChild<QTimer *>();
    QVERIFY(timer);
    for (const QString &step : std::as_const(steps)) {
        const QStringList words = step.split(QLatin1Char(' '));
        now = words.at(0).toLongLong();
        const QString verb = words.at(1);
        const int row = words.value(2).toInt() - 1;
        speaker.calls.clear();
        if (verb == QLatin1String("trip"))
            callouts->trip(row, QStringLiteral("T%1").arg(row + 1));
        else if (verb == QLatin1String("clear"))
            callouts->clear(row, QStringLiteral("C%1").arg(row + 1));
        else if (verb == QLatin1String("done"))
            emit speaker.finished();
        else if (verb == QLatin1String("tick"))
            callouts->tick();
        else if (verb == QLatin1String("repeat"))
            callouts->setRepeatSeconds(row + 1);
        else if (verb == QLatin1String("silence"))
            callouts->silence();
        else if (verb == QLatin1String("shutdown"))
            callouts->shutDown();
        else if (verb == QLatin1String("destroy"))
            callouts.reset();
        else
            QFAIL(qPrintable(step));
        const QString said = speaker.calls.isEmpty() ? QStringLiteral("-") : speaker.calls.join(',');
        const int armed = callouts && timer->isActive() ? timer->interval() : -1;
        const QString action = step.left(step.indexOf(QLatin1String(" ->")));
        QCOMPARE(QStringLiteral("%1 -> %2 %3").arg(action, said).arg(armed), step);
    }
}

QTEST_GUILESS_MAIN(tst_AlarmCallouts)
#include "tst_alarmcallouts.moc"
