#include "app/domfile.h"

namespace {

// The document is written back in UTF-8 whatever encoding its file declared
// (the writer knows fewer encodings than the reader): its declaration must
// say so, or the next read would decode the bytes as the old encoding.
void declareUtf8(QDomDocument& doc) {
    const QDomNode first = doc.firstChild();
    if (first.isProcessingInstruction() && first.nodeName() == u"xml")
        doc.replaceChild(
            doc.createProcessingInstruction(QStringLiteral("xml"),
                                            QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")),
            first);
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
            declareUtf8(doc);
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
