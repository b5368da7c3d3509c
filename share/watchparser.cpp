#include "watchparser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

constexpr double LargestExactInteger = 9007199254740992.0; // 2^53

bool isWhole(const QJsonValue &value, double lowest, double highest)
{
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    return number >= lowest && number <= highest && std::floor(number) == number;
}

bool isByte(const QJsonValue &value)
{
    return isWhole(value, 0, 255);
}

template <typename T>
std::optional<T> refuse(QString *problem, const QString &why)
{
    *problem = why;
    return std::nullopt;
}

// The payload as a JSON document, or nothing with the reason.
std::optional<QJsonDocument> document(const QByteArray &payload, QString *problem)
{
    if (payload.size() > WatchParser::MaxPayload)
        return refuse<QJsonDocument>(problem, WatchParser::tr("%1 bytes, more than a sharer sends")
                                                      .arg(payload.size()));
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(payload, &error);
    if (error.error != QJsonParseError::NoError)
        return refuse<QJsonDocument>(problem, WatchParser::tr("not JSON (%1)").arg(error.errorString()));
    return parsed;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<ChannelScale> channel(const QJsonValue &value, int index)
{
    const QJsonObject object = value.toObject();
    const QJsonValue name = object.value(QLatin1String("name"));
    const QJsonValue unit = object.value(QLatin1String("unit"));
    const QJsonValue value1 = object.value(QLatin1String("value1"));
    const QJsonValue value2 = object.value(QLatin1String("value2"));
    if (!name.isString() || !unit.isString() || !value1.isDouble() || !value2.isDouble()
        || !isByte(object.value(QLatin1String("raw1"))) || !isByte(object.value(QLatin1String("raw2")))
        || !isWhole(object.value(QLatin1String("decimals")), 0, ChannelScale::MaxDecimals))
        return std::nullopt;
    ChannelScale scale = ChannelScale::defaults(ChannelScale::Channel(index));
    scale.name = name.toString();
    scale.unit = unit.toString();
    scale.raw1 = object.value(QLatin1String("raw1")).toInt();
    scale.value1 = value1.toDouble();
    scale.raw2 = object.value(QLatin1String("raw2")).toInt();
    scale.value2 = value2.toDouble();
    scale.decimals = object.value(QLatin1String("decimals")).toInt();
    if (scale.problem().field != ChannelScale::NoField)
        return std::nullopt;
    return scale;
}

} // namespace

WatchParser::Topic WatchParser::topicOf(const QByteArray &topic, const QByteArray &base)
{
    if (topic.size() <= base.size() + 1 || !topic.startsWith(base) || topic[base.size()] != '/')
        return Topic::Other;
    const QByteArray leaf = topic.mid(base.size() + 1);
    for (int index = 0; index < int(std::size(Leaves)); ++index) {
        if (leaf == Leaves[index])
            return Topic(index);
    }
    return Topic::Other;
}

std::optional<WatchParser::Report> WatchParser::report(const QByteArray &payload, QString *problem)
{
    const std::optional<QJsonDocument> parsed = document(payload, problem);
    if (!parsed)
        return std::nullopt;
    if (!parsed->isObject())
        return refuse<Report>(problem, tr("a report is a JSON object"));
    const QJsonObject object = parsed->object();
    Report report;
    const QJsonValue ms = object.value(QLatin1String("ms"));
    if (!isWhole(ms, 0, LargestExactInteger))
        return refuse<Report>(problem, tr("a report's \"ms\" is a whole number of milliseconds"));
    report.ms = qint64(ms.toDouble());
    const QJsonValue seq = object.value(QLatin1String("seq"));
    if (!seq.isUndefined() && !isWhole(seq, 1, LargestExactInteger))
        return refuse<Report>(problem, tr("a report's \"seq\" is a whole number from 1"));
    report.seq = seq.isUndefined() ? -1 : qint64(seq.toDouble());
    static constexpr const char *Keys[] = { "volt1", "volt2", "linkq", "linkql" };
    for (std::size_t index = 0; index < std::size(Keys); ++index) {
        const QJsonValue value = object.value(QLatin1String(Keys[index]));
        if (!isByte(value))
            return refuse<Report>(problem, tr("a report's \"%1\" is a whole number from 0 to 255")
                                                   .arg(QLatin1String(Keys[index])));
        report.values[index] = quint8(value.toInt());
    }
    return report;
}

std::optional<WatchParser::Data> WatchParser::data(const QByteArray &payload, QString *problem)
{
    const QString wanted = tr("user data is 1 to 6 bytes in hexadecimal, as \"0A FF 7E\"");
    // Two digits a byte, a space between bytes.
    if (payload.size() % 3 != 2 || payload.size() > 3 * Protocol::MaxUserDataBytes - 1)
        return refuse<Data>(problem, wanted);
    Data data;
    for (qsizetype at = 0; at < payload.size(); at += 3) {
        const int high = hexDigit(payload[at]);
        const int low = hexDigit(payload[at + 1]);
        if (high < 0 || low < 0 || (at + 2 < payload.size() && payload[at + 2] != ' '))
            return refuse<Data>(problem, wanted);
        data.bytes[std::size_t(data.length++)] = quint8(high << 4 | low);
    }
    return data;
}

std::optional<WatchParser::Alarms> WatchParser::alarms(const QByteArray &payload, QString *problem)
{
    const std::optional<QJsonDocument> parsed = document(payload, problem);
    if (!parsed)
        return std::nullopt;
    const QJsonArray rows = parsed->array();
    if (!parsed->isArray() || rows.size() != Protocol::AlarmCount)
        return refuse<Alarms>(problem, tr("the alarms are a JSON array of four rows"));
    Alarms alarms;
    for (int index = 0; index < Protocol::AlarmCount; ++index) {
        if (rows[index].isNull())
            continue;
        const QJsonObject row = rows[index].toObject();
        const QJsonValue value = row.value(QLatin1String("value"));
        const QJsonValue comparison = row.value(QLatin1String("comparison"));
        const QJsonValue level = row.value(QLatin1String("level"));
        if (!rows[index].isObject() || !isByte(value) || !isByte(comparison) || !isByte(level))
            return refuse<Alarms>(problem, tr("alarm row %1 needs \"value\", \"comparison\" and "
                                              "\"level\", each a whole number from 0 to 255")
                                                   .arg(index + 1));
        alarms[std::size_t(index)] = AlarmSetting{ quint8(value.toInt()), quint8(comparison.toInt()),
                                                   quint8(level.toInt()) };
    }
    return alarms;
}

std::optional<WatchParser::Channels> WatchParser::channels(const QByteArray &payload, QString *problem)
{
    const std::optional<QJsonDocument> parsed = document(payload, problem);
    if (!parsed)
        return std::nullopt;
    if (!parsed->isObject())
        return refuse<Channels>(problem, tr("the channels are a JSON object"));
    Channels channels;
    static constexpr const char *Keys[] = { "volt1", "volt2", "linkq" };
    for (int index = 0; index < ChannelScale::ChannelCount; ++index) {
        const std::optional<ChannelScale> scale = channel(parsed->object().value(QLatin1String(Keys[index])), index);
        if (!scale)
            return refuse<Channels>(problem, tr("channel \"%1\" is not a usable calibration")
                                                     .arg(QLatin1String(Keys[index])));
        channels[std::size_t(index)] = *scale;
    }
    return channels;
}

std::optional<WatchParser::Status> WatchParser::status(const QByteArray &payload, QString *problem)
{
    if (payload == "online")
        return Status::Online;
    if (payload == "offline")
        return Status::Offline;
    return refuse<Status>(problem, tr("a status is \"online\" or \"offline\""));
}
