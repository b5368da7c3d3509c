#include "linkedwindow.h"

#include "outputcapture.h"
#include "testframes.h"

LinkedWindow::LinkedWindow()
{
    OutputCapture quiet(stdout);
    window.connectDevice(pty.slavePath());
    requestBytes = pty.read(RequestFrame.size());
    requestLine = quiet.programText();
}
