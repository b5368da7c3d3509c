// Sharing and watching through a real broker on this machine, at the
// line's rate: a sharing window reads frames this program writes to a
// pseudo-terminal, a watching window and a subscriber of our own hear them.
//
//   bench_share [--seconds S] [--outage S]
//     latency from a frame written to the port to its message at the
//     subscriber, and to the report entering the watching window's history
//     (each frame's values name it); then the broker stopped for --outage
//     seconds while frames go on, and started again: how long the sharer
//     takes to connect again, and whether every report reaches the watcher,
//     in order. Also prints the latency to the sharing window's listener alone.
//
// Run with QT_QPA_PLATFORM=offscreen; prints "share key value" lines and a
// table with the budgets.
#include "historycontrol.h"
#include "mosquittobroker.h"
#include "mqttclient.h"
#include "outputcapture.h"
#include "portlistener.h"
#include "pseudoterminal.h"
#include "sharecontrol.h"
#include "sharer.h"
#include "temporarysettings.h"
#include "testframes.h"
#include "watcher.h"
#include "window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double LineRate = 960.0 / 7.0;

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

void report(const char *key, double value)
{
    std::printf("share %s %.6g\n", key, value);
    std::fflush(stdout);
}

int frameIndex(int volt1, int volt2)
{
    return volt2 * 256 + volt1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Seconds of latency."),
                                           QStringLiteral("S"), QStringLiteral("30"));
    const QCommandLineOption outageOption(QStringLiteral("outage"), QStringLiteral("Seconds the broker is away."),
                                          QStringLiteral("S"), QStringLiteral("60"));
    parser.addOptions({ secondsOption, outageOption });
    parser.process(app);
    const int seconds = parser.value(secondsOption).toInt();
    const int outage = parser.value(outageOption).toInt();

    TemporarySettings settings;
    MosquittoBroker broker;
    const QString url = broker.url(QStringLiteral("bench/1"));
    PseudoTerminal module;
    OutputCapture quiet(stdout);
    Window sharing;
    sharing.connectDevice(module.slavePath());
    sharing.shareControl()->shareTo(BrokerAddress::parse(url));
    Window watching;
    watching.watch(BrokerAddress::parse(url));
    MqttClient::Options listen;
    listen.address = BrokerAddress::parse(url);
    listen.subscriptions = { listen.address.topic("report") };
    MqttClient subscriber(listen);
    MqttClient *shareClient = sharing.shareControl()->sharer()->client();
    if (!QTest::qWaitFor([&] {
            return shareClient->isConnected() && subscriber.isConnected()
                    && watching.shareControl()->watcher()->client()->isConnected();
        }, 10000)) {
        std::fprintf(stderr, "bench_share: not connected to the broker\n");
        return 1;
    }
    QTest::qWait(500);

    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> writtenAt;
    std::vector<double> toSubscriber, toHistory;
    std::vector<int> watched;
    QObject::connect(&subscriber, &MqttClient::messageArrived, &subscriber, [&](const QByteArray &, const QByteArray &payload) {
        const QJsonObject json = QJsonDocument::fromJson(payload).object();
        const int index = frameIndex(json.value("volt1").toInt(), json.value("volt2").toInt());
        if (index < int(writtenAt.size()))
            toSubscriber.push_back(double(clock.nsecsElapsed() - writtenAt[std::size_t(index)]) / 1e6);
    });
    // To the sharing window's listener: what the line and the port take.
    std::vector<double> toListener;
    QObject::connect(sharing.findChild<PortListener *>(), &PortListener::reportVolts, &subscriber, [&](char volt1, char volt2, char, char) {
        const int index = frameIndex(quint8(volt1), quint8(volt2));
        if (index < int(writtenAt.size()))
            toListener.push_back(double(clock.nsecsElapsed() - writtenAt[std::size_t(index)]) / 1e6);
    });
    auto *watchListener = watching.findChild<PortListener *>();
    // After the history control's own connection: the report is in the history now.
    QObject::connect(watchListener, &PortListener::reportVolts, &subscriber, [&](char volt1, char volt2, char, char) {
        const int index = frameIndex(quint8(volt1), quint8(volt2));
        watched.push_back(index);
        if (index < int(writtenAt.size()))
            toHistory.push_back(double(clock.nsecsElapsed() - writtenAt[std::size_t(index)]) / 1e6);
    });
    QTimer writer;
    writer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&writer, &QTimer::timeout, &writer, [&] {
        // Due frames, one write each, at the line's rate.
        while (double(writtenAt.size()) < double(clock.elapsed()) * LineRate / 1000.0) {
            const int index = int(writtenAt.size());
            writtenAt.push_back(clock.nsecsElapsed());
            module.write(voltsFrame(quint8(index % 256), quint8(index / 256), 200, 180));
        }
    });
    writer.start(2);
    // Not QTest::qWait: it sleeps 10 ms between its rounds of events, which
    // would be measured as latency.
    QEventLoop measuring;
    QTimer::singleShot(seconds * 1000, &measuring, &QEventLoop::quit);
    measuring.exec();
    const std::size_t measured = toSubscriber.size();
    const std::vector<double> subscriberDelays = toSubscriber, historyDelays = toHistory;
    report("subscriber_p50_ms", percentile(toSubscriber, 0.5));
    report("subscriber_p99_ms", percentile(toSubscriber, 0.99));
    report("history_p50_ms", percentile(toHistory, 0.5));
    report("history_p99_ms", percentile(toHistory, 0.99));
    report("reports", double(measured));
    report("listener_p50_ms", percentile(toListener, 0.5));
    report("listener_p99_ms", percentile(toListener, 0.99));

    broker.stop();
    QTest::qWait(outage * 1000);
    QElapsedTimer away;
    away.start();
    broker.start();
    const bool back = QTest::qWaitFor([&] { return shareClient->isConnected(); }, 40000);
    const double reconnect = back ? double(away.elapsed()) / 1000.0 : -1;
    report("reconnect_s", reconnect);
    QTest::qWait(3000);
    writer.stop();
    const bool all = QTest::qWaitFor([&] { return watched.size() >= writtenAt.size(); }, 60000);
    bool inOrder = back && all && watched.size() == writtenAt.size();
    for (std::size_t i = 0; inOrder && i < watched.size(); ++i)
        inOrder = watched[i] == int(i % 65536);
    report("outage_s", outage);
    report("written", double(writtenAt.size()));
    report("watched", double(watched.size()));
    report("watched_in_order", inOrder ? 1 : 0);
    quiet.text();
    std::printf("\n%-58s %-26s %s\n", "Figure", "Measured", "Budget");
    std::printf("%-58s p50 %.1f, p99 %.1f ms      p99 <= 20 ms\n", "frame written to the port -> message at a subscriber",
                percentile(subscriberDelays, 0.5), percentile(subscriberDelays, 0.99));
    std::printf("%-58s p50 %.1f, p99 %.1f ms      p99 <= 100 ms\n", "frame written to the port -> watching window's history",
                percentile(historyDelays, 0.5), percentile(historyDelays, 0.99));
    std::printf("%-58s %.2f s (broker away %d s)    <= 2 s\n", "sharer connected again after the broker's return", reconnect, outage);
    std::printf("%-58s %zu of %zu, %s          all, in order\n", "reports at the watcher", watched.size(),
                writtenAt.size(), inOrder ? "in order" : "NOT in order");
    return 0;
}
