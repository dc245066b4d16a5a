#include "simulator.h"

#include "pdu.h"
#include "text.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 's';
    [[maybe_unused]] ssize_t n = write(signalPipe[1], &c, 1);
}

void makeDirs(const std::string& path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/')
            mkdir(path.substr(0, i).c_str(), 0755);
    }
}

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string(slash == 0 ? "/" : ".")
                                                    : path.substr(0, slash);
}

// Points `link` at `target`, replacing an old link in one step.
bool replaceSymlink(const std::string& target, const std::string& link) {
    makeDirs(parentOf(link));
    const std::string tmp = link + ".new" + std::to_string(getpid());
    unlink(tmp.c_str());
    return symlink(target.c_str(), tmp.c_str()) == 0 && rename(tmp.c_str(), link.c_str()) == 0;
}

bool writeFileAtomically(const std::string& path, const std::string& content) {
    const std::string tmp = path + ".new" + std::to_string(getpid());
    FILE* f = std::fopen(tmp.c_str(), "w");
    if (!f)
        return false;
    const bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    std::fclose(f);
    return ok && rename(tmp.c_str(), path.c_str()) == 0;
}

// Bytes that look like line noise but never XON/XOFF, CR or LF.
std::string garbageBytes(int count) {
    static unsigned seed = 12345;
    std::string out;
    while (static_cast<int>(out.size()) < count) {
        seed = seed * 1103515245u + 12345u;
        const unsigned char c = static_cast<unsigned char>(seed >> 16);
        if (c == 0x11 || c == 0x13 || c == '\r' || c == '\n')
            continue;
        out += static_cast<char>(c);
    }
    return out;
}

const char* simStateName(const ModemState& s) {
    if (!s.simPresent)
        return "absent";
    switch (s.sim) {
    case SimState::Ready:
        return "ready";
    case SimState::NeedPin:
        return "pin";
    case SimState::NeedPuk:
        return "puk";
    case SimState::Blocked:
        return "blocked";
    }
    return "?";
}

} // namespace

Simulator::Simulator(SimulatorOptions options)
    : opt_(std::move(options)), scenario_(modem_, overrides_) {}

Simulator::~Simulator() {
    if (plugged_)
        unplug();
    for (Client& c : clients_)
        close(c.fd);
    if (controlFd_ >= 0) {
        close(controlFd_);
        unlink(opt_.controlPath.c_str());
    }
    if (inotifyFd_ >= 0)
        close(inotifyFd_);
}

Port* Simulator::port(const std::string& role) {
    for (auto& p : ports_)
        if (p->role == role)
            return p.get();
    return nullptr;
}

bool Simulator::start() {
    if (!transcript_.open(opt_.transcriptPath)) {
        std::fprintf(stderr, "modemsim: cannot write the transcript %s: %s\n",
                     opt_.transcriptPath.c_str(), std::strerror(errno));
        return false;
    }
    transcript_.setQuiet(opt_.quietTranscript);
    modem_.onEvent = [this](const std::string& event) { transcript_.write("modem", '!', event); };
    modem_.onNewMessage = [this](const std::string& storage, int index) {
        queueUrc("+CMTI: \"" + storage + "\"," + std::to_string(index));
    };
    modem_.onNotice = [this](const std::string& line) { queueUrc(line); };
    std::string error;
    for (const std::string& file : opt_.scenarios) {
        if (!scenario_.loadFile(file, error)) {
            std::fprintf(stderr, "modemsim: %s\n", error.c_str());
            return false;
        }
        transcript_.write("modem", '!', "scenario " + file);
    }

    ports_.push_back(std::make_unique<Port>());
    ports_.back()->role = "at";
    if (opt_.dataPort) {
        ports_.push_back(std::make_unique<Port>());
        ports_.back()->role = "data";
        ports_.back()->settings.dataPort = true;
    }
    if (opt_.silentPort) {
        ports_.push_back(std::make_unique<Port>());
        ports_.back()->role = "silent";
    }
    if (opt_.usbOrder.empty()) {
        for (const char* role : {"data", "silent", "at"})
            if (port(role))
                opt_.usbOrder.push_back(role);
    }
    for (const std::string& role : opt_.usbOrder) {
        if (!port(role)) {
            std::fprintf(stderr, "modemsim: --usb-order names the port \"%s\", which is not open\n",
                         role.c_str());
            return false;
        }
    }
    for (const auto& [role, link] : opt_.links) {
        if (!port(role)) {
            std::fprintf(stderr,
                         "modemsim: a link is given for the port \"%s\", which is not open\n",
                         role.c_str());
            return false;
        }
    }

    if (pipe(signalPipe) != 0)
        return false;
    fcntl(signalPipe[0], F_SETFD, FD_CLOEXEC);
    fcntl(signalPipe[1], F_SETFD, FD_CLOEXEC);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    inotifyFd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (!openControl(error) || !plug(error)) {
        std::fprintf(stderr, "modemsim: %s\n", error.c_str());
        return false;
    }
    for (const auto& p : ports_)
        std::printf("%s=%s\n", p->role.c_str(), p->slavePath.c_str());
    std::printf("control=%s\n", opt_.controlPath.c_str());
    std::fflush(stdout);
    return true;
}

// ---------------------------------------------------------------- ports

bool Simulator::openPty(Port& p, std::string& error) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        if (master >= 0)
            close(master);
        return false;
    }
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0) {
        error = "ptsname failed";
        close(master);
        return false;
    }
    const int slave = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        close(master);
        return false;
    }
    // Raw like a USB serial port: no echo, no CR/LF translation.
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, B115200);
    cfsetospeed(&t, B115200);
    tcsetattr(slave, TCSANOW, &t);
    p.master = master;
    p.slave = slave;
    p.slavePath = name;
    // A real card sees its port closed (DTR drops); a pseudo-terminal only
    // tells through file events on the slave device.
    p.clients = 0;
    p.sawClient = false;
    p.watch = inotifyFd_ < 0 ? -1 : inotify_add_watch(inotifyFd_, name, IN_OPEN | IN_CLOSE);
    return true;
}

std::string Simulator::usbName(size_t position) const {
    return "ttyUSB" + std::to_string(opt_.usbFirst + static_cast<int>(position));
}

void Simulator::publish() {
    for (const auto& [role, link] : opt_.links)
        if (!replaceSymlink(port(role)->slavePath, link))
            std::fprintf(stderr, "modemsim: cannot create the link %s: %s\n", link.c_str(),
                         std::strerror(errno));
    if (opt_.root.empty())
        return;
    for (size_t i = 0; i < opt_.usbOrder.size(); ++i) {
        const std::string name = usbName(i);
        replaceSymlink(port(opt_.usbOrder[i])->slavePath, opt_.root + "/dev/" + name);
        makeDirs(opt_.root + "/sys/class/tty/" + name);
    }
}

void Simulator::unpublish() {
    for (const auto& [role, link] : opt_.links)
        unlink(link.c_str());
    if (opt_.root.empty())
        return;
    for (size_t i = 0; i < opt_.usbOrder.size(); ++i) {
        const std::string name = usbName(i);
        unlink((opt_.root + "/dev/" + name).c_str());
        rmdir((opt_.root + "/sys/class/tty/" + name).c_str());
    }
}

void Simulator::writePortsFile() {
    if (opt_.portsFile.empty())
        return;
    std::string content;
    for (const auto& p : ports_)
        content += p->role + "=" + (p->open() ? p->slavePath : "") + "\n";
    content += "control=" + opt_.controlPath + "\n";
    content += std::string("plugged=") + (plugged_ ? "1" : "0") + "\n";
    if (!writeFileAtomically(opt_.portsFile, content))
        std::fprintf(stderr, "modemsim: cannot write %s: %s\n", opt_.portsFile.c_str(),
                     std::strerror(errno));
}

bool Simulator::plug(std::string& error) {
    if (plugged_)
        return true;
    for (auto& p : ports_) {
        if (!openPty(*p, error)) {
            for (auto& q : ports_) {
                if (q->open()) {
                    close(q->master);
                    close(q->slave);
                    q->master = q->slave = -1;
                }
            }
            return false;
        }
        modem_.resetPort(p->settings);
    }
    publish();
    plugged_ = true;
    std::string paths;
    for (const auto& p : ports_)
        paths += " " + p->role + "=" + p->slavePath;
    transcript_.write("modem", '!', "plugged" + paths);
    writePortsFile();
    for (const std::string& line : modem_.startupLines())
        queueUrc(line);
    return true;
}

void Simulator::unplug() {
    if (!plugged_)
        return;
    if (modem_.awaitingBody()) {
        for (auto& p : ports_)
            if (p->inBody)
                modem_.finishBody("", true, p->settings);
    }
    for (auto& p : ports_) {
        if (p->watch >= 0)
            inotify_rm_watch(inotifyFd_, p->watch);
        p->watch = -1;
        close(p->master);
        close(p->slave);
        p->master = p->slave = -1;
        p->in.clear();
        p->out.clear();
        p->urcs.clear();
        p->inside.clear();
        p->inBody = false;
        p->crWait = {};
        p->settings.online = false;
    }
    unpublish();
    plugged_ = false;
    transcript_.write("modem", '!', "unplugged");
    writePortsFile();
}

void Simulator::readPort(Port& p) {
    char buf[4096];
    const ssize_t n = read(p.master, buf, sizeof buf);
    if (n > 0)
        p.in.append(buf, static_cast<size_t>(n));
}

void Simulator::readWatches() {
    alignas(inotify_event) char buf[4096];
    ssize_t n;
    while ((n = read(inotifyFd_, buf, sizeof buf)) > 0) {
        for (ssize_t off = 0; off < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buf + off);
            off += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            for (auto& p : ports_) {
                if (p->watch < 0 || p->watch != e->wd)
                    continue;
                if (e->mask & IN_OPEN) {
                    ++p->clients;
                    p->sawClient = true;
                } else if ((e->mask & IN_CLOSE) && --p->clients <= 0) {
                    p->clients = 0;
                    clientGone(*p);
                }
            }
        }
    }
}

// The last client closed the port: a data call ends, a message body is
// dropped and output nobody reads is discarded, as on a card whose DTR drops.
void Simulator::clientGone(Port& p) {
    if (p.settings.online)
        transcript_.write(p.role, '!', "call ended: port closed");
    p.settings.online = false;
    if (p.inBody) {
        p.inBody = false;
        modem_.finishBody("", true, p.settings);
    }
    p.in.clear();
    p.out.clear();
    p.crWait = {};
    tcflush(p.slave, TCIFLUSH);
}

bool Simulator::idle(const Port& p) const {
    return p.open() && p.out.empty() && p.in.empty() && !p.inBody && !p.settings.online;
}

void Simulator::queueUrc(const std::string& line) {
    Port* p = port("at");
    if (!p || !p->open())
        return;
    p->urcs += "\r\n" + line + "\r\n";
}

// The dialect's periodic status lines wait a moment for a reply to cut
// into; those not taken by then go out on their own.
void Simulator::chatter(Clock::time_point now) {
    Port* at = port("at");
    if (!at || !at->open())
        return;
    const int period = modem_.state.chatterMs;
    if (period <= 0) {
        nextChatter_ = {};
    } else if (nextChatter_ == Clock::time_point{} ||
               nextChatter_ > now + std::chrono::milliseconds(period)) {
        nextChatter_ = now + std::chrono::milliseconds(period);
    } else if (now >= nextChatter_) {
        nextChatter_ = now + std::chrono::milliseconds(period);
        // Reports nobody reads are not kept (a real card's are lost).
        for (const std::string& line :
             at->clients > 0 ? modem_.chatter() : std::vector<std::string>{})
            at->inside.push_back({line, now + std::chrono::milliseconds(500)});
    }
    std::vector<Port::Aside> waiting;
    for (const Port::Aside& a : at->inside) {
        if (a.until <= now)
            queueUrc(a.line);
        else
            waiting.push_back(a);
    }
    at->inside = std::move(waiting);
}

void Simulator::processInput(Port& p) {
    while (p.open()) {
        if (!p.out.empty())
            return;
        if (p.in.empty()) {
            if (!p.urcs.empty() && idle(p) && !p.deserted()) {
                transcript_.write(p.role, '>', p.urcs);
                send(p, p.urcs);
                p.urcs.clear();
                continue;
            }
            return;
        }
        if (p.role == "silent") {
            transcript_.write(p.role, '<', p.in);
            p.in.clear();
            return;
        }
        if (p.settings.online) {
            if (p.in == "+++") {
                p.settings.online = false;
                transcript_.write(p.role, '!', "escape to command mode");
                send(p, formatReply(Reply::ok(), p.settings));
            } else {
                transcript_.write(p.role, '<', "data " + std::to_string(p.in.size()) + " bytes");
            }
            p.in.clear();
            continue;
        }
        if (p.inBody) {
            const size_t end = p.in.find_first_of("\x1a\x1b");
            if (end == std::string::npos) {
                if (p.in.size() > 4096) {
                    transcript_.write(p.role, '<', p.in);
                    p.in.clear();
                    p.inBody = false;
                    modem_.finishBody("", true, p.settings);
                    send(p, formatReply(Reply::cms(cms::InvalidPduParameter), p.settings));
                }
                return;
            }
            const std::string body = p.in.substr(0, end);
            const bool cancelled = p.in[end] == '\x1b';
            transcript_.write(p.role, '<', p.in.substr(0, end + 1));
            p.in.erase(0, end + 1);
            p.inBody = false;
            const Reply r = modem_.finishBody(body, cancelled, p.settings);
            const std::string echo = p.settings.echo && !faults_.noEcho ? body : "";
            const std::string reply = formatReply(r, p.settings);
            transcript_.write(p.role, '>', reply);
            send(p, echo + reply, faults_.delayMs);
            continue;
        }
        const size_t start = p.in.find_first_not_of(std::string("\r\n\0", 3));
        if (start == std::string::npos) {
            p.in.clear();
            return;
        }
        p.in.erase(0, start);
        const size_t pos = p.in.find_first_of("\r\n");
        if (pos == std::string::npos) {
            if (p.in.size() > 4096) {
                transcript_.write(p.role, '<', p.in + " (overlong line dropped)");
                p.in.clear();
            }
            return;
        }
        size_t end = pos + 1;
        if (p.in[pos] == '\r') {
            if (end < p.in.size()) {
                if (p.in[end] == '\n')
                    ++end;
            } else if (p.crWait == Clock::time_point{}) {
                // The client may send CR LF in two pieces: give the LF a
                // moment so that the echo holds the whole line ending.
                p.crWait = Clock::now() + std::chrono::milliseconds(10);
                return;
            } else if (Clock::now() < p.crWait) {
                return;
            }
        }
        p.crWait = {};
        const std::string echo = p.in.substr(0, end);
        const std::string line = p.in.substr(0, pos);
        p.in.erase(0, end);
        handleLine(p, line, echo);
    }
}

void Simulator::handleLine(Port& p, const std::string& line, const std::string& echo) {
    transcript_.write(p.role, '<', line);
    bool doEcho = p.settings.echo && !faults_.noEcho;
    int delay = faults_.delayMs;
    std::string reply;
    bool fixed = false;
    for (auto it = overrides_.begin(); it != overrides_.end(); ++it) {
        if (!it->matches(text::trim(line)))
            continue;
        const Override o = *it;
        if (it->count > 0 && --it->count == 0)
            overrides_.erase(it);
        if (o.noReply) {
            transcript_.write(p.role, '!', "no reply (scenario)");
            return;
        }
        doEcho = doEcho && !o.noEcho;
        delay += o.delayMs;
        if (o.hasRaw) {
            reply = o.raw;
            fixed = true;
        } else if (o.hasLines) {
            for (const std::string& l : o.lines)
                reply += "\r\n" + l + "\r\n";
            fixed = true;
        } else if (o.noResult) {
            fixed = true;
        }
        break;
    }
    if (!fixed) {
        const RadioSnapshot before = modem_.radio();
        const Reply r = modem_.execute(line, p.settings);
        modem_.announce(before);
        if (r.final == Reply::Final::Prompt)
            p.inBody = true;
        delay += r.delayMs;
        const bool hasFinal = r.final != Reply::Final::Prompt && r.final != Reply::Final::None;
        if (!r.lines.empty() && hasFinal && !p.inside.empty()) {
            // The card's own reports cut in before the final result.
            reply = formatReply(r, p.settings, false);
            for (const Port::Aside& a : p.inside)
                reply += "\r\n" + a.line + "\r\n";
            p.inside.clear();
            Reply last = r;
            last.lines.clear();
            reply += formatReply(last, p.settings);
        } else {
            reply = formatReply(r, p.settings);
        }
    }
    if (faults_.huge > 0) {
        std::string filler;
        const std::string row = "+FILLER: " + std::string(89, 'X') + "\r\n";
        filler = "\r\n";
        while (static_cast<int>(filler.size()) < faults_.huge)
            filler += row;
        reply = filler + reply;
        faults_.huge = 0;
    }
    if (faults_.truncate >= 0) {
        reply = reply.substr(0, static_cast<size_t>(faults_.truncate));
        faults_.truncate = -1;
    }
    // Line noise comes before the echo.
    std::string noise;
    if (faults_.garbage > 0) {
        noise = garbageBytes(faults_.garbage);
        faults_.garbage = 0;
    }
    if (!reply.empty() || !noise.empty())
        transcript_.write(p.role, '>', noise + reply);
    send(p, noise + (doEcho ? echo : std::string()) + reply, delay);
}

void Simulator::send(Port& p, const std::string& bytes, int delayMs) {
    if (bytes.empty() || !p.open())
        return;
    p.out.push_back({bytes, Clock::now() + std::chrono::milliseconds(delayMs), faults_.slowMs});
    flush(p);
}

void Simulator::flush(Port& p) {
    while (p.open() && !p.out.empty()) {
        Port::Chunk& c = p.out.front();
        const auto now = Clock::now();
        if (now < c.due)
            return;
        const size_t count = c.perByteMs > 0 ? 1 : c.bytes.size();
        const ssize_t n = write(p.master, c.bytes.data(), count);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                return;
            transcript_.write(p.role, '!', std::string("write failed: ") + std::strerror(errno));
            p.out.clear();
            return;
        }
        c.bytes.erase(0, static_cast<size_t>(n));
        if (c.perByteMs > 0)
            c.due = now + std::chrono::milliseconds(c.perByteMs);
        if (c.bytes.empty())
            p.out.pop_front();
    }
}

int Simulator::pollTimeoutMs() const {
    using namespace std::chrono;
    const auto now = Clock::now();
    auto next = now + seconds(1);
    for (const auto& p : ports_) {
        if (!p->out.empty() && p->out.front().due < next)
            next = p->out.front().due;
        if (p->crWait != Clock::time_point{} && p->crWait < next)
            next = p->crWait;
    }
    next = std::min(next, nextReport_);
    if (modem_.state.chatterMs > 0 && nextChatter_ != Clock::time_point{})
        next = std::min(next, nextChatter_);
    for (const auto& p : ports_)
        for (const Port::Aside& a : p->inside)
            next = std::min(next, a.until);
    if (next <= now)
        return 0;
    return static_cast<int>(duration_cast<milliseconds>(next - now).count()) + 1;
}

int Simulator::run() {
    while (!stopping_) {
        std::vector<pollfd> fds;
        fds.push_back({signalPipe[0], POLLIN, 0});
        fds.push_back({controlFd_, POLLIN, 0});
        fds.push_back({inotifyFd_, POLLIN, 0});
        for (const Client& c : clients_)
            fds.push_back({c.fd, POLLIN, 0});
        const size_t firstPort = fds.size();
        for (const auto& p : ports_) {
            short events = POLLIN;
            if (!p->out.empty() && p->out.front().due <= Clock::now())
                events |= POLLOUT;
            fds.push_back({p->master, events, 0}); // -1 (unplugged) is skipped by poll
        }
        if (poll(fds.data(), fds.size(), pollTimeoutMs()) < 0 && errno != EINTR) {
            std::perror("modemsim: poll");
            return 1;
        }
        if (fds[0].revents & POLLIN) {
            transcript_.write("modem", '!', "stopped by signal");
            break;
        }
        if (fds[1].revents & POLLIN)
            acceptClient();
        const bool watchEvents = inotifyFd_ >= 0 && (fds[2].revents & POLLIN);
        for (size_t i = 0; i < clients_.size(); ++i) {
            if (fds[3 + i].revents && !readClient(clients_[i])) {
                close(clients_[i].fd);
                clients_[i].fd = -1;
            }
        }
        std::erase_if(clients_, [](const Client& c) { return c.fd < 0; });
        for (size_t i = 0; i < ports_.size(); ++i) {
            Port& p = *ports_[i];
            if (p.open() && fds[firstPort + i].fd == p.master &&
                (fds[firstPort + i].revents & POLLIN))
                readPort(p);
        }
        nextReport_ = modem_.sendDueReports(Clock::now());
        chatter(Clock::now());
        for (auto& p : ports_) {
            flush(*p);
            processInput(*p);
        }
        // After the ports, so that what a client wrote before closing is
        // handled first and its unread answer then discarded.
        if (watchEvents) {
            readWatches();
            for (auto& p : ports_)
                processInput(*p); // unsolicited lines held while nobody listened
        }
    }
    return 0;
}

// ---------------------------------------------------------------- control socket

bool Simulator::openControl(std::string& error) {
    if (opt_.controlPath.empty())
        opt_.controlPath = "/tmp/modemsim-" + std::to_string(getpid()) + ".sock";
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (opt_.controlPath.size() >= sizeof addr.sun_path) {
        error = "the control socket path is too long: " + opt_.controlPath;
        return false;
    }
    std::strcpy(addr.sun_path, opt_.controlPath.c_str());
    struct stat st {};
    if (lstat(opt_.controlPath.c_str(), &st) == 0 && S_ISSOCK(st.st_mode))
        unlink(opt_.controlPath.c_str());
    controlFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (controlFd_ < 0 || bind(controlFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(controlFd_, 8) != 0) {
        error = "cannot open the control socket " + opt_.controlPath + ": " + std::strerror(errno);
        if (controlFd_ >= 0)
            close(controlFd_);
        controlFd_ = -1;
        return false;
    }
    return true;
}

void Simulator::acceptClient() {
    const int fd = accept4(controlFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd >= 0)
        clients_.push_back({fd, {}});
}

bool Simulator::readClient(Client& c) {
    char buf[4096];
    const ssize_t n = read(c.fd, buf, sizeof buf);
    if (n <= 0)
        return false;
    c.in.append(buf, static_cast<size_t>(n));
    size_t nl;
    while ((nl = c.in.find('\n')) != std::string::npos) {
        std::string line = c.in.substr(0, nl);
        c.in.erase(0, nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        bool ok = true;
        const RadioSnapshot before = modem_.radio();
        std::string answer = control(line, ok);
        modem_.announce(before);
        if (!answer.empty() && answer.back() != '\n')
            answer += '\n';
        answer = ok ? answer + "OK\n" : "ERROR " + answer;
        for (size_t done = 0; done < answer.size();) {
            const ssize_t w =
                ::send(c.fd, answer.data() + done, answer.size() - done, MSG_NOSIGNAL);
            if (w <= 0)
                return false;
            done += static_cast<size_t>(w);
        }
    }
    return c.in.size() < 65536;
}

std::string Simulator::control(const std::string& line, bool& ok) {
    std::vector<std::string> w;
    std::string error;
    if (!text::tokenize(line, w, &error)) {
        ok = false;
        return error;
    }
    if (w.empty())
        return {};
    transcript_.write("control", '<', line);
    ModemState& s = modem_.state;
    const std::string& cmd = w[0];
    auto fail = [&](const std::string& why) {
        ok = false;
        return why;
    };
    auto intArg = [&](size_t i, int& out) { return i < w.size() && text::parseInt(w[i], out); };

    if (cmd == "ping")
        return "pong";
    if (cmd == "stop") {
        stopping_ = true;
        return {};
    }
    if (cmd == "ports") {
        std::string out;
        for (const auto& p : ports_)
            out += p->role + "=" + (p->open() ? p->slavePath : "") + "\n";
        return out + "plugged=" + (plugged_ ? "1" : "0");
    }
    if (cmd == "unplug") {
        unplug();
        return {};
    }
    if (cmd == "plug") {
        return plug(error) ? std::string() : fail(error);
    }
    if (cmd == "deliver" || cmd == "deliver-pdu") {
        const bool raw = cmd == "deliver-pdu";
        const size_t args = raw ? 2 : 3;
        if (w.size() < args || w.size() > args + 1)
            return fail(raw ? "usage: deliver-pdu HEX [SM|ME]"
                            : "usage: deliver SENDER TEXT [SM|ME]");
        const std::string hex = raw ? text::upper(w[1]) : pdu::buildDeliver(s.smsc, w[1], w[2]);
        const int index = modem_.deliver(hex, w.size() > args ? w[args] : "", error);
        if (index == Modem::Routed)
            return "routed=+CMT\npdu=" + hex;
        if (index < 0)
            return fail(error);
        return "index=" + std::to_string(index) + "\npdu=" + hex;
    }
    if (cmd == "sim" && w.size() == 2 && (w[1] == "remove" || w[1] == "insert")) {
        s.simPresent = w[1] == "insert";
        if (s.simPresent) {
            s.sim = s.pukTries == 0   ? SimState::Blocked
                    : s.pinTries == 0 ? SimState::NeedPuk
                    : s.pinLock       ? SimState::NeedPin
                                      : SimState::Ready;
        }
        transcript_.write("modem", '!', "sim " + w[1]);
        return {};
    }
    if (cmd == "reports") {
        const bool release = w.size() >= 2 && w[1] == "release";
        if (w.size() == 2 && w[1] == "hold") {
            s.reportsHeld = true;
        } else if (release && (w.size() == 2 || (w.size() == 3 && w[2] == "reverse"))) {
            s.reportsHeld = false;
            modem_.releaseReports(w.size() == 3);
        } else if (w.size() != 1) {
            return fail("usage: reports [hold | release [reverse]]");
        }
        std::string out;
        for (const PendingReport& r : s.reports)
            out += std::to_string(r.reference) + " " + r.recipient + " " +
                   std::to_string(r.status) + "\n";
        return out;
    }
    if (cmd == "fault") {
        int v = 0;
        const std::string what = w.size() > 1 ? w[1] : "";
        if (what == "clear" && w.size() == 2)
            faults_ = Faults{};
        else if (what == "noecho" && w.size() == 3 && (w[2] == "on" || w[2] == "off"))
            faults_.noEcho = w[2] == "on";
        else if (what == "delay" && intArg(2, v) && v >= 0)
            faults_.delayMs = v;
        else if (what == "slow" && intArg(2, v) && v >= 0)
            faults_.slowMs = v;
        else if (what == "garbage" && (w.size() == 2 || (intArg(2, v) && v > 0)))
            faults_.garbage = w.size() == 2 ? 16 : v;
        else if (what == "truncate" && intArg(2, v) && v >= 0)
            faults_.truncate = v;
        else if (what == "huge" && (w.size() == 2 || (intArg(2, v) && v > 0)))
            faults_.huge = w.size() == 2 ? 110000 : v;
        else
            return fail("usage: fault noecho on|off | delay MS | slow MS | garbage [N] | "
                        "truncate N | huge [BYTES] | clear");
        return {};
    }
    if (cmd == "hangup") {
        for (auto& p : ports_) {
            if (p->settings.online) {
                p->settings.online = false;
                const std::string reply =
                    formatReply(Reply::result(Reply::Final::NoCarrier), p->settings);
                transcript_.write(p->role, '>', reply);
                send(*p, reply);
            }
        }
        return {};
    }
    if (cmd == "raw") {
        Port* p = w.size() == 3 ? port(w[1]) : nullptr;
        if (!p || !p->open())
            return fail("usage: raw at|data|silent TEXT (the port must be plugged)");
        transcript_.write(p->role, '>', w[2]);
        send(*p, w[2]);
        return {};
    }
    if (cmd == "interleave") {
        Port* at = port("at");
        if (w.size() != 2 || !at || !at->open())
            return fail("usage: interleave LINE (the card must be plugged)");
        at->inside.push_back({w[1], Clock::time_point::max()});
        return {};
    }
    if (cmd == "mark") {
        transcript_.write("control", '!', w.size() > 1 ? w[1] : "");
        return {};
    }
    if (cmd == "sent") {
        std::string out;
        for (const SentMessage& m : s.sent)
            out += std::to_string(m.reference) + " " + m.pdu + " | " + pdu::describe(m.pdu) + "\n";
        return out;
    }
    if (cmd == "messages") {
        std::string out;
        for (const MessageStorage* st : {&s.sm, &s.me, &s.sr}) {
            if (w.size() > 1 && text::upper(w[1]) != st->name)
                continue;
            for (const auto& [index, m] : st->slots)
                out += st->name + " " + std::to_string(index) + " " + std::to_string(m.status) +
                       " " + m.pdu + " | " + pdu::describe(m.pdu) + "\n";
        }
        return out;
    }
    if (cmd == "contacts") {
        std::string out;
        for (const auto& [index, c] : s.contacts)
            out += std::to_string(index) + " " + text::quote(c.number) + " " +
                   text::quote(text::utf16ToUtf8(c.name)) + "\n";
        return out;
    }
    if (cmd == "state") {
        std::string out;
        out += std::string("plugged=") + (plugged_ ? "1" : "0") + "\n";
        out += std::string("sim=") + simStateName(s) + "\n";
        out += "pin-tries=" + std::to_string(s.pinTries) + "\n";
        out += "puk-tries=" + std::to_string(s.pukTries) + "\n";
        out += std::string("pin-lock=") + (s.pinLock ? "on" : "off") + "\n";
        out += "pin=" + s.pin + "\n";
        out += "sim-busy=" + std::to_string(s.simBusy) + "\n";
        out += "signal=" + std::to_string(s.rssi) + "," + std::to_string(s.ber) + "\n";
        out += "operator=" + s.operatorName + "\n";
        out += "service=" + s.serviceMode + "," + s.serviceDomain + "\n";
        out += "mode-preference=" + (s.dialect == Dialect::Maker ? s.modePreference : s.modeValue) +
               "\n";
        out += "technology=" + std::to_string(s.act) + "\n";
        out += std::string("dialect=") + dialectName(s.dialect) + "\n";
        out += "operating-mode=" + std::to_string(s.operatingMode) + "\n";
        out += "storages=" + s.mem[0] + "," + s.mem[1] + "," + s.mem[2] + "\n";
        out += "SM=" + std::to_string(s.sm.used()) + "/" + std::to_string(s.sm.capacity) + "\n";
        out += "ME=" + std::to_string(s.me.used()) + "/" + std::to_string(s.me.capacity) + "\n";
        out += "charset=" + s.charset + "\n";
        out += "contacts=" + std::to_string(s.contacts.size()) + "/" +
               std::to_string(s.phonebookSize) + "\n";
        out += std::string("platform=") + (s.newPlatform ? "new" : "old") + "\n";
        out += "new-sms-storage=" + std::to_string(s.newSmsStorage) + "\n";
        for (const auto& [cid, params] : s.pdpContexts)
            out += "pdp-context=" + std::to_string(cid) + "," + params + "\n";
        return out;
    }
    // Everything else is a scenario directive ("set" may precede it).
    std::vector<std::string> directive(w.begin() + (cmd == "set" ? 1 : 0), w.end());
    if (!scenario_.apply(directive, error))
        return fail(error);
    // Power-on port settings take effect at once on the open ports too.
    if (!directive.empty() && (directive[0] == "echo" || directive[0] == "cmee")) {
        for (auto& p : ports_) {
            p->settings.echo = modem_.defaults.echo;
            p->settings.cmee = modem_.defaults.cmee;
        }
    }
    return {};
}
