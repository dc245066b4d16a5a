#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The program's own catalogue for the user's interface languages, most
// preferred first (QLocale::uiLanguages: "de-DE", "zh-Hant-TW", "en-US"...):
// "velto_de" for German, "tradition" for Chinese, an empty name for English.
// The first language the program speaks wins; none of them means English.
QString catalogueForLanguages(const QStringList& uiLanguages);

// Installs the program's catalogue for the system's language from
// `dataFolder`, and Qt's own catalogue for the same language (the texts of
// the standard dialogs and text-field menus). A missing catalogue leaves the
// texts in English.
void installTranslations(QCoreApplication& app, const QString& dataFolder);
