#ifndef MOSQUITTOBROKER_H
#define MOSQUITTOBROKER_H

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A real mosquitto broker for a test, on a free loopback port, with a
// configuration file and a folder of its own: anonymous clients allowed
// unless the extra lines say otherwise, its sessions kept over a restart.
// stop() and start() take it away and bring it back on the same port.
class MosquittoBroker
{
public:
    // Lines added to the listener's configuration (certfile, password_file...).
    explicit MosquittoBroker(const QStringList &extraConfig = {});
    ~MosquittoBroker();
    MosquittoBroker(const MosquittoBroker &) = delete;
    MosquittoBroker &operator=(const MosquittoBroker &) = delete;

    // Whether it accepts connections within five seconds.
    bool start();
    void stop(); // as systemd stops it: SIGTERM, its sessions saved
    bool isRunning() const { return broker.state() == QProcess::Running; }

    int port() const { return listenPort; }
    QString folder() const { return files.path(); }
    // mqtt://127.0.0.1:PORT/base (mqtts:// with tls)
    QString url(const QString &base, bool tls = false) const;
    // -h 127.0.0.1 -p PORT, for mosquitto_sub and mosquitto_pub.
    QStringList clientArguments() const;
    QString log() const;

private:
    QTemporaryDir files;
    QProcess broker;
    int listenPort = 0;
};

// What the tests' mosquitto_sub prints with -v: "TOPIC PAYLOAD" lines.
QStringList subscriberLines(const QByteArray &output, const QString &topic);

#endif
