#ifndef ENGINESPEAKER_H
#define ENGINESPEAKER_H

#include "speaker.h"

#include <QTextToSpeech>
#include <QTimer>

#include <memory>

// Reads texts aloud through Qt's speech engines, in this process:
// speech-dispatcher where it answers, else the offline flite engine. The engine synthesises and plays
// on threads of its own, so say() returns at once. Once the speaker is
// destroyed nothing more is said: what it was reading stops. The window
// speaks through a process of its own that holds one (SpeechSpeaker and
// duplink-speak), since Qt 6.4's sound output can crash when the engine is
// destroyed.
//
// No engine is loaded until the first prepare() or say(): a program that
// never speaks loads none and prints nothing. When speech fails (no engine,
// no audio device), one line on standard error says why, the first time;
// each text still ends with finished(), so callers never wait for it.
//
// Qt 6.4's flite engine breaks off some texts a moment after it starts them
// ("Audio streaming error."), always the same texts for a voice, different
// ones for another; such a text is read again with the next voice. After
// any failure the engine is left alone for half a second, and destroying
// the speaker within that time waits for the rest of it.
class EngineSpeaker : public Speaker
{
    Q_OBJECT

public:
    // The Debian package that brings an engine that works offline.
    static constexpr char EnginePackage[] = "qt6-speech-flite-plugin";

    explicit EngineSpeaker(QObject *parent = nullptr);
    ~EngineSpeaker() override;

    // Whether any speech engine is installed; cheap, loads none. Without
    // one, the menu entry is disabled and its tooltip names EnginePackage.
    static bool engineInstalled();

    // Loads the engine now, so that the first callout starts without delay;
    // returns whether one loaded.
    bool prepare();

    void say(const QString &text) override;
    void stop() override;

private:
    void startWaiting();
    void stateChanged(QTextToSpeech::State state);
    void engineEnded();
    void engineFailed(const QString &reason);
    bool retryWithAnotherVoice();
    void warnOnce(const QString &reason);
    void finishLater();

    std::unique_ptr<QTextToSpeech> engine;
    quint64 textNumber = 0;  // counts the texts given, to tell their ends apart
    bool busy = false;       // the newest text has not finished
    QString waiting;         // the newest text, not given to the engine yet
    QString speaking;        // the text the engine has
    bool engineBusy = false; // the engine has not reported the end of `speaking`
    bool started = false;    // ... and has begun reading it
    // A stopped text's end is still to come from the engine; the next text
    // waits for it, so that end is not taken for the next one's.
    bool draining = false;
    // After a failure the engine goes on with the failed text for a while;
    // a text given to it meanwhile can crash it.
    QTimer settling;
    int retries = 0; // of the newest text
    bool warned = false;
};

#endif
