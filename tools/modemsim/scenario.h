#pragma once

#include "modem.h"

#include <string>
#include <vector>

// A per-command override: a fixed reply, a delay, no reply at all.
struct Override {
    std::string pattern;            // glob (* and ?), matched case-insensitively on the line
    std::vector<std::string> lines; // reply lines, each framed "\r\n...\r\n"
    std::string raw;                // exact reply bytes
    bool hasLines = false;
    bool hasRaw = false;
    bool noReply = false;  // nothing at all, not even the echo
    bool noResult = false; // the echo only
    bool noEcho = false;
    int delayMs = 0;
    int count = -1; // uses left; -1 = always

    bool matches(const std::string& line) const;
};

// Scenario files: one directive per line (see README.md). The same
// directives change a running simulator through the control command "set".
class Scenario {
public:
    Scenario(Modem& modem, std::vector<Override>& overrides)
        : modem_(modem), overrides_(overrides) {}

    bool loadFile(const std::string& path, std::string& error);
    bool apply(const std::vector<std::string>& words, std::string& error);

private:
    Modem& modem_;
    std::vector<Override>& overrides_;
    int depth_ = 0; // include nesting

    bool message(const std::vector<std::string>& w, std::string& error);
    bool contact(const std::vector<std::string>& w, std::string& error);
    bool network(const std::vector<std::string>& w, std::string& error);
    bool addOverride(const std::vector<std::string>& w, std::string& error);
};
