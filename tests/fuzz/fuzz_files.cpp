// The files the program keeps or imports: contacts, vCards, backups,
// connection profiles, the appearance file and the settings files.

#include "tests/fuzz/fuzztargets.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "connection/profilestore.h"
#include "phonebook/vcard.h"
#include "phonebook/xmlparser.h"
#include "settings/backup.h"
#include "settings/settingsfiles.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

QString scratchDataFile(const QString& name) {
    // In memory where the system offers it: the stores sync what they write.
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/velto-fuzz-XXXXXX"
                                                       : QDir::tempPath() + "/velto-fuzz-XXXXXX");
    static const bool made = [] {
        setProgramFolders(dir.path());
        return QDir().mkpath(dir.path() + "/Data");
    }();
    require(made);
    return dataFile(name);
}

void writeScratch(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(bytes) == bytes.size());
}

void fuzzContactFile(const uint8_t* data, size_t size) {
    // The file as contact.xml: what was read, written and read again is the
    // same, and a contact added reads back as it was.
    writeScratch(scratchDataFile("contact.xml"), bytesOf(data, size));
    XmlParser first;
    QMap<int, Contact> contacts;
    QStringList groups;
    first.readAllContact(contacts);
    first.readGroup(groups);
    if (!first.saveDom())
        return;
    XmlParser second;
    QMap<int, Contact> contactsAgain;
    QStringList groupsAgain;
    second.readAllContact(contactsAgain);
    second.readGroup(groupsAgain);
    require(contactsAgain == contacts && groupsAgain == groups);

    if (contacts.isEmpty())
        return;
    Contact added = contacts.first();
    added.setId(2001);
    if (!second.insertContact(added) || !second.saveDom())
        return;
    QMap<int, Contact> withAdded;
    XmlParser().readAllContact(withAdded);
    require(withAdded.value(2001) == added);
}

namespace {

// True when a text of the card holds a control or format character. vCard
// text can't carry those reliably (the writer leaves out carriage returns,
// the reader NUL characters and byte order marks, and values are trimmed
// around them), so such a card is only required to come back as one card.
bool holdsControls(const VCard& card) {
    QStringList texts =
        card.emails + card.categories + card.cell + card.home + card.work + card.other;
    texts.append(card.name);
    for (const QString& text : texts)
        for (QChar c : text)
            if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
                return true;
    return false;
}

bool sameCard(const VCard& a, const VCard& b) {
    return a.name == b.name && a.cell == b.cell && a.home == b.home && a.work == b.work &&
           a.other == b.other && a.emails == b.emails && a.categories == b.categories;
}

} // namespace

void fuzzVCards(const uint8_t* data, size_t size) {
    // Every card read, written again and read back, is the same card.
    for (const VCard& card : readVCards(bytesOf(data, size))) {
        const QList<VCard> again = readVCards(writeVCard(card));
        require(again.size() == 1 && (holdsControls(card) || sameCard(again.first(), card)));
    }
}

void fuzzBackup(const uint8_t* data, size_t size) {
    // The bytes as a backup file: refused, or members of the expected names.
    const QByteArray bytes = bytesOf(data, size);
    Backup::Problem problem = Backup::Problem::None;
    if (const auto members = Backup::decode(bytes, &problem)) {
        require(problem == Backup::Problem::None);
        require(Backup::encode(*members) == bytes);
    } else {
        require(problem != Backup::Problem::None);
    }

    // The bytes cut into the files of a backup (at NUL bytes) and packed:
    // they come back unchanged, or the backup is refused as damaged.
    const QList<QByteArray> pieces = bytes.split('\0');
    QList<Backup::Member> members;
    const QStringList names = Backup::memberNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        members.append({names[i], pieces.value(i)});
    const auto decoded = Backup::decode(Backup::encode(members), &problem);
    if (decoded) {
        require(decoded->size() == members.size());
        for (qsizetype i = 0; i < members.size(); ++i)
            require(decoded->at(i).name == members[i].name &&
                    decoded->at(i).data == members[i].data);
    } else {
        require(problem == Backup::Problem::Damaged);
    }
}

namespace {

QMap<QString, ProfileRecord> allProfiles() {
    QMap<QString, ProfileRecord> records;
    QStringList names;
    require(ProfileStore::profileNames(&names));
    for (const QString& name : names) {
        ProfileRecord record;
        require(ProfileStore::loadText(name, &record));
        records.insert(name, record);
    }
    return records;
}

} // namespace

void fuzzProfileRecords(const uint8_t* data, size_t size) {
    // The bytes as the record file. Saving a profile as it was read, and
    // deleting one, leaves every other profile as it was.
    writeScratch(scratchDataFile("totalRecord.conf"), bytesOf(data, size));
    writeScratch(scratchDataFile("defaultRecord.conf"), QByteArray());
    QMap<QString, ProfileRecord> before = allProfiles();
    if (before.isEmpty())
        return;
    const QString name = before.firstKey();
    // The store keeps names trimmed, and a name ending in "-|" would run into
    // the separator after it (the profile dialog refuses both): such a record
    // can't be saved under the name it was read with.
    if (name != name.trimmed() || name.endsWith(u"-|"))
        return;
    require(ProfileStore::saveEditText(name, before.value(name)));
    const QMap<QString, ProfileRecord> edited = allProfiles();
    require(edited.keys() == before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() != name)
            require(edited.value(it.key()) == it.value());
    }
    require(ProfileStore::delText(name));
    before.remove(name);
    require(allProfiles() == before);
}

void fuzzConfigFile(const uint8_t* data, size_t size) {
    const QString path = scratchDataFile("config");
    writeScratch(path, bytesOf(data, size));
    CommonConfig config;
    readConfigFile(config, path);
}

void fuzzSettingsFiles(const uint8_t* data, size_t size) {
    // The bytes as each settings file. What was read, written and read
    // again is the same.
    const QByteArray bytes = bytesOf(data, size);
    for (const char* name : {"networksetconfigrc", "messagesetconfigrc", "alertsetconfigrc"})
        writeScratch(scratchDataFile(name), bytes);
    const NetworkSettings network = readNetworkSettings();
    const MessageSettings message = readMessagesSettings();
    const AlertSettings alert = readAlertSettings();
    require(writeNetworkSettings(network) && writeMessagesSettings(message) &&
            writeAlertSettings(alert));
    require(readNetworkSettings() == network && readMessagesSettings() == message &&
            readAlertSettings() == alert);
}
