#pragma once

// The XML file behind a store (messages, contacts), read into an element
// tree once and afterwards rewritten whole from it, atomically: a missing or
// empty file is created from the initial document; a file that cannot be
// parsed is moved aside and the store starts afresh; a file that cannot be
// read or moved aside is never overwritten.

#include "app/storefile.h"
#include "app/xmltree.h"

#include <QByteArray>
#include <QString>

class XmlStoreFile : public StoreFile {
public:
    XmlStoreFile(QString path, QByteArray initial, const char* unreadable);

    // Reads the file into `root` (the initial document when there was none
    // or it could not be parsed; an empty node when it must not be
    // written). False when an existing file could not be read.
    bool load(XmlNode& root);
    // Replaces the file with `root` atomically. False when not written.
    bool save(const XmlNode& root) const;
};
