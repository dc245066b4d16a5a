// modemsim-ctl: sends control commands to a running modemsim.
//   modemsim-ctl [--socket PATH] COMMAND [ARGUMENTS...]
//   modemsim-ctl [--socket PATH]            (commands from standard input, one per line)
// The socket defaults to $MODEMSIM_CONTROL.

#include "text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Sends one command line and prints the answer; returns 0 on OK, 1 on ERROR,
// 2 when the simulator can't be reached.
int runCommand(int fd, const std::string& line) {
    const std::string out = line + "\n";
    if (send(fd, out.data(), out.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(out.size()))
        return 2;
    std::string in;
    char buf[4096];
    while (true) {
        size_t nl;
        while ((nl = in.find('\n')) != std::string::npos) {
            const std::string answer = in.substr(0, nl);
            in.erase(0, nl + 1);
            if (answer == "OK")
                return 0;
            if (text::startsWith(answer, "ERROR")) {
                std::fprintf(stderr, "modemsim-ctl: %s\n", answer.c_str());
                return 1;
            }
            std::printf("%s\n", answer.c_str());
        }
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            return 2;
        in.append(buf, static_cast<size_t>(n));
    }
}

} // namespace

int main(int argc, char** argv) {
    std::string socketPath = std::getenv("MODEMSIM_CONTROL") ? std::getenv("MODEMSIM_CONTROL") : "";
    int i = 1;
    if (i < argc && (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)) {
        std::puts("usage: modemsim-ctl [--socket PATH] [COMMAND [ARGUMENTS...]]\n"
                  "Without a command, reads commands from standard input, one per line.\n"
                  "The socket defaults to $MODEMSIM_CONTROL. See tools/modemsim/README.md.");
        return 0;
    }
    if (i + 1 < argc &&
        (std::strcmp(argv[i], "--socket") == 0 || std::strcmp(argv[i], "-s") == 0)) {
        socketPath = argv[i + 1];
        i += 2;
    }
    if (socketPath.empty()) {
        std::fprintf(stderr, "modemsim-ctl: give --socket PATH or set MODEMSIM_CONTROL\n");
        return 2;
    }
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof addr.sun_path) {
        std::fprintf(stderr, "modemsim-ctl: socket path too long\n");
        return 2;
    }
    std::strcpy(addr.sun_path, socketPath.c_str());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        std::fprintf(stderr, "modemsim-ctl: cannot reach %s: %s\n", socketPath.c_str(),
                     std::strerror(errno));
        return 2;
    }
    int status = 0;
    if (i < argc) {
        std::string line;
        for (; i < argc; ++i)
            line += (line.empty() ? "" : " ") + text::quote(argv[i]);
        status = runCommand(fd, line);
    } else {
        std::string line;
        while (status != 2 && std::getline(std::cin, line))
            if (!text::trim(line).empty())
                status = std::max(status, runCommand(fd, line));
    }
    close(fd);
    if (status == 2)
        std::fprintf(stderr, "modemsim-ctl: the simulator closed the connection\n");
    return status;
}
