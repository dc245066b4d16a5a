// Fidelity check with an AT client written elsewhere: Debian's gammu reads
// the simulator's phonebook (its names in every character set) on the AT
// port. The simulator's messages need no such check here: the program's
// decoder, checked against gammu's in tests/sms/test_gammu, reads them in
// the message tests.

#include "tests/support/modemsim.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

class TestModemSimGammu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void getAllMemory();

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

void TestModemSimGammu::getAllMemory() {
    int code = -1;
    const QString out = gammu({"getallmemory", "SM"}, &code);
    QVERIFY2(code == 0, qPrintable(out));
    for (const char* name :
         {"Anna Berger", "Ben Okafor", "Jürgen Müller", "Office", "Chloé Durand"})
        QVERIFY2(out.contains(QString("\"%1\"").arg(QString::fromUtf8(name))), qPrintable(out));
    QVERIFY(out.contains("\"+4915112345678\""));
}

QTEST_GUILESS_MAIN(TestModemSimGammu)
#include "test_modemsim_gammu.moc"
