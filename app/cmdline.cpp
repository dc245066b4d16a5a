#include "app/cmdline.h"

namespace {

// Accepts "--name value" and "--name=value"; returns false when the value is missing.
bool takeValue(const QStringList& args, qsizetype& i, const QString& name, QString* value,
               QString* error) {
    const QString& arg = args.at(i);
    if (arg.startsWith(name + '=')) {
        *value = arg.mid(name.size() + 1);
    } else if (i + 1 < args.size()) {
        *value = args.at(++i);
    } else {
        *error = QString("option %1 needs a value").arg(name);
        return false;
    }
    if (value->isEmpty()) {
        *error = QString("option %1 needs a value").arg(name);
        return false;
    }
    return true;
}

bool isOption(const QString& arg, const QString& name) {
    return arg == name || arg.startsWith(name + '=');
}

} // namespace

CommandLine parseCommandLine(const QStringList& args) {
    CommandLine cmd;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (isOption(arg, "--device")) {
            QString ports;
            if (!takeValue(args, i, "--device", &ports, &cmd.error))
                return cmd;
            const QStringList parts = ports.split(',');
            if (parts.size() > 2 || parts.first().isEmpty()) {
                cmd.error = "option --device takes AT_PORT[,MODEM_PORT]";
                return cmd;
            }
            cmd.atPort = parts.first();
            cmd.modemPort = parts.size() == 2 ? parts.at(1) : QString();
        } else if (isOption(arg, "--root")) {
            if (!takeValue(args, i, "--root", &cmd.root, &cmd.error))
                return cmd;
        } else if (arg == "--help") {
            cmd.help = true;
        } else {
            cmd.rest << arg;
        }
    }
    return cmd;
}

bool wantsTextAnswerOnly(const CommandLine& cmd) {
    return cmd.help || !cmd.rest.isEmpty() || !cmd.error.isEmpty();
}

QString helpText(const QString& program) {
    return QString("Usage: %1 [--device AT_PORT[,MODEM_PORT]] [--root DIR]\n"
                   "       %1 -v | -version\n"
                   "\n"
                   "Velto Modem Connection: status, internet connection, short messages and\n"
                   "phonebook for a USB 3G/UMTS data card.\n"
                   "\n"
                   "  --device AT_PORT[,MODEM_PORT]  use these serial ports instead of looking\n"
                   "                                 for the card on the USB bus; the modem\n"
                   "                                 port (for dialling) defaults to AT_PORT\n"
                   "  --root DIR                     prefix every system path (/etc, /var/run,\n"
                   "                                 /proc, /sys, /dev, the dialer) with DIR\n"
                   "  -v, -version                   print the version and exit\n"
                   "  --help                         print this text and exit\n")
        .arg(program);
}

QString invalidParameterText(const QString& argument) {
    return QString("%1 is a invalidate parameter.\n"
                   "    -v(version): output version information and exit.\n")
        .arg(argument);
}
