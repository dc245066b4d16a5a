#include "connection/dialprofile.h"

#include "app/systempaths.h"
#include "app/textfile.h"
#include "connection/profilerecord.h"
#include "connection/profilestore.h"

#include <QFileInfo>
#include <QStringList>

std::optional<DialRequest> defaultProfileRequest(const QString& port, Dialer dialer) {
    QStringList lines;
    // A default record without a fields line would dial nothing.
    if (!readTextLines(ProfileStore::defaultRecordFilePath(), &lines) || lines.isEmpty() ||
        !ProfileFormat::isFieldsLine(lines.first()))
        return std::nullopt;
    ProfileRecord profile;
    ProfileFormat::applyFieldsLine(lines.first(), &profile);
    DialRequest request;
    request.dialer = dialer;
    request.port = port;
    request.phone = profile.phone;
    request.saveUser = profile.saveUserName;
    request.user = profile.userName;
    request.password = profile.password;
    request.chap = profile.chapModal;
    request.peerDns = profile.obtainDns;
    if (!request.peerDns) {
        request.dns1 = profile.preNameserver;
        request.dns2 = profile.altNameserver;
    }
    return request;
}

Dialer chosenDialer(const QString& setting) {
    const bool wvdial = QFileInfo(SystemPaths::wvdialProgram()).isExecutable();
    const bool pppd = QFileInfo(SystemPaths::pppdProgram()).isExecutable();
    if (setting == dialerName(Dialer::Pppd) && pppd)
        return Dialer::Pppd;
    if (setting == dialerName(Dialer::Wvdial) && wvdial)
        return Dialer::Wvdial;
    return wvdial || !pppd ? Dialer::Wvdial : Dialer::Pppd;
}
