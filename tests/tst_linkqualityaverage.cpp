#include "linkqualityaverage.h"

#include <QTest>

class tst_LinkQualityAverage : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
};

void tst_LinkQualityAverage::figures_data()
{
    QTest::addColumn<QList<int>>("linkq");  // one entry per report, in order
    QTest::addColumn<QList<int>>("linkql");
    QTest::addColumn<QString>("text");      // after the last report; empty: not due

    const auto same = [](int value, int times) { return QList<int>(times, value); };
    QTest::newRow("200/120") << same(200, 16) << same(120, 16) << "200 60";
    QTest::newRow("255/255, the largest") << same(255, 16) << same(255, 16) << "255 127";
    QTest::newRow("0/31, halved down") << same(0, 16) << same(31, 16) << "0 15";
    QTest::newRow("0/1") << same(0, 16) << same(1, 16) << "0 0";
    QTest::newRow("fifteen are not due") << same(200, 15) << same(120, 15) << "";
    QTest::newRow("the mean, not the last")
            << (same(0, 8) + same(255, 8)) << (same(255, 8) + same(0, 8)) << "127 63";
    // The second sixteen alone count, not the first.
    QTest::newRow("only the last sixteen")
            << (same(100, 16) + same(40, 16)) << (same(100, 16) + same(20, 16)) << "40 10";
    QTest::newRow("thirty-one: the first run's") << (same(100, 16) + same(40, 15))
                                                  << (same(100, 16) + same(20, 15)) << "100 50";
}

void tst_LinkQualityAverage::figures()
{
    QFETCH(QList<int>, linkq);
    QFETCH(QList<int>, linkql);
    QFETCH(QString, text);

    LinkQualityAverage average;
    QString shown;
    for (int i = 0; i < linkq.size(); ++i) {
        const bool due = average.add(quint8(linkq[i]), quint8(linkql[i]));
        QCOMPARE(due, (i + 1) % LinkQualityAverage::Reports == 0);
        if (due)
            shown = QLatin1String(average.text());
    }
    QCOMPARE(shown, text);
}

QTEST_APPLESS_MAIN(tst_LinkQualityAverage)
#include "tst_linkqualityaverage.moc"
