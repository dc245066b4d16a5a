#include "modem/replycollector.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

struct End {
    QByteArrayView text;
    bool errorLine; // the reply ends at the end of this line
};

constexpr std::array<End, 7> kEnds{{
    {"> ", false},
    {"not support\r\n", false},
    {"OK\r\n", false},
    {"NO CARRIER", false},
    {"+CME ERROR", true},
    {"+CMS ERROR", true},
    {"ERROR\r\n", false},
}};

constexpr qsizetype kLongestEnd = 13; // "not support\r\n"
constexpr QByteArrayView kLineEnd = "\r\n";

} // namespace

ReplyCollector::ReplyCollector(qsizetype keep, QByteArray echo)
    : keep_(keep), echo_(std::move(echo)) {}

bool ReplyCollector::hasEcho(const QByteArray& text, const QByteArray& echo) {
    if (echo.isEmpty())
        return false;
    for (qsizetype at = text.indexOf(echo); at >= 0; at = text.indexOf(echo, at + 1)) {
        const qsizetype after = at + echo.size();
        if (after < text.size() && (text[after] == '\r' || text[after] == '\n'))
            return true;
    }
    return false;
}

void ReplyCollector::restart() {
    text_.clear();
    carry_.clear();
    errorMark_ = 0;
    inErrorLine_ = false;
    finished_ = false;
    ++stale_;
}

void ReplyCollector::take(const char* data, qsizetype size) {
    const qsizetype room = std::max<qsizetype>(0, keep_ - text_.size());
    text_.append(data, std::min(size, room));
    received_ += size;
}

qsizetype ReplyCollector::feed(const char* data, qsizetype size) {
    qsizetype pos = 0;
    while (pos < size && !finished_) {
        // Search the new bytes plus the few before them that could start an end.
        QByteArray scan = carry_;
        scan.append(data + pos, size - pos);
        const qsizetype base = carry_.size();

        qsizetype end = -1;
        bool errorLine = false;
        if (inErrorLine_) {
            const qsizetype at = scan.indexOf(kLineEnd);
            if (at >= 0)
                end = at + kLineEnd.size();
        } else {
            for (const End& candidate : kEnds) {
                const qsizetype at = scan.indexOf(candidate.text);
                if (at >= 0 && (end < 0 || at + candidate.text.size() < end)) {
                    end = at + candidate.text.size();
                    errorLine = candidate.errorLine;
                }
            }
        }

        if (end < 0) {
            take(data + pos, size - pos);
            carry_ = scan.right(inErrorLine_ ? kLineEnd.size() - 1 : kLongestEnd - 1);
            return size;
        }
        const qsizetype used = end - base; // > 0: the carry alone held no end
        take(data + pos, used);
        pos += used;
        carry_.clear();
        if (errorLine) {
            inErrorLine_ = true;
            errorMark_ = text_.size();
        } else {
            finished_ = true;
            if (!echo_.isEmpty() && !hasEcho(text_, echo_))
                restart();
        }
    }
    return pos;
}
