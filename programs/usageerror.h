#ifndef USAGEERROR_H
#define USAGEERROR_H

#include <QString>

// A usage error as every program of Duplink words it: "PROGRAM: MESSAGE"
// and a pointer to --help, on standard error, PROGRAM being the
// application's name. Returns the exit status it calls for (2).
int reportUsageError(const QString &message);

#endif
