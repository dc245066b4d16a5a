#include "connection/profilestore.h"

#include "app/atomicfile.h"
#include "app/globals.h"
#include "app/textfile.h"
#include "settings/settingsfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>
#include <algorithm>

namespace ProfileStore {

namespace {

const char* const OpenError = QT_TRANSLATE_NOOP("ProfileStore", "open file operation error!");
const char* const MissingRecord = QT_TRANSLATE_NOOP("ProfileStore", "the record is not exist!");

// Sets the text shown to the user, in the user's language.
bool fail(QString* error, const char* text) {
    if (error)
        *error = QCoreApplication::translate("ProfileStore", text);
    return false;
}

bool makeDataFolder() {
    return QDir().mkpath(QFileInfo(recordFilePath()).absolutePath());
}

bool writeRecordFile(const QString& path, const QByteArray& contents) {
    return makeDataFolder() && writeFileAtomically(path, contents, secretFilePermissions(path));
}

// The record file's bytes; a file that does not exist yet is empty.
bool readRecordBytes(QByteArray* bytes) {
    QFile file(recordFilePath());
    if (!file.exists()) {
        bytes->clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return true;
}

bool appendRecord(const ProfileRecord& record) {
    QByteArray bytes;
    if (!readRecordBytes(&bytes))
        return false;
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes += "\r\n";
    bytes += (ProfileFormat::recordText(record) + "\r\n").toUtf8();
    return writeRecordFile(recordFilePath(), bytes);
}

// Editing the default profile writes the record file, then the default
// record file. When the program ended in between, the default record still
// holds the profile's old fields: it is brought in line, so that dialling
// uses what the user saved. A default whose profile is gone is left alone.
void renewStaleDefault(const QString& name) {
    QStringList records, mirrored;
    if (!readTextLines(recordFilePath(), &records) ||
        !readTextLines(defaultRecordFilePath(), &mirrored))
        return;
    QStringList matching;
    for (const QString& line : std::as_const(records)) {
        if (ProfileFormat::isFieldsLineOf(line, name))
            matching << line;
    }
    if (!matching.isEmpty() && matching != mirrored)
        saveDefaultData(name);
}

} // namespace

QString recordFilePath() {
    return dataFile(QStringLiteral("totalRecord.conf"));
}
QString defaultRecordFilePath() {
    return dataFile(QStringLiteral("defaultRecord.conf"));
}

bool initializeFile(QString* error) {
    if (!makeDataFolder())
        return fail(error, QT_TRANSLATE_NOOP("ProfileStore", "initialize file operation error!"));
    for (const QString& path : {recordFilePath(), defaultRecordFilePath()}) {
        if (!QFileInfo::exists(path) && !writeRecordFile(path, QByteArray()))
            return fail(error,
                        QT_TRANSLATE_NOOP("ProfileStore", "initialize file operation error!"));
    }
    return true;
}

bool initializeDefaultData(QString* error) {
    const QString builtin = ProfileFormat::builtinName();
    QStringList lines;
    if (!readTextLines(recordFilePath(), &lines))
        fail(error, OpenError);
    const bool present = std::any_of(lines.cbegin(), lines.cend(), [&](const QString& line) {
        return ProfileFormat::isFieldsLineOf(line, builtin);
    });
    if (!present && !builtin.trimmed().isEmpty() && !appendRecord(ProfileFormat::builtinRecord()))
        return fail(error, QT_TRANSLATE_NOOP("ProfileStore", "initialize Default Data error!"));
    writeMissingSettingsFiles();
    return true;
}

bool loadText(const QString& name, ProfileRecord* record, QString* error) {
    QStringList lines;
    if (!readTextLines(recordFilePath(), &lines))
        return fail(error, OpenError);
    bool found = false;
    for (const QString& line : lines) {
        if (!ProfileFormat::isFieldsLineOf(line, name))
            continue;
        ProfileFormat::applyFieldsLine(line, record);
        found = true;
    }
    if (!found)
        return fail(error, QT_TRANSLATE_NOOP("ProfileStore", "initialize operation error!!"));
    qDebug("****** mccOfCurrentApn = %s", qPrintable(record->imsi));
    return true;
}

bool saveNewText(const ProfileRecord& record, QString* error) {
    return appendRecord(record) || fail(error, OpenError);
}

bool saveEditText(const QString& name, const ProfileRecord& record, QString* error) {
    QStringList lines;
    if (!makeDataFolder() || !readTextLines(recordFilePath(), &lines))
        return fail(error, OpenError);
    QByteArray text;
    bool found = false;
    for (const QString& line : lines) {
        if (line.startsWith(ProfileFormat::header(name)))
            continue;
        if (ProfileFormat::isFieldsLineOf(line, name)) {
            text += ProfileFormat::recordText(record).toUtf8();
            found = true;
        } else {
            text += line.toUtf8() + "\r\n";
        }
    }
    if (!found)
        return fail(error, MissingRecord);
    if (!writeRecordFile(recordFilePath(), text))
        return fail(error, OpenError);
    if (defaultRecordName() == name)
        return saveDefaultData(name, error);
    return true;
}

bool delText(const QString& name, QString* error) {
    QStringList lines;
    if (!readTextLines(recordFilePath(), &lines))
        return fail(error, OpenError);
    QByteArray text;
    bool found = false;
    for (const QString& line : lines) {
        if (ProfileFormat::isFieldsLineOf(line, name)) {
            found = true;
            continue;
        }
        if (line.isEmpty() || line.startsWith(ProfileFormat::header(name)))
            continue;
        text += line.toUtf8() + "\r\n";
        if (ProfileFormat::isFieldsLine(line))
            text += "\r\n";
    }
    if (!found)
        return fail(error, MissingRecord);
    return writeRecordFile(recordFilePath(), text) ||
           fail(error, QT_TRANSLATE_NOOP("ProfileStore", "open file error!"));
}

bool checkRepeat(const QString& name, QString* error) {
    QStringList lines;
    if (!readTextLines(recordFilePath(), &lines))
        return fail(error, OpenError);
    const QString wanted = name.trimmed();
    for (const QString& line : lines) {
        if (ProfileFormat::isFieldsLine(line) && ProfileFormat::nameOf(line) == wanted)
            return fail(error, QT_TRANSLATE_NOOP("ProfileStore",
                                                 "Duplicate Config Filename! Please revise!"));
    }
    return true;
}

bool saveDefaultData(const QString& name, QString* error) {
    QStringList lines;
    if (!readTextLines(recordFilePath(), &lines))
        return fail(error, OpenError);
    QStringList matching;
    for (const QString& line : lines) {
        if (ProfileFormat::isFieldsLineOf(line, name))
            matching << line;
    }
    if (matching.isEmpty())
        return fail(error, QT_TRANSLATE_NOOP("ProfileStore", "read default record error!"));
    return writeRecordFile(defaultRecordFilePath(), crlfText(matching)) || fail(error, OpenError);
}

bool profileNames(QStringList* names, QString* error) {
    QStringList lines;
    if (!readTextLines(recordFilePath(), &lines))
        return fail(error, QT_TRANSLATE_NOOP("ProfileStore", "init Conlist operation error!"));
    names->clear();
    for (const QString& line : lines) {
        if (ProfileFormat::isFieldsLine(line))
            names->append(ProfileFormat::nameOf(line));
    }
    return true;
}

QString defaultRecordName() {
    QStringList lines;
    if (!readTextLines(defaultRecordFilePath(), &lines) || lines.isEmpty())
        return QString();
    return ProfileFormat::isFieldsLine(lines.first()) ? ProfileFormat::nameOf(lines.first())
                                                      : QString();
}

QString resolveDefaultProfile(QString* error) {
    const QString name = defaultRecordName();
    const QString builtin = ProfileFormat::builtinName();
    if (!name.trimmed().isEmpty() && name != builtin) {
        renewStaleDefault(name);
        return name;
    }
    saveDefaultData(builtin, error);
    return builtin;
}

} // namespace ProfileStore
