#include "channelscontrol.h"

#include <QAction>
#include <QSettings>

ChannelsControl::ChannelsControl(QWidget *window)
    : QObject(window), window(window)
{
    QSettings settings;
    for (int channel = 0; channel < ChannelScale::ChannelCount; ++channel)
        scales[channel] = ChannelScale::load(settings, ChannelScale::Channel(channel));
    edit = new QAction(tr("Channels..."), this);
    edit->setObjectName(QStringLiteral("channelsAction"));
    connect(edit, &QAction::triggered, this, &ChannelsControl::editScales);
}

void ChannelsControl::setNewest(int volt1, int volt2, int linkq)
{
    newest = { volt1, volt2, linkq };
    if (dialog)
        dialog->showNewest(newest);
}

void ChannelsControl::showWatched(int channel, const ChannelScale &scale)
{
    if (scales[channel - 1] == scale)
        return;
    scales[channel - 1] = scale;
    emit scaleChanged(channel, scale);
}

void ChannelsControl::editScales()
{
    if (dialog) {
        dialog->raise();
        dialog->activateWindow();
        return;
    }
    // Not modal: reports go on arriving, and the dialog shows the newest.
    dialog = new ChannelsDialog(scales, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->showNewest(newest);
    connect(dialog, &QDialog::accepted, this, [this] { apply(dialog->scales()); });
    dialog->show();
}

void ChannelsControl::apply(const ChannelsDialog::Scales &edited)
{
    QSettings settings;
    for (int channel = 0; channel < ChannelScale::ChannelCount; ++channel) {
        edited[channel].save(settings, ChannelScale::Channel(channel));
        if (edited[channel] != scales[channel]) {
            scales[channel] = edited[channel];
            emit scaleChanged(channel + 1, scales[channel]);
        }
    }
}
