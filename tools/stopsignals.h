#ifndef STOPSIGNALS_H
#define STOPSIGNALS_H

#include <QObject>

QT_BEGIN_NAMESPACE
class QSocketNotifier;
QT_END_NAMESPACE

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal, through a self-pipe, so
// that the program can stop from its event loop and run its destructors.
// One instance per process.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

    bool isValid() const { return notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void readPipe();

    int pipeFds[2] = { -1, -1 };
    QSocketNotifier *notifier = nullptr;
};

#endif
