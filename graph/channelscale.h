#ifndef CHANNELSCALE_H
#define CHANNELSCALE_H

#include <QCoreApplication>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// How one channel's raw bytes read in the user's own units: a name, a unit,
// and a straight line through two points (raw 1 reads value 1, raw 2 reads
// value 2), shown with a number of decimals. The module says nothing of its
// sensors, so the user calibrates each channel once, as with a multimeter.
// The defaults read raw: no unit, raw 0 reads 0, raw 255 reads 255.
//
// Only what is shown is converted; the bytes sent, the alarm rows' boxes and
// the recordings stay raw.
class ChannelScale
{
    Q_DECLARE_TR_FUNCTIONS(ChannelScale)

public:
    // The graph's channels, in its order.
    enum Channel { Volt1, Volt2, LinkQuality };
    static constexpr int ChannelCount = 3;
    static constexpr int MaxDecimals = 6;
    static constexpr int MaxUnitLength = 12;

    // The fields a setting can be wrong in, and what is wanted there
    // ("a number is needed"), for the message at that field.
    enum Field { NoField, Name, Unit, Raw1, Value1, Raw2, Value2, Decimals };
    struct Problem
    {
        Field field = NoField;
        QString message;
    };

    static ChannelScale defaults(Channel channel);

    QString name;
    QString unit;
    int raw1 = 0;
    double value1 = 0;
    int raw2 = 255;
    double value2 = 255;
    int decimals = 0;

    // What is wrong with the setting, or NoField.
    Problem problem() const;
    bool hasUnit() const { return !unit.isEmpty(); }

    double value(double raw) const;
    // The value with the channel's decimals, no unit: "6.12".
    QString number(double raw) const;
    // "6.12 V"; without a unit, the raw number as it always was.
    QString valueText(int raw) const;
    // A figure between raw bytes, such as a mean: "5.83 V"; without a unit,
    // the raw figure with one decimal, "148.6".
    QString meanText(double raw) const;
    // "6.12 V (156)": the raw byte goes with the value; without a unit, "156".
    QString reading(int raw) const;
    // As a speech engine should read it: "4.6 volts", without trailing
    // zeros and with the unit in words where it is a known one; without a
    // unit, "100".
    QString spokenValue(int raw) const;
    // How the name reads inside a sentence: the default names as they always
    // did ("volt 1"), a name of the user's own as written.
    QString nameInSentence() const;

    bool operator==(const ChannelScale &other) const;
    bool operator!=(const ChannelScale &other) const { return !(*this == other); }

    // The channel's setting as kept; a setting edited into nonsense is
    // named in one line on standard error, and the channel reads raw.
    static ChannelScale load(QSettings &settings, Channel channel);
    void save(QSettings &settings, Channel channel) const;

private:
    // Kept under channels/volt1, channels/volt2 and channels/linkq.
    static QString settingsGroup(Channel channel);
};

#endif
