// Fidelity check with an AT client written elsewhere: Debian's gammu talks
// to the simulator's AT port. Each gammu run spends about 4 s in its own
// fixed waits, so the checks share one simulator and stay few.

#include "tests/support/modemsim.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

class TestModemSimGammu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void identify();
    void getAllSms();
    void getAllMemory();
    void sendSms();

private:
    ModemSim sim_;
    QString gammu(const QStringList& args, int* exitCode = nullptr);
};

void TestModemSimGammu::initTestCase() {
    QVERIFY2(QFileInfo::exists("/usr/bin/gammu"), "gammu is not installed (scripts/packages.txt)");
    QVERIFY(sim_.start("ready"));
    QFile rc(sim_.dir() + "/gammurc");
    QVERIFY(rc.open(QIODevice::WriteOnly));
    rc.write("[gammu]\ndevice = " + sim_.atPort().toUtf8() + "\nconnection = at\n");
}

// Runs gammu with a private configuration and home folder.
QString TestModemSimGammu::gammu(const QStringList& args, int* exitCode) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", sim_.dir());
    env.insert("LC_ALL", "C.UTF-8");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("/usr/bin/gammu", QStringList{"-c", sim_.dir() + "/gammurc"} + args);
    if (!p.waitForFinished(40000))
        p.kill();
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAll());
}

void TestModemSimGammu::identify() {
    int code = -1;
    const QString out = gammu({"identify"}, &code);
    QVERIFY2(code == 0, qPrintable(out));
    QVERIFY2(out.contains(QRegularExpression("Manufacturer\\s+: Velto")), qPrintable(out));
    QVERIFY(out.contains(QRegularExpression("IMEI\\s+: 358011020345678")));
    QVERIFY(out.contains(QRegularExpression("SIM IMSI\\s+: 262019876543210")));
    // gammu's start-up needs these two answered OK.
    QVERIFY(sim_.received().contains("AT+CFUN=1"));
}

void TestModemSimGammu::getAllSms() {
    int code = -1;
    const QString out = gammu({"getallsms"}, &code);
    QVERIFY2(code == 0, qPrintable(out));
    // gammu decodes the simulator's own PDUs: senders, texts, statuses, both storages.
    QVERIFY2(out.contains("Are we still meeting at eight?"), qPrintable(out));
    QVERIFY(out.contains("Grüße aus München! Bis bald."));
    QVERIFY(out.contains("\"+491711234567\""));
    QVERIFY(out.contains("Draft: call me back"));
    QVERIFY(out.contains("Meeting moved to 10:00"));
    QVERIFY(out.contains("Sent                 : Mon Nov 30 18:02:11 2026"));
    QVERIFY(out.contains("8 SMS parts in 8 SMS sequences"));
}

void TestModemSimGammu::getAllMemory() {
    int code = -1;
    const QString out = gammu({"getallmemory", "SM"}, &code);
    QVERIFY2(code == 0, qPrintable(out));
    for (const char* name :
         {"Anna Berger", "Ben Okafor", "Jürgen Müller", "Office", "Chloé Durand"})
        QVERIFY2(out.contains(QString("\"%1\"").arg(QString::fromUtf8(name))), qPrintable(out));
    QVERIFY(out.contains("\"+4915112345678\""));
}

void TestModemSimGammu::sendSms() {
    int code = -1;
    const QString out =
        gammu({"sendsms", "TEXT", "+4917099999", "-text", "Grüße vom Test €"}, &code);
    QVERIFY2(code == 0, qPrintable(out));
    QVERIFY(out.contains("message reference=1"));
    // The simulator recorded gammu's PDU, and its own decoder reads it back.
    QCOMPARE(sim_.sentPdus().size(), 1);
    // Destination: 10 digits, international.
    QVERIFY(sim_.sentPdus().first().contains("0A919471909999"));
    QVERIFY2(sim_.control({"sent"}).contains("SUBMIT to +4917099999 7bit: Grüße vom Test €"),
             qPrintable(sim_.control({"sent"})));
}

QTEST_GUILESS_MAIN(TestModemSimGammu)
#include "test_modemsim_gammu.moc"
