#pragma once

#include "connection/profilerecord.h"

#include <QString>
#include <QStringList>

// The profile store: the record file Data/totalRecord.conf with every
// profile, and Data/defaultRecord.conf with the fields line of the profile
// used for dialling. Every change rewrites the file whole and replaces it
// atomically, readable by its owner only (the records hold passwords).
//
// Each operation returns false on failure and then puts the text to show the
// user into `error` (when given).
namespace ProfileStore {

QString recordFilePath();
QString defaultRecordFilePath();

// Creates the data folder and empty record files where missing.
bool initializeFile(QString* error = nullptr);
// Appends the built-in profile when the record file lacks it, and writes the
// default settings files that do not exist yet.
bool initializeDefaultData(QString* error = nullptr);

// Reads the profile `name` (a later record of the same name wins).
bool loadText(const QString& name, ProfileRecord* record, QString* error = nullptr);

// Appends a record.
bool saveNewText(const ProfileRecord& record, QString* error = nullptr);
// Replaces the record of `name` in its place. When it is the default
// profile, the default record file is renewed too, so dialling uses the edit.
bool saveEditText(const QString& name, const ProfileRecord& record, QString* error = nullptr);
// Removes the record of `name`; afterwards every record is followed by
// exactly one empty line.
bool delText(const QString& name, QString* error = nullptr);

// True when no profile is called `name` (trimmed).
bool checkRepeat(const QString& name, QString* error = nullptr);

// Makes `name` the default profile by mirroring its fields line.
bool saveDefaultData(const QString& name, QString* error = nullptr);

// The profile names in file order.
bool profileNames(QStringList* names, QString* error = nullptr);

// The name in the default record file; empty when it has none.
QString defaultRecordName();
// The default profile to show: the one of the default record file, or the
// built-in profile (made the default) when there is none. A default record
// that no longer mirrors its profile's fields (the program ended between the
// two writes of an edit) is renewed from the record file.
QString resolveDefaultProfile(QString* error = nullptr);

} // namespace ProfileStore
