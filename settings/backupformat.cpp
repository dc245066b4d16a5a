// The backup file's format: writing and checking it.

#include "settings/backup.h"

#include "app/xmltree.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSet>
#include <QStringDecoder>

namespace Backup {

namespace {

const QByteArray Magic = QByteArrayLiteral("VELTO-MODEM-CONNECTION-BACKUP");
// The header is a few hundred bytes; a file without its end this early is
// no backup.
constexpr qsizetype MaxHeaderSize = 4096;

QByteArray checksum(const QByteArray& header, QByteArrayView body) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(header);
    hash.addData(body);
    return hash.result().toHex();
}

std::optional<QList<Member>> refuse(Problem* problem, Problem why) {
    *problem = why;
    return std::nullopt;
}

} // namespace

bool readableMember(const Member& member) {
    if (member.name.endsWith(QLatin1String(".xml"))) {
        XmlNode root;
        return parseXmlTree(member.data, &root, nullptr);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    static_cast<void>(QString(utf8(member.data)));
    return !utf8.hasError();
}

QStringList memberNames() {
    return {QStringLiteral("sms.xml"),
            QStringLiteral("contact.xml"),
            QStringLiteral("totalRecord.conf"),
            QStringLiteral("defaultRecord.conf"),
            QStringLiteral("networksetconfigrc"),
            QStringLiteral("messagesetconfigrc"),
            QStringLiteral("alertsetconfigrc")};
}

QString problemText(Problem problem) {
    const char* text = "";
    switch (problem) {
    case Problem::None:
        break;
    case Problem::Unreadable:
        text = QT_TRANSLATE_NOOP("Backup", "The backup file can't be read!");
        break;
    case Problem::Foreign:
        text = QT_TRANSLATE_NOOP("Backup", "The file is not a backup of this program!");
        break;
    case Problem::Newer:
        text = QT_TRANSLATE_NOOP(
            "Backup", "The backup was made by a newer version of this program and can't be used!");
        break;
    case Problem::Damaged:
        text = QT_TRANSLATE_NOOP("Backup", "The backup file is damaged or incomplete!");
        break;
    }
    return QCoreApplication::translate("Backup", text);
}

QByteArray encode(const QList<Member>& members) {
    QByteArray header = Magic + "\nversion " + QByteArray::number(FormatVersion) + "\n";
    QByteArray body;
    for (const Member& member : members) {
        header +=
            "file " + member.name.toUtf8() + " " + QByteArray::number(member.data.size()) + "\n";
        body += member.data;
    }
    return header + "sha256 " + checksum(header, body) + "\n\n" + body;
}

std::optional<QList<Member>> decode(const QByteArray& bytes, Problem* problem) {
    Problem ignored = Problem::None;
    if (!problem)
        problem = &ignored;
    *problem = Problem::None;
    if (!bytes.startsWith(Magic + "\n"))
        return refuse(problem, Problem::Foreign);
    const qsizetype headerEnd = bytes.indexOf("\n\n");
    if (headerEnd < 0 || headerEnd > MaxHeaderSize)
        return refuse(problem, Problem::Damaged);
    const QList<QByteArray> lines = bytes.left(headerEnd).split('\n');
    const QByteArrayView body = QByteArrayView(bytes).sliced(headerEnd + 2);

    bool ok = false;
    const int version = lines.value(1).startsWith("version ") ? lines[1].mid(8).toInt(&ok) : 0;
    if (!ok || version < 1)
        return refuse(problem, Problem::Damaged);
    if (version > FormatVersion)
        return refuse(problem, Problem::Newer);

    const QStringList expected = memberNames();
    QList<Member> members;
    QList<qint64> sizes;
    QSet<QString> seen;
    qint64 total = 0;
    QByteArray header = lines[0] + "\n" + lines[1] + "\n";
    qsizetype i = 2;
    for (; i < lines.size() && lines[i].startsWith("file "); ++i) {
        const QList<QByteArray> words = lines[i].split(' ');
        const QString name = QString::fromUtf8(words.value(1));
        const qint64 size = words.size() == 3 ? words[2].toLongLong(&ok) : -1;
        if (!ok || size < 0 || size > body.size() - total || !expected.contains(name) ||
            seen.contains(name))
            return refuse(problem, Problem::Damaged);
        seen.insert(name);
        members.append({name, QByteArray()});
        sizes.append(size);
        total += size;
        header += lines[i] + "\n";
    }
    if (i != lines.size() - 1 || !lines[i].startsWith("sha256 ") ||
        seen.size() != expected.size() || total != body.size() ||
        lines[i].mid(7) != checksum(header, body))
        return refuse(problem, Problem::Damaged);

    qint64 offset = 0;
    for (qsizetype m = 0; m < members.size(); ++m) {
        members[m].data = body.sliced(offset, sizes[m]).toByteArray();
        offset += sizes[m];
        if (!readableMember(members[m]))
            return refuse(problem, Problem::Damaged);
    }
    return members;
}

} // namespace Backup
