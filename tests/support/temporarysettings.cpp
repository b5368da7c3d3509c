#include "temporarysettings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

TemporarySettings::TemporarySettings()
{
    QStandardPaths::setTestModeEnabled(true);
    for (QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat })
        QSettings::setPath(format, QSettings::UserScope, folder.path());
    hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(QDir(folder.path()).filePath(QStringLiteral("data"))));
}

QString TemporarySettings::flightsFolder() const
{
    return QDir(folder.path()).filePath(QStringLiteral("data/duplink/flights"));
}

TemporarySettings::~TemporarySettings()
{
    // Anything opened after this still stays away from the user's files.
    const QString elsewhere = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat })
        QSettings::setPath(format, QSettings::UserScope, elsewhere);
    if (hadDataHome)
        qputenv("XDG_DATA_HOME", dataHome);
    else
        qunsetenv("XDG_DATA_HOME");
}
