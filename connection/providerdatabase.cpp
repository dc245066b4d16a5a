#include "connection/providerdatabase.h"

#include "connection/profilerecord.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <algorithm>
#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcProviders, "velto.providers")

// An APN without a usage is a general one; "mms-internet-hipri" and the like
// serve internet too. MMS, WAP and initial-attach APNs don't.
bool servesInternet(const QStringList& usages) {
    if (usages.isEmpty())
        return true;
    for (const QString& usage : usages)
        if (usage.split('-').contains(QLatin1String("internet")))
            return true;
    return false;
}

QString networkKey(QStringView mcc, QStringView mnc) {
    return mcc.toString() + ':' + mnc.toString();
}

} // namespace

ProviderDatabase::ProviderDatabase(QString path) : path_(std::move(path)) {}

bool ProviderDatabase::read(QIODevice* device, QHash<QString, QList<ApnChoice>>* byNetwork) {
    QXmlStreamReader xml(device);
    QHash<QString, QList<ApnChoice>> found;
    QStringList open;      // the elements the reader is in
    QString providerName;  // of the provider being read
    QStringList networks;  // its network ids
    QList<ApnChoice> apns; // its internet APNs so far
    ApnChoice apn;         // the APN being read
    QStringList usages;    // its usages
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            const QStringView name = xml.name();
            if (name == u"apn" && servesInternet(usages))
                apns.append(apn);
            else if (name == u"provider")
                for (const QString& network : std::as_const(networks))
                    for (ApnChoice choice : std::as_const(apns)) {
                        choice.provider = providerName;
                        found[network].append(choice);
                    }
            open.removeLast();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        const QString parent = open.isEmpty() ? QString() : open.last();
        if (name == u"provider") {
            providerName.clear();
            networks.clear();
            apns.clear();
        } else if (name == u"network-id") {
            networks.append(
                networkKey(xml.attributes().value("mcc"), xml.attributes().value("mnc")));
        } else if (name == u"apn") {
            apn = ApnChoice{};
            apn.apn = xml.attributes().value("value").toString().trimmed();
            usages.clear();
        } else if (name == u"usage" && parent == u"apn") {
            usages.append(xml.attributes().value("type").toString());
        } else if (parent == u"provider" && name == u"name") {
            // The first name is the operator's own; the others are translations.
            const QString text = xml.readElementText().trimmed();
            if (providerName.isEmpty())
                providerName = text;
            continue; // the reader is past the end of <name>
        } else if (parent == u"apn" &&
                   (name == u"name" || name == u"username" || name == u"password")) {
            const QString text = xml.readElementText().trimmed();
            QString& field = name == u"name"       ? apn.name
                             : name == u"username" ? apn.userName
                                                   : apn.password;
            if (field.isEmpty())
                field = text;
            continue;
        }
        open.append(name.toString());
    }
    if (xml.hasError())
        return false;
    *byNetwork = std::move(found);
    return true;
}

QList<ApnChoice> ProviderDatabase::internetApns(const QString& imsi) {
    if (imsi.size() < 6 || imsi.size() > 15 ||
        !std::all_of(imsi.begin(), imsi.end(), [](QChar c) { return c >= '0' && c <= '9'; }))
        return {};
    if (!loaded_) {
        loaded_ = true;
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        if (!read(&file, &byNetwork_))
            qCWarning(lcProviders, "%s is not readable XML; no APN is proposed", qPrintable(path_));
    }
    const QStringView mcc = QStringView(imsi).left(3);
    auto found = byNetwork_.constFind(networkKey(mcc, QStringView(imsi).mid(3, 3)));
    if (found == byNetwork_.constEnd())
        found = byNetwork_.constFind(networkKey(mcc, QStringView(imsi).mid(3, 2)));
    if (found == byNetwork_.constEnd())
        return {};
    // An APN the profile dialog would refuse (no real one is such) is left out.
    const QRegularExpression acceptable(apnPattern());
    QList<ApnChoice> choices;
    for (const ApnChoice& choice : found.value())
        if (acceptable.match(choice.apn).hasMatch())
            choices.append(choice);
    return choices;
}
