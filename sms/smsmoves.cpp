#include "sms/smsmoves.h"

#include "modem/serialthread.h"
#include "sms/longmessage.h"
#include "sms/smsdataoperation.h"
#include "sms/smssend.h"

#include <cstring>

namespace {

constexpr char kCtrlZ = 0x1A;

} // namespace

int storageStatusOf(const QString& box) {
    if (box == "outbox")
        return 3;
    if (box == "draftbox")
        return 2;
    return 1;
}

QStringList pdusForStorage(const SM_PARAM_DECODE& rec, const QString& box, const QString& sca) {
    if (!rec.pduSrc.isEmpty())
        return rec.pduSrc.split(',', Qt::SkipEmptyParts);
    if (box == "inbox")
        return {};
    const QString number = QString::fromLatin1(rec.TPA, strnlen(rec.TPA, sizeof rec.TPA));
    return encodeMessage(sca, number, rec.contentStr, SubmitOptions{}, nextMessageReference());
}

MoveReport deletePcMessages(SmsData& store, const QString& box, const QList<int>& ids,
                            const QString& newWord, int* unreadRemoved) {
    *unreadRemoved = 0;
    if (box == "inbox") {
        SmsList listed;
        store.getPcAllSmsItem(listed, box);
        for (int id : ids)
            *unreadRemoved += listed.contains(id) && listed[id].state == newWord ? 1 : 0;
    }
    MoveReport report;
    report.done = store.delSmsItems(ids, box);
    report.notDone = static_cast<int>(ids.size()) - report.done;
    report.saved = store.saveDom();
    return report;
}

QList<int> storageIndexesOf(const SM_PARAM_DECODE& rec) {
    return rec.partIndexes.isEmpty() ? QList<int>{rec.index} : rec.partIndexes;
}

namespace {

// Deletes every part of `rec`; the number deleted.
int deleteParts(SerialThread& link, SmsStore store, const SM_PARAM_DECODE& rec) {
    int deleted = 0;
    for (int index : storageIndexesOf(rec)) {
        const int result =
            store == SmsStore::Sim ? link.deleteSimSMS(index) : link.deleteMeSMS(index);
        deleted += result == 1 ? 1 : 0;
    }
    return deleted;
}

} // namespace

MoveReport deleteModemMessages(SerialThread& link, SmsStore store,
                               const QList<SM_PARAM_DECODE>& messages) {
    MoveReport report;
    for (const SM_PARAM_DECODE& rec : messages) {
        const bool all = deleteParts(link, store, rec) == storageIndexesOf(rec).size();
        ++(all ? report.done : report.notDone);
    }
    return report;
}

MoveReport movePcToSim(SerialThread& link, SmsData& store, const QString& box,
                       const QList<int>& ids, const QString& sca) {
    MoveReport report;
    link.setShortMsgStorageMode(static_cast<int>(SmsStore::Sim));
    // Unknown (no answer) counts as room: the SIM refuses what doesn't fit.
    int free = link.getSmsMem();
    const int status = storageStatusOf(box);
    QList<int> moved;
    for (int id : ids) {
        SM_PARAM_DECODE rec;
        store.selectSmsItem(rec, box, id);
        const QStringList pdus = pdusForStorage(rec, box, sca);
        bool written = !pdus.isEmpty() && (free <= 0 || pdus.size() <= free);
        for (qsizetype i = 0; written && i < pdus.size(); ++i) {
            const QByteArray body = pdus.at(i).toLatin1() + kCtrlZ;
            written = link.moveMsgCMGWCmd(tpduLength(pdus.at(i)), status, body.constData()) == 1;
        }
        if (written) {
            moved << id;
            free -= free > 0 ? static_cast<int>(pdus.size()) : 0;
        }
    }
    report.moved = moved;
    report.done = static_cast<int>(moved.size());
    report.notDone = static_cast<int>(ids.size() - moved.size());
    if (!moved.isEmpty()) {
        store.delSmsItems(moved, box);
        report.saved = store.saveDom();
    }
    return report;
}

MoveReport moveSimToPc(SerialThread& link, SmsData& store, const QString& box,
                       const QList<SM_PARAM_DECODE>& messages, const QString& readWord,
                       const QString& stamp) {
    MoveReport report;
    QList<int> ids;
    for (SM_PARAM_DECODE rec : messages) {
        if (box == "inbox") {
            rec.state = readWord;
        } else {
            const QByteArray bytes = stamp.toLatin1().left(sizeof rec.TP_SCTS - 1);
            std::memset(rec.TP_SCTS, 0, sizeof rec.TP_SCTS);
            std::memcpy(rec.TP_SCTS, bytes.constData(), bytes.size());
        }
        ids << store.appendSmsItem(rec, box);
    }
    if (messages.isEmpty())
        return report;
    if (!store.saveDom()) {
        store.delSmsItems(ids, box);
        report.notDone = static_cast<int>(messages.size());
        report.saved = false;
        return report;
    }
    // A message the SIM keeps goes out of the PC box again: it stays where it
    // was. One the SIM gave up in part stays on the PC with the whole text.
    QList<int> kept;
    for (qsizetype i = 0; i < messages.size(); ++i) {
        if (deleteParts(link, SmsStore::Sim, messages.at(i)) == 0)
            kept << ids.at(i);
    }
    report.done = static_cast<int>(messages.size() - kept.size());
    report.notDone = static_cast<int>(kept.size());
    if (!kept.isEmpty()) {
        store.delSmsItems(kept, box);
        report.saved = store.saveDom();
    }
    return report;
}
