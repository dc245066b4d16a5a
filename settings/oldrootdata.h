#pragma once

// The data an earlier version, which ran as root, kept in root's home
// (/root/.local/share/velto/Data): messages, contacts, connection profiles,
// settings and the data used. The program now runs as the user, who can't
// look into root's home; the package's upgrade marks that such data exists,
// and the first start as the user offers to move it, through the helper.

#include "settings/backup.h"

#include <QByteArray>
#include <QList>
#include <optional>

namespace OldRootData {

// There is such data, and this user has not answered the offer yet.
bool offered();
// The user answered (moved it, or declined): the offer isn't made again.
void markAnswered();

// The files in the helper's output ("file NAME SIZE", the bytes, ... "end"):
// only the user's data files, each whole and readable (as a backup's
// members are checked). Nothing when anything is out of place.
std::optional<QList<Backup::Member>> read(const QByteArray& output);

// Puts the files in place of the user's own, as a restore does: all of
// them or, should the program be interrupted, none (the next start
// completes or drops the move). False with the reason in `error`.
bool install(const QList<Backup::Member>& files, QString* error);

} // namespace OldRootData
