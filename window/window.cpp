#include "window.h"

#include "commdialog.h"
#include "devicepath.h"
#include "framecodec.h"
#include "portlistener.h"
#include "renderarea.h"

#include <QComboBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextOption>

#include <cstdio>

namespace {

const char Banner[] = "<font color=blue size=+2><center><B>"
                      "www.duplink.example"
                      "<B></center></font><P><BR>";

constexpr int ColumnCount = 7;
constexpr int FirstAlarmGridRow = 2;

void appendHexByte(QString &line, unsigned char byte)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    line.append(QLatin1Char(digits[byte >> 4]));
    line.append(QLatin1Char(digits[byte & 0x0F]));
    line.append(QLatin1Char(' '));
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

    dataBrowser = new QTextBrowser;
    dataBrowser->setText(QString::fromLatin1(Banner));
    bannerBlocks = dataBrowser->document()->blockCount();
    // The pane holds left-to-right text only. Saying so spares the layout a
    // scan of every paragraph's text whenever trimming moves them all up.
    QTextOption textOption = dataBrowser->document()->defaultTextOption();
    textOption.setTextDirection(Qt::LeftToRight);
    dataBrowser->document()->setDefaultTextOption(textOption);
    statusLabel = new QLabel(tr(" "));

    connect(rows[0].setButton, &QPushButton::released, this, &Window::alarmSet1);
    connect(rows[1].setButton, &QPushButton::released, this, &Window::alarmSet2);
    connect(rows[2].setButton, &QPushButton::released, this, &Window::alarmSet3);
    connect(rows[3].setButton, &QPushButton::released, this, &Window::alarmSet4);

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
    layout->addWidget(statusLabel, 6, 0);
    layout->addWidget(dataBrowser, 7, 0, 1, ColumnCount);
    setLayout(layout);

    setWindowTitle(tr("Torvi Duplink"));
    setWindowIcon(QIcon(QStringLiteral(":images/torvi-logo.png")));

    renderArea->setObjectName(QStringLiteral("renderArea"));
    dataBrowser->setObjectName(QStringLiteral("dataBrowser"));
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    describeForAssistiveTools();

    reconnectTimer.setInterval(ReconnectInterval);
    connect(&reconnectTimer, &QTimer::timeout, this, &Window::reconnect);
    dataFlushTimer.setSingleShot(true);
    dataFlushTimer.setInterval(0);
    connect(&dataFlushTimer, &QTimer::timeout, this, &Window::flushData);
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

// The captions alone ("Set", "when", two rows both called "Ch1 alarm") say
// little to a screen reader, so every control gets a name of its own.
void Window::describeForAssistiveTools()
{
    renderArea->setAccessibleName(tr("Telemetry graph"));
    renderArea->setAccessibleDescription(
            tr("The last 128 reports: voltage 1 in blue, voltage 2 in red, link quality in green"));
    statusLabel->setAccessibleName(tr("Link quality averages"));
    statusLabel->setAccessibleDescription(
            tr("Average link quality and half the average of the second link reading over the "
               "last 16 reports, or the state of the link"));
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

void Window::connectPort()
{
    CommDialog dialog(this, extraPorts);
    dialog.exec();
    if (dialog.result() != QDialog::Accepted) {
        emit connectionAbandoned();
        return;
    }
    std::puts("accepted:openning port ");
    connectDevice(devicePath(dialog.selectedPort()));
}

void Window::connectDevice(const QString &name)
{
    if (port)
        return;
    deviceName = name;
    port = new QSerialPort(deviceName);
    connect(port, &QSerialPort::errorOccurred, this, &Window::handlePortError);
    if (!openPort() && !deviceName.isEmpty())
        reconnectTimer.start();

    listen(port);
    listener->timer.start();
    sendRequest();
}

PortListener *Window::listen(QIODevice *device)
{
    listener = new PortListener(device, this);
    source = device;
    connect(device, &QIODevice::readyRead, listener, &PortListener::receive);
    connect(device, &QIODevice::bytesWritten, listener, &PortListener::reportWritten);
    connect(device, &QIODevice::aboutToClose, listener, &PortListener::reportClose);
    connect(listener, &PortListener::reportThreshold, this, &Window::showThreshold);
    connect(listener, &PortListener::reportData, this, &Window::showData);
    connect(listener, &PortListener::reportVolts, this, &Window::showVolts);
    return listener;
}

bool Window::openPort()
{
    if (!port->open(QIODevice::ReadWrite)) {
        const QString reason = deviceName.isEmpty()
                ? tr("No serial port was chosen")
                : tr("Cannot open %1: %2").arg(deviceName, port->errorString());
        linkProblem = reason;
        showStatus(reason, StatusEcho::WhenChanged);
        return false;
    }
    port->setBaudRate(Protocol::BaudRate);
    port->setFlowControl(QSerialPort::NoFlowControl);
    port->setParity(QSerialPort::NoParity);
    port->setDataBits(QSerialPort::Data8);
    port->setStopBits(QSerialPort::OneStop);
    return true;
}

void Window::handlePortError(QSerialPort::SerialPortError error)
{
    // Settings a device does not support (a pseudo-terminal has no modem
    // lines, say) are no reason to drop a working link.
    const bool linkLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
            || error == QSerialPort::WriteError || error == QSerialPort::UnknownError;
    if (!linkLost || !port->isOpen())
        return;
    const QString reason = port->errorString();
    // A dead device keeps reporting errors; closing it stops the flood.
    port->close();
    linkProblem = tr("Link lost: %1 (%2)").arg(describeFailure(error), reason);
    showStatus(linkProblem, StatusEcho::WhenChanged);
    reconnectTimer.start();
}

QString Window::describeFailure(QSerialPort::SerialPortError error) const
{
    switch (error) {
    case QSerialPort::ResourceError:
        return tr("%1 was unplugged or closed").arg(deviceName);
    case QSerialPort::ReadError:
        return tr("cannot read from %1").arg(deviceName);
    case QSerialPort::WriteError:
        return tr("cannot write to %1").arg(deviceName);
    default:
        return tr("%1 failed").arg(deviceName);
    }
}

void Window::reconnect()
{
    port->clearError();
    if (!port->isOpen() && !openPort())
        return;
    reconnectTimer.stop();
    linkProblem.clear();
    listener->resetDecoder();
    showStatus(tr("Link up: %1").arg(deviceName), StatusEcho::WhenChanged);
    sendRequest();
}

void Window::showStatus(const QString &message, StatusEcho echo)
{
    // A device that stays away would otherwise repeat its error every second;
    // a lost frame is news each time, and does not count as a link change.
    if (echo == StatusEcho::Always) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    } else if (message != lastLinkStatus) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        lastLinkStatus = message;
    }
    averagesPending = false; // older than this message
    statusLabel->setText(message);
}

void Window::showVolts(char volt1, char volt2, char linkq, char linkql)
{
    renderArea->addSample(volt1, volt2, linkq);

    linkqRing[ringIndex] = static_cast<quint8>(linkq);
    linkqlRing[ringIndex] = static_cast<quint8>(linkql);
    ringIndex = (ringIndex + 1) % AverageWindow;
    if (ringIndex == 0) {
        int linkqSum = 0;
        int linkqlSum = 0;
        for (int i = 0; i < AverageWindow; ++i) {
            linkqSum += linkqRing[i];
            linkqlSum += linkqlRing[i];
        }
        // The second figure is halved: the module's own scale for it.
        std::snprintf(pendingAverages, sizeof pendingAverages, "%d %d", linkqSum >> 4,
                      linkqlSum >> 5);
        averagesPending = true;
    }
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
        statusLabel->setText(QLatin1String(pendingAverages));
    }
}

void Window::showData(char *temp, int len)
{
    if (!pendingData.isEmpty())
        pendingData.append(QLatin1Char('\n'));
    for (int i = 0; i < len; ++i)
        appendHexByte(pendingData, static_cast<unsigned char>(temp[i]));
    if (++pendingLines == DataBatchLines || !dataFlushTimer.isActive())
        dataFlushTimer.start(0);
}

void Window::flushData()
{
    if (pendingData.isEmpty())
        return;
    // Trimming a full pane lays out every line again. While a backlog is
    // being read, that happens once a refresh interval or a batch of lines,
    // not after every read.
    const qint64 sinceFlush = dataFlushed.isValid() ? dataFlushed.elapsed() : RefreshInterval;
    if (sinceFlush < RefreshInterval && pendingLines < DataBatchLines && source
        && source->bytesAvailable() > 0) {
        dataFlushTimer.start(int(RefreshInterval - sinceFlush));
        return;
    }
    dataFlushed.start();
    pendingLines = 0;
    QScrollBar *scrollBar = dataBrowser->verticalScrollBar();
    const bool following = scrollBar->value() == scrollBar->maximum();

    // Plain left-aligned paragraphs, one per line: appending would carry the
    // banner's centring and font over to the data.
    QTextDocument *document = dataBrowser->document();
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertBlock(QTextBlockFormat(), QTextCharFormat());
    end.insertText(pendingData);
    pendingData.resize(0);

    const int excess = document->blockCount() - bannerBlocks - MaxDataLines;
    if (excess > 0) {
        QTextCursor cursor(document->findBlockByNumber(bannerBlocks));
        cursor.setPosition(document->findBlockByNumber(bannerBlocks + excess).position(),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (following)
        scrollBar->setValue(scrollBar->maximum());
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
    FrameTemplate frameTemplate = { Protocol::TemplateFiller, Protocol::alarmCommand(rowIndex),
                                    std::uint8_t(value), std::uint8_t(comparison),
                                    std::uint8_t(level) };
    sendCommand(frameTemplate, rowIndex + 1);
}

void Window::sendRequest()
{
    const FrameTemplate frameTemplate = { Protocol::TemplateFiller, Protocol::RequestCommand };
    sendCommand(frameTemplate);
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

    if (!sent) {
        // Keep the reason the link is down in view; it is why the frame was lost.
        const QString reason = port && port->isOpen() ? port->errorString()
                : linkProblem.isEmpty() ? tr("the port is not open") : linkProblem;
        showStatus(tr("Frame not sent: %1").arg(reason), StatusEcho::Always);
    }
}
