#ifndef WINDOW_H
#define WINDOW_H

#include "devicepath.h"
#include "framecodec.h"
#include "linkqualityaverage.h"
#include "menucontrols.h"
#include "protocol.h"
#include "refreshthrottle.h"
#include "threshold.h"

#include <QString>
#include <QStringList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QIODevice;
class QSerialPort;
QT_END_NAMESPACE

class AlarmRows;
class BrokerAddress;
class ChannelsControl;
class DataPane;
class HistoryControl;
class LogbookControl;
class PortListener;
class RecordingControl;
class ReplayDevice;
class RenderArea;
class SerialConnection;
class SerialLink;
class ShareControl;
class StatusLine;

class Window : public QWidget
{
    Q_OBJECT

public:
    // The graph and the averages reach the screen at most once a refresh
    // interval: a paint per report would cost more than the report itself.
    // At the line rate a refresh waits for the next report after the
    // interval, up to 7 ms more: the graph is redrawn some 22 times a second.
    static constexpr int RefreshInterval = 40; // ms, unless set otherwise

    // extraPorts are offered in the port dialog before the enumerated ports.
    explicit Window(const QStringList &extraPorts = {});
    ~Window() override;

    // Opens the named device and starts the link: settings, listener,
    // request frame; retries the open every second while it fails. A device
    // with a link in the by-id folder is opened through it, so a reconnect
    // finds the same adapter again. Runs once; the port dialog calls it on
    // acceptance.
    void connectDevice(const QString &name);

    // Where the adapters' stable links are, for the port dialog and
    // connectDevice(); /dev/serial/by-id unless told otherwise.
    void setByIdFolder(const QString &folder) { byIdFolder = folder; }

    // Shows what arrives on any readable device; connectDevice() uses it for
    // the serial port. The listener belongs to the window.
    PortListener *listen(QIODevice *device);

    // Plays a recorded session instead of asking for a port: the window
    // shows it as it showed it live; `name` names it in the title.
    void showReplay(ReplayDevice *device, const QString &name);

    // Watches a session shared from another machine instead of asking for a
    // port: the window shows it as if the module were here, but sends it
    // nothing; the title names the base topic.
    void watch(const BrokerAddress &address);

    // Records everything from the moment the link is up (or a replay
    // starts), to a file whose extension says its format.
    void recordFromLinkUp(const QString &path);

    void setRefreshInterval(int ms) { refreshThrottle->setInterval(ms); }

    // Every report since the start, and the "Flight history" window.
    HistoryControl *historyControl() const { return controls->history(); }
    // The logbook, which keeps every session with a link, and the "Flights" window.
    LogbookControl *logbookControl() const { return controls->logbook(); }
    // Sharing the session through a broker.
    ShareControl *shareControl() const { return controls->share(); }

signals:
    // The user closed the port dialog without choosing a port.
    void connectionAbandoned();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void showThreshold(Threshold *threshold);
    void showVolts(char volt1, char volt2, char linkq, char linkql);
    void showData(char *temp, int len);
    void alarmSet1();
    void alarmSet2();
    void alarmSet3();
    void alarmSet4();

private:
    void layOut();
    void describeForAssistiveTools();
    void setUpControls();
    void setUpChannels();
    void setUpMenus();
    void connectPort();
    void showReportsOf(PortListener *reporter);
    void alarmSet(int rowIndex);
    void sendCommand(const FrameTemplate &frameTemplate, int diagnosticNumber = 1);
    void sendRequest();
    void refresh();
    void showLinkStatus(const QString &message);
    void replayEnded(ReplayDevice *device);
    void updateTitle();
    void showStatus(const QString &message, const QString &more = {}, const QString &advice = {});

    // Reading the graph: each alarm row's threshold on the graph, and the
    // graph's remembered setting.
    void setUpGraphReading();

    QSerialPort *port = nullptr;
    RenderArea *renderArea;
    AlarmRows *rows;
    DataPane *dataBrowser;
    StatusLine *statusLabel;

    PortListener *listener = nullptr;
    SerialConnection *connection = nullptr;
    SerialLink *link = nullptr;
    QStringList extraPorts;
    QString byIdFolder = defaultByIdFolder();
    bool firstShowDone = false;
    MenuControls *controls;
    RecordingControl *recording;
    ChannelsControl *channels;
    QString replayName; // of the recording played, while it is a replay
    QString watchedTopic; // the base topic, while watching a shared session

    LinkQualityAverage averages;
    bool averagesPending = false;
    RefreshThrottle *refreshThrottle;
};

#endif
