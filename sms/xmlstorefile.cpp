#include "sms/xmlstorefile.h"

#include "app/atomicfile.h"

#include <QDateTime>
#include <QFile>
#include <QtDebug>

XmlStoreFile::XmlStoreFile(QString path, QByteArray initial, const char* unreadable)
    : path_(std::move(path)), initial_(std::move(initial)), unreadable_(unreadable) {}

bool XmlStoreFile::load(XmlNode& root) {
    QFile file(path_);
    QByteArray contents;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning() << unreadable_ << ":" << path_ << file.errorString();
            writable_ = false; // it may still hold the user's data
            root = {};
            return false;
        }
        contents = file.readAll();
    }
    const bool blank = contents.trimmed().isEmpty();
    if (!blank) {
        QString error;
        if (parseXmlTree(contents, &root, &error))
            return true;
        qWarning() << unreadable_ << ":" << path_ << error;
        if (!moveAside()) {
            writable_ = false;
            root = {};
            return false;
        }
    }
    parseXmlTree(initial_, &root, nullptr);
    save(root);
    return blank;
}

bool XmlStoreFile::save(const XmlNode& root) const {
    if (!writable_) {
        qWarning() << "not writing" << path_ << ": its unreadable contents are kept";
        return false;
    }
    return writeFileAtomically(path_, serializeXmlTree(root));
}

bool XmlStoreFile::moveAside() const {
    const QString aside =
        path_ + ".unreadable-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    QString target = aside;
    for (int n = 1; QFile::exists(target); ++n)
        target = aside + '-' + QString::number(n);
    if (!QFile::rename(path_, target)) {
        qWarning() << "can't move the unreadable" << path_ << "aside to" << target;
        return false;
    }
    qWarning() << "moved the unreadable" << path_ << "aside to" << target
               << "and started an empty one";
    return true;
}
