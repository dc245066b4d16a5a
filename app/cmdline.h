#pragma once

#include <QString>
#include <QStringList>

// The program's own command-line options, consumed before the classic rule
// for a first argument ("-v"/"-version", anything else is invalid).
struct CommandLine {
    QString atPort; // --device AT_PORT[,MODEM_PORT]: skip the USB scan
    QString modemPort;
    QString root;      // --root DIR: prefix of every system path
    bool help = false; // --help
    QStringList rest;  // what remains, in order
    QString error;     // set when an option is malformed
};

// `args` excludes the program name.
CommandLine parseCommandLine(const QStringList& args);

// True when the arguments ask for a text answer only (help, version, an
// invalid parameter or a malformed option): no window will be shown.
bool wantsTextAnswerOnly(const CommandLine& cmd);

QString helpText(const QString& program);
QString invalidParameterText(const QString& argument);

// The ports given with --device, empty when the USB scan decides.
struct FixedPorts {
    QString atPort;
    QString modemPort;
};
inline FixedPorts fixedPortsOf(const CommandLine& cmd) {
    return {cmd.atPort, cmd.modemPort.isEmpty() ? cmd.atPort : cmd.modemPort};
}
