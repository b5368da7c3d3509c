#include "loggingspeaker.h"
#include "outputcapture.h"
#include "speechspeaker.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextToSpeech>

#include <memory>

// The installed speech engine, with or without a sound device: where there
// is none (as on CI), each text fails at once and must still end.
class tst_SpeechSpeaker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void eachTextEndsOnceWithOneWarningAtMost();
    void aStoppedTextDoesNotEnd();
    void saidWhileStarting();
    void withoutItsProgramEachTextEnds();
};

void tst_SpeechSpeaker::init()
{
    if (QTextToSpeech::availableEngines().isEmpty())
        QSKIP("no speech engine installed (qt6-speech-flite-plugin provides one)");
    QVERIFY(SpeechSpeaker::engineInstalled()); // and the program, as built
}

void tst_SpeechSpeaker::eachTextEndsOnceWithOneWarningAtMost()
{
    OutputCapture errors(stderr);
    SpeechSpeaker speaker;
    speaker.prepare();
    QSignalSpy finished(&speaker, &Speaker::finished);
    speaker.say(QStringLiteral("Alarm 1: volt 1 below 100"));
    QCOMPARE(finished.count(), 0); // never from within say()
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
    speaker.say(QStringLiteral("Alarm 1 clear"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 20000);
    speaker.say(QStringLiteral(" ")); // engines say nothing, not even that they are done
    QTRY_COMPARE(finished.count(), 3);
    const QList<QByteArray> lines = errors.programText().split('\n');
    QVERIFY2(lines.size() <= 2, errors.programText());
    QVERIFY2(lines.size() == 1 || lines[0].startsWith("duplink: cannot speak the alarms: "),
             lines[0]);
}

// The next text ends once, and only after the stopped one is out of the
// engine; destroyed while reading, the speaker stops without a crash.
void tst_SpeechSpeaker::aStoppedTextDoesNotEnd()
{
    auto speaker = std::make_unique<SpeechSpeaker>();
    QSignalSpy finished(speaker.get(), &Speaker::finished);
    speaker->say(QStringLiteral("Alarm 2: volt 1 above 200, and more words to be cut off"));
    speaker->stop();
    speaker->say(QStringLiteral("Alarm 2 clear"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
    speaker->say(QStringLiteral("Alarm 3: volt 2 above 120, and more words to be cut off"));
    speaker.reset();
}

// prepare() does not wait for the process: what is said meanwhile waits for
// it, in order. A program that ends with nothing to say ends no text.
void tst_SpeechSpeaker::saidWhileStarting()
{
    LoggingSpeaker logged;
    SpeechSpeaker speaker;
    QSignalSpy finished(&speaker, &Speaker::finished);
    speaker.prepare();
    speaker.say(QStringLiteral("Alarm 1: volt 1 below 100"));
    speaker.stop();
    speaker.say(QStringLiteral("Alarm 1 clear"));
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(logged.said(), QStringList({ "Alarm 1: volt 1 below 100", "stop", "Alarm 1 clear" }));
    speaker.say(QStringLiteral("exit")); // read, then the program ends: nothing more to end
    QTRY_COMPARE(finished.count(), 2);
    QTest::qWait(200);
    QCOMPARE(finished.count(), 2);
}

// Each time the program cannot start, the text still ends; one line says why.
void tst_SpeechSpeaker::withoutItsProgramEachTextEnds()
{
    const QByteArray program = qgetenv("DUPLINK_SPEAKER");
    qputenv("DUPLINK_SPEAKER", "/nonexistent/duplink-speak");
    OutputCapture errors(stderr);
    SpeechSpeaker speaker;
    QSignalSpy finished(&speaker, &Speaker::finished);
    for (int text = 1; text <= 2; ++text) {
        speaker.say(QStringLiteral("Alarm 1 clear"));
        QTRY_COMPARE(finished.count(), text);
    }
    qputenv("DUPLINK_SPEAKER", program);
    const QByteArray said = errors.programText();
    QVERIFY2(said.startsWith("duplink: cannot speak the alarms: ") && said.endsWith("(/nonexistent/duplink-speak)\n")
                     && said.count('\n') == 1,
             said);
}

QTEST_GUILESS_MAIN(tst_SpeechSpeaker)
#include "tst_speechspeaker.moc"
