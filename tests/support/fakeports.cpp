#include "fakeports.h"

#include <QDir>
#include <QFile>

FakePorts::FakePorts()
{
    QDir(dir.path()).mkpath(QStringLiteral("dev"));
    QDir(dir.path()).mkpath(QStringLiteral("by-id"));
}

QString FakePorts::byIdLinkOf(const QString &adapter) const
{
    return byIdFolder() + QLatin1Char('/') + adapter;
}

PortEntry &FakePorts::plug(const QString &name, const QString &adapter, qsizetype position)
{
    const QString location = device(name);
    QFile(location).open(QIODevice::WriteOnly);
    if (!adapter.isEmpty())
        QFile::link(location, byIdLinkOf(adapter));
    position = position < 0 ? listed.size() : position;
    listed.insert(position, { name, location, {}, {}, {} });
    return listed[position];
}

void FakePorts::unplug(const QString &name)
{
    listed.removeIf([&](const PortEntry &entry) { return entry.name == name; });
}

CommDialog::PortSource FakePorts::source()
{
    return [this] {
        ++polls;
        return listed;
    };
}
