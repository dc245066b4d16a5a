// The classifier, the typed reply readers and the framing of replies.

#include "tests/fuzz/fuzztargets.h"

#include "modem/noticefilter.h"
#include "modem/protocol/at_code.h"
#include "modem/protocol/notices.h"
#include "modem/protocol/replies.h"
#include "modem/replycollector.h"
#include "modem/ussdtext.h"

#include <QByteArrayView>
#include <algorithm>
#include <cstring>
#include <vector>

void fuzzClassifier(const uint8_t* data, size_t size) {
    // The reply in a buffer with a little room after it, as the link hands
    // it over; the classifier may rewrite it but never past the capacity.
    const int capacity = int(size) + 16;
    std::vector<char> buffer(size_t(capacity) + 1, '\x7F');
    if (size > 0)
        std::memcpy(buffer.data(), data, size);
    buffer[size] = '\0';
    const int code = Parse_At_Res(buffer.data(), capacity);
    require(code >= 0 && code <= AT_NO_VERDICT);
    require(std::memchr(buffer.data(), '\0', size_t(capacity)) != nullptr);
    require(buffer[size_t(capacity)] == '\x7F');
}

void fuzzReplyReaders(const uint8_t* data, size_t size) {
    const QByteArrayView r(data, qsizetype(size));
    finalResult(r);
    repliedOk(r);
    if (const auto e = parseErrorReport(r))
        require(e->kind == FinalResult::CmeError || e->kind == FinalResult::CmsError);
    parseSignalQuality(r);
    parseSimPinState(r);
    parseFacilityLock(r);
    parseIdentity(r, "AT+CGSN");
    if (const auto imei = parseImei(r))
        require(imei->size() == 15);
    parseFirmware(r);
    parseOwnNumbers(r);
    parseServiceStatus(r);
    parseOperatorName(r);
    parseModePreference(r);
    parseCurrentOperator(r);
    parseOperatorList(r);
    require(parseStorageUse(r).size() <= 3);
    if (const auto places = freeMessagePlaces(r))
        require(!parseStorageUse(r).isEmpty());
    for (const ModemMessage& m : parseMessageList(r))
        require(!m.pdu.isEmpty());
    if (const auto m = parseReadMessage(r))
        require(!m->pdu.isEmpty() && m->index == -1);
    parseNewMessageNotice(r);
    newMessageNoticeParams(r);
    if (const auto reference = parseMessageReference(r))
        require(*reference >= 0 && *reference <= 0xFF);
    if (const auto stored = parseStoredReportNotice(r))
        require(!stored->storage.isEmpty() && stored->index >= 0);
    if (const auto pdu = parseStatusReportNotice(r))
        require(!pdu->isEmpty());
    parseStoredIndex(r);
    parseServiceCentre(r);
    parsePhonebookRange(r);
    parsePhonebookEntries(r, PhonebookForm::Standard);
    for (const PhonebookEntry& e : parsePhonebookEntries(r, PhonebookForm::Extended))
        require(e.type == -1);
    parsePhonebookStorage(r);
    if (const auto u = parseUssdNotice(r)) {
        require(u->status >= 0 && u->status <= 5);
        // Whatever the card sends, the answer becomes text without a fault.
        for (const bool ucs2 : {false, true})
            decodeUssdText(u->text, u->dcs, ucs2);
    }
}

namespace {

// What the transport makes of a byte stream: the notice filter first, then
// a reply collector that keeps a small reply; a new collector starts after
// each reply's end.
struct Framing {
    QByteArray replies; // each reply's kept text, ended by '|'
    QList<QByteArray> notices;
    qsizetype taken = 0; // bytes the collectors took

    explicit Framing(const QByteArray& echo) : echo_(echo) {
        for (const NoticeKind& kind : kNotices)
            filter_.addPrefix(kind.prefix, kind.followingLines, kind.quotedMayWrap);
    }
    void feed(QByteArrayView piece) {
        QByteArray passed = filter_.feed(piece, &notices);
        qsizetype at = 0;
        while (at < passed.size()) {
            const qsizetype used = collector_.feed(passed.constData() + at, passed.size() - at);
            require(used >= 0 && used <= passed.size() - at);
            at += used;
            taken += used;
            require(collector_.text().size() <= kKeep);
            if (!collector_.finished()) {
                require(at == passed.size());
                break;
            }
            replies += collector_.text() + '|';
            collector_ = ReplyCollector(kKeep, echo_);
        }
    }

private:
    static constexpr qsizetype kKeep = 64;
    QByteArray echo_;
    NoticeFilter filter_;
    ReplyCollector collector_{kKeep, echo_};
};

} // namespace

void fuzzReplyFraming(const uint8_t* data, size_t size) {
    // The first byte picks the echo to expect and the seed of the piece
    // sizes; the stream is the rest. Fed whole and in pieces, the replies
    // and the notices come out the same.
    if (size < 1)
        return;
    const QByteArray echo = data[0] & 1 ? QByteArray("AT+CSQ\r") : QByteArray();
    const QByteArrayView stream(data + 1, qsizetype(size - 1));

    Framing whole(echo);
    whole.feed(stream);
    Framing pieces(echo);
    unsigned seed = data[0];
    for (qsizetype at = 0; at < stream.size();) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype piece = std::min<qsizetype>(1 + (seed >> 16) % 7, stream.size() - at);
        pieces.feed(stream.sliced(at, piece));
        at += piece;
    }
    require(whole.replies == pieces.replies);
    require(whole.notices == pieces.notices);
    require(whole.taken == pieces.taken);
    for (const QByteArray& notice : whole.notices)
        require(notice.size() <= NoticeFilter::kLongestNotice + 2);
}
