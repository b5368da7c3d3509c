#ifndef FAKEPORTS_H
#define FAKEPORTS_H

#include "commdialog.h"
#include "portentry.h"

#include <QList>
#include <QTemporaryDir>

// Ports as the system might list them, each over a file in a temporary
// folder; an adapter also has its link in a by-id folder there.
class FakePorts
{
public:
    FakePorts();

    QString path(const QString &relative) const { return dir.filePath(relative); }
    QString byIdFolder() const { return path(QStringLiteral("by-id")); }
    QString device(const QString &name) const { return path(QStringLiteral("dev/") + name); }
    QString byIdLinkOf(const QString &adapter) const;

    // Plugs in a port at `position` of the list; `adapter` names its by-id
    // link. A failure to make the files shows in the test's checks.
    PortEntry &plug(const QString &name, const QString &adapter = {}, qsizetype position = -1);
    void unplug(const QString &name);

    // The list as the port dialog asks for it, counting the asks.
    CommDialog::PortSource source();
    int polls = 0;

private:
    QTemporaryDir dir;
    QList<PortEntry> listed;
};

#endif
