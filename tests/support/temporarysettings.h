#ifndef TEMPORARYSETTINGS_H
#define TEMPORARYSETTINGS_H

#include <QTemporaryDir>

// While it lives, QSettings reads and writes a folder of its own instead of
// the user's config folder, and data (the logbook's flights) go to a folder
// of its own too (XDG_DATA_HOME). Make one before anything opens settings.
class TemporarySettings
{
public:
    TemporarySettings();
    ~TemporarySettings();

    QString path() const { return folder.path(); }
    // Where the logbook keeps its flights meanwhile.
    QString flightsFolder() const;

private:
    QTemporaryDir folder;
    bool hadDataHome = false;
    QByteArray dataHome;
};

#endif
