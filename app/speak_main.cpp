// duplink-speak: reads duplink's alarm callouts aloud, in a process apart
// from its window. Each line on standard input is a command: "say N TEXT"
// starts reading TEXT (the text before it has finished or been stopped),
// "stop" breaks off what is being read. "done N" on standard output says
// that text N has been read to its end, or could not be; a stopped text
// gets none. Ends when its input does.

#include "enginespeaker.h"
#include "translations.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace {

class Reader : public QObject
{
public:
    explicit Reader(EngineSpeaker &speaker) : speaker(speaker), input(STDIN_FILENO, QSocketNotifier::Read)
    {
        connect(&input, &QSocketNotifier::activated, this, &Reader::readCommands);
        connect(&speaker, &Speaker::finished, this, [this] {
            std::printf("done %s\n", current.constData());
            std::fflush(stdout);
        });
    }

private:
    void readCommands()
    {
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(buffer, count);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (line == "stop") {
                speaker.stop();
            } else if (line.startsWith("say ")) {
                const QByteArray rest = line.mid(4);
                const qsizetype space = rest.indexOf(' ');
                current = rest.left(space);
                speaker.say(space < 0 ? QString() : QString::fromUtf8(rest.mid(space + 1)));
            }
        }
    }

    EngineSpeaker &speaker;
    QSocketNotifier input;
    QByteArray pending;
    QByteArray current; // the number of the text being read
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    installTranslations(app); // what it has to say goes to duplink's standard error
    EngineSpeaker speaker;
    speaker.prepare();
    Reader reader(speaker);
    return app.exec();
}
