#include "connection/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>
#include <sys/stat.h>
#include <unistd.h>

bool readByteLines(const QString& path, QByteArrayList* lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArrayList result = file.readAll().split('\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    for (QByteArray& line : result) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    *lines = result;
    return true;
}

bool readTextLines(const QString& path, QStringList* lines) {
    QByteArrayList raw;
    if (!readByteLines(path, &raw))
        return false;
    lines->clear();
    for (const QByteArray& line : raw)
        lines->append(QString::fromUtf8(line));
    return true;
}

QByteArray crlfText(const QByteArrayList& lines) {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line + "\r\n";
    return text;
}

QByteArray crlfText(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + "\r\n";
    return text;
}

bool replaceSystemFile(const QString& link, const QByteArray& contents,
                       std::optional<QFileDevice::Permissions> permissions,
                       const QString& ownerOf) {
    // A symbolic link (/etc/resolv.conf often is one) stays in place and
    // the file it points at is replaced.
    const QFileInfo linkInfo(link);
    const QString path = linkInfo.isSymLink() ? linkInfo.symLinkTarget() : link;
    const QString ownerSource = ownerOf.isEmpty() ? path : ownerOf;
    struct stat owner {};
    const bool knownOwner = stat(QFile::encodeName(ownerSource).constData(), &owner) == 0;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "can't write" << path << ":" << file.errorString();
        return false;
    }
    bool ok = file.write(contents) == contents.size();
    if (ok && permissions)
        ok = file.setPermissions(*permissions);
    // Only root may give a file away; for anyone else the file stays theirs.
    if (ok && knownOwner && geteuid() == 0)
        ok = fchown(file.handle(), owner.st_uid, owner.st_gid) == 0;
    if (!ok) {
        qWarning() << "can't write" << path << ":" << file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (!file.commit()) {
        qWarning() << "can't replace" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

QFileDevice::Permissions filePermissions(const QString& path) {
    // The "User" flags describe the calling user's access, not the file's mode.
    return QFileInfo(path).permissions() &
           ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

QFileDevice::Permissions secretFilePermissions(const QString& path) {
    if (!QFileInfo::exists(path))
        return QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    return filePermissions(path) &
           ~(QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}
