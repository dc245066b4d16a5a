#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString resDir() {
    return QCoreApplication::applicationDirPath() + "/res/";
}

// A name as written in the code or the appearance file ("/res/x.png",
// "./res/x.png", "x.png" below res/) as a path below res/.
QString underRes(QString name) {
    while (name.startsWith("./") || name.startsWith('/'))
        name = name.mid(name.startsWith('/') ? 1 : 2);
    return name.startsWith("res/") ? name.mid(4) : name;
}

const QRegularExpression kImageName(R"re(([A-Za-z0-9_./-]+\.(?:png|jpg|bmp|gif)))re");

// Every image file name in the program's code (as string literals) or in
// the appearance file, with where it is named.
QMap<QString, QStringList> namedImages() {
    QMap<QString, QStringList> names;
    const QDir source(VELTO_SOURCE_DIR);
    QStringList files = {QCoreApplication::applicationDirPath() + "/Data/config"};
    for (const char* folder :
         {"app", "widgets", "mainwindow", "connection", "sms", "phonebook", "settings"}) {
        QDirIterator it(source.filePath(folder), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        // In the code only quoted names count; the appearance file has one per line.
        const bool code = !path.endsWith("config");
        const QRegularExpression pattern(code ? '"' + kImageName.pattern() + '"'
                                              : "^\\s*" + kImageName.pattern() + "\\s*$",
                                         QRegularExpression::MultilineOption);
        for (const auto& match : pattern.globalMatch(text))
            names[underRes(match.captured(1))] << QFileInfo(path).fileName();
    }
    return names;
}

// A bare file name ("sim_on.png") is looked up in the folders below res/.
QString resolve(const QString& name) {
    if (name.contains('/'))
        return resDir() + name;
    QDirIterator it(resDir(), {name}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : resDir() + name;
}

} // namespace

class TestImages : public QObject {
    Q_OBJECT
private slots:
    void everyNamedImageLoads() {
        const QMap<QString, QStringList> names = namedImages();
        // The frame alone names more than fifty images.
        QVERIFY2(names.size() > 50, qPrintable(QString::number(names.size())));
        QStringList missing;
        int fromConfig = 0;
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            fromConfig += it.value().contains("config") ? 1 : 0;
            if (QImage(resolve(it.key())).isNull())
                missing << it.key() + " (" + it.value().join(", ") + ")";
        }
        QVERIFY(fromConfig >= 2);
        QVERIFY2(missing.isEmpty(), qPrintable("missing or unreadable: " + missing.join("; ")));
    }
};

QTEST_MAIN(TestImages)
#include "test_images.moc"
