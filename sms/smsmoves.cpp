#include "sms/smsmoves.h"

#include "modem/inturn.h"
#include "sms/cardread.h"
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

// Deletes the messages at `indexes` of `storage`, in turn; `done` receives
// the number deleted.
void deletePlaces(SerialThread& link, const AtCaller& caller, MessageStorage storage,
                  const QList<int>& indexes, std::function<void(int)> done) {
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

// Keeps the first reason a message stayed.
void stays(MoveReport& report, MoveReport::Why why) {
    if (report.why == MoveReport::Why::None)
        report.why = why;
}

// Writes the parts of one message into the SIM with `status`, in turn. A
// refused part ends it, and the parts already written are deleted again:
// no part of a message is left on the SIM without the others. `done` gets
// whether every part went.
void writeParts(SerialThread& link, const AtCaller& caller, const QStringList& pdus, int status,
                std::function<void(bool)> done) {
    auto written = std::make_shared<QList<int>>(); // the SIM's places of the parts
    auto refused = std::make_shared<bool>(false);
    InTurn::run(
        int(pdus.size()),
        [&link, caller, pdus, status, written, refused](int part, std::function<void()> next) {
            if (*refused)
                return next();
            link.moveMsgCMGWCmd(caller, tpduLength(pdus.at(part)), status, pdus.at(part).toLatin1(),
                                [written, refused, next](std::optional<int> index) {
                                    if (index)
                                        written->append(*index);
                                    else
                                        *refused = true;
                                    next();
                                });
        },
        [&link, caller, written, refused, done] {
            if (!*refused)
                return done(true);
            deletePlaces(link, caller, MessageStorage::Sim, *written, [done](int) { done(false); });
        });
}

// Whether the SIM still holds every part of `rec` after its deletes
// failed: true when each reads back as listed, false when one is gone (a
// delete went through though its answer was lost), nothing when a read
// failed (the card did not answer).
void stillOnSim(SerialThread& link, const AtCaller& caller, const SM_PARAM_DECODE& rec,
                std::function<void(std::optional<bool>)> done) {
    const QList<int> indexes = storageIndexesOf(rec);
    const QStringList pdus = rec.pduSrc.split(',');
    auto there = std::make_shared<std::optional<bool>>(true);
    InTurn::run(
        int(indexes.size()),
        [&link, caller, indexes, pdus, there](int i, std::function<void()> next) {
            if (*there != true)
                return next();
            readStoredMessage(link, caller, MessageStorage::Sim, indexes.at(i),
                              [pdus, i, there, next](const MessageRead& read) {
                                  if (read.message)
                                      *there = read.message->pdu.compare(pdus.value(i),
                                                                         Qt::CaseInsensitive) == 0;
                                  else if (read.empty)
                                      *there = false;
                                  else
                                      *there = std::nullopt;
                                  next();
                              });
        },
        [there, done] { done(*there); });
}

} // namespace

void deleteModemMessages(SerialThread& link, const AtCaller& caller, MessageStorage storage,
                         const QList<SM_PARAM_DECODE>& messages, MoveDone done) {
    auto report = std::make_shared<MoveReport>();
    InTurn::run(
        int(messages.size()),
        [&link, caller, storage, messages, report](int i, std::function<void()> next) {
            const QList<int> indexes = storageIndexesOf(messages.at(i));
            deletePlaces(link, caller, storage, indexes, [indexes, report, next](int deleted) {
                const bool all = deleted == indexes.size();
                ++(all ? report->done : report->notDone);
                if (!all)
                    stays(*report, MoveReport::Why::Refused);
                next();
            });
        },
        [report, done] { done(*report); });
}

void movePcToSim(SerialThread& link, const AtCaller& caller, SmsData& store, const QString& box,
                 const QList<int>& ids, const QString& sca, MoveDone done) {
    // The box as listed now: whole records, with their state. Its ids hold
    // as long as the file isn't read anew (a backup restored meanwhile).
    auto listed = std::make_shared<SmsList>();
    store.getPcAllSmsItem(*listed, box);
    const int loads = store.loads();
    link.setShortMsgStorageMode(caller, MessageStorage::Sim, [=, &link, &store](bool selected) {
        if (!selected) {
            // Nothing could go to the SIM: every message stays.
            MoveReport report;
            report.notDone = int(ids.size());
            report.why = MoveReport::Why::Refused;
            return done(report);
        }
        // Unknown (no answer) counts as room: the SIM refuses what doesn't fit.
        link.getSmsMem(caller, [=, &link, &store](int freePlaces) {
            auto free = std::make_shared<int>(freePlaces);
            auto report = std::make_shared<MoveReport>();
            InTurn::run(
                int(ids.size()),
                [=, &link](int i, std::function<void()> next) {
                    const SM_PARAM_DECODE rec = listed->value(ids.at(i));
                    const QStringList pdus = pdusForStorage(rec, box, sca);
                    if (pdus.isEmpty()) {
                        stays(*report, MoveReport::Why::NoPdu);
                        return next();
                    }
                    if (*free > 0 && pdus.size() > *free) {
                        stays(*report, MoveReport::Why::SimFull);
                        return next();
                    }
                    writeParts(link, caller, pdus, storageStatusOf(box, rec.state),
                               [=](bool whole) {
                                   if (whole) {
                                       report->moved << ids.at(i);
                                       *free -= *free > 0 ? int(pdus.size()) : 0;
                                   } else {
                                       stays(*report, *free == 0 ? MoveReport::Why::SimFull
                                                                 : MoveReport::Why::Refused);
                                   }
                                   next();
                               });
                },
                [=, &store] {
                    report->done = int(report->moved.size());
                    report->notDone = int(ids.size() - report->moved.size());
                    if (!report->moved.isEmpty() && store.loads() == loads) {
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
    // A message the SIM keeps whole goes out of the PC box again: it stays
    // where it was. One the SIM gave up in part stays on the PC with the
    // whole text, and so does one whose fate on the SIM is unknown: a copy
    // too many is better than a message lost.
    const int loads = store.loads();
    auto kept = std::make_shared<QList<int>>();
    InTurn::run(
        int(messages.size()),
        [=, &link, &store](int i, std::function<void()> next) {
            // A file restored meanwhile holds no copy of it: it stays on the SIM.
            if (store.loads() != loads) {
                ++report->notDone;
                return next();
            }
            const SM_PARAM_DECODE rec = messages.at(i);
            deletePlaces(link, caller, MessageStorage::Sim, storageIndexesOf(rec),
                         [=, &link](int deleted) {
                             if (deleted > 0) {
                                 ++report->done;
                                 return next();
                             }
                             stillOnSim(link, caller, rec, [=](std::optional<bool> there) {
                                 if (there == true) {
                                     kept->append(ids.at(i));
                                     stays(*report, MoveReport::Why::Refused);
                                 } else if (!there) {
                                     stays(*report, MoveReport::Why::NoAnswer);
                                 }
                                 ++(there == false ? report->done : report->notDone);
                                 next();
                             });
                         });
        },
        [=, &store] {
            if (!kept->isEmpty() && store.loads() == loads) {
                store.delSmsItems(*kept, box);
                report->saved = store.saveDom();
            }
            done(*report);
        });
}
