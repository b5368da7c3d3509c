#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The catalog's translation for the locale, installed on `app`; null when
// the folder has none.
QTranslator *install(QCoreApplication &app, const QLocale &locale, const QString &catalog,
                     const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(locale, catalog, QStringLiteral("_"), folder)
        && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

void installTranslations(QCoreApplication &app, const QLocale &locale)
{
    // The first of the user's languages that we have words for; English
    // needs none, and ends the search as any other would.
    const QTranslator *own = nullptr;
    for (const QString &name : locale.uiLanguages()) {
        const QLocale language(name);
        if (own || language.language() == QLocale::English)
            break;
        own = install(app, language, QStringLiteral("duplink"), QStringLiteral(":/translations"));
    }
    if (!own)
        return;
    // Qt's texts (standard buttons, file dialogs, the command line's "Usage:",
    // the port's errors) in our language, never in one we have no words for.
    const QLocale ours(own->language());
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalog : { "qtbase", "qtserialport" })
        install(app, ours, QLatin1String(catalog), qtFolder);
}
