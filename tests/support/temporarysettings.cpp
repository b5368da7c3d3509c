#include "temporarysettings.h"

#include <QSettings>
#include <QStandardPaths>

TemporarySettings::TemporarySettings()
{
    QStandardPaths::setTestModeEnabled(true);
    for (QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat })
        QSettings::setPath(format, QSettings::UserScope, folder.path());
}

TemporarySettings::~TemporarySettings()
{
    // Anything opened after this still stays away from the user's files.
    const QString elsewhere = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat })
        QSettings::setPath(format, QSettings::UserScope, elsewhere);
}
