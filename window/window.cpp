#include "window.h"

#include "alarmrow.h"
#include "alarmrows.h"
#include "brokeraddress.h"
#include "channelscontrol.h"
#include "commdialog.h"
#include "datapane.h"
#include "menucontrols.h"
#include "portlistener.h"
#include "recordingcontrol.h"
#include "rememberedport.h"
#include "renderarea.h"
#include "replaydevice.h"
#include "serialconnection.h"
#include "seriallink.h"
#include "statusline.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QIcon>
#include <QSerialPort>
#include <QSettings>

#include <cstdio>

namespace {

constexpr int ColumnCount = AlarmRow::ColumnCount;
constexpr int FirstAlarmGridRow = 2;
constexpr int StatusGridRow = 6;
constexpr int DataGridRow = 7;

const QLatin1String ShowThresholdsKey("graph/showAlarmThresholds");

} // namespace

Window::Window(const QStringList &extraPorts)
    : extraPorts(extraPorts)
{
    renderArea = new RenderArea;
    rows = new AlarmRows(this);
    dataBrowser = new DataPane;
    statusLabel = new StatusLine(QStringLiteral(" "));

    connect(rows->row(0), &AlarmRow::setReleased, this, &Window::alarmSet1);
    connect(rows->row(1), &AlarmRow::setReleased, this, &Window::alarmSet2);
    connect(rows->row(2), &AlarmRow::setReleased, this, &Window::alarmSet3);
    connect(rows->row(3), &AlarmRow::setReleased, this, &Window::alarmSet4);

    controls = new MenuControls(this, rows);
    recording = controls->recording();
    channels = controls->channels();
    setUpControls();
    setUpChannels();
    setUpMenus();
    layOut();
    setWindowTitle(tr("Torvi Duplink"));
    setWindowIcon(QIcon(QStringLiteral(":images/torvi-logo.png")));

    renderArea->setObjectName(QStringLiteral("renderArea"));
    dataBrowser->setObjectName(QStringLiteral("dataBrowser"));
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    describeForAssistiveTools();
    setUpGraphReading();
    refreshThrottle = new RefreshThrottle(RefreshInterval, [this] { refresh(); }, this);
}

Window::~Window()
{
    // Closed before the widgets go; the connection that owns it goes with them.
    if (port)
        port->close();
}

void Window::recordFromLinkUp(const QString &path)
{
    recording->setPending(path);
}

void Window::setUpControls()
{
    connect(controls, &MenuControls::message, this, [this](const QString &text) { showStatus(text); });
    connect(controls, &MenuControls::noteChanged, statusLabel, &StatusLine::setNote);
    connect(recording, &RecordingControl::recordingChanged, this, &Window::updateTitle);
    connect(recording, &RecordingControl::recordingChanged, renderArea, &RenderArea::setRecording);
}

// Each channel reads in the user's units wherever a number is shown for
// reading; what is sent and kept stays raw.
void Window::setUpChannels()
{
    auto show = [this](int channel, const ChannelScale &scale) {
        renderArea->setChannelScale(channel, scale);
        rows->setScale(channel, scale);
    };
    connect(channels, &ChannelsControl::scaleChanged, this, show);
    for (int channel = 1; channel <= ChannelScale::ChannelCount; ++channel)
        show(channel, channels->scale(channel));
}

// The graph's and the data pane's context menus end with the window's own
// entries, in groups.
void Window::setUpMenus()
{
    const QList<QAction *> entries = controls->menuEntries();
    dataBrowser->setMenuActions(entries.mid(1));
    renderArea->addActions(entries);
}

void Window::layOut()
{
    auto *layout = new QGridLayout;
    layout->addWidget(renderArea, 0, 0, 1, ColumnCount);
    layout->setRowMinimumHeight(1, 6);
    rows->addTo(*layout, FirstAlarmGridRow);
    // Across the row: a long message has the whole width to use.
    layout->addWidget(statusLabel, StatusGridRow, 0, 1, ColumnCount);
    layout->addWidget(dataBrowser, DataGridRow, 0, 1, ColumnCount);
    setLayout(layout);
}

// The alarm rows and the data pane name themselves.
void Window::describeForAssistiveTools()
{
    renderArea->setAccessibleName(tr("Telemetry graph"));
    renderArea->setPurpose(
            tr("The last 128 reports: voltage 1 in blue, voltage 2 in red, link quality in green"));
    // The label's text is what it shows: the figures or the link's state.
    // It keeps that as its accessible name and says what it is for here.
    statusLabel->setPurpose(tr("Link quality: the average of the last 16 reports and half the "
                               "average of the second link reading, or the state of the link"));
}

void Window::showEvent(QShowEvent *event)
{
    if (!firstShowDone) {
        firstShowDone = true;
        connectPort();
    }
    QWidget::showEvent(event);
}

void Window::closeEvent(QCloseEvent *event)
{
    controls->finish(); // the recording and the flight on disk before the program ends
    QWidget::closeEvent(event);
}

void Window::connectPort()
{
    CommDialog dialog(this, extraPorts, byIdFolder);
    dialog.exec();
    if (dialog.result() != QDialog::Accepted) {
        emit connectionAbandoned();
        return;
    }
    std::puts("accepted:openning port ");
    const QString chosen = dialog.selectedPort();
    connectDevice(serialDevicePath(chosen));
    // The dialog offers the port first next time, if it ever opened.
    link->whenUp(this, [this, chosen] { RememberedPort::save(chosen, connection->openedThrough()); });
}

void Window::connectDevice(const QString &name)
{
    if (connection)
        return;
    connection = new SerialConnection(name, byIdFolder, this);
    port = connection->port();
    link = connection->link();
    showReportsOf(connection->listener());
    connect(link, &SerialLink::cannotOpen, this, &Window::showLinkStatus);
    connect(link, &SerialLink::lost, this, &Window::showLinkStatus);
    connect(link, &SerialLink::restored, this, &Window::showLinkStatus);
    connect(link, &SerialLink::restored, this, &Window::sendRequest);
    connection->open();
    controls->followLink(link);

    listener->timer.start();
    sendRequest();
}

void Window::showReplay(ReplayDevice *device, const QString &name)
{
    firstShowDone = true; // no port to ask for
    replayName = name;
    updateTitle();
    listen(device);
    controls->followReplay(device);
    connect(device, &ReplayDevice::finished, this, [this, device] { replayEnded(device); });
}

void Window::watch(const BrokerAddress &address)
{
    firstShowDone = true; // no port to ask for
    watchedTopic = address.base;
    updateTitle();
    listen(controls->watch(address));
}

void Window::replayEnded(ReplayDevice *device)
{
    if (device->truncatedAt() >= 0)
        showStatus(tr("Replay over: %1 stops short at byte %2").arg(replayName).arg(device->truncatedAt()));
    else
        showStatus(tr("Replay over: %1").arg(replayName));
}

// "Torvi Duplink", and what it is doing besides showing a live link.
void Window::updateTitle()
{
    QStringList doing;
    if (!replayName.isEmpty())
        doing << tr("replay of %1").arg(replayName);
    if (!watchedTopic.isEmpty())
        doing << tr("watching %1").arg(watchedTopic);
    if (recording->isRecording())
        doing << tr("recording");
    setWindowTitle(doing.isEmpty() ? tr("Torvi Duplink")
                                   : tr("Torvi Duplink (%1)").arg(doing.join(QLatin1String(", "))));
}

PortListener *Window::listen(QIODevice *device)
{
    showReportsOf(new PortListener(device, this));
    return listener;
}

void Window::showReportsOf(PortListener *reporter)
{
    listener = reporter;
    controls->listenTo(listener);
    connect(listener, &PortListener::reportThreshold, this, &Window::showThreshold);
    connect(listener, &PortListener::reportData, this, &Window::showData);
    connect(listener, &PortListener::reportVolts, this, &Window::showVolts);
}

// Where we know what the user can do about a problem (join a group, say),
// it goes with the message: in the tooltip, to assistive tools, and out.
// Messages name the device as the user chose it; the by-id link behind it
// is for the tooltip.
void Window::showLinkStatus(const QString &message)
{
    QStringList more;
    if (!link->advice().isEmpty())
        more << link->advice();
    if (!connection->openedThrough().isEmpty())
        more << tr("Opened through %1, which finds the same adapter again after a replug")
                        .arg(connection->openedThrough());
    showStatus(message, more.join(QLatin1Char('\n')), link->advice());
}

// `more` goes with the message on the status line; `advice` is printed too.
void Window::showStatus(const QString &message, const QString &more, const QString &advice)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (!advice.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(advice));
    averagesPending = false; // older than this message
    statusLabel->showMessage(message, more);
}

void Window::showVolts(char volt1, char volt2, char linkq, char linkql)
{
    renderArea->addSample(volt1, volt2, linkq);
    channels->setNewest(quint8(volt1), quint8(volt2), quint8(linkq));
    rows->addSample(static_cast<quint8>(volt1), static_cast<quint8>(volt2));
    if (averages.add(static_cast<quint8>(linkq), static_cast<quint8>(linkql)))
        averagesPending = true;
    refreshThrottle->request();
}

void Window::refresh()
{
    renderArea->updateChanged();
    if (averagesPending) {
        averagesPending = false;
        statusLabel->showFigures(QLatin1String(averages.text()));
    }
}

void Window::showData(char *temp, int len)
{
    dataBrowser->appendBytes(temp, len);
}

void Window::showThreshold(Threshold *threshold)
{
    rows->load(*threshold);
}

void Window::alarmSet1() { alarmSet(0); }
void Window::alarmSet2() { alarmSet(1); }
void Window::alarmSet3() { alarmSet(2); }
void Window::alarmSet4() { alarmSet(3); }

void Window::alarmSet(int rowIndex)
{
    sendCommand(Command::alarm(rowIndex, rows->row(rowIndex)->setting()), rowIndex + 1);
}

void Window::sendRequest()
{
    sendCommand(Command::request());
}

void Window::sendCommand(const FrameTemplate &frameTemplate, int diagnosticNumber)
{
    QString reason = tr("the port is not open");
    const bool sent = connection && connection->send(frameTemplate, &reason);

    // Each field is printed as a signed byte widened to int: 200 is ffffffc8.
    auto field = [&](int position) { return int(static_cast<signed char>(frameTemplate[position])); };
    std::printf("alarmset%d:%x,%x,%x,%x,%x\n", diagnosticNumber, field(0), field(1), field(2),
                field(3), field(4));

    if (sent)
        return;
    if (!replayName.isEmpty()) {
        showStatus(tr("Frame not sent: this is a replay of %1, with no module to send it to")
                           .arg(replayName));
        return;
    }
    // While the link is down, the status line keeps saying why: that is the
    // news, the lost frame only its consequence.
    const QString linkProblem = link ? link->problem() : QString();
    if (!linkProblem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(tr("Frame not sent: %1").arg(linkProblem)));
        return;
    }
    showStatus(tr("Frame not sent: %1").arg(reason));
}

// The graph shows each row's threshold as the row's value box has it,
// following every edit.
void Window::setUpGraphReading()
{
    renderArea->setThresholdsShown(QSettings().value(ShowThresholdsKey, false).toBool());
    connect(renderArea, &RenderArea::thresholdsShownChanged, this,
            [](bool shown) { QSettings().setValue(ShowThresholdsKey, shown); });
    connect(rows, &AlarmRows::thresholdEdited, renderArea, &RenderArea::setThreshold);
    rows->announceThresholds();
    // After the alarm rows, so the window still opens with the first row's
    // level in focus.
    QWidget::setTabOrder(rows->lastControl(), renderArea);
}
