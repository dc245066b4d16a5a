#pragma once

#include <cstdio>
#include <string>

// The record of everything that crossed the ports. One line per entry:
//   <UTC time with milliseconds> <port> <kind> <text>
// kind "<" is what the modem received (a command line, a message body),
// ">" what it sent, "!" an event (a message sent or stored, unplug, ...).
// Control characters in the text are escaped (\r, \n, \x1a).
class Transcript {
public:
    Transcript() = default;
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // Empty path: standard error. Returns false when the file can't be opened.
    bool open(const std::string& path);
    void setQuiet(bool quiet) { quiet_ = quiet; }
    void write(const std::string& port, char kind, const std::string& text);

private:
    FILE* file_ = nullptr;
    bool quiet_ = false;
};
