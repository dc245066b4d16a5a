#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <optional>

// Replaces the file at `path` with `contents` so that a crash or a full disk
// leaves either the old file or the new one, never a mixture: the bytes go to
// a new file in the same folder, are synced, and the new file is renamed over
// the old. A symbolic link at `path` stays a link; the file it points at is
// replaced.
//
// The new file keeps the old one's permissions unless `permissions` is given.
// When running as root it also keeps the old file's owner and group, or those
// of `ownerOf` when that names another file (a copy takes its source's).
//
// Returns false, with the old file untouched, on any failure.
bool writeFileAtomically(const QString& path, const QByteArray& contents,
                         std::optional<QFileDevice::Permissions> permissions = std::nullopt,
                         const QString& ownerOf = QString());

// Removes from `folder` what writes of the files `names` left behind when
// the program ended before their new file was renamed into place: a file
// named after one of them with a dot and six random letters and digits
// added (mixed case beyond the first letter, so that no name a user would
// give a copy is taken). Such a file is never the only copy of
// anything: the old file is still in place. Runs at start, before anything
// writes. Returns how many were removed.
int removeInterruptedWrites(const QString& folder, const QStringList& names);
