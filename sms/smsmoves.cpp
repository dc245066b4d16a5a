#include "sms/smsmoves.h"

#include "modem/inturn.h"
#include "sms/longmessage.h"
#include "sms/smsdataoperation.h"
#include "sms/smssend.h"

#include <cstring>

int storageStatusOf(const QString& box, const QString& state) {
    if (box == "outbox")
        return 3;
    if (box == "draftbox")
        return 2;
    return state == u"new" ? 0 : 1;
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

// Deletes every part of `rec`; `done` receives the number deleted.
void deleteParts(SerialThread& link, const AtCaller& caller, MessageStorage storage,
                 const SM_PARAM_DECODE& rec, std::function<void(int)> done) {
    const QList<int> indexes = storageIndexesOf(rec);
    auto deleted = std::make_shared<int>(0);
    InTurn::run(
        int(indexes.size()),
        [&link, caller, storage, indexes, deleted](int i, std::function<void()> next) {
            link.deleteSms(caller, storage, indexes.at(i), [deleted, next](bool gone) {
                *deleted += gone ? 1 : 0;
                next();
            });
        },
        [deleted, done] { done(*deleted); });
}

} // namespace

void deleteModemMessages(SerialThread& link, const AtCaller& caller, MessageStorage storage,
                         const QList<SM_PARAM_DECODE>& messages, MoveDone done) {
    auto report = std::make_shared<MoveReport>();
    InTurn::run(
        int(messages.size()),
        [&link, caller, storage, messages, report](int i, std::function<void()> next) {
            const SM_PARAM_DECODE& rec = messages.at(i);
            deleteParts(link, caller, storage, rec, [rec, report, next](int deleted) {
                const bool all = deleted == storageIndexesOf(rec).size();
                ++(all ? report->done : report->notDone);
                if (!all && report->why == MoveReport::Why::None)
                    report->why = MoveReport::Why::Refused;
                next();
            });
        },
        [report, done] { done(*report); });
}

void movePcToSim(SerialThread& link, const AtCaller& caller, SmsData& store, const QString& box,
                 const QList<int>& ids, const QString& sca, MoveDone done) {
    link.setShortMsgStorageMode(caller, MessageStorage::Sim, [=, &link, &store](bool) {
        // Unknown (no answer) counts as room: the SIM refuses what doesn't fit.
        link.getSmsMem(caller, [=, &link, &store](int freePlaces) {
            auto free = std::make_shared<int>(freePlaces);
            auto report = std::make_shared<MoveReport>();
            // The box as listed: whole records, with their state.
            auto listed = std::make_shared<SmsList>();
            store.getPcAllSmsItem(*listed, box);
            const auto stays = [report](MoveReport::Why why) {
                if (report->why == MoveReport::Why::None)
                    report->why = why;
            };
            InTurn::run(
                int(ids.size()),
                [=, &link](int i, std::function<void()> next) {
                    const SM_PARAM_DECODE rec = listed->value(ids.at(i));
                    const QStringList pdus = pdusForStorage(rec, box, sca);
                    const int status = storageStatusOf(box, rec.state);
                    if (pdus.isEmpty()) {
                        stays(MoveReport::Why::NoPdu);
                        return next();
                    }
                    if (*free > 0 && pdus.size() > *free) {
                        stays(MoveReport::Why::SimFull);
                        return next();
                    }
                    auto written = std::make_shared<int>(0);
                    InTurn::run(
                        int(pdus.size()),
                        [=, &link](int part, std::function<void()> nextPart) {
                            // A refused part ends the message.
                            if (*written < part)
                                return nextPart();
                            const QByteArray body = pdus.at(part).toLatin1();
                            link.moveMsgCMGWCmd(caller, tpduLength(pdus.at(part)), status, body,
                                                [written, nextPart](std::optional<int> index) {
                                                    *written += index ? 1 : 0;
                                                    nextPart();
                                                });
                        },
                        [=] {
                            if (*written == pdus.size()) {
                                report->moved << ids.at(i);
                                *free -= *free > 0 ? int(pdus.size()) : 0;
                            } else {
                                stays(*free == 0 ? MoveReport::Why::SimFull
                                                 : MoveReport::Why::Refused);
                            }
                            next();
                        });
                },
                [=, &store] {
                    report->done = int(report->moved.size());
                    report->notDone = int(ids.size() - report->moved.size());
                    if (!report->moved.isEmpty()) {
                        store.delSmsItems(report->moved, box);
                        report->saved = store.saveDom();
                    }
                    done(*report);
                });
        });
    });
}

void moveSimToPc(SerialThread& link, const AtCaller& caller, SmsData& store, const QString& box,
                 const QList<SM_PARAM_DECODE>& messages, const QString& stamp, MoveDone done) {
    auto report = std::make_shared<MoveReport>();
    if (messages.isEmpty()) {
        done(*report);
        return;
    }
    QList<int> ids;
    for (SM_PARAM_DECODE rec : messages) {
        if (box != "inbox") {
            const QByteArray bytes = stamp.toLatin1().left(sizeof rec.TP_SCTS - 1);
            std::memset(rec.TP_SCTS, 0, sizeof rec.TP_SCTS);
            std::memcpy(rec.TP_SCTS, bytes.constData(), bytes.size());
        }
        ids << store.appendSmsItem(rec, box);
    }
    if (!store.saveDom()) {
        store.delSmsItems(ids, box);
        report->notDone = int(messages.size());
        report->saved = false;
        done(*report);
        return;
    }
    // A message the SIM keeps goes out of the PC box again: it stays where it
    // was. One the SIM gave up in part stays on the PC with the whole text.
    auto kept = std::make_shared<QList<int>>();
    InTurn::run(
        int(messages.size()),
        [=, &link](int i, std::function<void()> next) {
            deleteParts(link, caller, MessageStorage::Sim, messages.at(i), [=](int deleted) {
                if (deleted == 0)
                    kept->append(ids.at(i));
                next();
            });
        },
        [=, &store] {
            report->done = int(messages.size() - kept->size());
            report->notDone = int(kept->size());
            if (!kept->isEmpty()) {
                report->why = MoveReport::Why::Refused;
                store.delSmsItems(*kept, box);
                report->saved = store.saveDom();
            }
            done(*report);
        });
}
