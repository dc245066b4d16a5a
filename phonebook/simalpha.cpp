#include "phonebook/simalpha.h"

#include "sms/gsmalphabet.h"

#include <algorithm>

int simAlphaLength(const QString& name) {
    int septets = 0;
    bool gsm = true;
    // The code points with no septet of their own: one UCS2 base must reach them.
    char16_t low = 0xFFFF;
    char16_t high = 0;
    for (QChar c : name) {
        const int count = gsmSeptetCount(c.unicode());
        septets += count;
        gsm = gsm && count > 0;
        if (count != 1) {
            low = std::min(low, c.unicode());
            high = std::max(high, c.unicode());
        }
    }
    if (gsm)
        return septets;
    const int characters = static_cast<int>(name.size());
    int length = 1 + 2 * characters; // 0x80
    if (high - low < 0x80 && characters < 0x100) {
        length = std::min(length, 4 + characters); // 0x82
        const char16_t halfPage = low & 0x7F80;
        if (high < 0x8000 && high - halfPage < 0x80)
            length = std::min(length, 3 + characters); // 0x81
    }
    return length;
}

QString fitSimName(const QString& name, int limit) {
    if (limit <= 0)
        return name;
    qsizetype n = name.size();
    while (n > 0 && simAlphaLength(name.left(n)) > limit)
        --n;
    if (n > 0 && n < name.size() && name.at(n - 1).isHighSurrogate())
        --n;
    return name.left(n);
}

int namesTooLong(const QStringList& names, int limit) {
    if (limit <= 0)
        return 0;
    return static_cast<int>(std::count_if(names.begin(), names.end(), [limit](const QString& n) {
        return simAlphaLength(n) > limit;
    }));
}
