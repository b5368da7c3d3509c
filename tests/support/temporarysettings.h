#ifndef TEMPORARYSETTINGS_H
#define TEMPORARYSETTINGS_H

#include <QTemporaryDir>

// While it lives, QSettings reads and writes a folder of its own instead of
// the user's config folder. Make one before anything opens settings.
class TemporarySettings
{
public:
    TemporarySettings();
    ~TemporarySettings();

    QString path() const { return folder.path(); }

private:
    QTemporaryDir folder;
};

#endif
