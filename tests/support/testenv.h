#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private world for one test: a system root (every SystemPaths path goes
// below it) and a program folder whose Data/ is a fresh copy of the built
// program's Data/ and whose res/ points at the built images. Constructing it
// redirects SystemPaths and the program folder; destruction restores both and removes
// the folders.
class TestEnv {
public:
    TestEnv();
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString root() const;                            // the system root
    QString base() const;                            // the program folder
    QString rootPath(const QString& absolute) const; // root() + absolute
    QString dataPath(const QString& name) const;     // base() + "/Data/" + name

    // Writes `contents` to root() + absolute, creating folders.
    void writeRootFile(const QString& absolute, const QByteArray& contents) const;
    static QByteArray readFile(const QString& path);

    // Path of a program built beside the tests (the program, the simulator, tools).
    static QString binary(const QString& name);
    // Path of a file of the project's sources ("desktop/ppp/velto-dns").
    static QString source(const QString& relative);
    // The private root as a machine with the program's package has it, for
    // connecting (scripts/demo-root): the helper's copy, the demo dialer as
    // wvdial and pppd, the pppd peer, chat script and DNS hooks; and a
    // pseudo-terminal as the card's data port, /dev/ttyVeltoModem.
    bool prepareDialerRoot();
    QString cardPort() const { return rootPath("/dev/ttyVeltoModem"); }

private:
    QTemporaryDir dir_;
    int cardPort_ = -1; // the pseudo-terminal's master
    QString savedBase_;
    QString savedRoot_;
};
