#include "connection/pdpcontext.h"

#include "app/commonconfig.h"
#include "app/textfile.h"
#include "connection/profilerecord.h"
#include "connection/profilestore.h"

#include "modem/serialthread.h"

#include <QCoreApplication>
#include <QStringList>
#include <QtDebug>

bool readPdpContext(const QString& profileName, PdpContext* context, QString* error) {
    QStringList lines;
    if (!readTextLines(ProfileStore::defaultRecordFilePath(), &lines)) {
        if (error)
            *error = QCoreApplication::translate("ProfileStore", "Can not open the file!");
        return false;
    }
    const QString apnKey = QStringLiteral("APN = ");
    const QString pdpKey = QStringLiteral("PDP = ");
    for (const QString& line : lines) {
        if (!ProfileFormat::isFieldsLineOf(line, profileName))
            continue;
        for (const QString& part : line.split(ProfileFormat::Separator)) {
            if (part.startsWith(apnKey)) {
                // The operator's APN is the built-in profile's.
                context->apn = part.size() > apnKey.size() ? part.mid(apnKey.size())
                               : comcfg.useCmnetApn        ? QStringLiteral("cmnet")
                                                           : comcfg.builtinApn;
            }
            if (part.startsWith(QLatin1String("IP modal = 1")))
                context->pdpType = QStringLiteral("ip");
            if (part.startsWith(QLatin1String("PPP modal = 1")))
                context->pdpType = QStringLiteral("ppp");
            if (part.startsWith(pdpKey) && part.size() > pdpKey.size())
                context->pdpAddress = part.mid(pdpKey.size());
        }
    }
    return true;
}

bool applyPdpContext(SerialThread& link, QObject* caller, const QString& profileName,
                     QString* error) {
    PdpContext context;
    if (!readPdpContext(profileName, &context, error))
        return false;
    qDebug("WTM::PDP:____ apn = %s,ipPDP = %s, PDPAddr = %s ____", qPrintable(context.apn),
           qPrintable(context.pdpType), qPrintable(context.pdpAddress));
    // A record without a type or an APN gives the modem nothing to set.
    if (context.pdpType.isNull() || context.apn.isNull())
        return true;
    link.setConnectPara(caller, context.pdpType, context.apn, context.pdpAddress,
                        [](bool set) { qDebug("WTM::PDP:____ re = %d ____", int(set)); });
    return true;
}
