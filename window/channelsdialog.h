#ifndef CHANNELSDIALOG_H
#define CHANNELSDIALOG_H

#include "channelscale.h"

#include <QDialog>

#include <array>

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
QT_END_NAMESPACE

// Edits each graph channel's name, unit and calibration: two points, each a
// raw value and what it reads, and the decimals to show. The newest raw
// value and what it converts to follow as the user types. A field that makes
// no sense says why at the field and in its group, and OK keeps the dialog
// open until every field does.
class ChannelsDialog : public QDialog
{
    Q_OBJECT

public:
    using Scales = std::array<ChannelScale, ChannelScale::ChannelCount>;

    ChannelsDialog(const Scales &scales, QWidget *parent = nullptr);

    // The scales as the fields have them; only sound once accepted.
    Scales scales() const;
    // The newest report's raw values, by channel; -1 for none yet.
    void showNewest(const std::array<int, ChannelScale::ChannelCount> &raw);

    void accept() override;

private:
    struct Group
    {
        QLineEdit *fields[ChannelScale::Decimals + 1] = {}; // by ChannelScale::Field
        QLabel *newest = nullptr;
        QLabel *problem = nullptr;
    };

    QWidget *createGroup(ChannelScale::Channel channel);
    QLineEdit *addField(ChannelScale::Channel channel, ChannelScale::Field field, QWidget *group);
    void load(ChannelScale::Channel channel, const ChannelScale &scale);
    ChannelScale scaleOf(ChannelScale::Channel channel, bool *readable = nullptr) const;
    ChannelScale::Problem problemOf(ChannelScale::Channel channel) const;
    void check(ChannelScale::Channel channel);

    Group groups[ChannelScale::ChannelCount];
    std::array<int, ChannelScale::ChannelCount> newestRaw = { -1, -1, -1 };
};

#endif
