#include "sharepayloads.h"

#include "brokeraddress.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>

namespace {

void appendNumber(QByteArray &out, qint64 number)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, end - digits);
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Home Assistant's node ids take letters, digits, _ and - only.
QByteArray nodeId(const QString &base)
{
    QByteArray id = "duplink_" + base.toUtf8();
    for (char &c : id) {
        const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                || c == '_' || c == '-';
        if (!kept)
            c = '_';
    }
    return id;
}

} // namespace

SharePayloads::SharePayloads()
{
    for (int channel = 1; channel <= ChannelCount; ++channel)
        setChannelScale(channel, ChannelScale::defaults(ChannelScale::Channel(channel - 1)));
}

void SharePayloads::setChannelScale(int channel, const ChannelScale &scale)
{
    const auto index = std::size_t(channel - 1);
    scales[index] = scale;
    std::vector<QByteArray> &parts = unitParts[index];
    parts.clear();
    if (!scale.hasUnit())
        return;
    parts.reserve(256);
    for (int raw = 0; raw <= 255; ++raw) {
        const QJsonObject value{ { QStringLiteral("value"), scale.number(raw).toDouble() },
                                 { QStringLiteral("unit"), scale.unit },
                                 { QStringLiteral("name"), scale.name } };
        parts.push_back('"' + QByteArray(ChannelKeys[index]) + "\":" + compact(value));
    }
}

void SharePayloads::report(QByteArray &out, qint64 ms, quint64 seq, const std::array<quint8, 4> &values) const
{
    static constexpr const char *Keys[] = { ",\"volt1\":", ",\"volt2\":", ",\"linkq\":", ",\"linkql\":" };
    out.resize(0); // keeps its room
    out.append("{\"ms\":");
    appendNumber(out, ms);
    out.append(",\"seq\":");
    appendNumber(out, qint64(seq));
    for (std::size_t i = 0; i < values.size(); ++i) {
        out.append(Keys[i]);
        appendNumber(out, values[i]);
    }
    bool first = true;
    for (std::size_t channel = 0; channel < unitParts.size(); ++channel) {
        if (unitParts[channel].empty())
            continue;
        out.append(first ? ",\"units\":{" : ",");
        out.append(unitParts[channel][values[channel]]);
        first = false;
    }
    out.append(first ? "}" : "}}");
}

void SharePayloads::dataLine(QByteArray &out, const char *bytes, int length)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    out.resize(0);
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (i > 0)
            out.append(' ');
        out.append(Digits[byte >> 4]);
        out.append(Digits[byte & 0x0F]);
    }
}

QByteArray SharePayloads::alarms(const AlarmRows &rows)
{
    QJsonArray array;
    for (const AlarmRow &row : rows) {
        if (!row.reported) {
            array.append(QJsonValue::Null);
            continue;
        }
        array.append(QJsonObject{ { QStringLiteral("value"), int(row.reported->value) },
                                  { QStringLiteral("comparison"), int(quint8(row.reported->comparison)) },
                                  { QStringLiteral("level"), int(quint8(row.reported->level)) },
                                  { QStringLiteral("tripped"), row.tripped } });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QByteArray SharePayloads::channels() const
{
    QJsonObject all;
    for (std::size_t index = 0; index < scales.size(); ++index) {
        const ChannelScale &scale = scales[index];
        all.insert(QLatin1String(ChannelKeys[index]),
                   QJsonObject{ { QStringLiteral("name"), scale.name },
                                { QStringLiteral("unit"), scale.unit },
                                { QStringLiteral("raw1"), scale.raw1 },
                                { QStringLiteral("value1"), scale.value1 },
                                { QStringLiteral("raw2"), scale.raw2 },
                                { QStringLiteral("value2"), scale.value2 },
                                { QStringLiteral("decimals"), scale.decimals } });
    }
    return compact(all);
}

QList<QPair<QByteArray, QByteArray>> SharePayloads::homeAssistant(const BrokerAddress &address) const
{
    const QByteArray node = nodeId(address.base);
    const QJsonObject device{ { QStringLiteral("identifiers"), QJsonArray{ QString::fromUtf8(node) } },
                              { QStringLiteral("name"), QStringLiteral("Duplink %1").arg(address.base) },
                              { QStringLiteral("model"), QStringLiteral("Duplink") } };
    QList<QPair<QByteArray, QByteArray>> messages;
    for (std::size_t index = 0; index < scales.size(); ++index) {
        const ChannelScale &scale = scales[index];
        const QByteArray key(ChannelKeys[index]);
        const QByteArray topic = "homeassistant/sensor/" + node + '/' + key + "/config";
        if (!scale.hasUnit()) {
            messages.append({ topic, QByteArray() });
            continue;
        }
        QJsonObject config{
            { QStringLiteral("name"), scale.name },
            { QStringLiteral("unique_id"), QString::fromUtf8(node + '_' + key) },
            { QStringLiteral("state_topic"), QString::fromUtf8(address.topic("report")) },
            { QStringLiteral("value_template"),
              QStringLiteral("{{ value_json.units.%1.value }}").arg(QLatin1String(key)) },
            { QStringLiteral("unit_of_measurement"), scale.unit },
            { QStringLiteral("state_class"), QStringLiteral("measurement") },
            { QStringLiteral("availability_topic"), QString::fromUtf8(address.topic("status")) },
            { QStringLiteral("device"), device }
        };
        if (scale.unit == QLatin1String("V") || scale.unit == QLatin1String("mV"))
            config.insert(QStringLiteral("device_class"), QStringLiteral("voltage"));
        messages.append({ topic, compact(config) });
    }
    return messages;
}
