#include "modem/noticefilter.h"

void NoticeFilter::addPrefix(QByteArrayView prefix, int followingLines) {
    if (!prefix.isEmpty())
        prefixes_.append({prefix.toByteArray(), followingLines});
}

void NoticeFilter::reset() {
    held_.clear();
    inNotice_ = false;
    linesLeft_ = 0;
    atLineStart_ = true;
}

NoticeFilter::Match NoticeFilter::match(int* followingLines) const {
    bool partial = false;
    for (const Prefix& prefix : prefixes_) {
        if (held_.startsWith(prefix.text)) {
            *followingLines = prefix.followingLines;
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
    for (const char c : bytes) {
        if (inNotice_) {
            held_.append(c);
            if (c == '\n' && linesLeft_-- == 0) {
                while (held_.endsWith('\n') || held_.endsWith('\r'))
                    held_.chop(1);
                if (notices)
                    notices->append(held_);
                held_.clear();
                inNotice_ = false;
                atLineStart_ = true;
            } else if (held_.size() > kLongestNotice) {
                out.append(held_);
                held_.clear();
                inNotice_ = false;
                atLineStart_ = c == '\n';
            }
            continue;
        }
        if (!held_.isEmpty() || (atLineStart_ && c != '\r' && c != '\n')) {
            held_.append(c);
            int following = 0;
            switch (match(&following)) {
            case Match::Complete:
                inNotice_ = true;
                linesLeft_ = following;
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
        out.append(c);
        atLineStart_ = c == '\n' || (atLineStart_ && c == '\r');
    }
    return out;
}
