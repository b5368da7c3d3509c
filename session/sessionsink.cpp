#include "sessionsink.h"

#include "capturewriter.h"
#include "recordwriter.h"

std::unique_ptr<SessionSink> SessionSink::forFile(const QString &path)
{
    if (path.endsWith(QLatin1String(".jsonl"), Qt::CaseInsensitive))
        return std::make_unique<RecordWriter>(RecordWriter::Format::JsonLines);
    if (path.endsWith(QLatin1String(".raw"), Qt::CaseInsensitive))
        return std::make_unique<CaptureWriter>();
    return std::make_unique<RecordWriter>(RecordWriter::Format::Csv);
}
