#include "rememberedport.h"

#include <QSettings>

namespace {

const QString NameKey = QStringLiteral("lastPort/name");
const QString ByIdKey = QStringLiteral("lastPort/byId");

} // namespace

RememberedPort RememberedPort::load()
{
    const QSettings settings;
    return { settings.value(NameKey).toString(), settings.value(ByIdKey).toString() };
}

void RememberedPort::save(const QString &name, const QString &byIdLink)
{
    QSettings settings;
    settings.setValue(NameKey, name);
    // A link left from an earlier adapter would pick the wrong one.
    if (byIdLink.isEmpty())
        settings.remove(ByIdKey);
    else
        settings.setValue(ByIdKey, byIdLink);
}

bool RememberedPort::matches(const QString &portName, const QString &portByIdLink) const
{
    if (name.isEmpty())
        return false;
    if (!byIdLink.isEmpty())
        return portByIdLink == byIdLink;
    return portName == name;
}
