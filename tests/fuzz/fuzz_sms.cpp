#include "tests/fuzz/pdufuzz.h"

#include "sms/pducodec.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

template <size_t N> void requireTerminated(const char (&field)[N]) {
    if (std::memchr(field, '\0', N) == nullptr)
        std::abort();
}

void requireSound(const SM_PARAM_DECODE& d, int result) {
    requireTerminated(d.SCA);
    requireTerminated(d.TPA);
    requireTerminated(d.TP_SCTS);
    requireTerminated(d.TP_UD);
    if (result < -1 || result > 255 || d.contentStr.size() > SMS_MAX_SEPTETS)
        std::abort();
}

} // namespace

void fuzzPduDecoders(const uint8_t* data, size_t size) {
    std::string text;
    if (size > 0 && data[0] == 0) {
        static const char digits[] = "0123456789ABCDEF";
        for (size_t i = 1; i < size; ++i) {
            text += digits[data[i] >> 4];
            text += digits[data[i] & 0xF];
        }
    } else {
        text.assign(reinterpret_cast<const char*>(data), size);
    }

    SM_PARAM_DECODE received;
    requireSound(received, gsmDecodePdu(text.c_str(), &received));
    SM_PARAM_DECODE stored;
    requireSound(stored, gsmDecodePdu4Move(text.c_str(), &stored));

    // The same with the header of a long message read.
    for (bool deliver : {true, false}) {
        SM_PARAM_DECODE part;
        std::optional<ConcatInfo> info;
        requireSound(part, gsmDecodePart(text.c_str(), &part, deliver, &info));
        if (info && (info->total < 1 || info->sequence < 1 || info->sequence > info->total ||
                     info->reference < 0 || info->reference > 0xFFFF))
            std::abort();
    }
}
