#include "app/uilanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString catalogueForLanguages(const QStringList& uiLanguages) {
    for (const QString& tag : uiLanguages) {
        const QString language = tag.section(QLatin1Char('-'), 0, 0).toLower();
        if (language == QLatin1String("de"))
            return QStringLiteral("velto_de");
        // Traditional Chinese is the one Chinese catalogue; readers of the
        // simplified script read it far more easily than English.
        if (language == QLatin1String("zh"))
            return QStringLiteral("tradition");
        if (language == QLatin1String("en") || language == QLatin1String("c"))
            return {};
    }
    return {};
}

namespace {

// The name of Qt's own catalogue for the language of `catalogue`.
QString qtCatalogueFor(const QString& catalogue) {
    if (catalogue == QLatin1String("velto_de"))
        return QStringLiteral("qtbase_de");
    if (catalogue == QLatin1String("tradition"))
        return QStringLiteral("qtbase_zh_TW");
    return {};
}

} // namespace

void installTranslations(QCoreApplication& app, const QString& dataFolder) {
    const QString catalogue = catalogueForLanguages(QLocale::system().uiLanguages());
    if (catalogue.isEmpty())
        return;
    auto* qtTranslator = new QTranslator(&app);
    if (qtTranslator->load(qtCatalogueFor(catalogue),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtTranslator);
    auto* translator = new QTranslator(&app);
    if (translator->load(catalogue, dataFolder))
        app.installTranslator(translator);
}
