#include "watchparser.h"

#include <QTest>

// What a watcher makes of each topic's payload: what a sharer publishes is
// read whole; anything else is refused with a reason, never half-read.
class tst_WatchParser : public QObject
{
    Q_OBJECT

private slots:
    void payloads_data();
    void payloads();
    void topics();
};

namespace {

// What was read, in a few words, or "refused: REASON".
QString read(const QString &leaf, const QByteArray &payload)
{
    QString problem;
    auto refused = [&] { return QStringLiteral("refused: ") + problem; };
    if (leaf == QLatin1String("report")) {
        const auto report = WatchParser::report(payload, &problem);
        return report ? QStringLiteral("%1 #%2 %3 %4 %5 %6").arg(report->ms).arg(report->seq)
                                .arg(report->values[0]).arg(report->values[1]).arg(report->values[2])
                                .arg(report->values[3])
                      : refused();
    }
    if (leaf == QLatin1String("data")) {
        const auto data = WatchParser::data(payload, &problem);
        if (!data)
            return refused();
        QStringList bytes;
        for (int i = 0; i < data->length; ++i)
            bytes << QString::number(data->bytes[std::size_t(i)]);
        return bytes.join(QLatin1Char(' '));
    }
    if (leaf == QLatin1String("alarms")) {
        const auto alarms = WatchParser::alarms(payload, &problem);
        if (!alarms)
            return refused();
        QStringList rows;
        for (const auto &row : *alarms)
            rows << (row ? QStringLiteral("%1/%2/%3").arg(row->value).arg(row->comparison).arg(row->level)
                         : QStringLiteral("-"));
        return rows.join(QLatin1Char(' '));
    }
    if (leaf == QLatin1String("channels")) {
        const auto channels = WatchParser::channels(payload, &problem);
        return channels ? (*channels)[0].name + QLatin1Char(' ') + (*channels)[0].valueText(156) : refused();
    }
    const auto status = WatchParser::status(payload, &problem);
    return status ? (*status == WatchParser::Status::Online ? QStringLiteral("online") : QStringLiteral("offline"))
                  : refused();
}

const QByteArray Channel = R"({"name":"volt 2","unit":"","raw1":0,"value1":0,"raw2":255,"value2":255,"decimals":0})";

} // namespace

void tst_WatchParser::payloads_data()
{
    QTest::addColumn<QString>("leaf");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("expected");

    QTest::newRow("report") << "report" << QByteArray(R"({"ms":1700000000123,"volt1":140,"volt2":96,"linkq":200,"linkql":0,"units":{}})")
                            << "1700000000123 #-1 140 96 200 0";
    QTest::newRow("report, numbered") << "report" << QByteArray(R"({"ms":5,"seq":9007199254740992,"volt1":1,"volt2":2,"linkq":3,"linkql":4})")
                                      << "5 #9007199254740992 1 2 3 4";
    QTest::newRow("report, numbered 0") << "report" << QByteArray(R"({"ms":5,"seq":0,"volt1":1,"volt2":2,"linkq":3,"linkql":4})")
                                        << "refused: a report's \"seq\"";
    QTest::newRow("report, number a string") << "report" << QByteArray(R"({"ms":5,"seq":"1","volt1":1,"volt2":2,"linkq":3,"linkql":4})")
                                             << "refused: a report's \"seq\"";
    QTest::newRow("report, not JSON") << "report" << QByteArray("140,96") << "refused: not JSON";
    QTest::newRow("report, an array") << "report" << QByteArray("[140]") << "refused: a report is a JSON object";
    QTest::newRow("report, a string") << "report" << QByteArray(R"({"ms":1,"volt1":"140","volt2":1,"linkq":1,"linkql":1})")
                                      << "refused: a report's \"volt1\"";
    QTest::newRow("report, 256") << "report" << QByteArray(R"({"ms":1,"volt1":1,"volt2":256,"linkq":1,"linkql":1})")
                                 << "refused: a report's \"volt2\"";
    QTest::newRow("report, -1") << "report" << QByteArray(R"({"ms":1,"volt1":1,"volt2":1,"linkq":-1,"linkql":1})")
                                << "refused: a report's \"linkq\"";
    QTest::newRow("report, a fraction") << "report" << QByteArray(R"({"ms":1,"volt1":1,"volt2":1,"linkq":1,"linkql":1.5})")
                                        << "refused: a report's \"linkql\"";
    QTest::newRow("report, no time") << "report" << QByteArray(R"({"volt1":1,"volt2":1,"linkq":1,"linkql":1})")
                                     << "refused: a report's \"ms\"";
    QTest::newRow("report, time too large") << "report" << QByteArray(R"({"ms":1e300,"volt1":1,"volt2":1,"linkq":1,"linkql":1})")
                                            << "refused: a report's \"ms\"";
    QTest::newRow("report, 10 MB") << "report" << QByteArray(10 * 1024 * 1024, ' ') << "refused: 10485760 bytes";
    QTest::newRow("report, deep nesting") << "report" << QByteArray(5000, '[') + QByteArray(5000, ']')
                                          << "refused: not JSON (too deeply nested";
    QTest::newRow("data") << "data" << QByteArray("0A ff 7E") << "10 255 126";
    QTest::newRow("data, six bytes") << "data" << QByteArray("01 02 03 04 05 06") << "1 2 3 4 5 6";
    QTest::newRow("data, seven bytes") << "data" << QByteArray("01 02 03 04 05 06 07") << "refused: user data is";
    QTest::newRow("data, none") << "data" << QByteArray() << "refused: user data is";
    QTest::newRow("data, not hex") << "data" << QByteArray("0G") << "refused: user data is";
    QTest::newRow("data, two spaces") << "data" << QByteArray("0A  FF") << "refused: user data is";
    QTest::newRow("alarms") << "alarms" << QByteArray(R"([{"value":110,"comparison":0,"level":2,"tripped":true},null,null,{"value":255,"comparison":7,"level":0}])")
                            << "110/0/2 - - 255/7/0";
    QTest::newRow("alarms, three rows") << "alarms" << QByteArray("[null,null,null]") << "refused: the alarms are";
    QTest::newRow("alarms, an object") << "alarms" << QByteArray("{}") << "refused: the alarms are";
    QTest::newRow("alarms, 300") << "alarms" << QByteArray(R"([null,{"value":300,"comparison":0,"level":0},null,null])")
                                 << "refused: alarm row 2";
    QTest::newRow("alarms, a number for a row") << "alarms" << QByteArray("[null,null,5,null]") << "refused: alarm row 3";
    QTest::newRow("channels") << "channels"
                              << R"({"volt1":{"name":"RX","unit":"V","raw1":0,"value1":0,"raw2":156,"value2":6.12,"decimals":2},"volt2":)"
                                         + Channel + R"(,"linkq":)" + Channel + "}"
                              << "RX 6.12 V";
    QTest::newRow("channels, one missing") << "channels" << R"({"volt1":)" + Channel + R"(,"volt2":)" + Channel + "}"
                                           << "refused: channel \"linkq\"";
    QTest::newRow("channels, the same raw twice") << "channels"
                              << R"({"volt1":{"name":"RX","unit":"V","raw1":5,"value1":0,"raw2":5,"value2":6,"decimals":2},"volt2":)"
                                         + Channel + R"(,"linkq":)" + Channel + "}"
                              << "refused: channel \"volt1\"";
    QTest::newRow("status online") << "status" << QByteArray("online") << "online";
    QTest::newRow("status offline") << "status" << QByteArray("offline") << "offline";
    QTest::newRow("status, other") << "status" << QByteArray("Offline ") << "refused: a status is";
}

void tst_WatchParser::payloads()
{
    QFETCH(QString, leaf);
    QFETCH(QByteArray, payload);
    QFETCH(QString, expected);
    const QString got = read(leaf, payload);
    QVERIFY2(got.startsWith(expected), qPrintable(got));
}

void tst_WatchParser::topics()
{
    QCOMPARE(WatchParser::topicOf("field/1/report", "field/1"), WatchParser::Topic::Report);
    QCOMPARE(WatchParser::topicOf("field/1/status", "field/1"), WatchParser::Topic::Status);
    QCOMPARE(WatchParser::topicOf("field/12/report", "field/1"), WatchParser::Topic::Other);
    QCOMPARE(WatchParser::topicOf("field/1/report/x", "field/1"), WatchParser::Topic::Other);
    QCOMPARE(WatchParser::topicOf("field/1", "field/1"), WatchParser::Topic::Other);
}

QTEST_GUILESS_MAIN(tst_WatchParser)
#include "tst_watchparser.moc"
