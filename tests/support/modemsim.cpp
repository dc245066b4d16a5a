#include "tests/support/modemsim.h"

#include "tests/support/testenv.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString quoteWord(const QString& word) {
    QString out = QStringLiteral("\"");
    for (const QChar c : word) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\r')
            out += QStringLiteral("\\r");
        else if (c == '\n')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out + '"';
}

// Undoes the transcript's escapes (\r, \n, \\, \xHH).
QString unescape(const QString& s) {
    QByteArray out;
    const QByteArray in = s.toUtf8();
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] != '\\' || i + 1 >= in.size()) {
            out += in[i];
            continue;
        }
        const char c = in[++i];
        if (c == 'r')
            out += '\r';
        else if (c == 'n')
            out += '\n';
        else if (c == 'x' && i + 2 < in.size()) {
            out += static_cast<char>(in.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return QString::fromUtf8(out);
}

void sleepProcessingEvents(int ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace

ModemSim::ModemSim() = default;

ModemSim::~ModemSim() {
    stop();
}

QString ModemSim::scenarioPath(const QString& name) {
    return QCoreApplication::applicationDirPath() + "/modemsim-scenarios/" + name + ".scn";
}

bool ModemSim::start(const QString& scenario, const QStringList& extraArgs) {
    return launch(scenario, extraArgs);
}

bool ModemSim::startWithRoot(const QString& root, const QString& scenario,
                             const QStringList& extraArgs, const QStringList& usbOrder) {
    QStringList args = extraArgs;
    args << QStringLiteral("--root") << root;
    if (!usbOrder.isEmpty())
        args << QStringLiteral("--usb-order") << usbOrder.join(',');
    return launch(scenario, args);
}

bool ModemSim::launch(const QString& scenario, const QStringList& extraArgs) {
    stop();
    if (!dir_.isValid())
        return false;
    QFile::remove(dir() + "/ports");
    hasSilent_ = extraArgs.contains(QStringLiteral("--silent-port"));
    QStringList args;
    if (!scenario.isEmpty()) {
        const QString shipped = scenarioPath(scenario);
        args << QStringLiteral("--scenario") << (QFileInfo::exists(shipped) ? shipped : scenario);
    }
    args << QStringLiteral("--ports-file") << dir() + "/ports" //
         << QStringLiteral("--at-link") << atPort()            //
         << QStringLiteral("--data-link") << dataPort()        //
         << QStringLiteral("--control") << controlSocket()     //
         << QStringLiteral("--transcript") << transcriptPath() //
         << QStringLiteral("--die-with-parent");
    if (hasSilent_)
        args << QStringLiteral("--silent-link") << silentPort();
    args << extraArgs;
    forgotten_ = 0;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(dir() + "/stdout");
    process_.start(TestEnv::binary(QStringLiteral("modemsim")), args);
    if (!process_.waitForStarted(5000))
        return false;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(dir() + "/ports") && QFileInfo::exists(controlSocket()))
            return true;
        if (process_.state() == QProcess::NotRunning)
            return false;
        sleepProcessingEvents(10);
    }
    return false;
}

void ModemSim::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    control({QStringLiteral("stop")});
    if (!process_.waitForFinished(3000)) {
        process_.terminate();
        if (!process_.waitForFinished(2000))
            process_.kill();
        process_.waitForFinished(2000);
    }
}

QString ModemSim::dir() const {
    return dir_.path();
}
QString ModemSim::atPort() const {
    return dir() + "/ttyAT";
}
QString ModemSim::dataPort() const {
    return dir() + "/ttyDATA";
}
QString ModemSim::silentPort() const {
    return dir() + "/ttySILENT";
}
QString ModemSim::controlSocket() const {
    return dir() + "/control.sock";
}
QString ModemSim::transcriptPath() const {
    return dir() + "/transcript.log";
}

QString ModemSim::device(const QString& role) const {
    const QStringList lines =
        QString::fromUtf8(TestEnv::readFile(dir() + "/ports")).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines)
        if (line.startsWith(role + '='))
            return line.mid(role.size() + 1);
    return {};
}

QString ModemSim::control(const QStringList& words, bool* ok) const {
    if (ok)
        *ok = false;
    QString line;
    for (const QString& w : words)
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + quoteWord(w);
    const QByteArray path = controlSocket().toLocal8Bit();
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (static_cast<size_t>(path.size()) >= sizeof addr.sun_path)
        return {};
    memcpy(addr.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return {};
    timeval timeout{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    QString answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        const QByteArray out = line.toUtf8() + '\n';
        if (::send(fd, out.constData(), static_cast<size_t>(out.size()), MSG_NOSIGNAL) ==
            out.size()) {
            QByteArray in;
            char buf[4096];
            while (true) {
                const int nl = in.indexOf('\n');
                if (nl >= 0) {
                    const QByteArray row = in.left(nl);
                    in.remove(0, nl + 1);
                    if (row == "OK") {
                        if (ok)
                            *ok = true;
                        break;
                    }
                    if (row.startsWith("ERROR")) {
                        answer = QString::fromUtf8(row);
                        break;
                    }
                    answer += QString::fromUtf8(row) + '\n';
                    continue;
                }
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n <= 0)
                    break;
                in.append(buf, static_cast<int>(n));
            }
        }
    }
    ::close(fd);
    if (answer.endsWith('\n'))
        answer.chop(1);
    return answer;
}

bool ModemSim::command(const QStringList& words) const {
    bool ok = false;
    control(words, &ok);
    return ok;
}

bool ModemSim::unplug() const {
    return command({QStringLiteral("unplug")});
}
bool ModemSim::plug() const {
    return command({QStringLiteral("plug")});
}

int ModemSim::deliver(const QString& sender, const QString& text, const QString& storage) const {
    QStringList words{QStringLiteral("deliver"), sender, text};
    if (!storage.isEmpty())
        words << storage;
    bool ok = false;
    const QString answer = control(words, &ok);
    return ok ? answer.section('\n', 0, 0).section('=', 1).toInt() : -1;
}

int ModemSim::deliverPdu(const QString& hex, const QString& storage) const {
    QStringList words{QStringLiteral("deliver-pdu"), hex};
    if (!storage.isEmpty())
        words << storage;
    bool ok = false;
    const QString answer = control(words, &ok);
    return ok ? answer.section('\n', 0, 0).section('=', 1).toInt() : -1;
}

QString ModemSim::transcript() const {
    return QString::fromUtf8(TestEnv::readFile(transcriptPath()));
}

// Transcript lines: "<time> <port> <kind> <text>".
QStringList ModemSim::entries(const QString& role, QChar kind) const {
    QStringList out;
    const QStringList lines = transcript().split('\n', Qt::SkipEmptyParts).mid(forgotten_);
    for (const QString& line : lines) {
        const QString port = line.section(' ', 1, 1);
        const QString k = line.section(' ', 2, 2);
        if ((role.isEmpty() || port == role) && k == kind)
            out << unescape(line.section(' ', 3));
    }
    return out;
}

void ModemSim::forgetTranscript() {
    forgotten_ = transcript().split('\n', Qt::SkipEmptyParts).size();
}

QStringList ModemSim::received(const QString& role) const {
    return entries(role, '<');
}
QStringList ModemSim::sent(const QString& role) const {
    return entries(role, '>');
}
QStringList ModemSim::events() const {
    return entries({}, '!');
}

QStringList ModemSim::sentPdus() const {
    QStringList out;
    for (const QString& e : events()) {
        if (!e.startsWith(QStringLiteral("sms-sent ")))
            continue;
        const int at = e.indexOf(QStringLiteral("pdu="));
        if (at >= 0)
            out << e.mid(at + 4).section(' ', 0, 0);
    }
    return out;
}
