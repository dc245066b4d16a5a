#include "connection/profilerecord.h"

#include "app/commonconfig.h"

#include <array>

namespace ProfileFormat {

namespace {

const std::array<QString, FieldCount> keys = {
    QStringLiteral("config file name = "),
    QStringLiteral("Phone = "),
    QStringLiteral("Username = "),
    QStringLiteral("Password = "),
    QStringLiteral("save user name = "),
    QStringLiteral("ask user name = "),
    QStringLiteral("obtain APN = "),
    QStringLiteral("use APN = "),
    QStringLiteral("APN = "),
    QStringLiteral("IP modal = "),
    QStringLiteral("PPP modal = "),
    QStringLiteral("PAP modal = "),
    QStringLiteral("CHAP modal = "),
    QStringLiteral("obtain DNS = "),
    QStringLiteral("use DNS = "),
    QStringLiteral("preNameserver "),
    QStringLiteral("altNameserver "),
    QStringLiteral("obtain PDP = "),
    QStringLiteral("user PDP = "),
    QStringLiteral("PDP = "),
    QStringLiteral("delete Enable = "),
    QStringLiteral("IMSI = "),
};

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool isOn(const QString& value) {
    return value.trimmed().toInt() != 0;
}

} // namespace

QString fieldKey(int index) {
    return index >= 0 && index < FieldCount ? keys[index] : QString();
}

QString header(const QString& name) {
    return "[ the record of <" + name + "> ]";
}

QString fieldsLine(const ProfileRecord& r) {
    const QStringList values = {
        r.name.trimmed(),
        r.phone,
        r.userName,
        r.password,
        flag(r.saveUserName),
        flag(r.askUserName),
        flag(r.obtainApn),
        flag(r.useApn),
        r.apn,
        flag(r.ipModal),
        flag(r.pppModal),
        flag(r.papModal),
        flag(r.chapModal),
        flag(r.obtainDns),
        flag(r.useDns),
        r.preNameserver,
        r.altNameserver,
        flag(r.obtainPdp),
        flag(r.usePdp),
        r.pdp,
        r.deleteEnable,
        QString(), // IMSI: never stored
    };
    QStringList fields;
    for (int i = 0; i < FieldCount; ++i)
        fields << keys[i] + values[i];
    return fields.join(Separator);
}

QString recordText(const ProfileRecord& record) {
    return header(record.name.trimmed()) + "\r\n" + fieldsLine(record) + "\r\n";
}

bool isFieldsLineOf(const QString& line, const QString& name) {
    return line.startsWith(NameKey + name + Separator) || line == NameKey + name;
}

bool isFieldsLine(const QString& line) {
    return line.startsWith(NameKey);
}

QString nameOf(const QString& fieldsLine) {
    return fieldsLine.section(Separator, 0, 0).mid(NameKey.size());
}

void applyFieldsLine(const QString& line, ProfileRecord* r) {
    const QStringList parts = line.split(Separator, Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size() && i < FieldCount; ++i) {
        const QString value = parts[i].mid(keys[i].size());
        switch (i) {
        case 0:
            r->name = value;
            break;
        case 1:
            r->phone = value;
            break;
        case 2:
            r->userName = value;
            break;
        case 3:
            r->password = value;
            break;
        case 4:
            r->saveUserName = isOn(value);
            break;
        case 5:
            r->askUserName = isOn(value);
            break;
        case 6:
            r->obtainApn = isOn(value);
            break;
        case 7:
            r->useApn = isOn(value);
            break;
        case 8:
            r->apn = value;
            break;
        case 9:
            r->ipModal = isOn(value);
            break;
        case 10:
            r->pppModal = isOn(value);
            break;
        case 11:
            r->papModal = isOn(value);
            break;
        case 12:
            r->chapModal = isOn(value);
            break;
        case 13:
            r->obtainDns = isOn(value);
            break;
        case 14:
            r->useDns = isOn(value);
            break;
        case 15:
            r->preNameserver = value;
            break;
        case 16:
            r->altNameserver = value;
            break;
        case 17:
            r->obtainPdp = isOn(value);
            break;
        case 18:
            r->usePdp = isOn(value);
            break;
        case 19:
            r->pdp = value;
            break;
        case 20:
            r->deleteEnable = value;
            break;
        case 21:
            r->imsi = value;
            break;
        }
    }
}

QString builtinName() {
    return comcfg.builtinProfileName;
}

ProfileRecord builtinRecord() {
    ProfileRecord r;
    r.name = comcfg.builtinProfileName;
    r.phone = comcfg.builtinDialNumber;
    r.apn = comcfg.builtinApn;
    r.userName = comcfg.builtinUserName;
    r.password = comcfg.builtinPassword;
    r.saveUserName = false;
    r.askUserName = false;
    r.obtainApn = true;
    r.useApn = true;
    r.ipModal = true;
    r.pppModal = false;
    r.papModal = true;
    r.chapModal = false;
    r.obtainDns = true;
    r.useDns = false;
    r.obtainPdp = true;
    r.usePdp = false;
    r.deleteEnable = QStringLiteral("cannot");
    return r;
}

} // namespace ProfileFormat

bool ipValidate(const QString& text) {
    return isIpv4Address(text);
}

QString apnPattern() {
    // Letters, digits, dots and hyphens make an APN (3GPP TS 23.003); the
    // other characters are accepted as before.
    return QStringLiteral("^[A-Za-z0-9.\\- ,  + ? # @ * ~ ! $ % ^ ( ) |]{1,}$");
}

QString ipAddressPattern() {
    // Digits and dots only; whether they make an address is judged on
    // saving, so that nothing typed is dropped or changed on the way.
    return QStringLiteral("^[0-9.]{0,15}$");
}
