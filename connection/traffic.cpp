#include "connection/traffic.h"

#include "app/systempaths.h"

#include <QByteArrayList>
#include <QFile>
#include <cstdio>
#include <cstring>

namespace {

// Copies the leading digits of `token` into a raw count buffer, truncating
// at its size.
void copyCount(const QByteArray& token, char* out) {
    int n = 0;
    while (n < token.size() && n < RawCountSize - 1 && token[n] >= '0' && token[n] <= '9') {
        out[n] = token[n];
        ++n;
    }
    out[n] = '\0';
}

} // namespace

void Read_ip_amount(char* received, char* transmitted) {
    if (!received || !transmitted) {
        qDebug(" Receive is NULL, Transmit is NULL!");
        return;
    }
    QFile file(SystemPaths::procNetDev());
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (;;) {
        const QByteArray line = file.readLine(1024);
        if (line.isEmpty())
            break;
        const qsizetype colon = line.indexOf(':');
        // Only the interface called exactly "ppp0", not "ppp01".
        if (colon < 0 || line.left(colon).trimmed() != "ppp0")
            continue;
        // After the colon, whether or not a blank follows it: received
        // bytes, packets, errs, drop, fifo, frame, compressed, multicast,
        // then transmitted bytes.
        const QByteArrayList fields = line.mid(colon + 1).simplified().split(' ');
        copyCount(fields.value(0), received);
        copyCount(fields.value(8), transmitted);
        return;
    }
    qDebug("Did not find out ppp0");
    std::strcpy(received, "0");
    std::strcpy(transmitted, "0");
}

void Convert_Discharge(const char* digits, char* out) {
    if (!digits || !out)
        return;
    double value = 0;
    for (const char* p = digits; *p >= '0' && *p <= '9'; ++p)
        value = value * 10 + (*p - '0');
    const struct {
        double limit;
        double unit;
        const char* format;
    } scales[] = {
        {1024.0, 1.0, "%.0fB"},
        {1048576.0, 1024.0, "%.2fKB"},
        {1073741824.0, 1048576.0, "%.2fMB"},
        {0, 1073741824.0, "%.2fGB"},
    };
    for (const auto& scale : scales) {
        if (scale.limit != 0 && value >= scale.limit)
            continue;
        const float scaled = static_cast<float>(value / scale.unit);
        std::snprintf(out, CountTextSize, scale.format, scaled);
        qDebug("Number = %s", out);
        return;
    }
}

void datastatic(char* receivedText, char* transmittedText) {
    char received[RawCountSize] = {};
    char transmitted[RawCountSize] = {};
    Read_ip_amount(received, transmitted);
    Convert_Discharge(received, receivedText);
    qDebug("main Receive_Data = %s", receivedText);
    Convert_Discharge(transmitted, transmittedText);
    qDebug("main Transmit_Data = %s", transmittedText);
}

QString timeFormat(qint64 ms) {
    ms = qMax<qint64>(ms, 0);
    const auto twoDigits = [](qint64 n) { return QString::number(n).rightJustified(2, '0'); };
    return twoDigits(ms / 3600000) + ':' + twoDigits(ms / 60000 % 60) + ':' +
           twoDigits(ms / 1000 % 60);
}
