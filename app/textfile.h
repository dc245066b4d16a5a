#pragma once

#include "app/atomicfile.h"

#include <QByteArrayList>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <optional>

// The record, dialer and resolver files are line files whose every line ends
// with CR LF. These helpers read such files (accepting LF or CR LF) and write
// them whole, replacing the old file atomically.

// The lines of `path` without their "\n" or "\r\n" endings. An empty last
// piece after the final line end is not a line. False when unreadable.
bool readByteLines(const QString& path, QByteArrayList* lines);
// The same, decoded as UTF-8.
bool readTextLines(const QString& path, QStringList* lines);

// Every line followed by CR LF.
QByteArray crlfText(const QByteArrayList& lines);
QByteArray crlfText(const QStringList& lines);

// The mode of an existing file as permission flags.
QFileDevice::Permissions filePermissions(const QString& path);

// The permissions for a file that holds a password: those of the file it
// replaces without any access for others, or owner read/write for a new file.
QFileDevice::Permissions secretFilePermissions(const QString& path);
