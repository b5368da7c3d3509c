#include "temporarysettings.h"
#include "toolprocess.h"

#include <QTest>

namespace {

// As on a machine with no display.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QLatin1String(name));
    return environment;
}

} // namespace

// What the three programs make of their command lines, before any window.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void toolkitOptionsWithoutDisplay();

private:
    TemporarySettings settings;
};

void tst_CommandLine::commandLine_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("expectedOutput");
    QTest::addColumn<QByteArray>("expectedError");
    QTest::addColumn<bool>("withDisplay");

    const QString duplink = QStringLiteral(DUPLINK_PATH);
    const QByteArray unknown("duplink: Unknown option 'bogus'.\nTry 'duplink --help' for more information.\n");
    for (const bool display : { true, false }) {
        const char *suffix = display ? "" : ", no display";
        QTest::addRow("help%s", suffix) << duplink << QStringList{ "--help" } << 0
                                        << QByteArray("Usage: duplink [options] [device...]")
                                        << QByteArray() << display;
        QTest::addRow("version%s", suffix) << duplink << QStringList{ "--version" } << 0
                                           << QByteArray("duplink 1.") << QByteArray() << display;
        QTest::addRow("unknown option%s", suffix) << duplink << QStringList{ "--bogus" } << 2
                                                  << QByteArray() << unknown << display;
        QTest::addRow("flights with a device%s", suffix)
                << duplink << QStringList{ "--flights", "/dev/ttyUSB0" } << 2 << QByteArray()
                << QByteArray("duplink: --flights opens the logbook alone; name no device, --replay, --record, "
                              "--history, --share or --watch with it\n")
                << display;
        QTest::addRow("flights with a replay%s", suffix)
                << duplink << QStringList{ "--no-logbook", "--flights", "--replay", "flight.raw" } << 2
                << QByteArray() << QByteArray("duplink: --flights opens the logbook alone;") << display;
        // The toolkit's own options are its to judge, not ours.
        QTest::addRow("toolkit options%s", suffix)
                << duplink << QStringList{ "-platform", "offscreen", "-style=Fusion", "--bogus" } << 2
                << QByteArray() << unknown << display;
    }
    // Sharing and watching: the address checked before any window.
    const QByteArray tryHelp("\nTry 'duplink --help' for more information.\n");
    QTest::newRow("share, help") << duplink << QStringList{ "--help" } << 0
                                 << QByteArray("--share <mqtt://HOST[:PORT]/BASE>") << QByteArray() << false;
    QTest::newRow("share without a topic")
            << duplink << QStringList{ "--share", "mqtt://127.0.0.1" } << 2 << QByteArray()
            << "duplink: --share: a base topic is needed, as in mqtt://broker/field/1" + tryHelp << false;
    QTest::newRow("watch with a wildcard")
            << duplink << QStringList{ "--watch", "mqtt://h/field/#" } << 2 << QByteArray()
            << "duplink: --watch: the base topic cannot hold the wildcards + or #" + tryHelp << true;
    QTest::newRow("watch and a device")
            << duplink << QStringList{ "--watch", "mqtt://h/field/1", "/dev/ttyUSB0" } << 2 << QByteArray()
            << "duplink: --watch shows a shared session; name no device, replay or share with it" + tryHelp
            << false;
    // In the user's language, Qt's words ("Usage:", "Unknown option") too:
    // help before the GUI starts, an error once it has.
    const QString env = QStringLiteral("env");
    QTest::newRow("help in German")
            << env << QStringList{ "LANGUAGE=de", duplink, "--help" } << 0
            << QByteArray("Aufruf: duplink [Optionen] [Gerät...]") << QByteArray() << false;
    // The first of the user's languages that we speak, English included;
    // Qt's words in that one too.
    QTest::newRow("help, English before German")
            << env << QStringList{ "LANGUAGE=en:de", duplink, "--help" } << 0
            << QByteArray("Usage: duplink [options] [device...]") << QByteArray() << false;
    QTest::newRow("help, Japanese before German")
            << env << QStringList{ "LANGUAGE=ja:de", duplink, "--help" } << 0
            << QByteArray("Aufruf: duplink [Optionen] [Gerät...]") << QByteArray() << false;
    QTest::newRow("unknown option in German")
            << env << QStringList{ "LANGUAGE=de", duplink, "--bogus" } << 2 << QByteArray()
            << QByteArray("duplink: Unbekannte Option 'bogus'.\nWeitere Informationen mit 'duplink --help'.\n")
            << true;
    // The tools word a usage error as the monitor does.
    for (const char *tool : { "duplink-sim", "duplink-record" }) {
        const QString path = QLatin1String(tool) == QLatin1String("duplink-sim")
                ? QStringLiteral(DUPLINK_SIM_PATH) : QStringLiteral(DUPLINK_RECORD_PATH);
        QTest::addRow("%s, unknown option", tool)
                << path << QStringList{ "--bogus" } << 2 << QByteArray()
                << QByteArray(unknown).replace("duplink", tool) << false;
        QTest::addRow("%s, unknown option in Spanish", tool)
                << env << QStringList{ "LANGUAGE=es", path, "--bogus" } << 2 << QByteArray()
                << QStringLiteral("%1: Opción desconocida «bogus».\nPruebe «%1 --help» para más "
                                  "información.\n").arg(QLatin1String(tool)).toUtf8()
                << false;
    }
}

void tst_CommandLine::commandLine()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, expectedOutput);
    QFETCH(QByteArray, expectedError);
    QFETCH(bool, withDisplay);

    ToolProcess child(program, arguments,
                      withDisplay ? QProcessEnvironment::systemEnvironment() : withoutDisplay());
    QCOMPARE(child.exitCode(10000), exitCode);
    QVERIFY(child.out.contains(expectedOutput));
    QVERIFY2(child.err.contains(expectedError), child.err);
}

// Without a display the program still starts on a platform that needs none.
void tst_CommandLine::toolkitOptionsWithoutDisplay()
{
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path()); // the dialog reads it
    ToolProcess program(QStringLiteral(DUPLINK_PATH), { "-platform", "offscreen", "-style", "Fusion" },
                        environment);
    // Up and waiting in the port dialog, not turned away.
    QTest::qWait(1500);
    QVERIFY2(program.isRunning(), program.err);
}

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
