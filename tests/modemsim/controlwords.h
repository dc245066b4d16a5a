#pragma once

#include <QStringList>

// The words of a control command of the simulator written as one line:
// blanks part them, except between single quotes ("on AT+CPIN? reply
// '+CME ERROR: SIM busy'").
inline QStringList controlWords(const QString& line) {
    QStringList out;
    QString word;
    bool quoted = false;
    bool any = false;
    for (const QChar c : line) {
        if (c == '\'') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any)
                out << word;
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any)
        out << word;
    return out;
}
