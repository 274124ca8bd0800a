#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The first catalogue that matches one of the user's languages, in the order
// the user ranks them (LANGUAGE before LANG).
void installCatalogue(QCoreApplication &app, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(), name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(QCoreApplication &app, const QString &folder)
{
    // English is the source language: a user who ranks it first sees no
    // German only because German comes second.
    const QStringList languages = QLocale().uiLanguages();
    if (!languages.isEmpty() && languages.constFirst().startsWith(u"en"))
        return;
    installCatalogue(app, QStringLiteral("qtbase"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installCatalogue(app, QStringLiteral("vireo"), folder);
}
