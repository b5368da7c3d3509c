#ifndef ALARMROW_H
#define ALARMROW_H

#include "channelscale.h"
#include "framecodec.h"
#include "threshold.h"

#include <QObject>

QT_BEGIN_NAMESPACE
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;
QT_END_NAMESPACE

// One alarm row of the window, read as a sentence: "Ch1 alarm" [level] [Set]
// "when" [less | great] "than" [value]. It owns the row's seven widgets,
// their names for the tests and for assistive tools, what the module reports
// of the alarm, and how a tripped alarm shows; the window lays the rows out,
// sends their settings and decides when they are tripped.
class AlarmRow : public QObject
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 7;

    // Row `number` (1 to 4) of the window, for alarm number - 1.
    AlarmRow(int number, QObject *parent = nullptr);

    // Puts the seven widgets in one grid row, one a column; the grid's
    // widget becomes their parent.
    void addTo(QGridLayout &grid, int gridRow);

    // The module's report of this alarm. A comparison the row does not know
    // keeps the row's choice rather than blanking it.
    void load(const Threshold &threshold);
    // What the row says now, as an alarm command carries it.
    AlarmSetting setting() const;

    int number() const { return rowNumber; }
    // The channel the row watches: 1 (volt 1) for rows 1 and 2, else 2.
    int channel() const { return rowNumber <= 2 ? 1 : 2; }

    // How the row's channel reads in the user's units: the value box then
    // says what its value means, and a tripped row's description is in
    // those units too.
    void setScale(const ChannelScale &scale);

    // A tripped row's caption is red (same text, size and place) and says
    // which condition holds; assistive tools are alerted of the change.
    void showTripped(bool tripped);
    bool isTripped() const { return tripped; }
    // What a callout or a notification says of the row: "Alarm 1: RX battery
    // below 4.6 volts" while tripped, "Alarm 1 clear" once it is not.
    QString callout() const;

    // The last control in Tab order.
    QWidget *lastControl() const;

    // Set sends nothing from now on, and says why.
    void disableSet(const QString &why);

signals:
    // The value or the comparison changed, by the user or the module.
    void conditionEdited(int value, int comparison);
    // The Set button was released: the user asks for the row to be sent.
    void setReleased();

private:
    void nameWidgets();
    void describeForAssistiveTools();
    QString trippedDescription() const;
    void editCondition();
    void explainValue();

    const int rowNumber;
    bool tripped = false;
    ChannelScale scale;
    QLabel *alarmLabel;
    QSpinBox *levelSpinBox;
    QPushButton *setButton;
    QLabel *whenLabel;
    QComboBox *comparisonComboBox;
    QLabel *thanLabel;
    QSpinBox *valueSpinBox;
};

#endif
