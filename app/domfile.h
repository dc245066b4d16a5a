#pragma once

// The XML file behind one of the program's stores (messages, contacts): read
// once into a DOM document, afterwards rewritten whole from it.

#include "app/storefile.h"

#include <QDomDocument>
#include <QString>

class DomFile : public StoreFile {
public:
    // `initial` is the document of a new, empty store; `unreadable` the
    // warning logged when the file cannot be read.
    DomFile(QString path, QByteArray initial, const char* unreadable);

    // Reads the file into `doc`. A missing or empty file is created from the
    // initial document. A file that is there but cannot be parsed is moved
    // aside under a new name and the store starts from the initial document;
    // if it cannot be moved aside, the store does not write (so as never to
    // overwrite it) and `doc` stays empty. Returns false when an existing
    // file could not be read.
    bool load(QDomDocument& doc);

    // Replaces the file with `doc`, indented by 4: a new file renamed over the
    // old one, so that a crash or a full disk leaves the old file intact.
    // Returns false when it could not be written.
    bool save(const QDomDocument& doc) const;

    // `text` without the characters XML 1.0 cannot hold (control characters
    // other than tab, line feed and carriage return; unpaired surrogates;
    // U+FFFE and U+FFFF), so that whatever a message or a modem carried, the
    // file stays readable.
    static QString xmlSafe(const QString& text);
};
