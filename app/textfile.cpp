#include "app/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QtDebug>

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
