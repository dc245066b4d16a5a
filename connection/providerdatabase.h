#pragma once

#include <QHash>
#include <QList>
#include <QString>

class QIODevice;

// One APN an operator offers for internet use.
struct ApnChoice {
    QString provider; // the operator's (or reseller's) name
    QString apn;
    QString name; // what the operator calls this APN; may be empty
    QString userName;
    QString password;

    bool operator==(const ApnChoice&) const = default;
};

// The operators of mobile-broadband-provider-info (serviceproviders.xml)
// with their internet APNs, looked up by the home network of a SIM. The file
// is read once, at the first lookup; without it nothing is known.
class ProviderDatabase {
public:
    explicit ProviderDatabase(QString path);

    // The internet APNs (not the MMS or WAP ones) of the operators whose
    // network id is the home network of the SIM `imsi`, in the file's order.
    // The network id is the IMSI's MCC with a 3-digit MNC when the file
    // lists one, otherwise with a 2-digit MNC. Empty for an IMSI that is not
    // 6 to 15 digits, an unlisted network and a missing or broken file.
    QList<ApnChoice> internetApns(const QString& imsi);

    // Reads the file's XML from `device`: "mcc:mnc" to its APNs. False (and
    // nothing kept) on malformed XML.
    static bool read(QIODevice* device, QHash<QString, QList<ApnChoice>>* byNetwork);

private:
    QString path_;
    bool loaded_ = false;
    QHash<QString, QList<ApnChoice>> byNetwork_;
};
