#include "modem/noticefilter.h"

void NoticeFilter::addPrefix(QByteArrayView prefix, int followingLines, bool quotedMayWrap) {
    if (!prefix.isEmpty())
        prefixes_.append({prefix.toByteArray(), followingLines, quotedMayWrap});
}

void NoticeFilter::reset() {
    held_.clear();
    inNotice_ = false;
    linesLeft_ = 0;
    atLineStart_ = true;
}

NoticeFilter::Match NoticeFilter::match(const Prefix** found) const {
    bool partial = false;
    for (const Prefix& prefix : prefixes_) {
        if (held_.startsWith(prefix.text)) {
            *found = &prefix;
            return Match::Complete;
        }
        if (prefix.text.startsWith(held_))
            partial = true;
    }
    return partial ? Match::Partial : Match::None;
}

QByteArray NoticeFilter::feed(QByteArrayView bytes, QList<QByteArray>* notices) {
    QByteArray out;
    out.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (inNotice_) {
            // The notice's lines, up to their line end, in one piece.
            const qsizetype lineEnd = bytes.indexOf('\n', at);
            const qsizetype end = lineEnd < 0 ? bytes.size() : lineEnd + 1;
            held_.append(bytes.sliced(at, end - at));
            at = end;
            const bool insideQuotes = mayWrap_ && held_.count('"') % 2 == 1 && wrapsLeft_ > 0;
            if (lineEnd >= 0 && insideQuotes) {
                --wrapsLeft_;
            } else if (lineEnd >= 0 && linesLeft_-- == 0) {
                while (held_.endsWith('\n') || held_.endsWith('\r'))
                    held_.chop(1);
                if (notices)
                    notices->append(held_);
                held_.clear();
                inNotice_ = false;
                atLineStart_ = true;
            } else if (held_.size() > kLongestNotice) {
                out.append(held_);
                atLineStart_ = held_.endsWith('\n');
                held_.clear();
                inNotice_ = false;
            }
            continue;
        }
        const char c = bytes[at];
        if (!held_.isEmpty() || (atLineStart_ && c != '\r' && c != '\n')) {
            // The start of a line, byte by byte until it is decided.
            ++at;
            held_.append(c);
            const Prefix* found = nullptr;
            switch (match(&found)) {
            case Match::Complete:
                inNotice_ = true;
                linesLeft_ = found->followingLines;
                mayWrap_ = found->quotedMayWrap;
                wrapsLeft_ = kWrappedLines;
                break;
            case Match::Partial:
                break;
            case Match::None:
                out.append(held_);
                held_.clear();
                atLineStart_ = c == '\n';
                break;
            }
            continue;
        }
        if (atLineStart_) {
            // Line ends between lines.
            out.append(c);
            ++at;
            continue;
        }
        // The rest of a line that is no notice, in one piece.
        const qsizetype lineEnd = bytes.indexOf('\n', at);
        const qsizetype end = lineEnd < 0 ? bytes.size() : lineEnd + 1;
        out.append(bytes.sliced(at, end - at));
        atLineStart_ = lineEnd >= 0;
        at = end;
    }
    return out;
}
