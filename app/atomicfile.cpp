#include "app/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QtDebug>
#include <sys/stat.h>
#include <unistd.h>

bool writeFileAtomically(const QString& path, const QByteArray& contents,
                         std::optional<QFileDevice::Permissions> permissions,
                         const QString& ownerOf) {
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    struct stat owner {};
    const QString ownerSource = ownerOf.isEmpty() ? target : ownerOf;
    const bool keepOwner =
        geteuid() == 0 && stat(QFile::encodeName(ownerSource).constData(), &owner) == 0;

    QSaveFile file(target);
    // Unbuffered, so that a short write (a full disk, a file size limit) is
    // seen here and not lost in a buffer that commit() flushes without telling.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qWarning() << "can't write" << target << ":" << file.errorString();
        return false;
    }
    bool ok = file.write(contents) == contents.size();
    if (ok && permissions)
        ok = file.setPermissions(*permissions);
    if (ok && keepOwner)
        ok = fchown(file.handle(), owner.st_uid, owner.st_gid) == 0;
    if (!ok) {
        qWarning() << "can't write" << target << ":" << file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        qWarning() << "can't replace" << target << ":" << file.errorString();
        return false;
    }
    return true;
}

int removeInterruptedWrites(const QString& folder, const QStringList& names) {
    // QSaveFile's new file: the target's name and ".XXXXXX" with random
    // letters of both cases and digits. Only a suffix with a lower-case
    // letter and an upper-case one after its first character is taken for
    // one, so that a copy the user named "sms.xml.backup", "sms.xml.Backup"
    // or "sms.xml.OLD123" is never touched; the rare leftover that doesn't
    // look random enough stays, unread and harmless.
    static const QRegularExpression suffix(
        QStringLiteral("^\\.(?=.*[a-z])(?=.[A-Za-z0-9]*[A-Z])[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    int removed = 0;
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        for (const QString& name : names) {
            if (entry.size() == name.size() + 7 && entry.startsWith(name) &&
                suffix.match(entry.mid(name.size())).hasMatch()) {
                if (QFile::remove(dir.filePath(entry))) {
                    qWarning() << "removed" << dir.filePath(entry)
                               << ", left by an interrupted write";
                    ++removed;
                }
                break;
            }
        }
    }
    return removed;
}
