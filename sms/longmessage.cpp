#include "sms/longmessage.h"

#include "sms/gsmalphabet.h"

namespace {

int septetsOf(QChar c) {
    return c.unicode() < 0x80 && gsmExtensionCode(static_cast<unsigned char>(c.unicode())) >= 0 ? 2
                                                                                                : 1;
}

// A number as people write it: digits, "*", "#", a leading "+", and blanks,
// dashes, dots, slashes or parentheses between them. The codec keeps the
// digits only, so letters or control characters must not get that far: the
// message would go to whatever number the remaining digits make.
bool isDialable(const QString& number) {
    for (qsizetype i = 0; i < number.size(); ++i) {
        const QChar c = number.at(i);
        if ((c < u'0' || c > u'9') && !QStringLiteral("*#-./() ").contains(c) &&
            !(c == u'+' && i == 0))
            return false;
    }
    return true;
}

} // namespace

bool needsUcs2(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return true;
    }
    return false;
}

int septetCount(const QString& text) {
    int n = 0;
    for (QChar c : text)
        n += septetsOf(c);
    return n;
}

QStringList splitMessage(const QString& text, bool ucs2) {
    if (ucs2 ? text.size() <= SMS_MAX_UCS2_CHARS : septetCount(text) <= SMS_MAX_SEPTETS)
        return {text};
    QStringList parts;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        if (ucs2) {
            end = std::min(text.size(), start + SMS_PART_UCS2_CHARS);
            if (end < text.size() && text.at(end - 1).isHighSurrogate() && end - 1 > start)
                --end;
        } else {
            int used = 0;
            while (end < text.size() && used + septetsOf(text.at(end)) <= SMS_PART_SEPTETS)
                used += septetsOf(text.at(end++));
        }
        parts << text.mid(start, end - start);
        start = end;
    }
    return parts;
}

int partCount(const QString& text) {
    return static_cast<int>(splitMessage(text, needsUcs2(text)).size());
}

QStringList encodeMessage(const QString& sca, const QString& number, const QString& text,
                          const SubmitOptions& options, int reference) {
    if (!isDialable(number))
        return {};
    const bool ucs2 = needsUcs2(text);
    const QStringList parts = splitMessage(text, ucs2);
    if (parts.size() > SMS_MAX_PARTS)
        return {};
    QStringList pdus;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        ConcatInfo info;
        info.reference = reference & 0xFF;
        info.total = static_cast<int>(parts.size());
        info.sequence = static_cast<int>(i + 1);
        const QString pdu = gsmEncodeSubmit(sca, number, 0, parts.at(i), ucs2, options,
                                            parts.size() > 1 ? &info : nullptr);
        if (pdu.isEmpty())
            return {};
        pdus << pdu;
    }
    return pdus;
}

int tpduLength(const QString& pdu) {
    bool ok = false;
    const int sca = pdu.left(2).toInt(&ok, 16);
    if (!ok || pdu.size() % 2 != 0 || pdu.size() / 2 <= sca + 1)
        return -1;
    return static_cast<int>(pdu.size() / 2) - (sca + 1);
}
