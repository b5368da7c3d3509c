#include "channelscale.h"
#include "outputcapture.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(ChannelScale)

namespace {

ChannelScale volts(int raw1, double value1, int raw2, double value2, int decimals,
                   const QString &unit = QStringLiteral("V"))
{
    ChannelScale scale = ChannelScale::defaults(ChannelScale::Volt1);
    scale.unit = unit;
    scale.raw1 = raw1;
    scale.value1 = value1;
    scale.raw2 = raw2;
    scale.value2 = value2;
    scale.decimals = decimals;
    return scale;
}

} // namespace

// The conversion and what is refused, without any widget; then the
// settings file.
class tst_ChannelScale : public QObject
{
    Q_OBJECT

private slots:
    void readings_data();
    void readings();
    void refused_data();
    void refused();
    void keptInSettings_data();
    void keptInSettings();
    void equalInEveryField_data();
    void equalInEveryField();
};

void tst_ChannelScale::readings_data()
{
    QTest::addColumn<ChannelScale>("scale");
    QTest::addColumn<int>("raw");
    QTest::addColumn<QString>("reading");

    const ChannelScale identity = ChannelScale::defaults(ChannelScale::Volt2);
    QTest::newRow("defaults read raw") << identity << 156 << "156";
    QTest::newRow("raw 0") << identity << 0 << "0";
    QTest::newRow("raw 255") << identity << 255 << "255";
    QTest::newRow("calibrated but no unit: raw") << volts(0, 0, 255, 10, 2, {}) << 156 << "156";
    QTest::newRow("two points") << volts(0, 0, 255, 10, 2) << 156 << "6.12 V (156)";
    QTest::newRow("two points inside") << volts(100, 3.92, 200, 7.84, 2) << 150 << "5.88 V (150)";
    QTest::newRow("beyond the points") << volts(100, 3.92, 200, 7.84, 2) << 250 << "9.80 V (250)";
    QTest::newRow("rounded at 0 decimals") << volts(0, 0, 255, 10, 0) << 156 << "6 V (156)";
    QTest::newRow("rounded at 3 decimals") << volts(0, 0, 255, 10, 3) << 156 << "6.118 V (156)";
    QTest::newRow("raw 0 of a line") << volts(10, 1, 20, 2, 1) << 0 << "0.0 V (0)";
    QTest::newRow("raw 255 of a line") << volts(0, 0, 255, 10, 2) << 255 << "10.00 V (255)";
    QTest::newRow("negative slope") << volts(0, 100, 255, 0, 1, QStringLiteral("%")) << 51 << "80.0 % (51)";
    QTest::newRow("negative values") << volts(0, -40, 255, 120, 1, QStringLiteral("°C")) << 0
                                     << "-40.0 °C (0)";
    QTest::newRow("the most decimals, the longest unit") << volts(0, 0, 255, 10, 6, QStringLiteral("kilovolts DC"))
                                                         << 156 << "6.117647 kilovolts DC (156)";
    QTest::newRow("no minus for a rounded zero") << volts(0, -0.001, 255, 1, 2) << 0 << "0.00 V (0)";
}

void tst_ChannelScale::readings()
{
    QFETCH(ChannelScale, scale);
    QFETCH(int, raw);
    QFETCH(QString, reading);
    QCOMPARE(scale.problem().field, ChannelScale::NoField);
    QCOMPARE(scale.reading(raw), reading);
    QCOMPARE(scale.valueText(raw), reading.section(QLatin1String(" ("), 0, 0));
}

void tst_ChannelScale::refused_data()
{
    QTest::addColumn<ChannelScale>("scale");
    QTest::addColumn<int>("field");

    ChannelScale unnamed = volts(0, 0, 255, 10, 2);
    unnamed.name = QStringLiteral("  ");
    QTest::newRow("no name") << unnamed << int(ChannelScale::Name);
    QTest::newRow("same raw twice") << volts(100, 1, 100, 2, 2) << int(ChannelScale::Raw2);
    QTest::newRow("raw below 0") << volts(-1, 0, 255, 10, 2) << int(ChannelScale::Raw1);
    QTest::newRow("raw above 255") << volts(0, 0, 256, 10, 2) << int(ChannelScale::Raw2);
    QTest::newRow("value not finite") << volts(0, std::numeric_limits<double>::infinity(), 255, 10, 2)
                                      << int(ChannelScale::Value1);
    QTest::newRow("value not a number") << volts(0, 0, 255, std::numeric_limits<double>::quiet_NaN(), 2)
                                        << int(ChannelScale::Value2);
    QTest::newRow("7 decimals") << volts(0, 0, 255, 10, 7) << int(ChannelScale::Decimals);
    QTest::newRow("negative decimals") << volts(0, 0, 255, 10, -1) << int(ChannelScale::Decimals);
    QTest::newRow("13-character unit") << volts(0, 0, 255, 10, 2, QStringLiteral("kilovolts RMS"))
                                       << int(ChannelScale::Unit);
}

void tst_ChannelScale::refused()
{
    QFETCH(ChannelScale, scale);
    QFETCH(int, field);
    const ChannelScale::Problem problem = scale.problem();
    QCOMPARE(int(problem.field), field);
    QVERIFY(!problem.message.isEmpty());
}

void tst_ChannelScale::keptInSettings_data()
{
    QTest::addColumn<QString>("file"); // the [channels] part of the settings file
    QTest::addColumn<QString>("reading"); // of raw 156 on volt 1
    QTest::addColumn<QByteArray>("complaint");

    QTest::newRow("nothing kept") << "" << "156" << QByteArray();
    QTest::newRow("calibrated") << "volt1\\unit=V\nvolt1\\raw1=0\nvolt1\\value1=0\nvolt1\\raw2=255\n"
                                   "volt1\\value2=10\nvolt1\\decimals=2\n"
                                << "6.12 V (156)" << QByteArray();
    QTest::newRow("no number") << "volt1\\unit=V\nvolt1\\value2=ten\n" << "156"
                               << QByteArray("channels/volt1/value2");
    QTest::newRow("raw not whole") << "volt1\\unit=V\nvolt1\\raw2=25.5\n" << "156"
                                   << QByteArray("channels/volt1/raw2");
    QTest::newRow("same raw twice") << "volt1\\unit=V\nvolt1\\raw1=9\nvolt1\\raw2=9\n" << "156"
                                    << QByteArray("channels/volt1/raw2");
    QTest::newRow("too many decimals") << "volt1\\unit=V\nvolt1\\decimals=9\n" << "156"
                                       << QByteArray("channels/volt1/decimals");
}

// A setting saved reads back the same; one edited by hand into nonsense is
// named in one line, and its channel reads raw.
void tst_ChannelScale::keptInSettings()
{
    QFETCH(QString, file);
    QFETCH(QString, reading);
    QFETCH(QByteArray, complaint);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("duplink.conf"));
    QFile written(path);
    QVERIFY(written.open(QIODevice::WriteOnly));
    written.write("[channels]\n" + file.toUtf8());
    written.close();
    QSettings settings(path, QSettings::IniFormat);
    OutputCapture errors(stderr);
    const ChannelScale volt1 = ChannelScale::load(settings, ChannelScale::Volt1);
    QCOMPARE(volt1.reading(156), reading);
    QCOMPARE(ChannelScale::load(settings, ChannelScale::LinkQuality), ChannelScale::defaults(ChannelScale::LinkQuality));
    const QByteArray printed = errors.programText();
    QCOMPARE(printed.count('\n'), complaint.isEmpty() ? 0 : 1);
    QVERIFY2(printed.contains(complaint) && printed.trimmed().endsWith(complaint.isEmpty() ? "" : "Volt 1 reads raw"),
             printed);

    // Saved and read back as it was; the defaults leave nothing behind.
    volts(3, -1.5, 250, 12.25, 3, QStringLiteral("mV")).save(settings, ChannelScale::Volt2);
    QCOMPARE(ChannelScale::load(settings, ChannelScale::Volt2), volts(3, -1.5, 250, 12.25, 3, QStringLiteral("mV")));
    ChannelScale::defaults(ChannelScale::Volt2).save(settings, ChannelScale::Volt2);
    QVERIFY(!settings.childGroups().contains(QStringLiteral("channels"))
            || !settings.allKeys().join(QLatin1Char(' ')).contains(QLatin1String("volt2")));
}

void tst_ChannelScale::equalInEveryField_data()
{
    QTest::addColumn<ChannelScale>("other"); // against volts(3, -1.5, 250, 12.25, 3, "mV")
    QTest::addColumn<bool>("equal");

    ChannelScale named = volts(3, -1.5, 250, 12.25, 3, QStringLiteral("mV"));
    QTest::newRow("the same") << named << true;
    named.name = QStringLiteral("RX battery");
    QTest::newRow("another name") << named << false;
    QTest::newRow("another unit") << volts(3, -1.5, 250, 12.25, 3, QStringLiteral("V")) << false;
    QTest::newRow("another raw 1") << volts(4, -1.5, 250, 12.25, 3, QStringLiteral("mV")) << false;
    QTest::newRow("another value 1") << volts(3, -1.25, 250, 12.25, 3, QStringLiteral("mV")) << false;
    QTest::newRow("another raw 2") << volts(3, -1.5, 251, 12.25, 3, QStringLiteral("mV")) << false;
    QTest::newRow("another value 2") << volts(3, -1.5, 250, 12.5, 3, QStringLiteral("mV")) << false;
    QTest::newRow("other decimals") << volts(3, -1.5, 250, 12.25, 2, QStringLiteral("mV")) << false;
}

// A setting differing in any one field is another: saved, and told to
// whoever shows it.
void tst_ChannelScale::equalInEveryField()
{
    QFETCH(ChannelScale, other);
    QFETCH(bool, equal);
    QCOMPARE(other == volts(3, -1.5, 250, 12.25, 3, QStringLiteral("mV")), equal);
}

QTEST_GUILESS_MAIN(tst_ChannelScale)
#include "tst_channelscale.moc"
