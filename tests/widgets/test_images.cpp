#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The folders whose code loads images.
const char* const sourceFolders[] = {"app", "widgets",   "mainwindow", "connection",
                                     "sms", "phonebook", "settings"};

QString resDir() {
    return QCoreApplication::applicationDirPath() + "/res/";
}

// A name as written in the code ("/res/x.png", "./res/x.png", "x.png" below
// res/) as a path below res/.
QString underRes(QString name) {
    while (name.startsWith("./") || name.startsWith('/'))
        name = name.mid(name.startsWith('/') ? 1 : 2);
    if (name.startsWith("res/"))
        name = name.mid(4);
    return name;
}

// Every image file name written as a string literal in the program's code,
// with the files that name it.
QMap<QString, QStringList> imageNamesInCode() {
    static const QRegularExpression literal(R"re("([A-Za-z0-9_./-]+\.(?:png|jpg|bmp|gif))")re");
    QMap<QString, QStringList> names;
    const QDir source(VELTO_SOURCE_DIR);
    for (const char* folder : sourceFolders) {
        QDirIterator it(source.filePath(folder), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (const auto& match : literal.globalMatch(text))
                names[underRes(match.captured(1))] << source.relativeFilePath(path);
        }
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
    void everyImageTheCodeNamesExists();
    void imagesOfTheAppearanceFileExist();
    void sizesFitTheLayout();
    void newMessageIndicatorIsAnimated();
};

void TestImages::everyImageTheCodeNamesExists() {
    const QMap<QString, QStringList> names = imageNamesInCode();
    // The frame alone names more than fifty images.
    QVERIFY2(names.size() > 50, qPrintable(QString::number(names.size())));
    QStringList missing;
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        const QImage image(resolve(it.key()));
        if (image.isNull())
            missing << it.key() + " (" + it.value().join(", ") + ")";
    }
    QVERIFY2(missing.isEmpty(), qPrintable("missing or unreadable: " + missing.join("; ")));
}

void TestImages::imagesOfTheAppearanceFileExist() {
    QFile config(QCoreApplication::applicationDirPath() + "/Data/config");
    QVERIFY(config.open(QIODevice::ReadOnly));
    int checked = 0;
    for (const QByteArray& raw : config.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (!line.contains(QRegularExpression(R"(\.(png|jpg|bmp|gif)$)")))
            continue;
        QVERIFY2(!QImage(resDir() + underRes(line)).isNull(), qPrintable(line));
        ++checked;
    }
    QVERIFY(checked >= 2);
}

void TestImages::sizesFitTheLayout() {
    const struct {
        const char* name;
        QSize size;
    } fixed[] = {
        {"startingWindow.jpg", {388, 246}},
        {"base/baseBG.png", {640, 480}},
        {"base/centralBG626x317.jpg", {626, 317}},
        {"messageBox/part5MessageBox.jpg", {238, 150}},
        {"messageBox/barMessageBOX238x23.bmp", {238, 23}},
        {"component/ImageList_TrayMain2.png", {16, 16}},
        {"component/ImageList_RSSILevel1.png", {32, 17}},
        {"component/ImageList_RSSILevel5.png", {32, 17}},
    };
    for (const auto& image : fixed)
        QCOMPARE(QImageReader(resDir() + image.name).size(), image.size);

    // The window shape leaves the corners out and keeps the middle.
    const QImage shape(resDir() + "base/baseBG.png");
    QCOMPARE(qAlpha(shape.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(shape.pixel(320, 240)), 255);
}

void TestImages::newMessageIndicatorIsAnimated() {
    QImageReader reader(resDir() + "component/ImageList_NewSms.gif");
    QVERIFY(reader.supportsAnimation());
    QVERIFY(reader.imageCount() > 1);
}

QTEST_MAIN(TestImages)
#include "test_images.moc"
