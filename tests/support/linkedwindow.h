#ifndef LINKEDWINDOW_H
#define LINKEDWINDOW_H

#include "pseudoterminal.h"
#include "window.h"

#include <QByteArray>
#include <QList>

// A window whose link runs over a real pseudo-terminal; the request frame
// the window sends on connecting has been read off already.
struct LinkedWindow
{
    LinkedWindow();

    bool send(const QByteArray &bytes) { return pty.write(bytes); }

    PseudoTerminal pty;
    Window window;
};

// A widget of the window by its object name; the alarm rows' by kind and
// row number ("valueSpinBox", 3).
template <typename T>
T *child(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

template <typename T>
T *rowChild(const QWidget &window, const char *kind, int row)
{
    return window.findChild<T *>(QLatin1String(kind) + QString::number(row));
}

// An alarm row's level, comparison and value, as the row shows them.
QList<int> rowSettings(const QWidget &window, int row);
// Sets a row's comparison (0 less, 1 great) and value, as the user would.
void setRowCondition(const QWidget &window, int row, int comparison, int value);

#endif
