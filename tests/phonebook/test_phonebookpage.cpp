// The phonebook page against the simulated card's SIM: searching, deleting,
// pasting between the PC and the SIM, groups, the contact form, messages to
// contacts and a vCard import into the SIM.

#include "phonebook/coder.h"
#include "phonebook/contactmodel.h"
#include "phonebook/iodata.h"
#include "phonebook/ui/mytable.h"
#include "phonebook/ui/newcontact.h"
#include "phonebook/ui/phonebook.h"
#include "tests/phonebook/boxrecorder.h"
#include "tests/phonebook/simcard.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

void addPcContacts(PhoneBook& page, const QStringList& names, const QString& group = {}) {
    for (const QString& name : names) {
        QString coded;
        coding(coded, name, true);
        Contact c(false, 0, coded, "0171" + QString::number(name.size()), "030", "", group);
        ioOperation->insertContact(&c, true);
    }
    page.RefreshPhone();
}

QStringList shownNames(const PhoneBook& page) {
    QStringList out;
    for (const Contact& c : page.shownContacts())
        out.append(ContactTableModel::shownName(c));
    return out;
}

// Selects the shown rows with these names, as left presses would.
void select(PhoneBook& page, const QStringList& names) {
    const QList<Contact> shown = page.shownContacts();
    for (int row = 0; row < shown.size(); ++row) {
        if (names.contains(ContactTableModel::shownName(shown[row])))
            page.tableItemChanged(row);
    }
}

} // namespace

class TestPhonebookPage : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<SimCard> card;
    std::unique_ptr<PhoneBook> page;

    // The page on a card running `scenario`, its SIM phonebook read.
    bool open(const QString& scenario) {
        env = std::make_unique<TestEnv>();
        card = std::make_unique<SimCard>();
        if (!card->attach(scenario))
            return false;
        page = std::make_unique<PhoneBook>(nullptr, "phonebook", card->link.get());
        page->setHasSIM(true);
        return QTest::qWaitFor([this] { return IOData::simContactMap.size() == 5; }, 10000);
    }

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }
    void cleanup() {
        page.reset();
        card.reset();
        env.reset();
    }

    void searchesAndDeletesSimContacts() {
        QVERIFY(open("ready"));
        BoxRecorder boxes;
        page->selectItem(PhoneBook::SimItem);
        QCOMPARE(page->sumLabel->text(), QString("Contacts sum : 5"));
        QCOMPARE(page->simCapacityLabel->text(), QString("(U)SIM card capacity : 5/250"));
        page->searchEdit->setText("12");
        QCOMPARE(shownNames(*page), (QStringList{"Anna Berger", QString::fromUtf8("Jürgen Müller"),
                                                 "Office", QString::fromUtf8("Chloé Durand")}));
        QCOMPARE(page->sumLabel->text(), QString("Contacts sum : 4"));
        page->searchEdit->setText("chlo");
        QCOMPARE(shownNames(*page), QStringList{QString::fromUtf8("Chloé Durand")});
        page->searchEdit->clear();

        // Deleted by location through the modem, confirmed first.
        select(*page, {"Ben Okafor", "Office"});
        page->btDeleteChicked();
        QVERIFY(card->sim.received().contains("AT+CPBW=2"));
        QVERIFY(card->sim.received().contains("AT+CPBW=5"));
        QCOMPARE(IOData::simContactMap.keys(), (QList<int>{1, 3, 7}));
        QCOMPARE(boxes.texts, (QStringList{"Do you want to delete the item that you have selected?",
                                           "You have deleted 2 contacts!"}));
        QVERIFY(!card->contacts().contains("Office"));

        // A SIM that refuses leaves the view and the card as they were.
        boxes.texts.clear();
        QVERIFY(card->sim.command({"on", "AT+CPBW=*", "reply", "+CME ERROR: SIM busy"}));
        select(*page, {"Anna Berger"});
        page->btDeleteChicked();
        QCOMPARE(shownNames(*page).size(), 3);
        QCOMPARE(boxes.texts.value(1), QString("You have deleted 0 contacts!"));
        QCOMPARE(boxes.texts.value(2), QString("1 contact(s) could not be deleted."));
        select(*page, {"Anna Berger"});
        page->edit();
        page->newContact->lineEdit_Name->setText("Anna B");
        page->newContact->okClicked();
        QCOMPARE(page->phoneStack->currentIndex(), int(PhoneBook::FormPage));
        QCOMPARE(ContactTableModel::shownName(IOData::simContactMap.value(1)),
                 QString("Anna Berger"));
        QVERIFY(card->contacts().contains("Anna Berger"));
    }

    void pastesIntoASimWithTwoFreePlaces() {
        QVERIFY(open("ready"));
        BoxRecorder boxes;
        card->link->simPhonebookSize = 7;
        addPcContacts(*page, {"Pia", "Quinn", "Rosa", "Sam", "Tess"});
        page->selectAll();
        page->cutContact();
        page->selectItem(PhoneBook::SimItem);
        page->past();
        QCOMPARE(boxes.texts,
                 (QStringList{" Some  information  of  the  contact  will  be  lost!",
                              "The SIM's phonebook is full ,you have add 2 contacts.3 contacts "
                              "failed to add!"}));
        QCOMPARE(IOData::simContactMap.size(), 7);
        // They take the first free locations.
        QCOMPARE(IOData::simContactMap.value(4).getPhone(), QString("01713"));
        QCOMPARE(ContactTableModel::shownName(IOData::simContactMap.value(6)), QString("Quinn"));
        // Only the contacts whose copy is on the SIM left the PC.
        QCOMPARE(ioOperation->countOfPcContact(), 3);
        QCOMPARE(page->pcCapacityLabel->text(), QString("PC capacity : 3/1000"));
        QCOMPARE(page->simCapacityLabel->text(), QString("(U)SIM card capacity : 7/7"));
        // The rest can still be pasted elsewhere.
        page->selectItem(PhoneBook::PcItem);
        QVERIFY(page->hasClipboard());

        // A SIM write refused: nothing changes, nothing is cut.
        card->link->simPhonebookSize = 250;
        boxes.texts.clear();
        QVERIFY(card->sim.command({"on", "AT+CPBW=*", "reply", "ERROR"}));
        page->selectItem(PhoneBook::SimItem);
        page->past();
        QCOMPARE(IOData::simContactMap.size(), 7);
        QCOMPARE(ioOperation->countOfPcContact(), 3);
        QCOMPARE(boxes.texts.last(), QString("Not every contact could be stored: 0 added, 3 not "
                                             "added."));

        // A cut contact whose location went to another contact meanwhile:
        // the other contact stays.
        QVERIFY(card->sim.command({"overrides-clear"}));
        page->RefreshPhone();
        select(*page, {"Anna Berger"});
        page->cutContact();
        Contact anna = IOData::simContactMap.value(1);
        QVERIFY(ioOperation->delContact(&anna, true));
        QString nora;
        coding(nora, "Nora", IOData::simNamesUcs2);
        Contact other(true, 0, nora, "0160");
        QCOMPARE(ioOperation->insertContact(&other, true), 1);
        QCOMPARE(other.getId(), 1);
        page->selectItem(PhoneBook::PcItem);
        page->past();
        QVERIFY(shownNames(*page).contains("Anna Berger"));
        QVERIFY(card->contacts().contains("\"Nora\""));
    }

    void roundTripsNamesBetweenSimAndPc_data() {
        QTest::addColumn<QString>("scenario");
        QTest::newRow("UCS2 names") << "ready";
        QTest::newRow("GSM names") << "oldusim";
    }
    void roundTripsNamesBetweenSimAndPc() {
        QFETCH(QString, scenario);
        QVERIFY(open(scenario));
        BoxRecorder boxes;
        page->selectItem(PhoneBook::SimItem);
        const QStringList onSim = shownNames(*page);
        QCOMPARE(onSim.size(), 5);
        page->selectAll();
        page->cutContact();
        page->selectItem(PhoneBook::PcItem);
        page->past();
        QCOMPARE(IOData::simContactMap.size(), 0);
        QCOMPARE(card->contacts().trimmed(), QString());
        // Names are kept whole both ways.
        QCOMPARE(shownNames(*page), onSim);

        page->selectAll();
        page->copyContact();
        page->selectItem(PhoneBook::SimItem);
        page->past();
        QCOMPARE(shownNames(*page), onSim);
        for (const QString& name : onSim)
            QVERIFY2(card->contacts().contains('"' + name + '"'), qPrintable(name));
        // What the card holds reads back the same.
        IOData::simContactMap.clear();
        QVERIFY(ioOperation->readFromSim());
        page->RefreshPhone();
        QCOMPARE(shownNames(*page), onSim);
        // A name and a mobile number are all the SIM copy leaves out: nothing.
        QCOMPARE(boxes.texts, QStringList());
    }

    // A SIM name is written whole where the card's alpha field (20 octets)
    // holds it, and shortened only when the user agrees.
    void keepsSimNamesWhole_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("agree");
        QTest::addColumn<QString>("stored"); // on the card afterwards; empty: nothing written
        const QString juergen = QString::fromUtf8("Jürgen Müller");
        const QString lukasz = QString::fromUtf8("Łukasz Nowak-Wiśniewski");
        QTest::newRow("unchanged") << juergen << true << juergen;
        QTest::newRow("default alphabet, 20 octets")
            << QString::fromUtf8("Jürgen Müller-Åström") << true
            << QString::fromUtf8("Jürgen Müller-Åström");
        QTest::newRow("too long, agreed")
            << lukasz << true << QString::fromUtf8("Łukasz Nowak-Wiśn");
        QTest::newRow("too long, refused") << lukasz << false << QString();
    }
    void keepsSimNamesWhole() {
        QFETCH(QString, typed);
        QFETCH(bool, agree);
        QFETCH(QString, stored);
        QVERIFY(open("ready"));
        BoxRecorder boxes;
        boxes.answerNo = !agree;
        page->selectItem(PhoneBook::SimItem);
        select(*page, {QString::fromUtf8("Jürgen Müller")});
        page->edit();
        page->newContact->lineEdit_Name->setText(typed);
        page->newContact->okClicked();
        const bool fits = stored == typed;
        QCOMPARE(boxes.texts.size(), fits ? 0 : 1);
        if (!fits)
            QVERIFY(boxes.texts.first().contains("keeps this name only as"));
        QString hex;
        coding(hex, stored, true);
        QCOMPARE(card->sim.received().contains("AT+CPBW=3,\"+491625550123\",145,\"" + hex + '"'),
                 !stored.isEmpty());
        const QString onCard = stored.isEmpty() ? QString::fromUtf8("Jürgen Müller") : stored;
        QVERIFY(card->contacts().contains("3 \"+491625550123\" \"" + onCard + '"'));
        QCOMPARE(page->phoneStack->currentIndex(),
                 int(stored.isEmpty() ? PhoneBook::FormPage : PhoneBook::TablePage));
    }

    void managesGroups() {
        QVERIFY(open("ready"));
        BoxRecorder boxes;
        ioOperation->insertGroup("GROUP");
        ioOperation->insertGroup("GROUP 0");
        page->makeNewGroup();
        QCOMPARE(ioOperation->getAllGroup(), (QStringList{"GROUP", "GROUP 0", "GROUP 1"}));
        QCOMPARE(page->currentGroup(), QString("GROUP 1"));

        // Renamed in the tree; an existing name is refused.
        QTreeWidgetItem* item = page->groupView->currentItem();
        item->setText(0, "GROUP");
        QCOMPARE(boxes.texts.last(), QString("The group exists,please rename it!"));
        QTest::qWait(20);
        item = page->groupView->currentItem();
        item->setText(0, " Family ");
        QTest::qWait(20);
        QCOMPARE(ioOperation->getAllGroup(), (QStringList{"GROUP", "GROUP 0", "Family"}));
        QCOMPARE(page->currentGroup(), QString("Family"));

        addPcContacts(*page, {"Ann", "Bob"}, "Family");
        addPcContacts(*page, {"Cid"});
        page->selectItem(PhoneBook::GroupItem, "Family");
        QCOMPARE(shownNames(*page), (QStringList{"Ann", "Bob"}));
        page->deleteGroup();
        QCOMPARE(boxes.texts.last(),
                 QString("Sure to delete group: 'Family' and all contacts in it?"));
        QCOMPARE(ioOperation->getAllGroup(), (QStringList{"GROUP", "GROUP 0"}));
        QCOMPARE(shownNames(*page), QStringList{"Cid"});

        for (int n = 2; n < 20; ++n)
            ioOperation->insertGroup(QString("G%1").arg(n));
        page->makeNewGroup();
        QCOMPARE(ioOperation->countOfGroup(), 20);

        // A backup restored over the file: the page shows what the file
        // holds now, and the SIM's contacts stay.
        const QString file = env->dataPath("contact.xml");
        const QByteArray restored = TestEnv::readFile(file);
        addPcContacts(*page, {"Dan"});
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(restored);
        out.close();
        page->reloadPcStore();
        page->selectItem(PhoneBook::PcItem);
        QCOMPARE(shownNames(*page), QStringList{"Cid"});
        QCOMPARE(ioOperation->countOfGroup(), 20);
        QCOMPARE(IOData::simContactMap.size(), 5);
    }

    void savesContactsFromTheForm() {
        QVERIFY(open("ready"));
        BoxRecorder boxes;
        ioOperation->insertGroup("Work");
        page->RefreshPhone();
        page->selectItem(PhoneBook::GroupItem, "Work");
        page->showNewContactForm("+4930123");
        NewContact* form = page->newContact;
        QCOMPARE(form->group(), QString("Work"));
        form->lineEdit_Name->setText("Ada");
        form->lineEdit_email->setText("ada@example");
        form->okClicked();
        QCOMPARE(boxes.texts, QStringList{"Email address  is invalid"});
        QCOMPARE(ioOperation->countOfPcContact(), 0);
        form->lineEdit_email->clear();
        form->okClicked();
        QCOMPARE(shownNames(*page), QStringList{"Ada"});
        QCOMPARE(page->phoneStack->currentIndex(), int(PhoneBook::TablePage));

        // A SIM contact: only the name and the mobile number go to the card.
        page->selectItem(PhoneBook::SimItem);
        page->newClicked();
        QVERIFY(form->simMode());
        QVERIFY(!form->lineEdit_email->isEnabled());
        form->lineEdit_Name->setText(QString::fromUtf8("Łukasz Nowak"));
        form->okClicked();
        QCOMPARE(boxes.texts.last(), QString("Fields with * must be filled."));
        form->lineEdit_MobilePhone->setText("+48601234567");
        form->okClicked();
        QVERIFY(
            card->contacts().contains(QString::fromUtf8("4 \"+48601234567\" \"Łukasz Nowak\"")));
        QCOMPARE(page->simCapacityLabel->text(), QString("(U)SIM card capacity : 6/250"));
    }

    void sendsMessagesAndImportsIntoTheSim() {
        QVERIFY(open("ready"));
        BoxRecorder boxes;
        QSignalSpy sent(page.get(), &PhoneBook::sendsms);
        page->selectItem(PhoneBook::SimItem);
        select(*page, {"Office", "Anna Berger"});
        page->btSMSclicked();
        page->groupSMSclicked();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0][0].toString(), QString("+491711234567;0301234567"));
        QCOMPARE(sent[1][0].toString().count(';'), 4);

        card->link->simPhonebookSize = 7;
        QFile vcf(env->base() + "/in.vcf");
        QVERIFY(vcf.open(QIODevice::WriteOnly));
        vcf.write("BEGIN:VCARD\nVERSION:3.0\nFN:Anna Berger\nTEL;TYPE=CELL:+491711234567\n"
                  "END:VCARD\n");
        for (const char* name : {"Xia", "Yan", "Zed"})
            vcf.write(QByteArray("BEGIN:VCARD\nFN:") + name +
                      "\nTEL;TYPE=HOME:030 1\nEMAIL:a@b.de\nEND:VCARD\n");
        vcf.close();
        page->importFrom(vcf.fileName());
        QCOMPARE(IOData::simContactMap.size(), 7);
        QCOMPARE(boxes.texts.last(),
                 QString("2 contact(s) imported.\n\nNot imported:\nAnna Berger: already in the "
                         "phonebook\nZed: the SIM card is full\n\nImported in part:\nXia: "
                         "without the e-mail address\nYan: without the e-mail address"));
    }
};

QTEST_MAIN(TestPhonebookPage)
#include "test_phonebookpage.moc"
