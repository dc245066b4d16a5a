#include "app/systempaths.h"
#include "connection/providerdatabase.h"
#include "connection/ui/config.h"
#include "modem/serialthread.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"
#include "widgets/editwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QtTest>

namespace {

QByteArray fixture() {
    return TestEnv::readFile(TestEnv::source("tests/connection/serviceproviders.xml"));
}

QString shown(const QList<ApnChoice>& choices) {
    QStringList rows;
    for (const ApnChoice& c : choices)
        rows << QStringList{c.provider, c.apn, c.userName, c.password}.join(':');
    return rows.join(" | ");
}

} // namespace

class TestProviders : public QObject {
    Q_OBJECT
private slots:
    void proposalsForImsi_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("imsi");
        QTest::addColumn<QString>("proposed");
        const QByteArray db = fixture();
        const QString telekom =
            "Telekom:internet.t-mobile:telekom:tm | Telekom:internet.v6.telekom::";
        const auto row = [](const char* tag, const QByteArray& file, const char* imsi,
                            const QString& proposed = {}) {
            QTest::newRow(tag) << file << QString(imsi) << proposed;
        };
        row("operator and its reseller, no mms", db, "262019876543210",
            telekom + " | Resale Mobil:web.resale::");
        row("second network id of an operator", db, "262061234567890", telekom);
        row("3-digit MNC first, a malformed APN left out", db, "310410123456789",
            "Three Digits:broadband::");
        row("2-digit MNC", db, "310419123456789", "Two Digits:two.digits::");
        row("unlisted network", db, "208011234567890");
        row("only a WAP APN", db, "234151234567890");
        row("not an IMSI", db, "26201ab");
        row("too short", db, "26201");
        row("file missing", QByteArray(), "262019876543210");
        row("broken XML", QByteArray(db).replace("Resale Mobil</name>", "Resale Mobil</nam>"),
            "262019876543210");
    }
    void proposalsForImsi() {
        QFETCH(QByteArray, file);
        QFETCH(QString, imsi);
        QFETCH(QString, proposed);
        TestEnv env;
        if (!file.isEmpty())
            env.writeRootFile(SystemPaths::providerDatabase().mid(env.root().size()), file);
        ProviderDatabase providers(SystemPaths::providerDatabase());
        QCOMPARE(shown(providers.internetApns(imsi)), proposed);
    }

    // A new profile on a card whose SIM is Telekom's: the dialog proposes
    // the first APN with its user, offers the others, and takes the user's
    // choice; a profile the user has begun keeps what was typed.
    void newProfileDialogIsPrefilledFromTheSim() {
        TestEnv env;
        env.writeRootFile(SystemPaths::providerDatabase().mid(env.root().size()), fixture());
        ModemSim sim;
        QVERIFY(sim.start("ready"));
        SerialThread link;
        link.firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QVERIFY(link.openPort(sim.atPort()) >= 0);

        Config dialog(nullptr, "newConfig", true, {}, QString());
        dialog.proposeFromSim(&link);
        QTRY_COMPARE(dialog.APNLineedit->text(), QString("internet.t-mobile"));
        QCOMPARE(dialog.udialNumberLineedit->text(), QString("*99#"));
        QVERIFY(dialog.useAPNRadioButton->isChecked());
        QVERIFY(dialog.APNLineedit->isEnabled());
        QVERIFY(dialog.saveUsernameCheckBox->isChecked());
        QCOMPARE(dialog.userNameLineedit->text(), QString("telekom"));
        QCOMPARE(dialog.passwordLineedit->text(), QString("tm"));
        QCOMPARE(dialog.apnChoiceComboBox->count(), 3);
        QVERIFY(!dialog.apnChoiceComboBox->isHidden());

        emit dialog.apnChoiceComboBox->activated(2);
        const ProfileRecord chosen = dialog.record();
        QCOMPARE(chosen.apn, QString("web.resale"));
        QVERIFY(chosen.useApn && !chosen.saveUserName && chosen.userName.isEmpty());

        Config begun(nullptr, "newConfig", true, {}, QString());
        begun.useAPNRadioButton->click();
        QTest::keyClicks(begun.APNLineedit, "my.apn");
        QTest::keyClicks(begun.udialNumberLineedit, "*99***1#");
        begun.proposeFor("262019876543210");
        QCOMPARE(begun.APNLineedit->text(), QString("my.apn"));
        QCOMPARE(begun.udialNumberLineedit->text(), QString("*99***1#"));
        QVERIFY(begun.apnChoiceComboBox->isHidden());
    }
};

QTEST_MAIN(TestProviders)
#include "test_providers.moc"
