#include "channelscale.h"

#include <QSettings>

#include <cmath>
#include <cstdio>
#include <type_traits>
#include <utility>

namespace {

const char *const Groups[ChannelScale::ChannelCount] = { "channels/volt1", "channels/volt2",
                                                          "channels/linkq" };
// By field.
const char *const Keys[] = { "", "name", "unit", "raw1", "value1", "raw2", "value2", "decimals" };

// The default names, as shown and as read inside a sentence.
const std::pair<const char *, const char *> DefaultNames[ChannelScale::ChannelCount] = {
    { QT_TRANSLATE_NOOP("ChannelScale", "Volt 1"), QT_TRANSLATE_NOOP("ChannelScale", "volt 1") },
    { QT_TRANSLATE_NOOP("ChannelScale", "Volt 2"), QT_TRANSLATE_NOOP("ChannelScale", "volt 2") },
    { QT_TRANSLATE_NOOP("ChannelScale", "Link quality"), QT_TRANSLATE_NOOP("ChannelScale", "link quality") },
};

// Units an engine would read letter by letter ("V" as "vee"), in words.
const std::pair<const char *, const char *> SpokenUnits[] = {
    { "V", QT_TRANSLATE_NOOP("ChannelScale", "volts") },
    { "mV", QT_TRANSLATE_NOOP("ChannelScale", "millivolts") },
    { "A", QT_TRANSLATE_NOOP("ChannelScale", "amps") },
    { "mA", QT_TRANSLATE_NOOP("ChannelScale", "milliamps") },
    { "Ah", QT_TRANSLATE_NOOP("ChannelScale", "amp hours") },
    { "mAh", QT_TRANSLATE_NOOP("ChannelScale", "milliamp hours") },
    { "W", QT_TRANSLATE_NOOP("ChannelScale", "watts") },
    { "%", QT_TRANSLATE_NOOP("ChannelScale", "percent") },
    { "dB", QT_TRANSLATE_NOOP("ChannelScale", "decibels") },
    { "dBm", QT_TRANSLATE_NOOP("ChannelScale", "decibel milliwatts") },
    { "°C", QT_TRANSLATE_NOOP("ChannelScale", "degrees Celsius") },
    { "°F", QT_TRANSLATE_NOOP("ChannelScale", "degrees Fahrenheit") },
    { "m", QT_TRANSLATE_NOOP("ChannelScale", "metres") },
    { "km/h", QT_TRANSLATE_NOOP("ChannelScale", "kilometres per hour") },
    { "m/s", QT_TRANSLATE_NOOP("ChannelScale", "metres per second") },
    { "rpm", QT_TRANSLATE_NOOP("ChannelScale", "revolutions per minute") },
};

bool isRaw(int raw)
{
    return raw >= 0 && raw <= 255;
}

} // namespace

ChannelScale ChannelScale::defaults(Channel channel)
{
    ChannelScale scale;
    scale.name = tr(DefaultNames[channel].first);
    return scale;
}

ChannelScale::Problem ChannelScale::problem() const
{
    if (name.trimmed().isEmpty())
        return { Name, tr("a name is needed") };
    if (unit.size() > MaxUnitLength)
        return { Unit, tr("a unit has at most %1 characters").arg(MaxUnitLength) };
    if (!isRaw(raw1))
        return { Raw1, tr("a whole number from 0 to 255 is needed") };
    if (!isRaw(raw2))
        return { Raw2, tr("a whole number from 0 to 255 is needed") };
    if (raw1 == raw2)
        return { Raw2, tr("the two raw values must differ") };
    if (!std::isfinite(value1))
        return { Value1, tr("a number is needed") };
    if (!std::isfinite(value2))
        return { Value2, tr("a number is needed") };
    if (decimals < 0 || decimals > MaxDecimals)
        return { Decimals, tr("decimals go from 0 to %1").arg(MaxDecimals) };
    return {};
}

double ChannelScale::value(double raw) const
{
    return value1 + (raw - raw1) * (value2 - value1) / (raw2 - raw1);
}

QString ChannelScale::number(double raw) const
{
    QString text = QString::number(value(raw), 'f', decimals);
    if (text.toDouble() == 0) // rounded to nothing: no "-0.00"
        text = QString::number(0.0, 'f', decimals);
    return text;
}

QString ChannelScale::valueText(int raw) const
{
    if (!hasUnit())
        return QString::number(raw);
    return number(raw) + QLatin1Char(' ') + unit;
}

QString ChannelScale::meanText(double raw) const
{
    if (!hasUnit())
        return QString::number(raw, 'f', 1);
    return number(raw) + QLatin1Char(' ') + unit;
}

QString ChannelScale::reading(int raw) const
{
    if (!hasUnit())
        return QString::number(raw);
    return QStringLiteral("%1 (%2)").arg(valueText(raw)).arg(raw);
}

QString ChannelScale::spokenValue(int raw) const
{
    if (!hasUnit())
        return QString::number(raw);
    QString number = valueText(raw).section(QLatin1Char(' '), 0, 0);
    if (number.contains(QLatin1Char('.'))) {
        while (number.endsWith(QLatin1Char('0')))
            number.chop(1);
        if (number.endsWith(QLatin1Char('.')))
            number.chop(1);
    }
    for (const auto &[symbol, words] : SpokenUnits) {
        if (unit == QLatin1String(symbol))
            return number + QLatin1Char(' ') + tr(words);
    }
    return number + QLatin1Char(' ') + unit;
}

QString ChannelScale::nameInSentence() const
{
    for (const auto &[shown, inSentence] : DefaultNames) {
        if (name == tr(shown))
            return tr(inSentence);
    }
    return name;
}

bool ChannelScale::operator==(const ChannelScale &other) const
{
    return name == other.name && unit == other.unit && raw1 == other.raw1 && value1 == other.value1
            && raw2 == other.raw2 && value2 == other.value2 && decimals == other.decimals;
}

QString ChannelScale::settingsGroup(Channel channel)
{
    return QLatin1String(Groups[channel]);
}

ChannelScale ChannelScale::load(QSettings &settings, Channel channel)
{
    const ChannelScale raw = defaults(channel);
    ChannelScale scale = raw;
    Problem wrong;
    // A value that is there but is no number of the kind wanted.
    auto read = [&](Field field, auto &into, const QString &kind) {
        const QVariant kept = settings.value(QLatin1String(Keys[field]));
        if (!kept.isValid() || wrong.field != NoField)
            return;
        bool ok = false;
        if constexpr (std::is_same_v<std::decay_t<decltype(into)>, int>)
            into = kept.toString().trimmed().toInt(&ok);
        else
            into = kept.toString().trimmed().toDouble(&ok);
        if (!ok)
            wrong = { field, kind };
    };
    settings.beginGroup(settingsGroup(channel));
    scale.name = settings.value(QLatin1String(Keys[Name]), scale.name).toString();
    scale.unit = settings.value(QLatin1String(Keys[Unit])).toString();
    read(Raw1, scale.raw1, tr("a whole number from 0 to 255 is needed"));
    read(Value1, scale.value1, tr("a number is needed"));
    read(Raw2, scale.raw2, tr("a whole number from 0 to 255 is needed"));
    read(Value2, scale.value2, tr("a number is needed"));
    read(Decimals, scale.decimals, tr("decimals go from 0 to %1").arg(MaxDecimals));
    settings.endGroup();
    if (wrong.field == NoField)
        wrong = scale.problem();
    if (wrong.field == NoField)
        return scale;
    const QString key = settingsGroup(channel) + QLatin1Char('/') + QLatin1String(Keys[wrong.field]);
    std::fprintf(stderr, "%s\n",
                 qPrintable(tr("Setting %1 is not usable: %2. %3 reads raw")
                                    .arg(key, wrong.message, raw.name)));
    return raw;
}

void ChannelScale::save(QSettings &settings, Channel channel) const
{
    settings.remove(settingsGroup(channel));
    if (*this == defaults(channel))
        return; // nothing to keep
    settings.beginGroup(settingsGroup(channel));
    settings.setValue(QLatin1String(Keys[Name]), name);
    settings.setValue(QLatin1String(Keys[Unit]), unit);
    settings.setValue(QLatin1String(Keys[Raw1]), raw1);
    settings.setValue(QLatin1String(Keys[Value1]), value1);
    settings.setValue(QLatin1String(Keys[Raw2]), raw2);
    settings.setValue(QLatin1String(Keys[Value2]), value2);
    settings.setValue(QLatin1String(Keys[Decimals]), decimals);
    settings.endGroup();
}
