#include "helper/dialrequest.h"

#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <array>

namespace {

constexpr int MaxAccountBytes = 255; // pppd's limit for a name and a secret
constexpr int MaxPhoneSize = 40;
constexpr int MaxPortSize = 200;

const std::array<const char*, 10> Keys = {"dialer",   "port", "phone",    "save-user", "user",
                                          "password", "chap", "peer-dns", "dns1",      "dns2"};

QByteArray flag(bool on) {
    return on ? "1" : "0";
}

bool hasControl(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool readFlag(const QString& text, bool* value) {
    if (text != u"0" && text != u"1")
        return false;
    *value = text == u"1";
    return true;
}

bool plainPath(const QString& path) {
    static const QRegularExpression chars(QStringLiteral("^/[A-Za-z0-9._+/-]+$"));
    return path.size() <= MaxPortSize && chars.match(path).hasMatch() &&
           !path.split('/').contains(QStringLiteral("..")) &&
           !path.split('/').contains(QStringLiteral("."));
}

bool account(const QString& text) {
    return !hasControl(text) && text.toUtf8().size() <= MaxAccountBytes;
}

} // namespace

QString dialerName(Dialer dialer) {
    return dialer == Dialer::Pppd ? QStringLiteral("pppd") : QStringLiteral("wvdial");
}

QString dialNumberPattern() {
    return QStringLiteral("^[0-9*#+. ,  + ? # @ * ~ ! $ % ^ ( ) |]{1,}$");
}

bool isIpv4Address(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^(0|[1-9][0-9]{0,2})\\.(0|[1-9][0-9]{0,2})\\.(0|[1-9][0-9]{0,2})\\."
                       "(0|[1-9][0-9]{0,2})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    for (int part = 1; part <= 4; ++part) {
        if (match.captured(part).toInt() > 255)
            return false;
    }
    return true;
}

QByteArray dialRequestText(const DialRequest& r) {
    const QList<std::pair<const char*, QByteArray>> values = {
        {"dialer", dialerName(r.dialer).toUtf8()},
        {"port", r.port.toUtf8()},
        {"phone", r.phone.toUtf8()},
        {"save-user", flag(r.saveUser)},
        {"user", r.user.toUtf8()},
        {"password", r.password.toUtf8()},
        {"chap", flag(r.chap)},
        {"peer-dns", flag(r.peerDns)},
        {"dns1", r.dns1.toUtf8()},
        {"dns2", r.dns2.toUtf8()},
    };
    QByteArray text;
    for (const auto& [key, value] : values)
        text += QByteArray(key) + '=' + value.toPercentEncoding() + '\n';
    return text;
}

std::optional<DialRequest> readDialRequest(const QByteArray& text, QString* field) {
    const auto refuse = [field](const QString& key) {
        *field = key;
        return std::nullopt;
    };
    if (text.size() > MaxRequestSize)
        return refuse(QStringLiteral("request"));
    QHash<QString, QString> values;
    QByteArrayList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QByteArray& line : lines) {
        const qsizetype equals = line.indexOf('=');
        const QString key = QString::fromLatin1(equals < 0 ? line : line.first(equals)).left(32);
        if (equals < 0 || std::find(Keys.begin(), Keys.end(), key) == Keys.end())
            return refuse(key);
        if (values.contains(key))
            return refuse(key);
        QStringDecoder utf8(QStringDecoder::Utf8);
        values.insert(key, utf8(QByteArray::fromPercentEncoding(line.mid(equals + 1))));
        if (utf8.hasError())
            return refuse(key);
    }
    for (const char* key : Keys) {
        if (!values.contains(QString::fromLatin1(key)))
            return refuse(QString::fromLatin1(key));
    }

    DialRequest r;
    const QString dialer = values.value("dialer");
    if (dialer != dialerName(Dialer::Wvdial) && dialer != dialerName(Dialer::Pppd))
        return refuse("dialer");
    r.dialer = dialer == dialerName(Dialer::Pppd) ? Dialer::Pppd : Dialer::Wvdial;
    r.port = values.value("port");
    if (!plainPath(r.port))
        return refuse("port");
    r.phone = values.value("phone");
    static const QRegularExpression phone(dialNumberPattern());
    if (r.phone.size() > MaxPhoneSize || !phone.match(r.phone).hasMatch())
        return refuse("phone");
    if (!readFlag(values.value("save-user"), &r.saveUser))
        return refuse("save-user");
    r.user = values.value("user");
    if (!account(r.user))
        return refuse("user");
    r.password = values.value("password");
    if (!account(r.password))
        return refuse("password");
    if (!readFlag(values.value("chap"), &r.chap))
        return refuse("chap");
    if (!readFlag(values.value("peer-dns"), &r.peerDns))
        return refuse("peer-dns");
    r.dns1 = values.value("dns1");
    r.dns2 = values.value("dns2");
    // The peer's servers, or the profile's first one and maybe a second.
    if (r.peerDns ? !r.dns1.isEmpty() : !isIpv4Address(r.dns1))
        return refuse("dns1");
    if (!r.dns2.isEmpty() && (r.peerDns || !isIpv4Address(r.dns2)))
        return refuse("dns2");
    return r;
}
