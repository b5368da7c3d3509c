#include "usageerror.h"

#include <QCoreApplication>

#include <cstdio>

int reportUsageError(const QString &message)
{
    const QByteArray program = QCoreApplication::applicationName().toLocal8Bit();
    const QString pointer = QCoreApplication::translate("UsageError", "Try '%1 --help' for more information.");
    std::fprintf(stderr, "%s: %s\n%s\n", program.constData(), qPrintable(message),
                 qPrintable(pointer.arg(QString::fromLocal8Bit(program))));
    return 2;
}
