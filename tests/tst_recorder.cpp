#include "protocol.h"
#include "pseudoterminal.h"
#include "rawcapture.h"
#include "streammodel.h"
#include "testframes.h"
#include "toolprocess.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {

const QString Sim = QStringLiteral(DUPLINK_SIM_PATH);
const QString Record = QStringLiteral(DUPLINK_RECORD_PATH);
const char CsvHeader[] = "timestamp,kind,volt1,volt2,linkq,linkql,alarm,value,comparison,level,data";
const QStringList Seeded = { "--seed", "21", "--rate", "500", "--frames", "120" };
const QByteArray Notes = "DUPLINK\nnot a capture\n"; // no serial device, no link

// One recorded frame, timestamp apart: what two recordings must agree on.
struct Line
{
    QString kind;
    QList<int> numbers; // volts: volt1..linkql; threshold: alarm, value, comparison, level
    QString bytes;      // data; for a line that breaks the layout, the line
    QDateTime time;
    bool operator==(const Line &other) const
    {
        return kind == other.kind && numbers == other.numbers && bytes == other.bytes;
    }
};

char *toString(const Line &line)
{
    QString text = line.kind;
    for (int number : line.numbers)
        text += QLatin1Char(' ') + QString::number(number);
    return qstrdup(qPrintable(text + QLatin1Char(' ') + line.bytes));
}

// What the recorder should write for a stream, by the reference model of
// the line format rather than the decoder the recorder runs.
QList<Line> decodeAll(const QByteArray &stream)
{
    using namespace StreamModel;
    QList<Line> lines;
    ReferenceDecoder().decode(reinterpret_cast<const std::uint8_t *>(stream.constData()), std::size_t(stream.size()),
                              [&](const Bytes &b) {
        const Kind kind = classify(b);
        if (kind == Kind::Volts)
            lines << Line{ "volts", { b[1], b[2], b[3], b[4] }, {}, {} };
        if (kind == Kind::Threshold)
            lines << Line{ "threshold", { 0xFC - b[0], b[1], b[2], b[3] }, {}, {} };
        if (kind == Kind::UserData)
            lines << Line{ "data", {}, QByteArray(reinterpret_cast<const char *>(b.data()) + 3, b[1]).toHex(' '), {} };
    });
    return lines;
}

// Parses the recorder's output strictly: a line that breaks the layout
// becomes a "bad" Line, which shows in any comparison.
QList<Line> parseOutput(const QByteArray &text, bool json)
{
    static const QRegularExpression stamp(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$)"));
    static const QByteArrayList columns = QByteArray(CsvHeader).replace("data", "bytes").split(',');
    static const QMap<QString, QStringList> keys = { { "volts", { "volt1", "volt2", "linkq", "linkql" } },
                                                     { "threshold", { "alarm", "value", "comparison", "level" } },
                                                     { "data", { "bytes" } } };
    QByteArrayList rows = text.split('\n');
    if (rows.takeLast() != "" || (!json && rows.value(0) != CsvHeader))
        return { Line{ "bad", {}, "unfinished last line, or no header", {} } };
    QList<Line> lines;
    for (const QByteArray &row : rows.mid(json ? 0 : 1)) {
        QVariantMap fields = QJsonDocument::fromJson(row).object().toVariantMap();
        const QByteArrayList cells = row.split(',');
        for (qsizetype i = 0; !json && cells.size() == columns.size() && i < cells.size(); ++i) {
            if (!cells[i].isEmpty())
                fields[columns[i]] = cells[i];
        }
        const QString time = fields.take("timestamp").toString();
        Line line{ fields.take("kind").toString(), {}, {}, QDateTime::fromString(time, Qt::ISODateWithMs) };
        const QStringList wanted = keys.value(line.kind);
        bool ok = stamp.match(time).hasMatch() && !wanted.isEmpty() && fields.size() == wanted.size();
        for (const QString &key : wanted) {
            const QVariant cell = fields.value(key);
            if (key == "bytes") {
                line.bytes = cell.toString();
                continue;
            }
            bool isNumber = !json || cell.typeId() == QMetaType::LongLong;
            line.numbers << cell.toString().toInt(&isNumber);
            ok = ok && isNumber && line.numbers.last() >= 0 && line.numbers.last() <= 255;
        }
        lines << (ok ? line : Line{ "bad", {}, QString::fromLatin1(row), {} });
    }
    return lines;
}

QList<Line> ofKind(QList<Line> lines, const QString &kind)
{
    lines.removeIf([&](const Line &line) { return line.kind != kind; });
    return lines;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}

} // namespace

class tst_Recorder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsWhatWasSent_data();
    void recordsWhatWasSent();
    void replayReproducesLines_data();
    void replayReproducesLines();
    void refusesAtOnce_data();
    void refusesAtOnce();
    void survivesDeviceVanishing();
    void followsAdapterAfterReplug();

private:
    QTemporaryDir dir;
    QList<Line> sent; // decoded here from a simulator run with Seeded
};

void tst_Recorder::initTestCase()
{
    QVERIFY(dir.isValid());
    ToolProcess sim(Sim, Seeded);
    QSerialPort port(sim.firstLine());
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    QByteArray stream;
    QObject::connect(&port, &QSerialPort::readyRead, &port, [&] { stream += port.readAll(); });
    QCOMPARE(sim.exitCode(), 0);
    sent = decodeAll(stream + port.readAll());
    QVERIFY(ofKind(sent, "volts").size() == 120 && !ofKind(sent, "data").isEmpty());

    QFile notes(dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write(Notes) == Notes.size());
}

void tst_Recorder::recordsWhatWasSent_data()
{
    QTest::addColumn<bool>("json");
    QTest::addColumn<bool>("toFile");
    QTest::newRow("CSV, standard output") << false << false;
    QTest::newRow("CSV, file") << false << true;
    QTest::newRow("JSON Lines, standard output") << true << false;
    QTest::newRow("JSON Lines, file") << true << true;
}

// The same seed gives the same frames; every one must be in the recording,
// in order, with the module's answer to the request.
void tst_Recorder::recordsWhatWasSent()
{
    QFETCH(bool, json);
    QFETCH(bool, toFile);
    const QString file = dir.filePath(QStringLiteral("sent.txt"));
    ToolProcess sim(Sim, Seeded);
    QStringList arguments{ sim.firstLine(), "--frames", QString::number(sent.size() + 4), "--output",
                           toFile ? file : "-" };
    if (json)
        arguments << "--json";
    ToolProcess rec(Record, arguments);
    const int exitCode = rec.exitCode(5000);

    const QList<Line> lines = parseOutput(toFile ? readFile(file) : rec.out, json);
    QCOMPARE(ofKind(lines, "volts"), ofKind(sent, "volts"));
    QCOMPARE(ofKind(lines, "data"), ofKind(sent, "data"));
    const QList<Line> defaults = { { "threshold", { 0, 110, 0, 1 }, {}, {} },
                                   { "threshold", { 1, 50, 0, 2 }, {}, {} },
                                   { "threshold", { 2, 180, 1, 1 }, {}, {} },
                                   { "threshold", { 3, 60, 0, 2 }, {}, {} } };
    QCOMPARE(ofKind(lines, "threshold"), defaults);
    QCOMPARE(lines.size(), sent.size() + 4);
    for (qsizetype i = 1; i < lines.size(); ++i)
        QVERIFY(lines[i - 1].time <= lines[i].time);
    QVERIFY(qAbs(lines.last().time.msecsTo(QDateTime::currentDateTimeUtc())) < 5000);
    QCOMPARE(exitCode, 0);
}

void tst_Recorder::replayReproducesLines_data()
{
    QTest::addColumn<QStringList>("stop"); // empty: by SIGINT
    QTest::newRow("stopped by SIGINT") << QStringList();
    QTest::newRow("stopped by --duration") << QStringList{ "--duration", "0.5" };
}

// Recorded as CSV with the raw bytes and stopped before any periodic flush,
// then replayed into a recorder writing JSON: the same frames, at the same
// pace.
void tst_Recorder::replayReproducesLines()
{
    QFETCH(QStringList, stop);
    const QString raw = dir.filePath(QStringLiteral("session.raw"));
    const QString first = dir.filePath(QStringLiteral("first.csv"));
    const QString second = dir.filePath(QStringLiteral("second.jsonl"));
    ToolProcess sim(Sim, { "--seed", "5", "--rate", "200", "--duration", "10" });
    ToolProcess rec(Record, QStringList{ sim.firstLine(), "--raw", raw, "--output", first } + stop);
    QVERIFY(sim.waitForOutput("request\n"));
    if (stop.isEmpty()) {
        QTest::qWait(500);
        QCOMPARE(rec.stop(SIGINT), 0);
    }
    QCOMPARE(rec.exitCode(), 0);
    const QList<Line> recorded = parseOutput(readFile(first), false);
    QVERIFY2(recorded.size() >= 50, qPrintable(QString::number(recorded.size())));
    RawCapture capture;
    QVERIFY2(capture.open(raw), qPrintable(capture.errorString()));
    QByteArray stream;
    for (RawCapture::Record record; capture.next(record);)
        stream += record.bytes;
    QCOMPARE(decodeAll(stream), recorded);

    ToolProcess replay(Sim, { "--replay", raw });
    ToolProcess again(Record, { replay.firstLine(), "--json", "--output", second });
    QVERIFY(again.waitForError("Link lost:"));
    QCOMPARE(again.stop(SIGINT), 0);
    QCOMPARE(replay.exitCode(), 0);
    QCOMPARE(replay.out.count("request\n"), 1); // heard, not answered
    const QList<Line> replayed = parseOutput(readFile(second), true);
    QCOMPARE(replayed, recorded);
    const qint64 span = recorded.first().time.msecsTo(recorded.last().time);
    const qint64 replayedSpan = replayed.first().time.msecsTo(replayed.last().time);
    QVERIFY2(qAbs(replayedSpan - span) <= span / 4 + 100,
             qPrintable(QStringLiteral("%1 ms recorded, %2 ms replayed").arg(span).arg(replayedSpan)));
}

void tst_Recorder::refusesAtOnce_data()
{
    QTest::addColumn<QStringList>("command"); // program, arguments; %d: a scratch directory
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("output in a missing directory") << QStringList{ Record, "%d/none", "-o", "%d/no/x.csv" }
            << 1 << "duplink-record: cannot write %d/no/x.csv: No such file or directory";
    QTest::newRow("raw file in a missing directory") << QStringList{ Record, "%d/none", "--raw", "%d/no/x" }
            << 1 << "duplink-record: cannot write %d/no/x: No such file or directory";
    QTest::newRow("device is a regular file") << QStringList{ Record, "%d/notes.txt" } << 1
                                              << "duplink-record: %d/notes.txt is not a serial device";
    QTest::newRow("device is no terminal") << QStringList{ Record, "/dev/null" } << 1
            << "duplink-record: cannot open /dev/null: Inappropriate ioctl for device";
    QTest::newRow("missing device, no waiting") << QStringList{ Record, "%d/none", "--no-wait" } << 1
            << "duplink-record: cannot open %d/none: No such file or directory";
    QTest::newRow("link over a file") << QStringList{ Sim, "--seed", "1", "--link", "%d/notes.txt" }
            << 1 << "duplink-sim: %d/notes.txt exists and is not a symbolic link";
    QTest::newRow("replay with a seed") << QStringList{ Sim, "--replay", "%d/notes.txt", "--seed", "1" } << 2
                                        << "duplink-sim: --replay cannot be combined with --seed";
}

void tst_Recorder::refusesAtOnce()
{
    QFETCH(QStringList, command);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    command.replaceInStrings(QStringLiteral("%d"), dir.path());
    ToolProcess child(command.takeFirst(), command);
    QCOMPARE(child.exitCode(), exitCode);
    QCOMPARE(QString::fromLocal8Bit(child.err).section(QLatin1Char('\n'), 0, 0),
             message.replace(QStringLiteral("%d"), dir.path()));
    QVERIFY(child.out.isEmpty());
    QCOMPARE(readFile(dir.filePath(QStringLiteral("notes.txt"))), Notes); // left as it was
}

// Not there at start, then there; pulled, then back: the recorder says so
// once, sleeps while it waits, and asks for the alarms again.
void tst_Recorder::survivesDeviceVanishing()
{
    const QString link = dir.filePath(QStringLiteral("ttyMODULE"));
    const QStringList simArguments{ "--link", link, "--rate", "200", "--duration", "20" };
    ToolProcess rec(Record, { link });
    QVERIFY(rec.waitForError("Cannot open " + link.toLocal8Bit() + ": No such file or directory"));
    const qint64 cpuBefore = rec.cpuMs();
    QTest::qWait(1100); // a retry that said it again would show by now
    const qint64 cpuUsed = rec.cpuMs() - cpuBefore;
    QVERIFY2(cpuBefore < 0 || cpuUsed < 100, qPrintable(QStringLiteral("%1 ms of CPU").arg(cpuUsed)));
    QCOMPARE(rec.err.count("Cannot open "), 1);

    ToolProcess first(Sim, simArguments);
    QVERIFY(rec.waitForError("Link up: " + link.toLocal8Bit()));
    QVERIFY(first.waitForOutput("request\n"));
    QVERIFY(rec.waitForOutput("volts", 20));
    // The answers may come behind a backlog of volts frames.
    QVERIFY(rec.waitForOutput(",threshold,", Protocol::AlarmCount));
    QCOMPARE(first.stop(SIGTERM), 0);
    QVERIFY(rec.waitForError("Link lost: "));
    const qsizetype linesBefore = rec.out.count('\n');

    ToolProcess second(Sim, simArguments);
    QVERIFY(rec.waitForError("Link up: ", 2));
    QVERIFY(second.waitForOutput("request\n"));
    QVERIFY(rec.waitForOutput("\n", linesBefore + 20));
    QVERIFY(rec.waitForOutput(",threshold,", 2 * Protocol::AlarmCount));
    QCOMPARE(rec.stop(SIGINT), 0);

    const QList<Line> lines = parseOutput(rec.out, false);
    QCOMPARE(ofKind(lines, "threshold").size(), 2 * Protocol::AlarmCount);
    QCOMPARE(ofKind(lines, "bad"), QList<Line>());
    QCOMPARE(rec.err.count("Link lost: "), 1);
}

// An adapter that comes back under another number is found again through
// its link in the by-id folder, which DUPLINK_SERIAL_BY_ID names.
void tst_Recorder::followsAdapterAfterReplug()
{
    QTemporaryDir byId;
    const QString adapter = byId.filePath(QStringLiteral("usb-Telemetry_Module_42-if00-port0"));
    auto first = std::make_unique<PseudoTerminal>();
    const QString chosen = first->slavePath();
    QVERIFY(QFile::link(chosen, adapter));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DUPLINK_SERIAL_BY_ID"), byId.path());
    ToolProcess rec(Record, { chosen }, environment);
    QCOMPARE(first->read(RequestFrame.size(), 5000), RequestFrame);
    QVERIFY(first->write(voltsFrame(1, 2, 3, 4)));
    QVERIFY(rec.waitForOutput(",volts,1,2,3,4,"));

    // Made before the first goes, so that it cannot take the old number.
    PseudoTerminal second;
    first.reset();
    QVERIFY(QFile::remove(adapter));
    QVERIFY2(rec.waitForError("Link lost: "), rec.err + rec.out);
    QVERIFY(QFile::link(second.slavePath(), adapter));
    QCOMPARE(second.read(RequestFrame.size(), 5000), RequestFrame);
    QVERIFY(rec.waitForError("Link up: " + chosen.toLocal8Bit()));
    QVERIFY(second.write(voltsFrame(5, 6, 7, 8)));
    QVERIFY(rec.waitForOutput(",volts,5,6,7,8,"));
    QCOMPARE(rec.stop(SIGINT), 0);
    QVERIFY(!rec.err.contains(adapter.toLocal8Bit()));
}

QTEST_GUILESS_MAIN(tst_Recorder)
#include "tst_recorder.moc"
