// modemsim: a 3G data card's AT and data ports on pseudo-terminals.
// See README.md beside this file for the command line, the scenario format
// and the control commands.

#include "simulator.h"
#include "text.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

const char kUsage[] =
    "usage: modemsim [options]\n"
    "  --scenario FILE|NAME   load a scenario (NAME: a shipped one, e.g. ready);\n"
    "                         several, comma-separated, load in order (stick,echooff)\n"
    "  --ports-file FILE      write the port paths to FILE (role=path lines)\n"
    "  --at-link PATH         publish the AT port as a symbolic link\n"
    "  --data-link PATH       publish the data port as a symbolic link\n"
    "  --silent-link PATH     publish the silent port as a symbolic link\n"
    "  --silent-port          also open a port that never answers\n"
    "  --no-data-port         open the AT port only\n"
    "  --root DIR             publish the ports as DIR/dev/ttyUSB<n> with\n"
    "                         DIR/sys/class/tty/ttyUSB<n> entries\n"
    "  --usb-order LIST       ports in ttyUSB order, e.g. data,silent,at (default)\n"
    "  --usb-first N          number of the first ttyUSB name (default 0)\n"
    "  --control PATH         control socket (default /tmp/modemsim-<pid>.sock)\n"
    "  --transcript FILE      transcript file (default: standard error)\n"
    "  --no-transcript        keep no transcript\n"
    "  --die-with-parent      stop when the parent process ends\n"
    "  --help                 this text\n";

// A shipped scenario by name: <dir of the executable>/modemsim-scenarios/NAME.scn.
std::string scenarioPath(const std::string& arg) {
    if (arg.find('/') != std::string::npos || access(arg.c_str(), R_OK) == 0)
        return arg;
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return arg;
    exe[n] = 0;
    std::string dir(exe);
    dir.erase(dir.rfind('/'));
    const std::string shipped = dir + "/modemsim-scenarios/" + arg + ".scn";
    return access(shipped.c_str(), R_OK) == 0 ? shipped : arg;
}

} // namespace

int main(int argc, char** argv) {
    SimulatorOptions opt;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "modemsim: %s needs a value\n%s", a.c_str(), kUsage);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--scenario") {
            // NAME,NAME...: several scenarios, each on the ones before.
            for (const std::string& name : text::splitParams(value()))
                opt.scenarios.push_back(scenarioPath(name));
        } else if (a == "--ports-file")
            opt.portsFile = value();
        else if (a == "--at-link")
            opt.links["at"] = value();
        else if (a == "--data-link")
            opt.links["data"] = value();
        else if (a == "--silent-link")
            opt.links["silent"] = value();
        else if (a == "--silent-port")
            opt.silentPort = true;
        else if (a == "--no-data-port")
            opt.dataPort = false;
        else if (a == "--root")
            opt.root = value();
        else if (a == "--usb-order")
            opt.usbOrder = text::splitParams(value());
        else if (a == "--usb-first") {
            if (!text::parseInt(value(), opt.usbFirst) || opt.usbFirst < 0) {
                std::fprintf(stderr, "modemsim: --usb-first needs a number\n");
                return 2;
            }
        } else if (a == "--control")
            opt.controlPath = value();
        else if (a == "--transcript")
            opt.transcriptPath = value();
        else if (a == "--no-transcript")
            opt.quietTranscript = true;
        else if (a == "--die-with-parent") {
            const pid_t parent = getppid();
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent) // the parent ended before the request took hold
                return 0;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "modemsim: unknown option %s\n%s", a.c_str(), kUsage);
            return 2;
        }
    }
    Simulator sim(opt);
    if (!sim.start())
        return 1;
    return sim.run();
}
