#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

// Breaks `text` by pixel width (not at spaces) into at most four lines of at
// most `width` pixels. When the text needs more, the fourth line is cut to
// `width` - 40 pixels and ends with "...". A null text gives no lines.
QStringList lineStr2Multiline(const QString& text, int width, const QFontMetrics& fm);
