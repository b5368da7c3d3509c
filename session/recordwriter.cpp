#include "recordwriter.h"

#include "portlistener.h"

#include <QDateTime>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char CsvHeader[] = "timestamp,kind,volt1,volt2,linkq,linkql,alarm,value,comparison,level,data\n";
const char *const VoltsKeys[] = { "volt1", "volt2", "linkq", "linkql" };
const char *const ThresholdKeys[] = { "alarm", "value", "comparison", "level" };
// The empty cells of the other kinds in a CSV row.
const char FourEmptyCells[] = ",,,,";

} // namespace

bool RecordWriter::open(const QString &path)
{
    bool opened;
    if (path.isEmpty() || path == QLatin1String("-")) {
        name = tr("standard output");
        opened = file.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    } else {
        name = path;
        file.setFileName(path);
        opened = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (!opened)
        return fail();
    // A pipe or a terminal is watched as it happens; a file is read later.
    struct stat status;
    lineBuffered = fstat(file.handle(), &status) != 0 || !S_ISREG(status.st_mode);
    return true;
}

bool RecordWriter::start(PortListener &listener)
{
    if (!writeHeader())
        return false;
    connect(&listener, &PortListener::reportVolts, this, &RecordWriter::writeVolts);
    connect(&listener, &PortListener::reportThreshold, this, &RecordWriter::writeThreshold);
    connect(&listener, &PortListener::reportData, this, &RecordWriter::writeData);
    return true;
}

bool RecordWriter::writeHeader()
{
    if (format != Format::Csv)
        return true;
    if (file.write(CsvHeader, sizeof CsvHeader - 1) != sizeof CsvHeader - 1)
        return fail();
    return !lineBuffered || flush();
}

bool RecordWriter::fail()
{
    //: %1 is a file's name or "standard output"
    error = tr("cannot write %1: %2").arg(name, file.errorString());
    return false;
}

QByteArray RecordWriter::beginLine(const char *kind) const
{
    const QByteArray timestamp = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toLatin1();
    QByteArray line;
    line.reserve(96);
    if (format == Format::Csv)
        return line.append(timestamp).append(',').append(kind);
    return line.append("{\"timestamp\":\"").append(timestamp).append("\",\"kind\":\"").append(kind).append('"');
}

void RecordWriter::writeVolts(char volt1, char volt2, char linkq, char linkql)
{
    const int values[] = { quint8(volt1), quint8(volt2), quint8(linkq), quint8(linkql) };
    writeNumbers(Kind::Volts, values);
}

void RecordWriter::writeThreshold(Threshold *threshold)
{
    const int values[] = { threshold->index, threshold->value, quint8(threshold->comparison),
                           quint8(threshold->level) };
    writeNumbers(Kind::Threshold, values);
}

void RecordWriter::writeNumbers(Kind kind, const int (&values)[4])
{
    QByteArray line = beginLine(kind == Kind::Volts ? "volts" : "threshold");
    if (format == Format::Csv) {
        if (kind == Kind::Threshold)
            line.append(FourEmptyCells);
        for (int value : values)
            line.append(',').append(QByteArray::number(value));
        if (kind == Kind::Volts)
            line.append(FourEmptyCells);
        line.append(','); // the data cell
    } else {
        const char *const *keys = kind == Kind::Volts ? VoltsKeys : ThresholdKeys;
        for (int i = 0; i < 4; ++i)
            line.append(",\"").append(keys[i]).append("\":").append(QByteArray::number(values[i]));
        line.append('}');
    }
    finishLine(line);
}

void RecordWriter::writeData(char *bytes, int length)
{
    QByteArray line = beginLine("data");
    const QByteArray hex = QByteArray::fromRawData(bytes, length).toHex(' ');
    if (format == Format::Csv)
        line.append(FourEmptyCells).append(FourEmptyCells).append(',').append(hex);
    else
        line.append(",\"bytes\":\"").append(hex).append("\"}");
    finishLine(line);
}

void RecordWriter::finishLine(QByteArray &line)
{
    line.append('\n');
    const bool written = file.write(line) == line.size() ? !lineBuffered || flush() : fail();
    if (written)
        emit frameWritten();
    else
        emit writeFailed(errorString()); // a copy: closing may say more
}

bool RecordWriter::flush()
{
    return !file.isOpen() || file.flush() || fail();
}

bool RecordWriter::close()
{
    const bool flushed = flush();
    file.close();
    return flushed;
}
