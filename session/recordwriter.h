#ifndef RECORDWRITER_H
#define RECORDWRITER_H

#include "sessionsink.h"
#include "threshold.h"

#include <QByteArray>
#include <QFile>

// Writes one line per decoded frame, stamped with the UTC time it was
// decoded (ISO 8601, milliseconds), as CSV or as JSON Lines.
//
// CSV has a header and one column per field; a row fills the columns of its
// kind and leaves the others empty:
//   timestamp,kind,volt1,volt2,linkq,linkql,alarm,value,comparison,level,data
//   2026-12-07T10:32:06.123Z,volts,90,60,100,50,,,,,
//   2026-12-07T10:32:06.150Z,threshold,,,,,0,100,1,1,
//   2026-12-07T10:32:06.200Z,data,,,,,,,,,0a ff 7e
// JSON Lines has one object per frame, no header:
//   {"timestamp":"...","kind":"volts","volt1":90,"volt2":60,"linkq":100,"linkql":50}
//   {"timestamp":"...","kind":"threshold","alarm":0,"value":100,"comparison":1,"level":1}
//   {"timestamp":"...","kind":"data","bytes":"0a ff 7e"}
// Numbers are the bytes as sent, 0 to 255, except alarm: 0 to 3 for alarms
// 1 to 4. Data is the user-data bytes in lower-case hex, space-separated.
class RecordWriter : public SessionSink
{
    Q_OBJECT

public:
    enum class Format { Csv, JsonLines };

    explicit RecordWriter(Format format) : format(format) {}

    // An empty path or "-" is standard output; a file is replaced. A regular
    // file is written in blocks, a pipe or a terminal line by line.
    bool open(const QString &path) override;
    // The CSV header (nothing for JSON Lines), then a line per frame.
    bool start(PortListener &listener) override;
    bool flush() override;
    // Flushes and closes the file (standard output stays open).
    bool close() override;
    // Why the last call failed: "cannot write <file>: <reason>".
    QString errorString() const override { return error; }

private:
    enum class Kind { Volts, Threshold };

    bool writeHeader();
    void writeVolts(char volt1, char volt2, char linkq, char linkql);
    void writeThreshold(Threshold *threshold);
    void writeData(char *bytes, int length);
    QByteArray beginLine(const char *kind) const;
    void writeNumbers(Kind kind, const int (&values)[4]);
    void finishLine(QByteArray &line);
    bool fail();

    QFile file;
    QString name;
    const Format format;
    bool lineBuffered = true;
    QString error;
};

#endif
