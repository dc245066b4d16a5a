// demodialer: behaves like wvdial, or pppd, with a working link, under a
// system root.
//
//   demodialer [--root DIR] [--dns ADDR]... [--delay-ms N] [--interval-ms N]
//              [--no-link] [--no-dns] [--ignore-term] [--abort-first N]
//
// Installed (or linked) as DIR/usr/bin/wvdial or DIR/usr/sbin/pppd it finds
// DIR by itself. As wvdial it reads DIR/etc/wvdial.conf and the peer
// DIR/etc/ppp/peers/wvdial; as pppd it takes pppd's "file F" and "call NAME"
// and reads those. It tells what it would send to the modem, then, after
// --delay-ms (1500), brings the link "up": DIR/var/run/ppp0.pid holds its
// process id, DIR/etc/ppp/resolv.conf the peer's DNS servers (default
// 203.0.113.53 and 203.0.113.54) when the options ask for them
// (usepeerdns; wvdial unless "Auto DNS = off"), DIR/proc/<pid> links to its
// real /proc entry, and a ppp0 line in DIR/proc/net/dev counts growing
// traffic every --interval-ms (1000). Like pppd it runs the hooks in
// DIR/etc/ppp/ip-up.d once the link is up and those in DIR/etc/ppp/ip-down.d
// when it goes down, with pppd's arguments (the ipparam of the options) and
// its DNS1, DNS2 and USEPEERDNS. SIGTERM, SIGINT or SIGHUP take the link
// down again (pid file, resolver file and ppp0 line removed) and end it with
// status 0.
//
// Faults, for tests: --no-link never brings the link up; --no-dns brings it
// up without a resolver file; --ignore-term ignores SIGTERM (SIGKILL still
// ends it); --abort-first N makes the first N runs abort (SIGABRT) at once,
// as wvdial sometimes does, counting runs in DIR/var/run/demodialer.runs.
// Options also come from DIR/etc/demodialer.options (one line), since the
// program starts its dialer without arguments.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/auxv.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::atomic<int> caughtSignal{0};

void onSignal(int sig) {
    caughtSignal = sig;
}

struct Options {
    std::string root;
    bool asPppd = false;
    std::string optionsFile;     // pppd's "file F"
    std::string peer = "wvdial"; // pppd's "call NAME"; wvdial always calls "wvdial"
    std::vector<std::string> dns;
    int delayMs = 1500;
    int intervalMs = 1000;
    bool link = true;
    bool resolver = true;
    bool ignoreTerm = false;
    int abortFirst = 0;
};

void usage() {
    std::fprintf(stderr, "usage: demodialer [--root DIR] [--dns ADDR]... [--delay-ms N] "
                         "[--interval-ms N]\n");
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The root is the folder whose usr/bin/wvdial or usr/sbin/pppd this program
// was started as.
std::string rootFromExecPath(bool* asPppd) {
    const char* exec = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    if (!exec)
        return {};
    const std::string path = exec;
    for (const std::string suffix : {"/usr/bin/wvdial", "/usr/sbin/pppd"}) {
        if (!endsWith(path, suffix))
            continue;
        *asPppd = suffix == "/usr/sbin/pppd";
        return fs::absolute(path.substr(0, path.size() - suffix.size()))
            .lexically_normal()
            .string();
    }
    return {};
}

bool parseWords(const std::vector<std::string>& words, Options* options) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& arg = words[i];
        const bool hasValue = i + 1 < words.size();
        if (arg == "--root" && hasValue)
            options->root = words[++i];
        else if (arg == "--dns" && hasValue)
            options->dns.push_back(words[++i]);
        else if (arg == "--delay-ms" && hasValue)
            options->delayMs = std::atoi(words[++i].c_str());
        else if (arg == "--interval-ms" && hasValue)
            options->intervalMs = std::max(10, std::atoi(words[++i].c_str()));
        else if (arg == "--abort-first" && hasValue)
            options->abortFirst = std::atoi(words[++i].c_str());
        else if (arg == "--no-link")
            options->link = false;
        else if (arg == "--no-dns")
            options->resolver = false;
        else if (arg == "--ignore-term")
            options->ignoreTerm = true;
        else if (options->asPppd && arg == "file" && hasValue)
            options->optionsFile = words[++i];
        else if (options->asPppd && arg == "call" && hasValue)
            options->peer = words[++i];
        else if (options->asPppd && arg == "nodetach")
            continue;
        else
            return false;
    }
    return true;
}

std::string readFile(const fs::path& path);

bool parse(int argc, char** argv, Options* options) {
    const std::string root = rootFromExecPath(&options->asPppd);
    if (!parseWords(std::vector<std::string>(argv + 1, argv + argc), options))
        return false;
    if (options->root.empty())
        options->root = root;
    if (!options->root.empty()) {
        std::istringstream line(readFile(fs::path(options->root) / "etc/demodialer.options"));
        std::vector<std::string> words;
        for (std::string word; line >> word;)
            words.push_back(word);
        if (!parseWords(words, options))
            return false;
    }
    if (options->dns.empty())
        options->dns = {"203.0.113.53", "203.0.113.54"};
    return true;
}

// Counts this run in DIR/var/run/demodialer.runs; the number of runs before it.
int countRun(const fs::path& root) {
    const fs::path counter = root / "var/run/demodialer.runs";
    const int before = std::atoi(readFile(counter).c_str());
    std::ofstream(counter, std::ios::trunc) << before + 1 << '\n';
    return before;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes a file whole through a temporary file renamed over it, so that a
// reader never sees half of it.
bool writeFile(const fs::path& path, const std::string& text) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const fs::path temporary = path.string() + ".demodialer";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out)
            return false;
    }
    fs::rename(temporary, path, ec);
    return !ec;
}

// The value of "Key = value" in wvdial.conf, ignoring a CR at the line end.
std::string confValue(const std::string& conf, const std::string& key) {
    std::istringstream in(conf);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(key + " = ", 0) == 0)
            return line.substr(key.size() + 3);
    }
    return {};
}

void say(const std::string& text) {
    std::fprintf(stderr, "--> %s\n", text.c_str());
}

std::string statisticsHeader() {
    return "Inter-|   Receive                                                |  Transmit\n"
           " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets "
           "errs drop fifo colls carrier compressed\n"
           "    lo:       0       0    0    0    0     0          0         0        0       0 "
           "   0    0    0     0       0          0\n";
}

// The interface statistics without any ppp0 line.
std::string withoutPpp0(const std::string& statistics) {
    std::istringstream in(statistics.empty() ? statisticsHeader() : statistics);
    std::string kept, line;
    while (std::getline(in, line)) {
        const auto colon = line.find(':');
        const auto start = line.find_first_not_of(' ');
        if (colon != std::string::npos && start != std::string::npos &&
            line.substr(start, colon - start) == "ppp0")
            continue;
        kept += line + '\n';
    }
    return kept;
}

std::string ppp0Line(unsigned long long rx, unsigned long long tx) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "%6s:%8llu %7llu %4u %4u %4u %5u %10u %9u %8llu %7llu %4u %4u %4u %5u %7u %10u\n",
                  "ppp0", rx, rx / 512 + 1, 0u, 0u, 0u, 0u, 0u, 0u, tx, tx / 256 + 1, 0u, 0u, 0u,
                  0u, 0u, 0u);
    return line;
}

// The words of pppd option text, without comments.
std::vector<std::string> optionWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream parts(line.substr(0, line.find('#')));
        for (std::string word; parts >> word;)
            words.push_back(word);
    }
    return words;
}

struct LinkOptions {
    bool usePeerDns = false;
    std::string ipparam;
};

// What the dialer's option files ask of the link.
LinkOptions linkOptions(const fs::path& root, const Options& options, const std::string& conf) {
    std::string text = readFile(root / "etc/ppp/peers" / options.peer);
    if (options.asPppd && !options.optionsFile.empty())
        text += "\n" + readFile(options.optionsFile);
    const std::vector<std::string> words = optionWords(text);
    LinkOptions link;
    link.usePeerDns = std::find(words.begin(), words.end(), "usepeerdns") != words.end();
    // wvdial asks for the peer's servers itself unless told not to.
    if (!options.asPppd)
        link.usePeerDns = confValue(conf, "Auto DNS") != "off";
    const auto ipparam = std::find(words.begin(), words.end(), "ipparam");
    if (ipparam != words.end() && ipparam + 1 != words.end())
        link.ipparam = *(ipparam + 1);
    return link;
}

// Runs the hooks of DIR/etc/ppp/<folder>, in name order, as pppd's ip-up
// and ip-down scripts run them.
void runHooks(const fs::path& root, const std::string& folder, const LinkOptions& link,
              const std::vector<std::string>& dns, const std::string& port) {
    std::error_code ec;
    std::vector<fs::path> hooks;
    for (const auto& entry : fs::directory_iterator(root / "etc/ppp" / folder, ec)) {
        if (entry.is_regular_file(ec) && access(entry.path().c_str(), X_OK) == 0)
            hooks.push_back(entry.path());
    }
    std::sort(hooks.begin(), hooks.end());
    for (const fs::path& hook : hooks) {
        const pid_t pid = fork();
        if (pid == 0) {
            std::vector<std::string> env = {"PATH=/usr/sbin:/usr/bin:/sbin:/bin", "PPP_IFACE=ppp0",
                                            "PPP_IPPARAM=" + link.ipparam};
            if (link.usePeerDns) {
                env.push_back("USEPEERDNS=1");
                env.push_back("DNS1=" + dns.front());
                if (dns.size() > 1)
                    env.push_back("DNS2=" + dns[1]);
            }
            std::vector<char*> envp;
            for (std::string& e : env)
                envp.push_back(e.data());
            envp.push_back(nullptr);
            execle(hook.c_str(), hook.c_str(), "ppp0", port.c_str(), "115200", "10.64.64.64",
                   "10.64.64.65", link.ipparam.c_str(), static_cast<char*>(nullptr), envp.data());
            _exit(127);
        }
        int status = 0;
        while (pid > 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

bool sleepUnlessSignalled(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!caughtSignal && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return !caughtSignal;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, &options)) {
        usage();
        return 2;
    }
    std::error_code ec;
    if (options.root.empty() || fs::equivalent(options.root, "/", ec) ||
        !fs::is_directory(options.root, ec)) {
        std::fprintf(stderr, "demodialer: only runs under a private system root; start it as "
                             "ROOT/usr/bin/wvdial or give --root ROOT\n");
        return 2;
    }
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction action {};
        action.sa_handler = sig == SIGTERM && options.ignoreTerm ? SIG_IGN : onSignal;
        sigaction(sig, &action, nullptr);
    }

    const fs::path root = options.root;
    if (countRun(root) < options.abortFirst) {
        say("WvDial: stack_magic assertion failed (demo dialer)");
        std::abort();
    }
    const std::string pid = std::to_string(getpid());
    const fs::path pidFile = root / "var/run/ppp0.pid";
    const fs::path resolver = root / "etc/ppp/resolv.conf";
    const fs::path statistics = root / "proc/net/dev";
    const fs::path procEntry = root / "proc" / pid;

    const std::string conf = options.asPppd ? std::string() : readFile(root / "etc/wvdial.conf");
    const LinkOptions link = linkOptions(root, options, conf);
    std::string port = "/dev/ttyUSB0";
    if (options.asPppd) {
        say("pppd 2.4.9 (demo dialer) started by the helper, peer " + options.peer);
        // The helper's options start with the card's port.
        const std::vector<std::string> words = optionWords(readFile(options.optionsFile));
        if (!words.empty())
            port = words.front();
        say("Serial connection established on " + port + ".");
    } else {
        say("WvDial: Internet dialer version 1.61 (demo dialer)");
        port = confValue(conf, "Modem");
        say("Initializing modem " + port + ".");
        say("Sending: " + confValue(conf, "Init"));
        say("Sending: " + confValue(conf, "Dial Command") + confValue(conf, "Phone"));
        say("Carrier detected.  Starting PPP immediately.");
    }

    // DIR/proc/<pid> follows the real /proc entry: it stays until this
    // process has been reaped, as the program expects. Links of earlier runs
    // that point nowhere now are removed.
    fs::create_directories(procEntry.parent_path(), ec);
    for (const auto& entry : fs::directory_iterator(procEntry.parent_path(), ec)) {
        if (entry.is_symlink(ec) && !fs::exists(entry.path(), ec))
            fs::remove(entry.path(), ec);
    }
    fs::create_symlink("/proc/" + pid, procEntry, ec);

    unsigned long long rx = 0, tx = 0, tick = 0;
    if (!options.link) {
        say("No carrier: waiting");
        while (sleepUnlessSignalled(1000)) {
        }
    } else if (sleepUnlessSignalled(options.delayMs)) {
        std::string servers;
        for (const std::string& dns : options.dns)
            servers += "nameserver " + dns + "\n";
        if (options.resolver && link.usePeerDns)
            writeFile(resolver, servers);
        writeFile(pidFile, pid + "\n");
        say("Local IP address 10.64.64.64");
        if (link.usePeerDns)
            say("primary   DNS address " + options.dns.front());
        LinkOptions up = link;
        up.usePeerDns = link.usePeerDns && options.resolver;
        runHooks(root, "ip-up.d", up, options.dns, port);
        do {
            // A browsing-like pace: some tens of kilobytes a tick, uneven.
            ++tick;
            rx += 20000 + tick * 7919 % 30000;
            tx += 2000 + tick * 3571 % 4000;
            writeFile(statistics, withoutPpp0(readFile(statistics)) + ppp0Line(rx, tx));
        } while (sleepUnlessSignalled(options.intervalMs));
    }

    say("Caught signal " + std::to_string(caughtSignal.load()) +
        ":  Attempting to exit gracefully...");
    if (fs::exists(pidFile, ec))
        runHooks(root, "ip-down.d", link, options.dns, port);
    fs::remove(pidFile, ec);
    fs::remove(resolver, ec);
    if (fs::exists(statistics))
        writeFile(statistics, withoutPpp0(readFile(statistics)));
    say("Disconnecting at " + std::to_string(std::time(nullptr)));
    return 0;
}
