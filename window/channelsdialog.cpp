#include "channelsdialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using Channel = ChannelScale::Channel;
using Field = ChannelScale::Field;

// What the group is called, whatever the user names the channel: the trace
// it belongs to.
const char *const GroupTitles[ChannelScale::ChannelCount] = {
    QT_TRANSLATE_NOOP("ChannelsDialog", "Volt 1, the blue trace"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "Volt 2, the red trace"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "Link quality, the green trace") };

// By field: its label in the dialog, and its name for assistive tools,
// which hear a field apart from its neighbours.
const char *const FieldLabels[] = {
    "", QT_TRANSLATE_NOOP("ChannelsDialog", "Name"), QT_TRANSLATE_NOOP("ChannelsDialog", "Unit"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "Raw value"),
    //: Between two fields: raw value [120] reads [4.6], in the user's unit
    QT_TRANSLATE_NOOP("ChannelsDialog", "reads"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "Raw value"), QT_TRANSLATE_NOOP("ChannelsDialog", "reads"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "Decimals") };
const char *const FieldNames[] = {
    "", QT_TRANSLATE_NOOP("ChannelsDialog", "name"), QT_TRANSLATE_NOOP("ChannelsDialog", "unit"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "first raw value"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "what the first raw value reads"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "second raw value"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "what the second raw value reads"),
    QT_TRANSLATE_NOOP("ChannelsDialog", "decimals") };

QString groupTitle(Channel channel)
{
    return ChannelsDialog::tr(GroupTitles[channel]);
}

QString fieldLabel(Field field)
{
    return ChannelsDialog::tr(FieldLabels[field]);
}

QString fieldName(Field field)
{
    return ChannelsDialog::tr(FieldNames[field]);
}

// Numbers as the user writes them (6,12 in German), or as the settings do.
bool readNumber(const QString &text, double *number)
{
    bool ok = false;
    *number = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        *number = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

bool readWhole(const QString &text, int *number)
{
    double read = 0;
    if (!readNumber(text, &read) || read != double(qint64(read)) || qAbs(read) > 1e6)
        return false;
    *number = int(read);
    return true;
}

QString sentence(const QString &clause)
{
    return clause.isEmpty() ? clause : clause.at(0).toUpper() + clause.mid(1);
}

constexpr Field AllFields[] = { ChannelScale::Name, ChannelScale::Unit, ChannelScale::Raw1,
                                ChannelScale::Value1, ChannelScale::Raw2, ChannelScale::Value2,
                                ChannelScale::Decimals };

} // namespace

ChannelsDialog::ChannelsDialog(const Scales &scales, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Channels"));
    auto *layout = new QVBoxLayout(this);
    for (int channel = 0; channel < ChannelScale::ChannelCount; ++channel) {
        layout->addWidget(createGroup(Channel(channel)));
        load(Channel(channel), scales[channel]);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ChannelsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ChannelsDialog::reject);
    layout->addWidget(buttons);
}

QWidget *ChannelsDialog::createGroup(Channel channel)
{
    auto *box = new QGroupBox(groupTitle(channel));
    auto *grid = new QGridLayout(box);
    Group &group = groups[channel];
    // Name, unit; then the two points as "raw value [ ] reads [ ]"; decimals.
    const struct { Field field; int row, column; } places[] = {
        { ChannelScale::Name, 0, 0 },   { ChannelScale::Unit, 1, 0 },
        { ChannelScale::Raw1, 2, 0 },   { ChannelScale::Value1, 2, 2 },
        { ChannelScale::Raw2, 3, 0 },   { ChannelScale::Value2, 3, 2 },
        { ChannelScale::Decimals, 4, 0 },
    };
    for (const auto &place : places) {
        QLineEdit *edit = addField(channel, place.field, box);
        auto *label = new QLabel(fieldLabel(place.field), box);
        label->setBuddy(edit);
        grid->addWidget(label, place.row, place.column);
        grid->addWidget(edit, place.row, place.column + 1);
    }
    group.newest = new QLabel(box);
    group.problem = new QLabel(box);
    QPalette red = group.problem->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
    group.problem->setPalette(red);
    group.problem->setWordWrap(true);
    auto *rawValues = new QPushButton(tr("Raw values"), box);
    rawValues->setAccessibleName(tr("%1: raw values").arg(groupTitle(channel)));
    rawValues->setToolTip(tr("Show this channel's raw bytes again, as the module sends them"));
    connect(rawValues, &QPushButton::clicked, this,
            [this, channel] { load(channel, ChannelScale::defaults(channel)); });
    grid->addWidget(group.newest, 5, 0, 1, 3);
    grid->addWidget(rawValues, 5, 3);
    grid->addWidget(group.problem, 6, 0, 1, 4);
    return box;
}

QLineEdit *ChannelsDialog::addField(Channel channel, Field field, QWidget *group)
{
    auto *edit = new QLineEdit(group);
    edit->setAccessibleName(tr("%1: %2").arg(groupTitle(channel), fieldName(field)));
    edit->setObjectName(QStringLiteral("channel%1field%2").arg(channel + 1).arg(int(field)));
    groups[channel].fields[field] = edit;
    connect(edit, &QLineEdit::textChanged, this, [this, channel] { check(channel); });
    return edit;
}

void ChannelsDialog::load(Channel channel, const ChannelScale &scale)
{
    QLineEdit *const *fields = groups[channel].fields;
    // Every digit kept, so that OK on fields left as they were changes nothing.
    const auto exactly = [](double value) { return QLocale().toString(value, 'f', QLocale::FloatingPointShortest); };
    fields[ChannelScale::Name]->setText(scale.name);
    fields[ChannelScale::Unit]->setText(scale.unit);
    fields[ChannelScale::Raw1]->setText(QString::number(scale.raw1));
    fields[ChannelScale::Value1]->setText(exactly(scale.value1));
    fields[ChannelScale::Raw2]->setText(QString::number(scale.raw2));
    fields[ChannelScale::Value2]->setText(exactly(scale.value2));
    fields[ChannelScale::Decimals]->setText(QString::number(scale.decimals));
    check(channel);
}

ChannelsDialog::Scales ChannelsDialog::scales() const
{
    Scales scales;
    for (int channel = 0; channel < ChannelScale::ChannelCount; ++channel)
        scales[channel] = scaleOf(Channel(channel));
    return scales;
}

// The fields as a scale; `readable` says whether every number could be read.
ChannelScale ChannelsDialog::scaleOf(Channel channel, bool *readable) const
{
    QLineEdit *const *fields = groups[channel].fields;
    ChannelScale scale;
    scale.name = fields[ChannelScale::Name]->text().trimmed();
    scale.unit = fields[ChannelScale::Unit]->text().trimmed();
    const bool read = readWhole(fields[ChannelScale::Raw1]->text(), &scale.raw1)
            && readNumber(fields[ChannelScale::Value1]->text(), &scale.value1)
            && readWhole(fields[ChannelScale::Raw2]->text(), &scale.raw2)
            && readNumber(fields[ChannelScale::Value2]->text(), &scale.value2)
            && readWhole(fields[ChannelScale::Decimals]->text(), &scale.decimals);
    if (readable)
        *readable = read;
    return scale;
}

ChannelScale::Problem ChannelsDialog::problemOf(Channel channel) const
{
    QLineEdit *const *fields = groups[channel].fields;
    int whole = 0;
    double number = 0;
    for (Field field : { ChannelScale::Raw1, ChannelScale::Raw2, ChannelScale::Decimals }) {
        if (!readWhole(fields[field]->text(), &whole))
            return { field, field == ChannelScale::Decimals ? tr("a whole number of decimals is needed")
                                                            : tr("a whole number from 0 to 255 is needed") };
    }
    for (Field field : { ChannelScale::Value1, ChannelScale::Value2 }) {
        if (!readNumber(fields[field]->text(), &number))
            return { field, tr("a number is needed") };
    }
    return scaleOf(channel).problem();
}

// The message at the field that has it, and the newest value as these
// fields would show it.
void ChannelsDialog::check(Channel channel)
{
    Group &group = groups[channel];
    const ChannelScale::Problem problem = problemOf(channel);
    for (Field field : AllFields) {
        const bool wrong = field == problem.field;
        group.fields[field]->setToolTip(wrong ? sentence(problem.message) : QString());
        group.fields[field]->setAccessibleDescription(wrong ? sentence(problem.message) : QString());
    }
    group.problem->setText(problem.field == ChannelScale::NoField
                                   ? QString()
                                   : tr("%1: %2").arg(sentence(fieldName(problem.field)), problem.message));
    group.problem->setVisible(problem.field != ChannelScale::NoField);
    const int raw = newestRaw[channel];
    if (raw < 0)
        group.newest->setText(tr("No report yet"));
    else if (problem.field != ChannelScale::NoField || !scaleOf(channel).hasUnit())
        group.newest->setText(tr("Newest report: %1").arg(raw));
    else
        group.newest->setText(tr("Newest report: %1 reads %2").arg(raw).arg(scaleOf(channel).valueText(raw)));
}

void ChannelsDialog::showNewest(const std::array<int, ChannelScale::ChannelCount> &raw)
{
    for (int channel = 0; channel < ChannelScale::ChannelCount; ++channel) {
        if (newestRaw[channel] != raw[channel]) {
            newestRaw[channel] = raw[channel];
            check(Channel(channel));
        }
    }
}

void ChannelsDialog::accept()
{
    for (int channel = 0; channel < ChannelScale::ChannelCount; ++channel) {
        const ChannelScale::Problem problem = problemOf(Channel(channel));
        if (problem.field != ChannelScale::NoField) {
            groups[channel].fields[problem.field]->setFocus();
            return;
        }
    }
    QDialog::accept();
}
