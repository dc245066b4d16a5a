#pragma once

#include "helper/dialrequest.h"

#include <QString>
#include <QStringList>

// One connection profile as kept in the record file. A record is a header
// line "[ the record of <name> ]", a fields line of 22 "key value" fields
// joined by "-|-", and an empty line; every line ends with CR LF.
struct ProfileRecord {
    QString name;
    QString phone;
    QString userName;
    QString password;
    bool saveUserName = false;
    bool askUserName = false;
    bool obtainApn = true;
    bool useApn = false;
    QString apn;
    bool ipModal = true;
    bool pppModal = false;
    bool papModal = true;
    bool chapModal = false;
    bool obtainDns = true;
    bool useDns = false;
    QString preNameserver;
    QString altNameserver;
    bool obtainPdp = true;
    bool usePdp = false;
    QString pdp;
    QString deleteEnable = QStringLiteral("can");
    QString imsi;

    bool operator==(const ProfileRecord&) const = default;
};

namespace ProfileFormat {

inline constexpr int FieldCount = 22;
inline const QString Separator = QStringLiteral("-|-");
inline const QString NameKey = QStringLiteral("config file name = ");

// The key text of field `index` (0 to 21), trailing blank included.
QString fieldKey(int index);

// "[ the record of <name> ]"
QString header(const QString& name);
// The 22 fields of `record` joined by "-|-".
QString fieldsLine(const ProfileRecord& record);
// Header and fields line, each followed by CR LF.
QString recordText(const ProfileRecord& record);

// True when `line` is the fields line of the profile `name`: the match takes
// in the separator, so that "Net" does not match the line of "Net2". A line
// cut after the name (no separator) is the line of that name too, so that a
// profile listed by nameOf can be opened, edited and deleted.
bool isFieldsLineOf(const QString& line, const QString& name);
bool isFieldsLine(const QString& line);
// The profile name of a fields line (field 1 without its key).
QString nameOf(const QString& fieldsLine);

// Applies the fields of `line` to `record` by position: the line is split at
// "-|-" (empty parts dropped) and as many characters as part i's key has are
// removed from part i. Parts beyond the 22nd are ignored.
void applyFieldsLine(const QString& line, ProfileRecord* record);

// The built-in profile, from the appearance file.
ProfileRecord builtinRecord();
QString builtinName();

} // namespace ProfileFormat

// True when `text` is a dotted IPv4 address: four numbers from 0 to 255
// without leading zeros (a resolver would read 010 as 8).
bool ipValidate(const QString& text);

// Validator expressions of the profile dialog's fields (the dial number's
// is dialNumberPattern(), which the helper checks too).
QString apnPattern();
QString ipAddressPattern();
