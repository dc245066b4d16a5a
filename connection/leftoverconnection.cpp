#include "connection/leftoverconnection.h"

#include "app/systempaths.h"
#include "connection/privilegedhelper.h"
#include "helper/dialerfiles.h"

#include <QFileInfo>

bool leftoverConnectionFound() {
    for (const QString& file : {SystemPaths::dialerRecord(), SystemPaths::dnsStateFile(),
                                SystemPaths::pppdOptionsFile(), SystemPaths::fixedDnsFile()}) {
        if (QFileInfo::exists(file))
            return true;
    }
    return DialerFiles::backupsExist();
}

LeftoverConnection leftoverOutcome(const HelperOutcome& outcome) {
    if (outcome.has(HelperReport::Restored))
        return LeftoverConnection::Restored;
    if (outcome.has(HelperReport::Nothing))
        return LeftoverConnection::None;
    return LeftoverConnection::RestoreFailed;
}
