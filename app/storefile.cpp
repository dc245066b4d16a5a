#include "app/storefile.h"

#include "app/atomicfile.h"

#include <QDateTime>
#include <QFile>
#include <QtDebug>

StoreFile::StoreFile(QString path, QByteArray initial, const char* unreadable)
    : path_(std::move(path)), initial_(std::move(initial)), unreadable_(unreadable) {}

std::optional<QByteArray> StoreFile::readContents() {
    QFile file(path_);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << unreadable_ << ":" << path_ << file.errorString();
        writable_ = false; // it may still hold the user's data
        return std::nullopt;
    }
    return file.readAll();
}

bool StoreFile::setAside(const QString& error) {
    qWarning() << unreadable_ << ":" << path_ << error;
    const QString aside =
        path_ + ".unreadable-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    QString target = aside;
    for (int n = 1; QFile::exists(target); ++n)
        target = aside + '-' + QString::number(n);
    if (!QFile::rename(path_, target)) {
        qWarning() << "can't move the unreadable" << path_ << "aside to" << target;
        writable_ = false;
        return false;
    }
    qWarning() << "moved the unreadable" << path_ << "aside to" << target
               << "and started an empty one";
    return true;
}

bool StoreFile::write(const QByteArray& contents) const {
    if (!writable_) {
        qWarning() << "not writing" << path_ << ": its unreadable contents are kept";
        return false;
    }
    return writeFileAtomically(path_, contents);
}
