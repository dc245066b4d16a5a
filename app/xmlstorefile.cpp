#include "app/xmlstorefile.h"

XmlStoreFile::XmlStoreFile(QString path, QByteArray initial, const char* unreadable)
    : StoreFile(std::move(path), std::move(initial), unreadable) {}

bool XmlStoreFile::load(XmlNode& root) {
    const std::optional<QByteArray> contents = readContents();
    if (!contents) {
        root = {};
        return false;
    }
    const bool blank = contents->trimmed().isEmpty();
    if (!blank) {
        QString error;
        if (parseXmlTree(*contents, &root, &error))
            return true;
        if (!setAside(error)) {
            root = {};
            return false;
        }
    }
    parseXmlTree(initial(), &root, nullptr);
    save(root);
    return blank;
}

bool XmlStoreFile::save(const XmlNode& root) const {
    return write(serializeXmlTree(root));
}
