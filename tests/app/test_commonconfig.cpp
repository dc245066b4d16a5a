#include "app/commonconfig.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList shippedLines() {
    QFile file(TestEnv::binary("Data/config"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n');
}

void writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join('\n').toUtf8());
}

} // namespace

class TestCommonConfig : public QObject {
    Q_OBJECT
private slots:
    // The shipped file has exactly one line per entry: a line lost or added
    // shifts every entry after it, and the last one, the password, with it.
    void shippedFileFillsEveryEntry() {
        const QStringList lines = shippedLines();
        QCOMPARE(lines.size(), 136); // 135 lines and the final newline
        CommonConfig cfg;
        readConfigFile(cfg, TestEnv::binary("Data/config"));
        QCOMPARE(cfg.windowTitle, QString("Velto Modem Connection"));
        QCOMPARE(cfg.builtinProfileName, QString("Tolva Internet"));
        QCOMPARE(cfg.builtinDialNumber, QString("*99#"));
        QCOMPARE(cfg.builtinPassword, lines.at(134));
    }

    // A file whose every line holds its own number: each entry shows the
    // line it was read from (a colour its three lines, a text or number the
    // line after its label).
    void entriesComeInFileOrder() {
        QTemporaryDir dir;
        QStringList lines;
        for (int i = 0; i < 135; ++i)
            lines << QString::number(i);
        writeLines(dir.filePath("config"), lines);
        CommonConfig cfg;
        readConfigFile(cfg, dir.filePath("config"));
        const auto colour = [](int line) { return QColor(line, line + 1, line + 2); };
        QCOMPARE(cfg.windowTitle, QString("1"));
        QCOMPARE(cfg.statusLabelY, 3);
        QCOMPARE(cfg.homeLabelColor1, colour(5));
        QCOMPARE(cfg.dialogTextColor, colour(21));
        QCOMPARE(cfg.profileDialogImage, QString("25"));
        QCOMPARE(cfg.connectionCaption, QString("43"));
        QCOMPARE(cfg.unusedBrush16.color(), colour(55)); // and an image line
        QCOMPARE(cfg.profileDialogColor2, colour(94));
        QCOMPARE(cfg.showBrandButton, 98);
        QCOMPARE(cfg.useCmnetApn, 100);
        QCOMPARE(cfg.builtinProfileName, QString("102"));
        QCOMPARE(cfg.splashInitBg, colour(104));
        QCOMPARE(cfg.phonebookDialogTextColor, colour(120));
        QCOMPARE(cfg.alreadyRunningText, QString("126"));
        QCOMPARE(cfg.builtinDialNumber, QString("128"));
        QCOMPARE(cfg.builtinPassword, QString("134"));
    }

    // Lines that are no number read as 0; entries past the file's end are
    // empty texts, zeros and black; no file at all leaves the empty record.
    void shortFileAndNonNumericLines() {
        QTemporaryDir dir;
        writeLines(dir.filePath("config"), {"t", "title", "y", "not a number", "orange", "255",
                                            "128", "0", "mixed", "12", "x", "7"});
        CommonConfig cfg;
        readConfigFile(cfg, dir.filePath("config"));
        QCOMPARE(cfg.windowTitle, QString("title"));
        QCOMPARE(cfg.statusLabelY, 0);
        QCOMPARE(cfg.homeLabelColor1, QColor(255, 128, 0));
        QCOMPARE(cfg.homeLabelColor2, QColor(12, 0, 7));
        QCOMPARE(cfg.dialogTextColor, QColor(0, 0, 0));
        QCOMPARE(cfg.showBrandButton, 0);
        QCOMPARE(cfg.builtinPassword, QString());
        CommonConfig none;
        readConfigFile(none, "/nonexistent/Data/config");
        QVERIFY(none.windowTitle.isNull() && !none.homeLabelColor1.isValid());
    }

    void workingDirectoryFirstThenBesideTheExecutable() {
        QTemporaryDir elsewhere;
        const QString saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        // No Data/config here: the one beside the executable is used.
        QCOMPARE(configFilePath(), QCoreApplication::applicationDirPath() + "/Data/config");
        CommonConfig cfg;
        readConfig(cfg);
        QCOMPARE(cfg.windowTitle, QString("Velto Modem Connection"));

        // A Data/config in the working directory wins.
        QDir().mkpath("Data");
        writeLines("Data/config", {"t", "Local title"});
        QCOMPARE(configFilePath(), QString("Data/config"));
        CommonConfig local;
        readConfig(local);
        QCOMPARE(local.windowTitle, QString("Local title"));
        QVERIFY(QDir::setCurrent(saved));
    }
};

QTEST_GUILESS_MAIN(TestCommonConfig)
#include "test_commonconfig.moc"
