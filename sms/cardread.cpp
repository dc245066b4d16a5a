#include "sms/cardread.h"

void readStoredMessage(SerialThread& link, const AtCaller& caller, MessageStorage storage,
                       int index, AtDone<MessageRead> done) {
    link.setShortMsgStorageMode(caller, storage, [&link, caller, index, done](bool selected) {
        if (!selected)
            return done(MessageRead{});
        link.getIndexSms(caller, index, done);
    });
}
