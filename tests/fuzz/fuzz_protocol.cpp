// The classifier, the typed reply readers and the framing of replies.

#include "tests/fuzz/fuzztargets.h"

#include "modem/atframing.h"
#include "modem/protocol/at_code.h"
#include "modem/protocol/notices.h"
#include "modem/protocol/replies.h"
#include "modem/ussdtext.h"

#include <QByteArrayView>
#include <algorithm>
#include <cstring>
#include <vector>

void fuzzClassifier(const uint8_t* data, size_t size) {
    // The reply exactly as long as the input, without a NUL after it: the
    // classifier must read no further than the size it is given.
    const std::vector<char> buffer(data, data + size);
    const int code = Parse_At_Res(buffer.data(), int(size));
    require(code >= 0 && code <= AT_NO_VERDICT);
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
    if (const auto reference = parseMessageReference(r))
        require(*reference >= 0 && *reference <= 0xFF);
    if (const auto stored = parseStoredReportNotice(r))
        require(!stored->storage.isEmpty() && stored->index >= 0);
    if (const auto pdu = parseStatusReportNotice(r))
        require(!pdu->isEmpty());
    if (const auto pdu = parseDirectMessageNotice(r))
        require(!pdu->isEmpty());
    parseStorageChoices(r);
    for (const QList<int>& field : parseIndicationChoices(r).value_or(IndicationChoices()))
        for (const int value : field)
            require(value >= 0 && value <= 9);
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

// What the transport makes of a byte stream: its notices and its lines, each
// ended by '|', and the unfinished line at the end.
struct Framing {
    QByteArray lines;
    QList<QByteArray> notices;

    void feed(QByteArrayView piece) {
        for (const AtEvent& event : framing_.feed(piece)) {
            require(!event.text.isEmpty());
            if (event.kind == AtEvent::Notice) {
                notices.append(event.text);
            } else {
                require(!event.text.contains('\r') && !event.text.contains('\n'));
                require(event.text.size() <= AtFraming::kLongestLine);
                lines += event.text + '|';
            }
        }
    }
    QByteArray partial() const { return framing_.partial(); }

private:
    AtFraming framing_;
};

} // namespace

void fuzzReplyFraming(const uint8_t* data, size_t size) {
    // The first byte is the seed of the piece sizes; the stream is the
    // rest. Fed whole and in pieces, the lines and the notices come out the
    // same.
    if (size < 1)
        return;
    const QByteArrayView stream(data + 1, qsizetype(size - 1));

    Framing whole;
    whole.feed(stream);
    Framing pieces;
    unsigned seed = data[0];
    for (qsizetype at = 0; at < stream.size();) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype piece = std::min<qsizetype>(1 + (seed >> 16) % 7, stream.size() - at);
        pieces.feed(stream.sliced(at, piece));
        at += piece;
    }
    require(whole.lines == pieces.lines);
    require(whole.notices == pieces.notices);
    require(whole.partial() == pieces.partial());
    for (const QByteArray& notice : whole.notices)
        require(notice.size() <= NoticeFilter::kLongestNotice + 2);
}
