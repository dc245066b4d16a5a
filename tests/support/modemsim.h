#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The first-byte limit for links to the simulator in tests whose subject is
// not that limit: the simulator is a process of its own and, on a loaded
// machine or under the sanitizers, may wait for the CPU longer than a card
// takes to answer (the program keeps its own 50 ms).
inline constexpr int SIM_FIRST_BYTE_MS = 1000;

// Runs the project's modem simulator (tools/modemsim) for one test: a
// private folder holds its ports file, control socket and transcript, and
// the ports are published under stable links in that folder, so they keep
// their paths across unplug() and plug().
//
// A test that uses this needs the simulator built first: in its
// CMakeLists.txt add `add_dependencies(<test> modemsim)`.
//
//   ModemSim sim;
//   QVERIFY(sim.start("ready"));
//   int fd = open(sim.atPort().toLocal8Bit(), O_RDWR | O_NOCTTY);
//   ...
//   QCOMPARE(sim.received().last(), "AT+CPIN?");
class ModemSim {
public:
    ModemSim();
    ~ModemSim(); // stops the simulator
    ModemSim(const ModemSim&) = delete;
    ModemSim& operator=(const ModemSim&) = delete;

    // Starts the simulator with a shipped scenario's name ("ready", "pin",
    // "puk", "nosim", "busy", "oldusim", "mefull", "lte", other makers'
    // cards "stick", "syscfgex", "nwscanmode", "zsnt"; several
    // comma-separated, as "stick,echooff") or a scenario file path (empty:
    // the built-in defaults), plus extra command-line options such as
    // "--silent-port". Returns when the ports exist.
    bool start(const QString& scenario = QStringLiteral("ready"),
               const QStringList& extraArgs = {});
    // As start(), and also publishes the ports as <root>/dev/ttyUSB<n> with
    // <root>/sys/class/tty/ttyUSB<n> entries, in the order of `usbOrder`
    // (roles "data", "at", "silent"; default data, [silent,] at).
    bool startWithRoot(const QString& root, const QString& scenario = QStringLiteral("ready"),
                       const QStringList& extraArgs = {}, const QStringList& usbOrder = {});
    void stop();

    QString dir() const;                       // the private folder
    QString atPort() const;                    // stable link to the AT port
    QString dataPort() const;                  // stable link to the data port
    QString silentPort() const;                // stable link to the silent port ("--silent-port")
    QString device(const QString& role) const; // current /dev/pts path, empty when unplugged
    QString controlSocket() const;
    QString transcriptPath() const;

    // Sends a control command (see tools/modemsim/README.md); the words are
    // quoted for the simulator. Returns the answer without its final "OK";
    // `ok` is false when the simulator answered ERROR or could not be reached.
    QString control(const QStringList& words, bool* ok = nullptr) const;
    bool command(const QStringList& words) const; // control() that only reports success

    bool unplug() const;
    bool plug() const;
    // Delivers a message from `sender` with `text`; returns its storage index
    // (some cards count from 0), -1 on failure.
    int deliver(const QString& sender, const QString& text, const QString& storage = {}) const;
    int deliverPdu(const QString& hex, const QString& storage = {}) const;

    // The transcript and views of it.
    QString transcript() const;
    // From now on, what the port received and sent before is forgotten.
    void forgetTranscript();
    // Command lines (and message bodies, ending in "\x1a") received on a port, in order.
    QStringList received(const QString& role = QStringLiteral("at")) const;
    // Replies sent on a port, in order (without the echo).
    QStringList sent(const QString& role = QStringLiteral("at")) const;
    // Events ("sms-sent ref=1 length=18 pdu=...", "unplugged", ...).
    QStringList events() const;
    // PDUs of the messages sent with AT+CMGS, in order.
    QStringList sentPdus() const;

    // Path of a shipped scenario file.
    static QString scenarioPath(const QString& name);

private:
    QTemporaryDir dir_;
    QProcess process_;
    bool hasSilent_ = false;
    qsizetype forgotten_ = 0; // transcript lines left out of received() and the like

    bool launch(const QString& scenario, const QStringList& args);
    QStringList entries(const QString& role, QChar kind) const;
};
