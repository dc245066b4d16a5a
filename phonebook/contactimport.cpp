#include "phonebook/contactimport.h"

#include "modem/inturn.h"
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

void importVCards(IOData& data, const QList<VCard>& cards, const ContactTarget& target,
                  std::function<void(ImportReport)> done) {
    struct Run {
        ImportReport report;
        QSet<QString> present;
        QString stopReason;
        bool pcChanged = false;
    };
    auto run = std::make_shared<Run>();
    const bool sim = target.sim;
    const bool ucs2 = sim ? IOData::simNamesUcs2 : true;
    for (const Contact& c : sim ? IOData::simContactMap : IOData::pcContactMap)
        run->present.insert(key(c.getName(), c.getPhone()));

    InTurn::run(
        int(cards.size()),
        [=, &data](int i, std::function<void()> next) {
            const VCard& card = cards.at(i);
            ImportReport& report = run->report;
            const QString name = oneLine(card.name);
            const QString shown = name.isEmpty() ? Texts::tr("(no name)") : name;
            const auto skip = [&report, &shown, &next](const QString& why) {
                report.skipped.append(shown + ": " + why);
                next();
            };
            if (!run->stopReason.isEmpty())
                return skip(run->stopReason);
            if (name.isEmpty())
                return skip(Texts::tr("no name"));
            const Numbers numbers = pickNumbers(card, sim);
            if (numbers.mobile.isEmpty())
                return skip(Texts::tr("no usable telephone number"));
            const QString kept = sim ? fitSimName(name, target.simNameLimit) : name;
            QString coded;
            coding(coded, kept, ucs2);
            if (run->present.contains(key(coded, numbers.mobile)))
                return skip(Texts::tr("already in the phonebook"));
            const bool full = sim ? data.countOfSimContact() >= data.simPhonebookCapacity()
                                  : data.countOfPcContact() >= IOData::MAX_PC_CONTACTS;
            if (full) {
                run->stopReason =
                    sim ? Texts::tr("the SIM card is full") : Texts::tr("the PC phonebook is full");
                return skip(run->stopReason);
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
            data.storeContact(c, false, [=](bool stored, const Contact&) {
                ImportReport& report = run->report;
                if (!stored) {
                    run->stopReason = Texts::tr("the SIM card refused it");
                    report.skipped.append(shown + ": " + run->stopReason);
                    return next();
                }
                run->pcChanged = run->pcChanged || !sim;
                run->present.insert(key(coded, numbers.mobile));
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
                next();
            });
        },
        [=, &data] {
            if (run->pcChanged && !data.saveXmlFile())
                run->report.skipped.append(Texts::tr("The phonebook file could not be written."));
            done(run->report);
        });
}
