#ifndef ALARMROWS_H
#define ALARMROWS_H

#include "alarmwatch.h"
#include "framecodec.h"
#include "protocol.h"
#include "threshold.h"

#include <QObject>
#include <QTimer>

QT_BEGIN_NAMESPACE
class QGridLayout;
class QWidget;
QT_END_NAMESPACE

class AlarmRow;
class ChannelScale;

// The window's four alarm rows and which of them are tripped: each row's
// condition is watched against the newest sample of its channel, and a
// change shows at most once a hold time (AlarmWatch), in the row's caption
// and to whoever listens.
class AlarmRows : public QObject
{
    Q_OBJECT

public:
    static constexpr int Count = Protocol::AlarmCount;

    explicit AlarmRows(QObject *parent = nullptr);

    AlarmRow *row(int index) const { return rows[index]; }
    // One grid row each, from firstGridRow down.
    void addTo(QGridLayout &grid, int firstGridRow);
    // Says every row's threshold as it stands, to listeners new to them.
    void announceThresholds();
    // A threshold report of the module; one for no row is ignored.
    void load(const Threshold &threshold);
    void addSample(int volt1, int volt2);
    // How values of channel 1 or 2 (volt 1, volt 2) read in the user's units.
    void setScale(int channel, const ChannelScale &scale);
    // The last control in Tab order.
    QWidget *lastControl() const;
    // No row's Set sends from now on, and each says why.
    void disableSending(const QString &why);

signals:
    // A row's value or comparison changed: its threshold line follows.
    void thresholdEdited(int number, int channel, int value);
    void trippedChanged(int index, bool tripped);

private:
    void followRow(int index, int value, int comparison);
    void showChanges(int changedRows);

    AlarmRow *rows[Count];
    AlarmWatch watch;
    QTimer holdTimer; // until a held-back change may show
};

#endif
