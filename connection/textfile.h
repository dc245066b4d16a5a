#pragma once

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

// Replaces a system file atomically (new file, sync, rename). The new file
// takes the owner and group of `ownerOf` (by default the file it replaces,
// when that exists), so that a group such as "dialout" that may read
// /etc/wvdial.conf keeps reading it; its mode is `permissions` when given,
// else that of the file it replaces. A symbolic link at `path` is kept and
// its target replaced.
bool replaceSystemFile(const QString& path, const QByteArray& contents,
                       std::optional<QFileDevice::Permissions> permissions = std::nullopt,
                       const QString& ownerOf = QString());

// The mode of an existing file as permission flags.
QFileDevice::Permissions filePermissions(const QString& path);

// The permissions for a file that holds a password: those of the file it
// replaces without any access for others, or owner read/write for a new file.
QFileDevice::Permissions secretFilePermissions(const QString& path);
