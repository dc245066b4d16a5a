#include "app/domfile.h"

#include "app/atomicfile.h"

#include <QDateTime>
#include <QFile>
#include <QtDebug>

DomFile::DomFile(QString path, QByteArray initial, const char* unreadable)
    : path_(std::move(path)), initial_(std::move(initial)), unreadable_(unreadable) {}

bool DomFile::load(QDomDocument& doc) {
    QFile file(path_);
    QByteArray contents;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning() << unreadable_ << ":" << path_ << file.errorString();
            writable_ = false; // it may still hold the user's data
            doc.clear();
            return false;
        }
        contents = file.readAll();
        file.close();
    }
    const bool blank = contents.trimmed().isEmpty();
    if (!blank) {
        QString error;
        int line = 0, column = 0;
        if (doc.setContent(contents, &error, &line, &column))
            return true;
        qWarning() << unreadable_ << ":" << path_ << "line" << line << "column" << column << error;
        if (!moveAside()) {
            writable_ = false;
            doc.clear();
            return false;
        }
    }
    doc.setContent(initial_);
    save(doc);
    return blank;
}

bool DomFile::save(const QDomDocument& doc) const {
    if (!writable_) {
        qWarning() << "not writing" << path_ << ": its unreadable contents are kept";
        return false;
    }
    return writeFileAtomically(path_, doc.toByteArray(4));
}

bool DomFile::moveAside() const {
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

QString DomFile::xmlSafe(const QString& text) {
    QString safe;
    safe.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            safe += c;
            safe += text.at(++i);
        } else if ((u >= 0x20 || u == '\t' || u == '\n' || u == '\r') && !c.isSurrogate() &&
                   u != 0xFFFE && u != 0xFFFF) {
            safe += c;
        }
    }
    return safe;
}
