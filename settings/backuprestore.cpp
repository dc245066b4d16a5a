// Writing a backup of the live files and putting a backup's files in their
// place.

#include "settings/backup.h"

#include "app/atomicfile.h"
#include "app/globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QtDebug>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace Backup {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("Backup", text);
}

// The journal of a restore under way. Its state says what a restart does:
// "staging" (the new files are being written; the live files are untouched)
// drops the staged files, "commit" puts the remaining new files in place,
// "rollback" puts the old files back.
QString journalPath() {
    return dataFile(QStringLiteral(".restore-journal"));
}

// One live file and the files a restore keeps beside it.
struct Entry {
    QString target; // the live file (a link's target)
    QString fresh;  // the new contents, ready to be renamed over it
    QString old;    // a copy of the live file
    bool hadOld = false;
};

Entry entryFor(const QString& name) {
    const QFileInfo info(dataFile(name));
    Entry e;
    e.target = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
    const QFileInfo target(e.target);
    const QString hidden = target.absolutePath() + "/." + target.fileName();
    e.fresh = hidden + ".restore-new";
    e.old = hidden + ".restore-old";
    e.hadOld = target.exists();
    return e;
}

bool writeJournal(const QString& state, const QList<Entry>& entries) {
    QJsonArray files;
    for (const Entry& e : entries)
        files.append(QJsonObject{
            {"target", e.target}, {"fresh", e.fresh}, {"old", e.old}, {"hadOld", e.hadOld}});
    const QJsonObject journal{{"state", state}, {"files", files}};
    return writeFileAtomically(journalPath(), QJsonDocument(journal).toJson(),
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Makes the renames in the folders of `entries` durable.
void syncFolders(const QList<Entry>& entries) {
    QSet<QString> folders;
    for (const Entry& e : entries)
        folders.insert(QFileInfo(e.target).absolutePath());
    for (const QString& folder : folders) {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
}

bool moveOver(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    qWarning() << "restore: can't move" << from << "to" << to;
    return false;
}

void removeStaged(const QList<Entry>& entries) {
    for (const Entry& e : entries) {
        QFile::remove(e.fresh);
        QFile::remove(e.old);
    }
}

void finish(const QList<Entry>& entries) {
    syncFolders(entries);
    removeStaged(entries);
    QFile::remove(journalPath());
}

// Puts the new files that are not yet in place there.
bool rollForward(const QList<Entry>& entries) {
    bool ok = true;
    for (const Entry& e : entries) {
        if (QFileInfo::exists(e.fresh))
            ok = moveOver(e.fresh, e.target) && ok;
    }
    return ok;
}

// Puts every file back as it was: a new file in place (its staged file is
// gone) gives way to the copy of the old one, or is removed when there was
// none.
void rollBack(const QList<Entry>& entries) {
    for (const Entry& e : entries) {
        if (QFileInfo::exists(e.fresh))
            continue;
        if (!e.hadOld)
            QFile::remove(e.target);
        else if (QFileInfo::exists(e.old))
            moveOver(e.old, e.target);
    }
}

// The staged file's mode and owner are those of the live file; a file that
// is new gets its owner's access only and the data folder's owner.
bool stage(const QString& path, const QByteArray& contents, const Entry& e) {
    const QString like = e.hadOld ? e.target : QFileInfo(e.target).absolutePath();
    const QFileDevice::Permissions permissions =
        e.hadOld ? QFile::permissions(e.target) : QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    return writeFileAtomically(path, contents, permissions, like);
}

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

} // namespace

bool writeBackup(const QString& path, QString* error) {
    QList<Member> members;
    for (const QString& name : memberNames()) {
        QFile file(dataFile(name));
        if (!file.open(QIODevice::ReadOnly))
            return fail(error, tr("Backup failed! %1 can't be read.").arg(name));
        members.append({name, file.readAll()});
    }
    const QFileInfo info(path);
    const QString owner = info.exists() ? QString() : info.absolutePath();
    if (!writeFileAtomically(path, encode(members),
                             QFileDevice::ReadOwner | QFileDevice::WriteOwner, owner))
        return fail(error, tr("Backup failed! The backup file can't be written."));
    return true;
}

bool restoreBackup(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, problemText(Problem::Unreadable));
    if (file.size() > MaxFileSize)
        return fail(error, problemText(Problem::Foreign));
    Problem problem = Problem::None;
    const std::optional<QList<Member>> members = decode(file.readAll(), &problem);
    if (!members)
        return fail(error, problemText(problem));
    return replaceDataFiles(*members, error);
}

bool replaceDataFiles(const QList<Member>& members, QString* error) {
    finishInterruptedRestore();
    const QString unchanged = tr("Resume failed! Nothing was changed.");
    QDir().mkpath(QFileInfo(journalPath()).absolutePath());
    QList<Entry> entries;
    for (const Member& member : members)
        entries.append(entryFor(member.name));
    if (!writeJournal(QStringLiteral("staging"), entries))
        return fail(error, unchanged);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        QFile live(e.target);
        const bool staged =
            stage(e.fresh, members[i].data, e) &&
            (!e.hadOld || (live.open(QIODevice::ReadOnly) && stage(e.old, live.readAll(), e)));
        if (!staged) {
            finish(entries);
            return fail(error, unchanged);
        }
    }
    if (!writeJournal(QStringLiteral("commit"), entries)) {
        finish(entries);
        return fail(error, unchanged);
    }
    if (!rollForward(entries)) {
        writeJournal(QStringLiteral("rollback"), entries);
        rollBack(entries);
        finish(entries);
        return fail(error, unchanged);
    }
    finish(entries);
    return true;
}

void finishInterruptedRestore() {
    QFile file(journalPath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject journal = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QList<Entry> entries;
    for (const QJsonValue& value : journal.value("files").toArray()) {
        const QJsonObject o = value.toObject();
        entries.append({o.value("target").toString(), o.value("fresh").toString(),
                        o.value("old").toString(), o.value("hadOld").toBool()});
    }
    const QString state = journal.value("state").toString();
    qWarning() << "finishing an interrupted restore, state" << state;
    if (state == QLatin1String("commit"))
        rollForward(entries);
    else if (state == QLatin1String("rollback"))
        rollBack(entries);
    finish(entries);
}

} // namespace Backup
