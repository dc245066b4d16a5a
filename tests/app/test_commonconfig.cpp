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
    void shippedFileFillsEveryEntry() {
        const QStringList lines = shippedLines();
        QCOMPARE(lines.size(), 136); // 135 lines and the final newline
        CommonConfig cfg;
        readConfigFile(cfg, TestEnv::binary("Data/config"));
        QCOMPARE(cfg.windowTitle, QString("Velto Modem Connection"));
        QVERIFY(cfg.statusLabelY > 0 && cfg.statusLabelY < 480);
        QVERIFY(cfg.homeLabelColor1.isValid());
        QCOMPARE(cfg.builtinProfileName, QString("Tolva Internet"));
        QCOMPARE(cfg.builtinDialNumber, QString("*99#"));
        QVERIFY(!cfg.builtinApn.isEmpty());
        QVERIFY(!cfg.alreadyRunningText.isEmpty());
        QCOMPARE(cfg.showBrandButton, 1);
        QVERIFY(cfg.splashInitBg.isValid() && cfg.splashInitText.isValid());
        // The last entry is the password line: the file has exactly enough lines.
        QCOMPARE(cfg.builtinPassword, lines.at(134));
    }

    void entriesComeInFileOrder() {
        // Build a file whose every value is distinct, then check a few
        // fields at the start, in the middle and at the end.
        QTemporaryDir dir;
        QStringList lines;
        int n = 0;
        auto text = [&](const QString& v) { lines << "label" << v; };
        auto num = [&](int v) { lines << "label" << QString::number(v); };
        auto color = [&]() {
            lines << "label" << QString::number(n % 256) << QString::number((n + 1) % 256)
                  << QString::number((n + 2) % 256);
            ++n;
        };
        auto brush = [&]() {
            color();
            lines << "";
        };
        text("title");
        num(17);
        for (int i = 0; i < 5; ++i)
            color(); // 2-6
        text("image7");
        for (int i = 0; i < 4; ++i)
            color(); // 8-11
        text("caption12");
        text("image13");
        color(); // 14
        color(); // 15
        brush(); // 16
        color(); // 17
        brush(); // 18
        color(); // 19
        brush(); // 20
        for (int i = 0; i < 5; ++i)
            color(); // 21-25
        num(0);      // 26
        num(3);      // 27
        text("Profile28");
        for (int i = 0; i < 5; ++i)
            color(); // 29-33
        text("t34");
        text("running35");
        text("dial36");
        text("apn37");
        text("user38");
        text("pass39");
        QCOMPARE(lines.size(), 135);
        writeLines(dir.filePath("config"), lines);

        CommonConfig cfg;
        readConfigFile(cfg, dir.filePath("config"));
        QCOMPARE(cfg.windowTitle, QString("title"));
        QCOMPARE(cfg.statusLabelY, 17);
        QCOMPARE(cfg.homeLabelColor1, QColor(0, 1, 2));
        QCOMPARE(cfg.dialogTextColor, QColor(4, 5, 6));
        QCOMPARE(cfg.profileDialogImage, QString("image7"));
        QCOMPARE(cfg.unusedColor11, QColor(8, 9, 10));
        QCOMPARE(cfg.connectionCaption, QString("caption12"));
        QCOMPARE(cfg.connectionImage, QString("image13"));
        QCOMPARE(cfg.unusedBrush16.color(), QColor(11, 12, 13));
        QCOMPARE(cfg.unusedBrush20.color(), QColor(15, 16, 17));
        QCOMPARE(cfg.profileDialogColor2, QColor(20, 21, 22));
        QCOMPARE(cfg.showBrandButton, 0);
        QCOMPARE(cfg.useCmnetApn, 3);
        QCOMPARE(cfg.builtinProfileName, QString("Profile28"));
        QCOMPARE(cfg.splashInitBg, QColor(21, 22, 23));
        QCOMPARE(cfg.phonebookDialogTextColor, QColor(25, 26, 27));
        QCOMPARE(cfg.alreadyRunningText, QString("running35"));
        QCOMPARE(cfg.builtinDialNumber, QString("dial36"));
        QCOMPARE(cfg.builtinPassword, QString("pass39"));
    }

    void fileEndingEarlyGivesEmptyTextsZerosAndBlack() {
        QTemporaryDir dir;
        writeLines(dir.filePath("config"), shippedLines().mid(0, 9)); // title, y, one colour
        CommonConfig cfg;
        readConfigFile(cfg, dir.filePath("config"));
        QCOMPARE(cfg.windowTitle, QString("Velto Modem Connection"));
        QVERIFY(cfg.homeLabelColor1.isValid());
        QCOMPARE(cfg.homeLabelColor2, QColor(0, 0, 0));
        QCOMPARE(cfg.showBrandButton, 0);
        QVERIFY(cfg.alreadyRunningText.isEmpty());
        QCOMPARE(cfg.builtinPassword, QString());
    }

    void missingFileLeavesTheEmptyRecord() {
        CommonConfig cfg;
        readConfigFile(cfg, "/nonexistent/Data/config");
        QVERIFY(cfg.windowTitle.isNull());
        QVERIFY(cfg.alreadyRunningText.isNull());
        QVERIFY(!cfg.homeLabelColor1.isValid());
        QVERIFY(!cfg.splashInitBg.isValid());
        QCOMPARE(cfg.statusLabelY, 0);
    }

    void orangeAndNonNumericLines() {
        QTemporaryDir dir;
        writeLines(dir.filePath("config"), {"t", "title", "y", "not a number", "orange", "255",
                                            "128", "0", "mixed", "12", "x", "7"});
        CommonConfig cfg;
        readConfigFile(cfg, dir.filePath("config"));
        QCOMPARE(cfg.statusLabelY, 0);
        QCOMPARE(cfg.homeLabelColor1, QColor(255, 128, 0));
        QCOMPARE(cfg.homeLabelColor2, QColor(12, 0, 7));
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
