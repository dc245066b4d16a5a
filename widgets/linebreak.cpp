#include "widgets/linebreak.h"

namespace {

constexpr int fullLines = 3;
constexpr int ellipsisRoom = 40;

// Number of leading characters of `text` whose widths add up to at most
// `width` pixels.
qsizetype fittingPrefix(const QString& text, int width, const QFontMetrics& fm) {
    int sum = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        sum += fm.horizontalAdvance(text.at(i));
        if (sum > width)
            return i;
    }
    return text.size();
}

} // namespace

QStringList lineStr2Multiline(const QString& text, int width, const QFontMetrics& fm) {
    QStringList lines;
    if (text.isNull())
        return lines;
    QString rest = text;
    while (fm.horizontalAdvance(rest) > width && lines.size() < fullLines) {
        qsizetype cut = fittingPrefix(rest, width, fm);
        // Words stay whole: the line ends after its last space when it has
        // one (a space just past the width stays on the line, unseen).
        const qsizetype space = rest.lastIndexOf(' ', cut);
        if (space > 0)
            cut = space + 1;
        // A character wider than the whole line still makes a line of its own.
        cut = qMax<qsizetype>(1, cut);
        lines << rest.left(cut);
        rest = rest.mid(cut);
    }
    if (lines.size() < fullLines) {
        lines << rest;
        return lines;
    }
    const int lastWidth = width - ellipsisRoom;
    if (fm.horizontalAdvance(rest) <= lastWidth)
        lines << rest;
    else
        lines << rest.left(fittingPrefix(rest, lastWidth, fm)) + "...";
    return lines;
}
