#include "modem/atframing.h"

#include "modem/protocol/notices.h"

AtFraming::AtFraming() {
    for (const NoticeKind& kind : kNotices)
        notices_.addPrefix(kind.prefix, kind.followingLines, kind.quotedMayWrap);
    for (const NoticeKind& kind : kRadioNotices)
        notices_.addPrefix(kind.prefix, kind.followingLines, kind.quotedMayWrap);
}

void AtFraming::reset() {
    notices_.reset();
    partial_.clear();
}

QList<AtEvent> AtFraming::feed(QByteArrayView bytes) {
    QList<QByteArray> found;
    const QByteArray rest = notices_.feed(bytes, &found);
    QList<AtEvent> events;
    for (QByteArray& notice : found)
        events.append({AtEvent::Notice, std::move(notice)});

    // The notices a piece completes come before the lines it completes; no
    // reply depends on the order between the two.
    for (const char c : rest) {
        if (c == '\r' || c == '\n') {
            if (!partial_.isEmpty())
                events.append({AtEvent::Line, partial_});
            partial_.clear();
        } else if (partial_.size() < kLongestLine) {
            partial_.append(c);
        }
    }
    return events;
}
