#pragma once

// Small helpers shared by the command methods of the modem link.

#include <QtGlobal>

#include <cstring>
#include <initializer_list>
#include <utility>

// Maps a result code through pairs (code, value); `otherwise` when absent.
inline int mapCode(int code, std::initializer_list<std::pair<int, int>> table, int otherwise) {
    for (const auto& [from, to] : table) {
        if (code == from)
            return to;
    }
    return otherwise;
}

// A final reply that reports success: "OK" and no error line.
inline bool answeredOk(const char* reply) {
    return std::strstr(reply, "OK\r\n") != nullptr && std::strstr(reply, "ERROR") == nullptr;
}

// Copies a reply into a caller's buffer of outSize bytes, cut to fit.
inline void copyOut(const char* reply, char* out, int outSize) {
    if (out != nullptr && outSize > 0)
        qstrncpy(out, reply, static_cast<size_t>(outSize));
}
