#include "settings/oldrootdata.h"

#include "app/globals.h"
#include "app/systempaths.h"
#include "app/userfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

QString answeredMark() {
    return dataFile(QStringLiteral(".old-root-data-answered"));
}

QStringList movableNames() {
    QStringList names;
    for (const char* name : kUserDataFiles)
        names << QString::fromLatin1(name);
    names.removeAll(QStringLiteral("debug.log"));
    names << QStringLiteral("smsparts.xml");
    return names;
}

} // namespace

namespace OldRootData {

bool offered() {
    return QFileInfo::exists(SystemPaths::oldRootDataMarker()) &&
           !QFileInfo::exists(answeredMark());
}

void markAnswered() {
    QFile mark(answeredMark());
    if (!mark.open(QIODevice::WriteOnly))
        qWarning("can't note the answer to moving root's data in %s", qPrintable(answeredMark()));
}

std::optional<QList<Backup::Member>> read(const QByteArray& output) {
    const QStringList allowed = movableNames();
    QList<Backup::Member> files;
    QSet<QString> seen;
    qsizetype at = 0;
    while (true) {
        const qsizetype end = output.indexOf('\n', at);
        if (end < 0)
            return std::nullopt;
        const QList<QByteArray> words = output.mid(at, end - at).split(' ');
        at = end + 1;
        if (words == QList<QByteArray>{"end"})
            return at == output.size() ? std::optional(files) : std::nullopt;
        bool ok = false;
        const qint64 size = words.size() == 3 ? words[2].toLongLong(&ok) : -1;
        const QString name = QString::fromUtf8(words.value(1));
        if (words.value(0) != "file" || !ok || size < 0 || size > output.size() - at ||
            !allowed.contains(name) || seen.contains(name))
            return std::nullopt;
        const Backup::Member file{name, output.mid(at, size)};
        if (!Backup::readableMember(file))
            return std::nullopt;
        seen.insert(name);
        files.append(file);
        at += size;
    }
}

bool install(const QList<Backup::Member>& files, QString* error) {
    return Backup::replaceDataFiles(files, error);
}

} // namespace OldRootData
