#ifndef CHANNELSCONTROL_H
#define CHANNELSCONTROL_H

#include "channelscale.h"
#include "channelsdialog.h"

#include <QObject>
#include <QPointer>

#include <array>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

// The channels' names, units and calibrations as the user keeps them: read
// from the settings at start, edited in the dialog behind the "Channels..."
// menu entry, saved when the dialog is accepted.
class ChannelsControl : public QObject
{
    Q_OBJECT

public:
    explicit ChannelsControl(QWidget *window);

    QAction *editAction() const { return edit; }
    const ChannelScale &scale(int channel) const { return scales[channel - 1]; }

    // The newest report's raw values, for the dialog to convert while open.
    void setNewest(int volt1, int volt2, int linkq);
    // A watched station's channel: shown as it reads there, not kept.
    void showWatched(int channel, const ChannelScale &scale);

signals:
    // Channel 1 to 3 reads differently from now on.
    void scaleChanged(int channel, const ChannelScale &scale);

private:
    void editScales();
    void apply(const ChannelsDialog::Scales &edited);

    QWidget *window;
    QAction *edit;
    ChannelsDialog::Scales scales;
    std::array<int, ChannelScale::ChannelCount> newest = { -1, -1, -1 };
    QPointer<ChannelsDialog> dialog;
};

#endif
