#include "phonebook/contactimport.h"

#include "phonebook/coder.h"
#include "phonebook/contactrules.h"
#include "phonebook/iodata.h"
#include "phonebook/simalpha.h"

#include <QCoreApplication>
#include <QSet>

namespace {

// The texts of the import report.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(ContactImport)
};

QString cleanNumber(const QString& number) {
    QString out;
    for (QChar c : number) {
        if (!c.isSpace() && !QStringLiteral("-()./").contains(c))
            out += c;
    }
    return out;
}

QString oneLine(const QString& text) {
    return text.simplified();
}

struct Numbers {
    QString mobile, home, office;
    int given = 0;
    int kept = 0;
};

Numbers pickNumbers(const VCard& card, bool sim) {
    Numbers n;
    QStringList cell, home, work, rest;
    const auto usable = [&n](const QStringList& in, QStringList& out) {
        for (const QString& raw : in) {
            ++n.given;
            const QString number = cleanNumber(raw);
            if (ContactRules::isValidNumber(number))
                out.append(number);
        }
    };
    usable(card.cell, cell);
    usable(card.home, home);
    usable(card.work, work);
    usable(card.other, rest);
    n.mobile = cell.isEmpty() ? QString() : cell.takeFirst();
    if (!sim) {
        n.home = home.isEmpty() ? QString() : home.takeFirst();
        n.office = work.isEmpty() ? QString() : work.takeFirst();
    }
    rest = cell + home + work + rest;
    for (QString* slot : {&n.mobile, &n.home, &n.office}) {
        if (sim && slot != &n.mobile)
            break;
        if (slot->isEmpty() && !rest.isEmpty())
            *slot = rest.takeFirst();
    }
    n.kept = !n.mobile.isEmpty() + !n.home.isEmpty() + !n.office.isEmpty();
    return n;
}

QString key(const QString& codedName, const QString& mobile) {
    return codedName + '\n' + mobile;
}

// The group of a card imported into the PC phonebook without a group chosen.
QString groupFor(IOData& data, const VCard& card) {
    for (const QString& category : card.categories) {
        const QString name = oneLine(category);
        if (data.hasGroup(name))
            return name;
    }
    for (const QString& category : card.categories) {
        const QString name = oneLine(category);
        if (!name.isEmpty() && data.countOfGroup() < ContactRules::kMaxGroups) {
            data.insertGroup(name);
            return name;
        }
    }
    return {};
}

} // namespace

ImportReport importVCards(IOData& data, const QList<VCard>& cards, const ContactTarget& target) {
    ImportReport report;
    const bool sim = target.sim;
    const bool ucs2 = sim ? IOData::simNamesUcs2 : true;
    QSet<QString> present;
    for (const Contact& c : sim ? IOData::simContactMap : IOData::pcContactMap)
        present.insert(key(c.getName(), c.getPhone()));

    QString stopReason;
    bool pcChanged = false;
    for (const VCard& card : cards) {
        const QString name = oneLine(card.name);
        const QString shown = name.isEmpty() ? Texts::tr("(no name)") : name;
        if (!stopReason.isEmpty()) {
            report.skipped.append(shown + ": " + stopReason);
            continue;
        }
        if (name.isEmpty()) {
            report.skipped.append(shown + ": " + Texts::tr("no name"));
            continue;
        }
        const Numbers numbers = pickNumbers(card, sim);
        if (numbers.mobile.isEmpty()) {
            report.skipped.append(shown + ": " + Texts::tr("no usable telephone number"));
            continue;
        }
        const QString kept = sim ? fitSimName(name, target.simNameLimit) : name;
        QString coded;
        coding(coded, kept, ucs2);
        if (present.contains(key(coded, numbers.mobile))) {
            report.skipped.append(shown + ": " + Texts::tr("already in the phonebook"));
            continue;
        }
        const bool full = sim ? data.countOfSimContact() >= data.simPhonebookCapacity()
                              : data.countOfPcContact() >= IOData::MAX_PC_CONTACTS;
        if (full) {
            stopReason =
                sim ? Texts::tr("the SIM card is full") : Texts::tr("the PC phonebook is full");
            report.skipped.append(shown + ": " + stopReason);
            continue;
        }

        Contact c(sim, 0, coded, numbers.mobile);
        QString email;
        if (!sim) {
            c.setHomePhone(numbers.home);
            c.setOfficePhone(numbers.office);
            for (const QString& e : card.emails) {
                if (ContactRules::isValidEmail(e.trimmed())) {
                    email = e.trimmed();
                    break;
                }
            }
            c.setEmail(email);
            c.setGroup(target.group.isEmpty() ? groupFor(data, card) : target.group);
        }
        if (data.insertContact(&c, false) != 1) {
            stopReason = Texts::tr("the SIM card refused it");
            report.skipped.append(shown + ": " + stopReason);
            continue;
        }
        pcChanged = pcChanged || !sim;
        present.insert(key(coded, numbers.mobile));
        ++report.added;
        if (kept != name)
            ++report.shortened;
        const int droppedNumbers = numbers.given - numbers.kept;
        const bool droppedEmail = !sim && email.isEmpty() && !card.emails.isEmpty();
        if (droppedNumbers > 0 || droppedEmail || (sim && !card.emails.isEmpty())) {
            QStringList lost;
            if (droppedNumbers > 0)
                lost.append(Texts::tr("%n number(s)", nullptr, droppedNumbers));
            if (droppedEmail || (sim && !card.emails.isEmpty()))
                lost.append(Texts::tr("the e-mail address"));
            report.notes.append(shown + ": " + Texts::tr("without ") +
                                lost.join(Texts::tr(" and ")));
        }
    }
    if (pcChanged && !data.saveXmlFile())
        report.skipped.append(Texts::tr("The phonebook file could not be written."));
    return report;
}
