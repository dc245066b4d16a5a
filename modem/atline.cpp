#include "modem/atline.h"

#include <cstring>

bool AtLine::accept(const char* value, bool quoted) {
    if (value == nullptr) {
        refused_ = true;
        return false;
    }
    for (const char* c = value; *c; ++c) {
        if (*c == '\r' || *c == '\n' || *c == 0x1A || *c == 0x1B || (quoted && *c == '"')) {
            refused_ = true;
            return false;
        }
    }
    return true;
}

AtLine& AtLine::text(const char* fixed) {
    line_.append(fixed);
    return *this;
}

AtLine& AtLine::arg(const char* value) {
    if (accept(value, false))
        line_.append(value);
    return *this;
}

AtLine& AtLine::quoted(const char* value) {
    if (accept(value, true))
        line_.append(value);
    return *this;
}

AtLine& AtLine::number(long value) {
    line_.append(QByteArray::number(static_cast<qlonglong>(value)));
    return *this;
}

QByteArray AtLine::line() const {
    if (refused_ || line_.size() + 3 > AT_COMMAND_SIZE)
        return QByteArray();
    return line_ + "\r\n";
}
