#include "speechspeaker.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextToSpeech>

#include <cstdio>

SpeechSpeaker::SpeechSpeaker(QObject *parent) : Speaker(parent), process(this)
{
    // What the engine has to say about itself goes where ours does.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&process, &QProcess::readyReadStandardOutput, this, &SpeechSpeaker::readAnswers);
    connect(&process, &QProcess::finished, this, &SpeechSpeaker::ended);
    connect(&process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            ended();
    });
}

SpeechSpeaker::~SpeechSpeaker()
{
    process.disconnect(this);
    process.kill(); // its sound stops with it
    process.waitForFinished(1000);
}

bool SpeechSpeaker::engineInstalled()
{
    return !QTextToSpeech::availableEngines().isEmpty() && QFileInfo(programPath()).isExecutable();
}

QString SpeechSpeaker::programPath()
{
    const QString chosen = qEnvironmentVariable("DUPLINK_SPEAKER");
    if (!chosen.isEmpty())
        return chosen;
    // Beside it in a build; installed, in the package's own folder of
    // programs for programs, wherever the prefix is.
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QLatin1String("/duplink-speak");
    return QFileInfo(beside).isExecutable() ? beside : folder + QLatin1String("/../lib/duplink/duplink-speak");
}

// Never waits: what is said meanwhile waits in the process's input until
// it runs.
void SpeechSpeaker::prepare()
{
    if (process.state() == QProcess::NotRunning)
        process.start(programPath(), {});
}

void SpeechSpeaker::say(const QString &text)
{
    busy = true;
    ++textNumber;
    prepare();
    if (process.state() == QProcess::NotRunning)
        return; // it could not start: ended() has said why, and ends the text
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    send("say " + QByteArray::number(textNumber) + ' ' + line.toUtf8());
}

void SpeechSpeaker::stop()
{
    busy = false;
    if (process.state() != QProcess::NotRunning)
        send("stop");
}

void SpeechSpeaker::send(const QByteArray &line)
{
    process.write(line + '\n');
}

// "done N" ends text N, if it is still the newest: one stopped may have
// ended before it heard so.
void SpeechSpeaker::readAnswers()
{
    const QByteArray newest = "done " + QByteArray::number(textNumber);
    while (process.canReadLine()) {
        if (process.readLine().trimmed() == newest && busy) {
            busy = false;
            emit finished();
        }
    }
}

// The process could not start, or went away: the text it had will not be
// read, and the next one starts it again.
void SpeechSpeaker::ended()
{
    if (!busy)
        return;
    if (process.exitStatus() == QProcess::CrashExit || process.error() == QProcess::FailedToStart)
        warnOnce(process.errorString());
    finishLater();
}

void SpeechSpeaker::finishLater()
{
    QMetaObject::invokeMethod(this, [this] {
        if (busy) {
            busy = false;
            emit finished();
        }
    }, Qt::QueuedConnection);
}

void SpeechSpeaker::warnOnce(const QString &reason)
{
    if (warned)
        return;
    warned = true;
    std::fprintf(stderr, "duplink: %s\n",
                 qPrintable(tr("cannot speak the alarms: %1 (%2)").arg(reason, programPath())));
}
