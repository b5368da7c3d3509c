#ifndef REMEMBEREDPORT_H
#define REMEMBEREDPORT_H

#include <QString>

// The port last opened from the port dialog, kept in the settings so that
// the dialog offers it again next time.
struct RememberedPort
{
    QString name;      // as the dialog listed it: ttyUSB0, or a path
    QString byIdLink;  // the adapter's /dev/serial/by-id link, if it had one

    static RememberedPort load();
    static void save(const QString &name, const QString &byIdLink);

    // Whether a listed port is this one: the same adapter where its by-id
    // link is known, whatever number it has now; else the same name.
    bool matches(const QString &portName, const QString &portByIdLink) const;
};

#endif
