#pragma once

// Small helpers shared by the command methods of the modem link.

#include <QByteArray>

// Copies a reply into a caller's buffer of outSize bytes, cut to fit.
inline void copyOut(const char* reply, char* out, int outSize) {
    if (out != nullptr && outSize > 0)
        qstrncpy(out, reply, static_cast<size_t>(outSize));
}
