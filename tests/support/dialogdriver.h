#ifndef DIALOGDRIVER_H
#define DIALOGDRIVER_H

#include <QObject>
#include <QStringList>

class Window;

// Answers a window's port dialog once it is up, the way a user would: OK,
// closing it (the close request the window manager's close button sends),
// or Escape. Start it before the window's first show, which runs the dialog
// modally.
class DialogDriver : public QObject
{
public:
    enum Answer { Accept, Reject, Escape };

    DialogDriver(Window *window, Answer answer);

    int dialogsSeen = 0;
    QStringList offeredPorts;

private:
    void answerWhenShown();

    Window *window;
    Answer answer;
};

#endif
