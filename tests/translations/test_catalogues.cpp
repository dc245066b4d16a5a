#include "app/uilanguage.h"

#include <QDomDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The program's folders whose texts the catalogues hold.
const QStringList kSourceFolders = {"app", "mainwindow", "modem",    "connection",
                                    "sms", "phonebook",  "settings", "widgets"};

struct Entry {
    QString context;
    QString source;
    QString translation; // a plural's forms joined
    QString type;        // "unfinished", "vanished", "obsolete" or empty
};

QList<Entry> readCatalogue(const QString& path, QString* error) {
    QFile file(path);
    QDomDocument catalogue;
    if (!file.open(QIODevice::ReadOnly) || !catalogue.setContent(&file)) {
        *error = "can't read " + path;
        return {};
    }
    QList<Entry> entries;
    const QDomNodeList messages = catalogue.elementsByTagName("message");
    for (int i = 0; i < messages.size(); ++i) {
        const QDomElement message = messages.at(i).toElement();
        const QDomElement translation = message.firstChildElement("translation");
        entries.append({message.parentNode().firstChildElement("name").text(),
                        message.firstChildElement("source").text(), translation.text(),
                        translation.attribute("type")});
    }
    return entries;
}

// The placeholders of a text, sorted: "%1", "%2", "%n".
QStringList placeholders(const QString& text) {
    static const QRegularExpression marker("%(\\d|n)");
    QStringList found;
    for (const auto& match : marker.globalMatch(text))
        found.append(match.captured());
    found.removeDuplicates();
    found.sort();
    return found;
}

// The keyboard accelerators of a text ("&File": one; "&&" is a literal "&").
int accelerators(const QString& text) {
    QString rest = text;
    rest.remove("&&");
    static const QRegularExpression accelerator("&[^\\s&]");
    return static_cast<int>(rest.count(accelerator));
}

} // namespace

class TestCatalogues : public QObject {
    Q_OBJECT
private slots:
    void everyTextIsTranslated_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::newRow("Traditional Chinese") << "tradition";
        QTest::newRow("German") << "velto_de";
    }
    // The committed catalogue, refreshed from the code as it is now: a text added
    // to the code shows up unfinished, a text gone from it as vanished.
    void everyTextIsTranslated() {
        QFETCH(QString, catalogue);
        QTemporaryDir dir;
        const QString refreshed = dir.filePath(catalogue + ".ts");
        QVERIFY(QFile::copy(VELTO_SOURCE_DIR "/translations/" + catalogue + ".ts", refreshed));
        QFile::setPermissions(refreshed, QFile::ReadOwner | QFile::WriteOwner);
        QProcess lupdate;
        lupdate.setWorkingDirectory(VELTO_SOURCE_DIR);
        lupdate.start(VELTO_LUPDATE, QStringList(kSourceFolders) << "-locations"
                                                                 << "none"
                                                                 << "-ts" << refreshed);
        QVERIFY(lupdate.waitForFinished(60000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());

        QString error;
        const QList<Entry> entries = readCatalogue(refreshed, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(entries.size() > 100);
        QStringList faults;
        for (const Entry& e : entries) {
            const QString where = e.context + " \"" + e.source + "\": ";
            if (e.type == QLatin1String("vanished") || e.type == QLatin1String("obsolete"))
                faults << where + "no longer in the code";
            else if (e.type == QLatin1String("unfinished") || e.translation.isEmpty())
                faults << where + "not translated";
            else if (placeholders(e.source) != placeholders(e.translation))
                faults << where + "placeholders differ in \"" + e.translation + "\"";
            else if (accelerators(e.source) != accelerators(e.translation))
                faults << where + "accelerator lost in \"" + e.translation + "\"";
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
    void languageChoosesCatalogue_data() {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("catalogue");
        QTest::newRow("German") << QStringList{"de-DE"} << "velto_de";
        QTest::newRow("Swiss German") << QStringList{"de-CH", "en-US"} << "velto_de";
        QTest::newRow("Taiwan") << QStringList{"zh-Hant-TW", "zh-TW"} << "tradition";
        QTest::newRow("Hong Kong") << QStringList{"zh-HK"} << "tradition";
        QTest::newRow("simplified script") << QStringList{"zh-CN"} << "tradition";
        QTest::newRow("English") << QStringList{"en-US"} << "";
        QTest::newRow("C locale") << QStringList{"C"} << "";
        QTest::newRow("English before German") << QStringList{"en-GB", "de-DE"} << "";
        QTest::newRow("unknown, then German") << QStringList{"fr-FR", "de-AT"} << "velto_de";
        QTest::newRow("unknown only") << QStringList{"fr-FR"} << "";
        QTest::newRow("none") << QStringList{} << "";
    }
    void languageChoosesCatalogue() {
        QFETCH(QStringList, languages);
        QFETCH(QString, catalogue);
        QCOMPARE(catalogueForLanguages(languages), catalogue);
    }
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "test_catalogues.moc"
