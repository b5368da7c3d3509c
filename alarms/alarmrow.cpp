#include "alarmrow.h"

#include "alarmwatch.h"

#include <QAccessible>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// A red that reads as text on the window's colour: dark on a light window,
// light on a dark one.
QColor trippedCaptionColour(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() >= 128 ? QColor(0xc0, 0x00, 0x00)
                                                              : QColor(0xff, 0x66, 0x66);
}

} // namespace

AlarmRow::AlarmRow(int number, QObject *parent)
    : QObject(parent),
      rowNumber(number),
      scale(ChannelScale::defaults(number <= 2 ? ChannelScale::Volt1 : ChannelScale::Volt2))
{
    //: The caption of an alarm row watching channel 1 (volt 1)
    const QString channel1Caption = tr("Ch1 alarm");
    //: The caption of an alarm row watching channel 2 (volt 2)
    const QString channel2Caption = tr("Ch2 alarm");
    alarmLabel = new QLabel(channel() == 1 ? channel1Caption : channel2Caption);
    levelSpinBox = new QSpinBox;
    levelSpinBox->setRange(0, 3);
    //: The button that sends the row's alarm setting to the module
    setButton = new QPushButton(tr("Set"));
    //: Between the Set button and the comparison: alarm when [less | greater] than [value]
    whenLabel = new QLabel(tr("when"));
    comparisonComboBox = new QComboBox;
    //: The comparison: the alarm sounds when the value is less than the threshold
    comparisonComboBox->addItem(tr("less"), 0);
    //: The comparison "greater": the alarm sounds when the value is greater than the threshold
    comparisonComboBox->addItem(tr("great"), 1);
    //: After the comparison: [less | greater] than [value]
    thanLabel = new QLabel(tr("than"));
    valueSpinBox = new QSpinBox;
    valueSpinBox->setRange(1, 254);
    nameWidgets();
    describeForAssistiveTools();

    connect(setButton, &QPushButton::released, this, &AlarmRow::setReleased);
    connect(valueSpinBox, &QSpinBox::valueChanged, this, &AlarmRow::editCondition);
    connect(comparisonComboBox, &QComboBox::currentIndexChanged, this, &AlarmRow::editCondition);
}

// The names the rows have always had, with the row's number.
void AlarmRow::nameWidgets()
{
    const QString suffix = QString::number(rowNumber);
    alarmLabel->setObjectName(QStringLiteral("alarmLabel") + suffix);
    levelSpinBox->setObjectName(QStringLiteral("levelSpinBox") + suffix);
    setButton->setObjectName(QStringLiteral("setButton") + suffix);
    whenLabel->setObjectName(QStringLiteral("whenLabel") + suffix);
    comparisonComboBox->setObjectName(QStringLiteral("comparisonComboBox") + suffix);
    thanLabel->setObjectName(QStringLiteral("thanLabel") + suffix);
    valueSpinBox->setObjectName(QStringLiteral("valueSpinBox") + suffix);
}

// The captions alone ("Set", "when", two rows both called "Ch1 alarm") say
// little to a screen reader, so every control gets a name of its own.
void AlarmRow::describeForAssistiveTools()
{
    alarmLabel->setAccessibleName(tr("Alarm %1, channel %2").arg(rowNumber).arg(channel()));
    levelSpinBox->setAccessibleName(tr("Alarm %1 level").arg(rowNumber));
    levelSpinBox->setAccessibleDescription(tr("Alarm level, 0 to 3"));
    setButton->setAccessibleName(tr("Set alarm %1").arg(rowNumber));
    setButton->setAccessibleDescription(tr("Send this alarm's settings to the module"));
    comparisonComboBox->setAccessibleName(tr("Alarm %1 comparison").arg(rowNumber));
    comparisonComboBox->setAccessibleDescription(
            tr("Whether the alarm sounds below or above the threshold value"));
    valueSpinBox->setAccessibleName(tr("Alarm %1 threshold value").arg(rowNumber));
    explainValue();
}

void AlarmRow::addTo(QGridLayout &grid, int gridRow)
{
    QWidget *cells[ColumnCount] = { alarmLabel, levelSpinBox, setButton, whenLabel,
                                    comparisonComboBox, thanLabel, valueSpinBox };
    for (int column = 0; column < ColumnCount; ++column)
        grid.addWidget(cells[column], gridRow, column);
}

// The new value and comparison make one condition: judged between the two,
// a row would trip or clear for a moment on the way (and say so aloud).
void AlarmRow::load(const Threshold &threshold)
{
    const AlarmSetting before = setting();
    {
        const QSignalBlocker valueQuiet(valueSpinBox);
        const QSignalBlocker comparisonQuiet(comparisonComboBox);
        levelSpinBox->setValue(threshold.level);
        valueSpinBox->setValue(threshold.value);
        if (threshold.comparison >= 0 && threshold.comparison < comparisonComboBox->count())
            comparisonComboBox->setCurrentIndex(threshold.comparison);
    }
    const AlarmSetting after = setting();
    if (after.value != before.value || after.comparison != before.comparison)
        editCondition();
}

AlarmSetting AlarmRow::setting() const
{
    return { std::uint8_t(valueSpinBox->value()), std::uint8_t(comparisonComboBox->currentIndex()),
             std::uint8_t(levelSpinBox->value()) };
}

void AlarmRow::disableSet(const QString &why)
{
    setButton->setEnabled(false);
    setButton->setToolTip(why);
    setButton->setAccessibleDescription(why);
}

QWidget *AlarmRow::lastControl() const
{
    return valueSpinBox;
}

void AlarmRow::setScale(const ChannelScale &channelScale)
{
    scale = channelScale;
    explainValue();
    if (tripped)
        alarmLabel->setAccessibleDescription(trippedDescription());
}

// In raw bytes the box says it all; in the user's units it says what its
// value means.
void AlarmRow::explainValue()
{
    const QString range = tr("Threshold value, 1 to 254");
    if (!scale.hasUnit()) {
        valueSpinBox->setToolTip(QString());
        valueSpinBox->setAccessibleDescription(range);
        return;
    }
    const int value = valueSpinBox->value();
    const QString meaning = tr("%1 means %2").arg(value).arg(scale.valueText(value));
    valueSpinBox->setToolTip(meaning);
    valueSpinBox->setAccessibleDescription(range + QLatin1String(". ") + meaning);
}

void AlarmRow::editCondition()
{
    explainValue();
    // A tripped row's description names the condition, which just changed.
    if (tripped)
        alarmLabel->setAccessibleDescription(trippedDescription());
    emit conditionEdited(valueSpinBox->value(), comparisonComboBox->currentIndex());
}

// Red caption, same text, size and place; assistive tools get the state in
// the description and an alert for the change.
void AlarmRow::showTripped(bool on)
{
    tripped = on;
    if (on) {
        QPalette red = alarmLabel->palette();
        red.setColor(QPalette::WindowText, trippedCaptionColour(red));
        alarmLabel->setPalette(red);
        alarmLabel->setAccessibleDescription(trippedDescription());
    } else {
        alarmLabel->setPalette(QPalette()); // the window's own again
        alarmLabel->setAccessibleDescription(QString());
    }
    QAccessibleEvent alert(alarmLabel, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QString AlarmRow::callout() const
{
    if (!tripped)
        return tr("Alarm %1 clear").arg(rowNumber);
    const QString name = scale.nameInSentence();
    const QString value = scale.spokenValue(valueSpinBox->value());
    return comparisonComboBox->currentIndex() == AlarmWatch::Great
            ? tr("Alarm %1: %2 above %3").arg(rowNumber).arg(name, value)
            : tr("Alarm %1: %2 below %3").arg(rowNumber).arg(name, value);
}

QString AlarmRow::trippedDescription() const
{
    const QString name = scale.nameInSentence();
    const QString value = scale.valueText(valueSpinBox->value());
    return comparisonComboBox->currentIndex() == AlarmWatch::Great
            ? tr("Alarm condition holds: %1 is above %2").arg(name, value)
            : tr("Alarm condition holds: %1 is below %2").arg(name, value);
}
