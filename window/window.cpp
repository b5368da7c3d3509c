#include "window.h"

#include "commdialog.h"
#include "datapane.h"
#include "devicepath.h"
#include "portlistener.h"
#include "recordingcontrol.h"
#include "rememberedport.h"
#include "renderarea.h"
#include "replaydevice.h"
#include "seriallink.h"
#include "statusline.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSerialPort>
#include <QSettings>
#include <QSpinBox>

#include <cstdio>

namespace {

constexpr int ColumnCount = 7;
constexpr int FirstAlarmGridRow = 2;
constexpr int StatusGridRow = 6;
constexpr int DataGridRow = 7;

const QLatin1String ShowThresholdsKey("graph/showAlarmThresholds");

// A red that reads as text on the window's colour: dark on a light window,
// light on a dark one.
QColor trippedCaptionColour(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() >= 128 ? QColor(0xc0, 0x00, 0x00)
                                                              : QColor(0xff, 0x66, 0x66);
}

} // namespace

Window::Window(const QStringList &extraPorts)
    : extraPorts(extraPorts)
{
    renderArea = new RenderArea;
    createAlarmRow(1, tr("Ch1 alarm"));
    createAlarmRow(2, tr("Ch1 alarm"));
    createAlarmRow(3, tr("Ch2 alarm"));
    createAlarmRow(4, tr("Ch2 alarm"));
    dataBrowser = new DataPane;
    statusLabel = new StatusLine(tr(" "));

    connect(rows[0].setButton, &QPushButton::released, this, &Window::alarmSet1);
    connect(rows[1].setButton, &QPushButton::released, this, &Window::alarmSet2);
    connect(rows[2].setButton, &QPushButton::released, this, &Window::alarmSet3);
    connect(rows[3].setButton, &QPushButton::released, this, &Window::alarmSet4);

    recording = new RecordingControl(this);
    connect(recording, &RecordingControl::message, this, [this](const QString &text) { showStatus(text); });
    connect(recording, &RecordingControl::recordingChanged, this, &Window::updateTitle);
    connect(recording, &RecordingControl::recordingChanged, renderArea, &RenderArea::setRecording);
    dataBrowser->setMenuActions({ recording->recordAction(), recording->stopAction() });
    auto *separator = new QAction(renderArea);
    separator->setSeparator(true);
    renderArea->addActions({ separator, recording->recordAction(), recording->stopAction() });

    layOut();
    setWindowTitle(tr("Torvi Duplink"));
    setWindowIcon(QIcon(QStringLiteral(":images/torvi-logo.png")));

    renderArea->setObjectName(QStringLiteral("renderArea"));
    dataBrowser->setObjectName(QStringLiteral("dataBrowser"));
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    describeForAssistiveTools();
    setUpGraphReading();

    refreshTimer.setSingleShot(true);
    connect(&refreshTimer, &QTimer::timeout, this, &Window::refresh);
}

Window::~Window()
{
    if (port) {
        port->close();
        delete port;
        port = nullptr;
    }
}

void Window::createAlarmRow(int number, const QString &caption)
{
    AlarmRow &row = rows[number - 1];
    row.alarmLabel = new QLabel(caption);
    row.levelSpinBox = new QSpinBox;
    row.levelSpinBox->setRange(0, 3);
    row.setButton = new QPushButton(tr("Set"));
    row.whenLabel = new QLabel(tr("when"));
    row.comparisonComboBox = new QComboBox;
    row.comparisonComboBox->addItem(tr("less"), 0);
    row.comparisonComboBox->addItem(tr("great"), 1);
    row.thanLabel = new QLabel(tr("than"));
    row.valueSpinBox = new QSpinBox;
    row.valueSpinBox->setRange(1, 254);

    const QString suffix = QString::number(number);
    row.alarmLabel->setObjectName(QStringLiteral("alarmLabel") + suffix);
    row.levelSpinBox->setObjectName(QStringLiteral("levelSpinBox") + suffix);
    row.setButton->setObjectName(QStringLiteral("setButton") + suffix);
    row.whenLabel->setObjectName(QStringLiteral("whenLabel") + suffix);
    row.comparisonComboBox->setObjectName(QStringLiteral("comparisonComboBox") + suffix);
    row.thanLabel->setObjectName(QStringLiteral("thanLabel") + suffix);
    row.valueSpinBox->setObjectName(QStringLiteral("valueSpinBox") + suffix);
}

void Window::layOut()
{
    auto *layout = new QGridLayout;
    layout->addWidget(renderArea, 0, 0, 1, ColumnCount);
    layout->setRowMinimumHeight(1, 6);
    for (int r = 0; r < Protocol::AlarmCount; ++r) {
        const AlarmRow &row = rows[r];
        QWidget *cells[] = { row.alarmLabel, row.levelSpinBox, row.setButton, row.whenLabel,
                             row.comparisonComboBox, row.thanLabel, row.valueSpinBox };
        for (int column = 0; column < ColumnCount; ++column)
            layout->addWidget(cells[column], FirstAlarmGridRow + r, column);
    }
    // Across the row: a long message has the whole width to use.
    layout->addWidget(statusLabel, StatusGridRow, 0, 1, ColumnCount);
    layout->addWidget(dataBrowser, DataGridRow, 0, 1, ColumnCount);
    setLayout(layout);
}

// The captions alone ("Set", "when", two rows both called "Ch1 alarm") say
// little to a screen reader, so every control gets a name of its own.
void Window::describeForAssistiveTools()
{
    renderArea->setAccessibleName(tr("Telemetry graph"));
    renderArea->setPurpose(
            tr("The last 128 reports: voltage 1 in blue, voltage 2 in red, link quality in green"));
    // The label's text is what it shows: the figures or the link's state.
    // It keeps that as its accessible name and says what it is for here.
    statusLabel->setPurpose(tr("Link quality: the average of the last 16 reports and half the "
                               "average of the second link reading, or the state of the link"));
    dataBrowser->setAccessibleName(tr("User data"));
    dataBrowser->setAccessibleDescription(
            tr("One line of hexadecimal bytes for each user-data frame received"));
    for (int r = 0; r < Protocol::AlarmCount; ++r) {
        const AlarmRow &row = rows[r];
        const int alarm = r + 1;
        const int channel = r < 2 ? 1 : 2;
        row.alarmLabel->setAccessibleName(tr("Alarm %1, channel %2").arg(alarm).arg(channel));
        row.levelSpinBox->setAccessibleName(tr("Alarm %1 level").arg(alarm));
        row.levelSpinBox->setAccessibleDescription(tr("Alarm level, 0 to 3"));
        row.setButton->setAccessibleName(tr("Set alarm %1").arg(alarm));
        row.setButton->setAccessibleDescription(tr("Send this alarm's settings to the module"));
        row.comparisonComboBox->setAccessibleName(tr("Alarm %1 comparison").arg(alarm));
        row.comparisonComboBox->setAccessibleDescription(
                tr("Whether the alarm sounds below or above the threshold value"));
        row.valueSpinBox->setAccessibleName(tr("Alarm %1 threshold value").arg(alarm));
        row.valueSpinBox->setAccessibleDescription(tr("Threshold value, 1 to 254"));
    }
}

QString Window::devicePath(const QString &portName)
{
    return serialDevicePath(portName);
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
    recording->finish(); // all of it on disk before the program ends
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
    connectDevice(devicePath(chosen));
    rememberOnceOpen(chosen);
}

// Now if the link is up, else when it first comes up.
template <typename Action>
void Window::onceLinkIsUp(Action action)
{
    if (link->isUp())
        action();
    else
        connect(link, &SerialLink::restored, this, action, Qt::SingleShotConnection);
}

// The dialog offers the port first next time, if it ever opened.
void Window::rememberOnceOpen(const QString &portName)
{
    onceLinkIsUp([this, portName] { RememberedPort::save(portName, openedThrough); });
}

void Window::connectDevice(const QString &name)
{
    if (port)
        return;
    const QString path = stableDevicePath(name, byIdFolder);
    if (path != name)
        openedThrough = path;
    port = new QSerialPort(path);
    listen(port);
    link = new SerialLink(name, port, listener, this);
    connect(link, &SerialLink::cannotOpen, this, &Window::showLinkStatus);
    connect(link, &SerialLink::lost, this, &Window::showLinkStatus);
    connect(link, &SerialLink::restored, this, &Window::showLinkStatus);
    connect(link, &SerialLink::restored, this, &Window::sendRequest);
    if (!link->open())
        link->waitForDevice();
    onceLinkIsUp([this] { startPendingRecording(); });

    listener->timer.start();
    sendRequest();
}

void Window::startPendingRecording()
{
    if (pendingRecording.isEmpty())
        return;
    if (!recording->start(pendingRecording))
        showStatus(tr("Cannot record: %1").arg(recording->errorString()));
    pendingRecording.clear();
}

void Window::showReplay(ReplayDevice *device, const QString &name)
{
    firstShowDone = true; // no port to ask for
    replayName = name;
    updateTitle();
    listen(device);
    connect(device, &ReplayDevice::finished, this, [this, device] { replayEnded(device); });
    startPendingRecording();
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
    if (recording->isRecording())
        doing << tr("recording");
    setWindowTitle(doing.isEmpty() ? tr("Torvi Duplink")
                                   : tr("Torvi Duplink (%1)").arg(doing.join(QLatin1String(", "))));
}

PortListener *Window::listen(QIODevice *device)
{
    listener = new PortListener(device, this);
    recording->setListener(listener);
    connect(device, &QIODevice::readyRead, listener, &PortListener::receive);
    connect(device, &QIODevice::bytesWritten, listener, &PortListener::reportWritten);
    connect(device, &QIODevice::aboutToClose, listener, &PortListener::reportClose);
    connect(listener, &PortListener::reportThreshold, this, &Window::showThreshold);
    connect(listener, &PortListener::reportData, this, &Window::showData);
    connect(listener, &PortListener::reportVolts, this, &Window::showVolts);
    return listener;
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
    if (!openedThrough.isEmpty())
        more << tr("Opened through %1, which finds the same adapter again after a replug")
                        .arg(openedThrough);
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
    watchAlarms(volt1, volt2);
    if (averages.add(static_cast<quint8>(linkq), static_cast<quint8>(linkql)))
        averagesPending = true;
    requestRefresh();
}

void Window::requestRefresh()
{
    // Due: shown now, in the wake-up that brought the report, not in one of
    // its own. At line rate the next report comes before the timer, which
    // only catches the last reports of a burst.
    if (!sinceRefresh.isValid() || sinceRefresh.elapsed() >= RefreshInterval) {
        refreshTimer.stop();
        refresh();
    } else if (!refreshTimer.isActive()) {
        refreshTimer.start(RefreshInterval);
    }
}

void Window::refresh()
{
    sinceRefresh.start();
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
    if (threshold->index < 0 || threshold->index >= Protocol::AlarmCount)
        return;
    AlarmRow &row = rows[threshold->index];
    row.levelSpinBox->setValue(threshold->level);
    row.valueSpinBox->setValue(threshold->value);
    // An unknown comparison keeps the row's choice rather than blanking it.
    if (threshold->comparison >= 0 && threshold->comparison < row.comparisonComboBox->count())
        row.comparisonComboBox->setCurrentIndex(threshold->comparison);
}

void Window::alarmSet1() { alarmSet(0); }
void Window::alarmSet2() { alarmSet(1); }
void Window::alarmSet3() { alarmSet(2); }
void Window::alarmSet4() { alarmSet(3); }

void Window::alarmSet(int rowIndex)
{
    const AlarmRow &row = rows[rowIndex];
    const int value = row.valueSpinBox->value();
    const int comparison = row.comparisonComboBox->currentIndex();
    const int level = row.levelSpinBox->value();
    sendCommand(Command::alarm(rowIndex, std::uint8_t(value), std::uint8_t(comparison),
                               std::uint8_t(level)),
                rowIndex + 1);
}

void Window::sendRequest()
{
    sendCommand(Command::request());
}

void Window::sendCommand(const FrameTemplate &frameTemplate, int diagnosticNumber)
{
    std::uint8_t wire[Protocol::MaxWireFrame];
    const qint64 length = qint64(encodeFrame(frameTemplate, wire));
    const bool sent = port && port->isOpen()
            && port->write(reinterpret_cast<const char *>(wire), length) == length;

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
    const QString reason = port && port->isOpen() ? port->errorString() : tr("the port is not open");
    showStatus(tr("Frame not sent: %1").arg(reason));
}

// The graph shows each row's threshold as the row's value box has it, and
// the captions say which rows' conditions hold; both follow every edit.
void Window::setUpGraphReading()
{
    renderArea->setThresholdsShown(QSettings().value(ShowThresholdsKey, false).toBool());
    connect(renderArea, &RenderArea::thresholdsShownChanged, this,
            [](bool shown) { QSettings().setValue(ShowThresholdsKey, shown); });
    for (int r = 0; r < Protocol::AlarmCount; ++r) {
        const AlarmRow &row = rows[r];
        connect(row.valueSpinBox, &QSpinBox::valueChanged, this, [this, r] { followAlarmRow(r); });
        connect(row.comparisonComboBox, &QComboBox::currentIndexChanged, this,
                [this, r] { followAlarmRow(r); });
        followAlarmRow(r);
    }
    alarmHoldTimer.setSingleShot(true);
    connect(&alarmHoldTimer, &QTimer::timeout, this, [this] { showAlarmChanges(alarmWatch.settle()); });
    // After the alarm rows, so the window still opens with the first row's
    // level in focus.
    QWidget::setTabOrder(rows[Protocol::AlarmCount - 1].valueSpinBox, renderArea);
}

void Window::followAlarmRow(int rowIndex)
{
    const AlarmRow &row = rows[rowIndex];
    const int value = row.valueSpinBox->value();
    renderArea->setThreshold(rowIndex + 1, AlarmWatch::channelOf(rowIndex) + 1, value);
    const int changed = alarmWatch.setCondition(rowIndex, value, row.comparisonComboBox->currentIndex());
    if (alarmWatch.holds(rowIndex) && !(changed & (1 << rowIndex)))
        row.alarmLabel->setAccessibleDescription(trippedDescription(rowIndex));
    showAlarmChanges(changed);
}

void Window::watchAlarms(char volt1, char volt2)
{
    showAlarmChanges(alarmWatch.addSample(static_cast<quint8>(volt1), static_cast<quint8>(volt2)));
}

void Window::showAlarmChanges(int changedRows)
{
    for (int r = 0; r < Protocol::AlarmCount; ++r) {
        if (changedRows & (1 << r))
            showAlarmState(r);
    }
    const qint64 wait = alarmWatch.nextChangeIn();
    if (wait < 0)
        alarmHoldTimer.stop();
    else if (!alarmHoldTimer.isActive() || alarmHoldTimer.remainingTime() > wait)
        alarmHoldTimer.start(int(wait));
}

// Red caption, same text, size and place; assistive tools get the state in
// the description and an alert for the change.
void Window::showAlarmState(int rowIndex)
{
    QLabel *caption = rows[rowIndex].alarmLabel;
    if (alarmWatch.holds(rowIndex)) {
        QPalette tripped = caption->palette();
        tripped.setColor(QPalette::WindowText, trippedCaptionColour(tripped));
        caption->setPalette(tripped);
        caption->setAccessibleDescription(trippedDescription(rowIndex));
    } else {
        caption->setPalette(QPalette()); // the window's own again
        caption->setAccessibleDescription(QString());
    }
    QAccessibleEvent alert(caption, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QString Window::trippedDescription(int rowIndex) const
{
    const AlarmRow &row = rows[rowIndex];
    const int volt = AlarmWatch::channelOf(rowIndex) + 1;
    const int value = row.valueSpinBox->value();
    return row.comparisonComboBox->currentIndex() == AlarmWatch::Great
            ? tr("Alarm condition holds: volt %1 is above %2").arg(volt).arg(value)
            : tr("Alarm condition holds: volt %1 is below %2").arg(volt).arg(value);
}
