#ifndef TOOLKITOPTIONS_H
#define TOOLKITOPTIONS_H

#include <QStringList>

// The arguments without the toolkit's own options (-platform offscreen,
// -style=fusion ...), which QApplication takes out of the arguments once it
// starts and which are not ours to judge; the first argument, the program,
// stays.
QStringList withoutToolkitOptions(int argc, char *argv[]);

#endif
