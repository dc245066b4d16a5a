#include "app/domfile.h"

namespace {

// The document is written back in UTF-8 whatever encoding its file declared
// (the writer knows fewer encodings than the reader): its declaration must
// say so, or the next read would decode the bytes as the old encoding.
// Returns true when it declared another encoding.
bool declareUtf8(QDomDocument& doc) {
    const QDomNode first = doc.firstChild();
    if (!first.isProcessingInstruction() || first.nodeName() != u"xml")
        return false;
    const QString declared = first.toProcessingInstruction().data();
    doc.replaceChild(
        doc.createProcessingInstruction(QStringLiteral("xml"),
                                        QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")),
        first);
    return declared.contains(QStringLiteral("encoding"), Qt::CaseInsensitive) &&
           !declared.contains(QStringLiteral("utf-8"), Qt::CaseInsensitive);
}

// Takes out of the texts under `node` the characters XML can't hold. Only a
// file in another encoding decodes to them (UTF-7 to an unpaired
// surrogate); the writer would change them, so the texts would read
// differently after a save.
void dropUnsafeCharacters(QDomNode node) {
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isText()) {
            QDomText text = child.toText();
            const QString safe = DomFile::xmlSafe(text.data());
            if (safe.size() != text.data().size())
                text.setData(safe);
        } else {
            dropUnsafeCharacters(child);
        }
    }
}

} // namespace

DomFile::DomFile(QString path, QByteArray initial, const char* unreadable)
    : StoreFile(std::move(path), std::move(initial), unreadable) {}

bool DomFile::load(QDomDocument& doc) {
    const std::optional<QByteArray> contents = readContents();
    if (!contents) {
        doc.clear();
        return false;
    }
    const bool blank = contents->trimmed().isEmpty();
    if (!blank) {
        QString error;
        int line = 0, column = 0;
        if (doc.setContent(*contents, &error, &line, &column)) {
            if (declareUtf8(doc))
                dropUnsafeCharacters(doc);
            return true;
        }
        if (!setAside(QStringLiteral("line %1 column %2 %3").arg(line).arg(column).arg(error))) {
            doc.clear();
            return false;
        }
    }
    doc.setContent(initial());
    save(doc);
    return blank;
}

bool DomFile::save(const QDomDocument& doc) const {
    return write(doc.toByteArray(4));
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
