#include "tests/durability/storeops.h"

#include "app/globals.h"
#include "app/xmltree.h"
#include "connection/profilestore.h"
#include "connection/traffichistory.h"
#include "phonebook/coder.h"
#include "phonebook/contactops.h"
#include "phonebook/iodata.h"
#include "settings/backup.h"
#include "settings/datarecovery.h"
#include "settings/settingsfiles.h"
#include "sms/smsarrival.h"
#include "sms/smsdataoperation.h"
#include "sms/smsmoves.h"
#include "sms/smsparts.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace StoreOps {

namespace {

const QString kNew = QStringLiteral("new");
const QString kRead = QStringLiteral("read");
const QString kDefaultProfile = QStringLiteral("Profile 3");

QString backupPath() {
    return programFolder() + "/restore.dat";
}

SM_PARAM_DECODE message(int n, const QString& state) {
    SM_PARAM_DECODE rec;
    qstrncpy(rec.SCA, "8613800100500", sizeof rec.SCA);
    qstrncpy(rec.TPA, ("+86139" + QByteArray::number(10000000 + n)).constData(), sizeof rec.TPA);
    qstrncpy(rec.TP_SCTS,
             ("26120703" + QByteArray::number(1000 + n % 5000).right(4) + "32").constData(),
             sizeof rec.TP_SCTS);
    rec.contentStr = QStringLiteral("Message %1: the meeting moves to room %2, ärger über Straße "
                                    "— 会议改到下午")
                         .arg(n)
                         .arg(n % 40);
    qstrncpy(rec.TP_UD, rec.contentStr.toLatin1().constData(), sizeof rec.TP_UD);
    rec.length = static_cast<int>(rec.contentStr.size());
    rec.pduSrc =
        QStringLiteral("0891683108100005F0240D91683119%1000862120703").arg(n, 8, 10, QChar('0'));
    rec.state = state;
    return rec;
}

Contact contact(int n, const QString& group) {
    QString name;
    coding(name, QStringLiteral("Person %1 Müller").arg(n), true);
    Contact c(false, 0, name, QString::number(13900000000LL + n), QString::number(2000 + n),
              QString(), group);
    c.setEmail(QStringLiteral("person%1@example.org").arg(n));
    return c;
}

ProfileRecord profile(int n, const QString& apn) {
    ProfileRecord r;
    r.name = QStringLiteral("Profile %1").arg(n);
    r.phone = "*99#";
    r.userName = "user" + QString::number(n);
    r.password = "secret" + QString::number(n);
    r.obtainApn = false;
    r.useApn = true;
    r.apn = apn;
    return r;
}

// Part `sequence` of a long message of two parts as the card gives it when
// read (UCS2, 8-bit reference 7, from +491711234567).
ModemMessage part(int sequence) {
    const QString text = sequence == 1 ? "00480065006C006C006F0020" : "0077006F0072006C00640021";
    const QString pdu = "00440C91947111325476000862102110000000120500030702" +
                        QString::number(sequence).rightJustified(2, '0') + text;
    return {-1, 0, {}, int(pdu.size() / 2 - 1), pdu};
}

Arrival arrive(SmsData& store, PartStore& parts, int sequence) {
    return storeArrivedMessage(store, parts, part(sequence), 2 + sequence, kNew, kNew,
                               QDateTime::currentDateTime());
}

// One set of stores: `scale` messages and contacts per hundred, profiles
// whose access points are named after `apn`.
void seedStores(int scale, const QString& apn) {
    QDir().mkpath(programFolder() + "/Data");
    {
        SmsData store;
        for (int n = 0; n < 3 * scale; ++n)
            store.appendSmsItem(message(n, n % 7 == 0 ? kNew : kRead), "inbox");
        for (int n = 0; n < scale / 2; ++n)
            store.appendSmsItem(message(1000 + n, kRead), "outbox");
        for (int n = 0; n < scale / 4; ++n)
            store.appendSmsItem(message(2000 + n, QString()), "draftbox");
        store.saveDom();
    }
    {
        IOData data;
        const QStringList groups = {"Family", "Work", "Friends"};
        for (const QString& g : groups)
            data.insertGroup(g);
        for (int n = 0; n < 3 * scale; ++n) {
            Contact c = contact(n, groups.at(n % groups.size()));
            data.insertContact(&c, false);
        }
        data.saveXmlFile();
    }
    ProfileStore::initializeFile();
    ProfileStore::initializeDefaultData();
    for (int n = 1; n <= 20; ++n)
        ProfileStore::saveNewText(profile(n, apn + QString::number(n)));
    ProfileStore::saveDefaultData(kDefaultProfile);
    writeNetworkSettings({1, 2});
    writeMessagesSettings({"+8613800100500", 2, 1, 0});
    writeAlertSettings({"/usr/share/sounds/up.wav", "/usr/share/sounds/down.wav",
                        "/usr/share/sounds/sms.wav", 1, 0, 1});
    TrafficHistory history;
    const QDateTime start(QDate(2026, 12, 1), QTime(20, 0));
    for (int day = -365; day < 0; ++day)
        history.add(start.addDays(day), start.addDays(day).addSecs(3600), 1000000 + day,
                    5000000 + scale);
    history.save();
}

// --- the operations ---------------------------------------------------------------

Outcome saved(bool ok) {
    return {ok, QString()};
}

Outcome reported(bool ok, const QString& error) {
    return {ok, ok ? QString() : error};
}

Write messageInsert() {
    auto store = std::make_shared<SmsData>();
    return [store] {
        store->appendSmsItem(message(5000, QString()), "draftbox");
        return saved(store->saveDom());
    };
}

Write messageDelete() {
    auto store = std::make_shared<SmsData>();
    return [store] {
        int unread = 0;
        const MoveReport r = deletePcMessages(*store, "inbox", {7, 30, 50}, kNew, &unread);
        return saved(r.saved && r.done == 3);
    };
}

Write draftEdit() {
    auto store = std::make_shared<SmsData>();
    return [store] {
        SmsList drafts;
        store->getPcAllSmsItem(drafts, "draftbox");
        SM_PARAM_DECODE rec = message(6000, QString());
        return saved(store->modifySmsItem(drafts, rec, 4, "draftbox") == 1);
    };
}

// The last part of a long message arrives: the message goes into the inbox,
// then its parts are forgotten.
Write longMessage() {
    auto store = std::make_shared<SmsData>();
    auto parts = std::make_shared<PartStore>();
    return [store, parts] { return saved(arrive(*store, *parts, 2).storedNew == 1); };
}

Write contactInsert() {
    auto data = std::make_shared<IOData>();
    return [data] {
        Contact c = contact(9000, "Work");
        return saved(data->insertContact(&c, false) == 1 && data->saveXmlFile());
    };
}

Write contactDelete() {
    auto data = std::make_shared<IOData>();
    return [data] {
        const QList<Contact> gone = {data->getContactById(5, false),
                                     data->getContactById(30, false),
                                     data->getContactById(50, false)};
        // PC contacts are deleted at once: the report is in when this returns.
        DeleteReport r;
        deleteContacts(*data, gone, [&r](const DeleteReport& report) { r = report; });
        return saved(!r.failed && r.deleted == 3);
    };
}

Write groupRename() {
    auto data = std::make_shared<IOData>();
    return [data] { return saved(data->modifyGroup("Work", "Colleagues")); };
}

Write profileAdd() {
    return [] {
        QString error;
        return reported(ProfileStore::saveNewText(profile(40, "fresh.apn"), &error), error);
    };
}

Write profileEdit() {
    return [] {
        QString error;
        ProfileRecord r = profile(3, "edited.apn");
        r.password = "changed";
        return reported(ProfileStore::saveEditText(r.name, r, &error), error);
    };
}

Write profileDelete() {
    return [] {
        QString error;
        return reported(ProfileStore::delText("Profile 7", &error), error);
    };
}

Write settingsApply() {
    return [] {
        bool ok = writeNetworkSettings({0, 3});
        ok = writeMessagesSettings({"+8613010112500", 1, 3, 1}) && ok;
        ok = writeAlertSettings({"/opt/a.wav", "/opt/b.wav", "/opt/c.wav", 0, 1, 0}) && ok;
        return saved(ok);
    };
}

Write trafficAdd() {
    auto history = std::make_shared<TrafficHistory>();
    return [history] {
        const QDateTime start(QDate(2026, 12, 1), QTime(23, 30));
        history->add(start, start.addSecs(3600), 2500000, 12000000);
        return saved(history->save());
    };
}

Write backupRestore() {
    return [] {
        QString error;
        return reported(Backup::restoreBackup(backupPath(), &error), error);
    };
}

} // namespace

void seed(int scale) {
    seedStores(scale / 3, "backup.apn");
    QString error;
    Backup::writeBackup(backupPath(), &error);
    QDir(programFolder() + "/Data").removeRecursively();
    seedStores(scale, "live.apn");
    SmsData store;
    PartStore parts;
    arrive(store, parts, 1);
}

const QList<Operation>& operations() {
    static const QList<Operation> all = {
        {"message insert", messageInsert},
        {"message delete", messageDelete},
        {"draft edit", draftEdit},
        {"long message completes", longMessage},
        {"contact insert", contactInsert},
        {"contact delete", contactDelete},
        {"group rename", groupRename},
        {"profile add", profileAdd},
        {"profile edit", profileEdit},
        {"profile delete", profileDelete},
        {"settings apply", settingsApply, true},
        {"traffic history add", trafficAdd},
        {"backup restore", backupRestore},
    };
    return all;
}

const Operation* find(const QString& name) {
    for (const Operation& op : operations()) {
        if (name == QLatin1String(op.name))
            return &op;
    }
    return nullptr;
}

void nextStart() {
    recoverDataFolder();
    ProfileStore::resolveDefaultProfile();
    SmsData store;
    PartStore parts;
    dropStoredParts(store, parts);
}

QMap<QString, QByteArray> snapshot() {
    QMap<QString, QByteArray> files;
    const QDir data(programFolder() + "/Data");
    for (const QString& name : data.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(data.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

QStringList readProblems() {
    const QMap<QString, QByteArray> files = snapshot();
    QStringList problems;
    XmlNode messages;
    QString error;
    if (!parseXmlTree(files.value("sms.xml"), &messages, &error))
        problems << "sms.xml: " + error;
    QDomDocument contacts;
    if (!contacts.setContent(files.value("contact.xml")))
        problems << "contact.xml does not parse";
    for (const QString& name : QStringList{"totalRecord.conf", "defaultRecord.conf"}) {
        for (const QByteArray& line : files.value(name).split('\n')) {
            const QString text = QString::fromUtf8(line.trimmed());
            if (!text.isEmpty() && !text.startsWith('[') && !ProfileFormat::isFieldsLine(text))
                problems << name + ": a broken line";
        }
    }
    for (const QString& name :
         QStringList{"networksetconfigrc", "messagesetconfigrc", "alertsetconfigrc"}) {
        QSettings settings(programFolder() + "/Data/" + name, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError || settings.allKeys().isEmpty())
            problems << name + " does not read";
    }
    for (const QString& name : Backup::memberNames()) {
        if (!files.contains(name))
            problems << name + " is missing";
    }
    return problems;
}

bool copyFolder(const QString& from, const QString& to) {
    QDir(to).removeRecursively();
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    bool copied = true;
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + '/' + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).absolutePath());
        copied = QFile::copy(source, target) && copied;
    }
    return copied;
}

} // namespace StoreOps
