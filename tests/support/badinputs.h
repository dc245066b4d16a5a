#pragma once

// The awkward texts a user may type or a file may hold, each tried in every
// field that takes text from outside.

#include <QList>
#include <QString>
#include <algorithm>
#include <utility>

inline const QList<std::pair<const char*, QString>> kBadInputs = {
    {"CR", "ab\rAT+CFUN=0"},
    {"LF", "ab\nAT+CFUN=0"},
    {"CR LF", "ab\r\nAT+CFUN=0\r\n"},
    {"Ctrl-Z", QString("ab") + QChar(0x1A) + "AT+CFUN=0"},
    {"Esc", QString("ab") + QChar(0x1B) + "x"},
    {"NUL", QString("ab") + QChar(0) + "cd"},
    {"tab", "ab\tcd"},
    {"quote", "ab\"cd"},
    {"separator", "ab-|-cd"},
    {"half separator at the end", "ab-|"},
    {"long", QString(5000, 'x')},
    {"non-Latin", QString::fromUtf8("Grüße 😀 δ")},
};

inline bool hasControl(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}
