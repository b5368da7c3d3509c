#ifndef WINDOW_H
#define WINDOW_H

#include "protocol.h"
#include "threshold.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QComboBox;
class QIODevice;
class QLabel;
class QPushButton;
class QSpinBox;
class QTextBrowser;
QT_END_NAMESPACE

class PortListener;
class RenderArea;

class Window : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxDataLines = 10000;
    static constexpr int ReconnectInterval = 1000; // ms

    // extraPorts are offered in the port dialog before the enumerated ports.
    explicit Window(const QStringList &extraPorts = {});
    ~Window() override;

    // Opens the named device and starts the link: settings, listener,
    // request frame; retries the open every second while it fails. Runs
    // once; the port dialog calls it on acceptance.
    void connectDevice(const QString &name);

    // Shows what arrives on any readable device; connectDevice() uses it for
    // the serial port. The listener belongs to the window.
    PortListener *listen(QIODevice *device);

    // The device path for a port name as the dialog shows it.
    static QString devicePath(const QString &portName);

signals:
    // The user closed the port dialog without choosing a port.
    void connectionAbandoned();

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void showThreshold(Threshold *threshold);
    void showVolts(char volt1, char volt2, char linkq, char linkql);
    void showData(char *temp, int len);
    void alarmSet1();
    void alarmSet2();
    void alarmSet3();
    void alarmSet4();

private:
    struct AlarmRow
    {
        QLabel *alarmLabel;
        QSpinBox *levelSpinBox;
        QPushButton *setButton;
        QLabel *whenLabel;
        QComboBox *comparisonComboBox;
        QLabel *thanLabel;
        QSpinBox *valueSpinBox;
    };
    using FrameTemplate = std::uint8_t[Protocol::TemplateSize];

    void createAlarmRow(int number, const QString &caption);
    void describeForAssistiveTools();
    void connectPort();
    bool openPort();
    void handlePortError(QSerialPort::SerialPortError error);
    QString describeFailure(QSerialPort::SerialPortError error) const;
    void reconnect();
    void alarmSet(int rowIndex);
    void sendCommand(const FrameTemplate &frameTemplate, int diagnosticNumber = 1);
    void sendRequest();
    void flushData();
    void requestRefresh();
    void refresh();
    enum class StatusEcho { Always, WhenChanged };
    void showStatus(const QString &message, StatusEcho echo);

    QSerialPort *port = nullptr;
    RenderArea *renderArea;
    AlarmRow rows[Protocol::AlarmCount];
    QTextBrowser *dataBrowser;
    QLabel *statusLabel;

    QString deviceName;
    PortListener *listener = nullptr;
    QStringList extraPorts;
    bool firstShowDone = false;
    QTimer reconnectTimer;
    QString linkProblem; // why the link is down, empty while it is up
    QString lastLinkStatus; // the last link message printed

    // Link-quality averaging over the last 16 volts reports.
    static constexpr int AverageWindow = 16;
    quint8 linkqRing[AverageWindow] = {};
    quint8 linkqlRing[AverageWindow] = {};
    quint8 ringIndex = 0;

    // The graph and the averages reach the screen at most once a refresh
    // interval: a paint per report would cost more than the report itself.
    static constexpr int RefreshInterval = 40; // ms
    QTimer refreshTimer;
    QElapsedTimer sinceRefresh;
    char pendingAverages[24] = {}; // room for any two ints
    bool averagesPending = false;

    // Hex lines wait here until the event loop comes round, so the lines of
    // one read reach the data pane in one append.
    QString pendingData;
    int pendingLines = 0;
    static constexpr int DataBatchLines = 256; // bounds the time one append takes
    int bannerBlocks = 0;
    QTimer dataFlushTimer;
    QElapsedTimer dataFlushed;
    QIODevice *source = nullptr; // what the listener reads
};

#endif
