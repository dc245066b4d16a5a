#include "phonebook/contactexport.h"

#include "app/atomicfile.h"
#include "phonebook/contactmodel.h"
#include "phonebook/vcard.h"

#include <QStringList>

namespace {

QString field(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    return out;
}

} // namespace

ExportFormat exportFormatFor(const QString& path) {
    const QString lower = path.toLower();
    return lower.endsWith(".vcf") || lower.endsWith(".vcard") ? ExportFormat::VCard
                                                              : ExportFormat::TabSeparated;
}

QByteArray tabSeparated(const QList<Contact>& contacts) {
    QByteArray out;
    for (const Contact& c : contacts) {
        QStringList fields{ContactTableModel::shownName(c), c.getPhone()};
        if (!c.getIsSim())
            fields << c.getHomePhone() << c.getOfficePhone() << c.getGroup();
        for (QString& f : fields)
            f = field(f);
        out += fields.join('\t').toUtf8() + '\n';
    }
    return out;
}

QByteArray vCards(const QList<Contact>& contacts) {
    QByteArray out;
    for (const Contact& c : contacts) {
        VCard card;
        card.name = ContactTableModel::shownName(c);
        if (!c.getPhone().isEmpty())
            card.cell.append(c.getPhone());
        if (!c.getHomePhone().isEmpty())
            card.home.append(c.getHomePhone());
        if (!c.getOfficePhone().isEmpty())
            card.work.append(c.getOfficePhone());
        if (!c.getEmail().isEmpty())
            card.emails.append(c.getEmail());
        if (!c.getGroup().isEmpty())
            card.categories.append(c.getGroup());
        out += writeVCard(card);
    }
    return out;
}

bool exportContacts(const QString& path, const QList<Contact>& contacts, ExportFormat format) {
    const QByteArray contents =
        format == ExportFormat::VCard ? vCards(contacts) : tabSeparated(contacts);
    return writeFileAtomically(path, contents);
}
