#pragma once

#include "modem.h"
#include "scenario.h"
#include "transcript.h"

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

struct SimulatorOptions {
    std::vector<std::string> scenarios; // files to load first, in order
    std::string portsFile;              // where the port paths are written (may be empty)
    std::string controlPath;            // control socket
    std::string transcriptPath;         // empty: standard error
    bool quietTranscript = false;
    bool dataPort = true;
    bool silentPort = false;
    std::map<std::string, std::string> links; // role -> stable symbolic link
    std::string root;                         // publish as <root>/dev/ttyUSBn
    std::vector<std::string> usbOrder;        // roles in ttyUSB order
    int usbFirst = 0;
};

// Faults injected through the control socket.
struct Faults {
    bool noEcho = false;
    int delayMs = 0;   // before every reply
    int slowMs = 0;    // between the bytes of every reply
    int garbage = 0;   // next reply: preceded by this many garbage bytes
    int truncate = -1; // next reply: cut after this many bytes (-2: without final result)
    int huge = 0;      // next reply: this many bytes of information text first
};

// One pseudo-terminal pair standing for one of the card's ttyUSB ports.
struct Port {
    struct Chunk {
        std::string bytes;
        Clock::time_point due;
        int perByteMs = 0;
    };

    std::string role; // "at", "data", "silent"
    int master = -1;
    int slave = -1; // kept open so the pty lives while no client has it open
    std::string slavePath;
    PortSettings settings;
    std::string in;
    bool inBody = false;
    Clock::time_point crWait{}; // a line ended in CR: wait briefly for its LF
    std::deque<Chunk> out;
    std::string urcs; // unsolicited lines waiting for the port to be idle
    // Unsolicited lines that go out inside the next reply with information
    // text (between its lines and its final result), or after `until` on
    // their own, as a card's periodic reports do.
    struct Aside {
        std::string line;
        Clock::time_point until;
    };
    std::vector<Aside> inside;
    int watch = -1;  // inotify watch on the slave device: opens and closes by clients
    int clients = 0; // clients holding the port open (as far as inotify saw)
    bool sawClient = false;

    bool open() const { return master >= 0; }
    // No client has the port open any more (only known once one was seen).
    bool deserted() const { return sawClient && clients <= 0; }
};

class Simulator {
public:
    explicit Simulator(SimulatorOptions options);
    ~Simulator();

    // Loads the scenario, opens the ports and the control socket; false and
    // a message on standard error when that fails.
    bool start();
    // Runs until "stop" or SIGINT/SIGTERM. Returns the exit status.
    int run();

private:
    SimulatorOptions opt_;
    Modem modem_;
    std::vector<Override> overrides_;
    Scenario scenario_;
    Transcript transcript_;
    Faults faults_;
    std::vector<std::unique_ptr<Port>> ports_;
    bool plugged_ = false;
    int controlFd_ = -1;
    int inotifyFd_ = -1;
    struct Client {
        int fd;
        std::string in;
    };
    std::vector<Client> clients_;
    bool stopping_ = false;
    Clock::time_point nextReport_ = Clock::time_point::max(); // the next status report due
    Clock::time_point nextChatter_{};                         // the dialect's next status lines

    Port* port(const std::string& role);
    bool plug(std::string& error);
    void unplug();
    bool openPty(Port& p, std::string& error);
    void publish();
    void unpublish();
    void writePortsFile();
    std::string usbName(size_t position) const;

    void readPort(Port& p);
    void readWatches();
    void clientGone(Port& p);
    void processInput(Port& p);
    void handleLine(Port& p, const std::string& line, const std::string& echo);
    void send(Port& p, const std::string& bytes, int delayMs = 0);
    void flush(Port& p);
    void queueUrc(const std::string& text);
    void chatter(Clock::time_point now);
    bool idle(const Port& p) const;

    bool openControl(std::string& error);
    void acceptClient();
    bool readClient(Client& c); // false: closed
    std::string control(const std::string& line, bool& ok);

    int pollTimeoutMs() const;
};
