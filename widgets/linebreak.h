#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

// Breaks `text` into at most four lines of at most `width` pixels (widths
// of the characters added up). A line ends after its last space, or, in a
// word longer than the line, where the width is reached; the lines joined
// give the text back. When the text needs more than four lines, the fourth
// is cut to `width` - 40 pixels and ends with "...". A null text gives no
// lines.
QStringList lineStr2Multiline(const QString& text, int width, const QFontMetrics& fm);
