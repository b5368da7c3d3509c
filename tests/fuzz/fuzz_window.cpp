// libFuzzer entry: each input read by a real window's listener from an
// in-memory device, then the window's graph, alarm rows and data pane checked.
#include "windowfeed.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

namespace {

WindowFeed *feed = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    (void)argc;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt gets no fuzzer flags to parse; the application and the window live
    // as long as the process, one window for every input.
    static int qtArgc = 1;
    static char *qtArgv[] = { (*argv)[0], nullptr };
    new QApplication(qtArgc, qtArgv);
    QStandardPaths::setTestModeEnabled(true); // the window's settings stay out of the user's files
    feed = new WindowFeed;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString error = feed->feed(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "window fault: %s\n", qPrintable(error));
        std::abort();
    }
    return 0;
}
