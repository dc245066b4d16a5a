#include "app/atomicfile.h"

#include <QFile>
#include <QSaveFile>
#include <QtDebug>

bool writeFileAtomically(const QString& path, const QByteArray& contents,
                         std::optional<QFileDevice::Permissions> permissions) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "can't write" << path << ":" << file.errorString();
        return false;
    }
    if (file.write(contents) != contents.size()) {
        qWarning() << "can't write" << path << ":" << file.errorString();
        file.cancelWriting();
        file.commit();
        return false;
    }
    if (permissions && !file.setPermissions(*permissions)) {
        qWarning() << "can't set the permissions of" << path;
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
