#ifndef RETENTION_H
#define RETENTION_H

#include <QString>
#include <QStringList>

#include <vector>

// Which flights go when the flights take more room than they may: the
// oldest first, until the rest fit. A pinned flight never goes, nor one
// still being written. No widgets, no files: the logbook deletes.
class Retention
{
public:
    struct Flight
    {
        QString file;
        qint64 bytes = 0;
        qint64 start = 0; // what "oldest" goes by
        bool pinned = false;
        bool inProgress = false;
    };

    // The files to delete, oldest first, so that the rest take at most
    // `budget` bytes, or as near as the pinned ones allow.
    static QStringList select(std::vector<Flight> flights, qint64 budget);
};

#endif
