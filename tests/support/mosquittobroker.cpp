#include "mosquittobroker.h"

#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString mosquittoProgram()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    return found.isEmpty()
            ? QStandardPaths::findExecutable(QStringLiteral("mosquitto"), { QStringLiteral("/usr/sbin") })
            : found;
}

} // namespace

MosquittoBroker::MosquittoBroker(const QStringList &extraConfig)
    : listenPort(freePort())
{
    QFile config(files.filePath(QStringLiteral("mosquitto.conf")));
    config.open(QIODevice::WriteOnly);
    const QStringList lines = QStringList{
        // Run by root, as in CI, it would otherwise become the user
        // "mosquitto", who cannot read the test's folder.
        QStringLiteral("user %1").arg(QString::fromLocal8Bit(getpwuid(getuid())->pw_name)),
        QStringLiteral("per_listener_settings true"),
        QStringLiteral("persistence true"),
        QStringLiteral("persistence_location %1/").arg(files.path()),
        QStringLiteral("max_queued_messages 200000"),
        QStringLiteral("log_dest file %1/mosquitto.log").arg(files.path()),
        QStringLiteral("listener %1 127.0.0.1").arg(listenPort),
        QStringLiteral("allow_anonymous %1")
                .arg(extraConfig.filter(QStringLiteral("password_file")).isEmpty() ? "true" : "false"),
    } + extraConfig;
    config.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    config.close();
    start();
}

MosquittoBroker::~MosquittoBroker()
{
    broker.kill();
    broker.waitForFinished(2000);
}

bool MosquittoBroker::start()
{
    if (!isRunning())
        broker.start(mosquittoProgram(), { QStringLiteral("-c"), files.filePath(QStringLiteral("mosquitto.conf")) });
    return QTest::qWaitFor([this] {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, quint16(listenPort));
        return isRunning() && probe.waitForConnected(100);
    }, 5000);
}

void MosquittoBroker::stop()
{
    if (!isRunning())
        return;
    ::kill(pid_t(broker.processId()), SIGTERM);
    broker.waitForFinished(5000);
}

QString MosquittoBroker::url(const QString &base, bool tls) const
{
    return QStringLiteral("%1://127.0.0.1:%2/%3").arg(tls ? "mqtts" : "mqtt").arg(listenPort).arg(base);
}

QStringList MosquittoBroker::clientArguments() const
{
    return { QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(listenPort) };
}

QString MosquittoBroker::log() const
{
    QFile file(files.filePath(QStringLiteral("mosquitto.log")));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

QStringList subscriberLines(const QByteArray &output, const QString &topic)
{
    QStringList payloads;
    const QString prefix = topic + QLatin1Char(' ');
    for (const QString &line : QString::fromUtf8(output).split(QLatin1Char('\n'))) {
        if (line.startsWith(prefix))
            payloads << line.mid(prefix.size());
    }
    return payloads;
}
