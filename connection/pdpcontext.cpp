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

bool applyPdpContext(SerialThread& link, const QString& profileName, int* result, QString* error) {
    PdpContext context;
    if (!readPdpContext(profileName, &context, error))
        return false;
    const QByteArray type = context.pdpType.toLatin1();
    const QByteArray apn = context.apn.toLatin1();
    const QByteArray address = context.pdpAddress.toLatin1();
    qDebug("WTM::PDP:____ apn = %s,ipPDP = %s, PDPAddr = %s ____", apn.constData(),
           type.constData(), address.constData());
    const int answer =
        link.setConnectPara(context.pdpType.isNull() ? nullptr : type.constData(),
                            context.apn.isNull() ? nullptr : apn.constData(), address.constData());
    qDebug("WTM::PDP:____ re = %d ____", answer);
    if (result)
        *result = answer;
    return true;
}
