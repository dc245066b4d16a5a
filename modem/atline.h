#pragma once

#include "modem/protocol/commands.h"

#include <QByteArray>

// A command line, its "\r\n" and the NUL fit in this many bytes.
inline constexpr int AT_COMMAND_SIZE = 200;

// Builds one AT command line from fixed text and caller-supplied arguments.
//
// An argument may not hold CR, LF, Ctrl-Z or Esc (each would end the line or
// a message body early and let the rest run as another command), nor a
// double quote where the command puts it between double quotes. A refused
// argument, a missing one, or a line that with its "\r\n" would not fit
// AT_COMMAND_SIZE bytes (NUL included) gives an empty line, which the
// command methods report as not written.
class AtLine {
public:
    explicit AtLine(const char* start) : line_(start) {}
    // Starts with a declared command's line.
    explicit AtLine(const AtCommand& command)
        : line_(command.line.data(), static_cast<qsizetype>(command.line.size())) {}

    AtLine& text(const char* fixed);   // fixed text, not checked
    AtLine& arg(const char* value);    // inserted verbatim (numbers, operator fields)
    AtLine& quoted(const char* value); // the caller's text between quotes of the fixed text
    AtLine& number(long value);

    // The line with "\r\n", or an empty array when refused.
    QByteArray line() const;

private:
    bool accept(const char* value, bool quoted);

    QByteArray line_;
    bool refused_ = false;
};
