#pragma once

// Backup and restore of what the user keeps on the PC: the messages
// (sms.xml), the phonebook (contact.xml), the connection profiles
// (totalRecord.conf, defaultRecord.conf) and the three settings files, all
// in one backup file.
//
// A backup file ("*.dat") is a short text header and then the files' bytes:
//
//     VELTO-MODEM-CONNECTION-BACKUP\n
//     version 1\n
//     file sms.xml 2048\n          one line per file: its name and its size in bytes
//     file contact.xml 512\n
//     ...
//     sha256 <64 lower-case hexadecimal digits>\n
//     \n
//     <the bytes of each file, one after the other, in the order of the lines>
//
// The checksum is the SHA-256 of the whole file without the checksum line.
// A backup holds exactly the files of memberNames(), each once.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace Backup {

inline constexpr int FormatVersion = 1;
// A larger file is not read: no backup of this program comes near it.
inline constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

struct Member {
    QString name; // a file name in the data folder
    QByteArray data;
};

// The files of a backup, in their order in the file.
QStringList memberNames();

enum class Problem {
    None,
    Unreadable, // the backup file can't be read
    Foreign,    // not a backup of this program
    Newer,      // a backup of a later format
    Damaged,    // cut short, changed, or a file missing or unreadable
};
// The message shown for a refused backup.
QString problemText(Problem problem);

QByteArray encode(const QList<Member>& members);
// The members of a backup file's bytes, each checked: the XML files parse
// and the other files are UTF-8 text. Nothing, with the reason in `problem`,
// unless the backup is complete and intact.
std::optional<QList<Member>> decode(const QByteArray& bytes, Problem* problem);

// Writes a backup of the live files to `path`, readable by its owner only
// (the profiles hold passwords). False, with the reason in `error`, when a
// file can't be read or the backup can't be written.
bool writeBackup(const QString& path, QString* error);

// Checks the whole backup at `path`, then replaces the live files with its
// files. The new files are written beside the live ones and the live ones
// copied first; the replacement is recorded in a journal, so that a crash
// midway is completed at the next start (finishInterruptedRestore). The
// copies of the old files are removed only once every new file is in place.
// On any failure the live files stay as they were and `error` says why.
bool restoreBackup(const QString& path, QString* error);

// Replaces the live data files named by `members` with theirs, as a restore
// does (journaled, completed or dropped after a crash); the other files stay.
// On any failure the live files stay as they were and `error` says why.
bool replaceDataFiles(const QList<Member>& members, QString* error);

// The checks a backup's member passes: an XML store parses, any other
// file is UTF-8 text.
bool readableMember(const Member& member);

// Completes a restore that a crash interrupted after the new files were
// ready, or drops one interrupted before. Runs before the stores read their
// files.
void finishInterruptedRestore();

} // namespace Backup
