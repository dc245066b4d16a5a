#pragma once

// What the XML files behind the stores share, whatever document they are
// read into: reading the bytes, setting an unparsable file aside under a
// new name, and refusing to write over a file that may still hold the
// user's data because it could not be read or set aside.

#include <QByteArray>
#include <QString>
#include <optional>

class StoreFile {
public:
    const QString& path() const { return path_; }

protected:
    // `initial` is the document of a new, empty store; `unreadable` the
    // warning logged when the file cannot be read.
    StoreFile(QString path, QByteArray initial, const char* unreadable);

    // The file's bytes (empty when there is no file); nothing when it is
    // there but can't be read, and then the store no longer writes.
    std::optional<QByteArray> readContents();
    // Logs why the file could not be parsed and moves it aside; false when
    // it could not be moved, and then the store no longer writes.
    bool setAside(const QString& error);
    // Replaces the file with `contents` atomically. False when not written.
    bool write(const QByteArray& contents) const;

    const QByteArray& initial() const { return initial_; }

private:
    QString path_;
    QByteArray initial_;
    const char* unreadable_;
    bool writable_ = true;
};
