#ifndef SPEECHSPEAKER_H
#define SPEECHSPEAKER_H

#include "speaker.h"

#include <QProcess>

// Reads texts aloud through a speech engine that runs in a process of its
// own (duplink-speak, an EngineSpeaker behind a line on its standard input
// and output). Qt 6.4's sound output can crash while an engine is torn
// down; there it takes only the speaking process with it, never the window,
// and the next text starts a new one. The process also keeps synthesis off
// the window's cores' hands.
//
// Nothing is started until the first prepare() or say(). When the process
// cannot start or ends while a text waits, one line on standard error says
// why, the first time; each text still ends with finished(). Once the
// speaker is destroyed the process is gone and nothing more is said.
class SpeechSpeaker : public Speaker
{
    Q_OBJECT

public:
    // The Debian package that brings an engine that works offline.
    static constexpr char EnginePackage[] = "qt6-speech-flite-plugin";

    explicit SpeechSpeaker(QObject *parent = nullptr);
    ~SpeechSpeaker() override;

    // Whether a speech engine and the speaking program are installed; cheap,
    // loads no engine. Without them, the menu entry is disabled and its
    // tooltip names EnginePackage.
    static bool engineInstalled();
    // Where the speaking program is: $DUPLINK_SPEAKER, else beside this
    // program, else in lib/duplink beside its bin folder.
    static QString programPath();

    // Starts the process and its engine now, so the first callout starts
    // without delay; returns at once.
    void prepare();
    void say(const QString &text) override;
    void stop() override;

private:
    void send(const QByteArray &line);
    void readAnswers();
    void ended();
    void finishLater();
    void warnOnce(const QString &reason);

    QProcess process;
    quint64 textNumber = 0; // of the newest text, to tell its "done" from a stopped one's
    bool busy = false; // the newest text has not finished
    bool warned = false;
};

#endif
