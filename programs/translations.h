#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QLocale>

class QCoreApplication;

// Installs on `app` the programs' translation into the first of the
// locale's user-interface languages that has one (the system's locale
// follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG), and Qt's own texts in
// that same language where Qt has them. English, where it comes first, C
// and languages without a translation install nothing: the texts stay as
// written. The translators
// belong to `app`; deleting them takes them out again.
void installTranslations(QCoreApplication &app, const QLocale &locale = QLocale());

#endif
