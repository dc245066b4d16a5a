// The phonebook page against the simulated card's SIM: reading the SIM,
// searching, deleting, pasting between the PC and the SIM, groups, the
// contact form, messages to contacts and a vCard import into the SIM.

#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/contactmodel.h"
#include "phonebook/iodata.h"
#include "phonebook/ui/mytable.h"
#include "phonebook/ui/newcontact.h"
#include "phonebook/ui/phonebook.h"
#include "tests/modem/simlink.h"
#include "tests/support/messageboxes.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

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

// Box texts as MessageBoxes keeps them, one after another with "|".
QString box(const QString& text) {
    return MessageBoxes::squeezed(text);
}

} // namespace

class TestPhonebookPage : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    ModemSim sim;
    std::unique_ptr<SerialThread> link;
    std::unique_ptr<PhoneBook> page;
    std::unique_ptr<MessageBoxes> boxes;

    // The page on a card running `scenario`, set up as the program does
    // (SIM type, generation, UCS2, the phonebook's size), its SIM read.
    bool open(const QString& scenario, const QStringList& card = {}) {
        env = std::make_unique<TestEnv>();
        if (!sim.start(scenario) || (!card.isEmpty() && !sim.command(card)))
            return false;
        link = std::make_unique<SerialThread>(nullptr);
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        if (link->openPort(sim.atPort()) < 0)
            return false;
        completion(*link, &SerialThread::getUSIM);
        completion(*link, &SerialThread::isNewPlatform);
        completion(*link, &SerialThread::setChset, "UCS2");
        link->simPhonebookSize = completion(*link, &SerialThread::simCapacity).value_or(0);
        page = std::make_unique<PhoneBook>(nullptr, "phonebook", link.get());
        page->setHasSIM(true);
        return link->simPhonebookSize == 250 && QTest::qWaitFor([this] {
                   return !sim.received().filter("AT+CPBR=1,").isEmpty() && link->idle() &&
                          page->phoneStack->isEnabled();
               });
    }
    // Runs a user action and waits until the page's work with the card is
    // done: the texts of the boxes it opened, joined with "|".
    QString act(const std::function<void()>& action) {
        const qsizetype before = boxes->texts().size();
        action();
        if (!QTest::qWaitFor([this] { return page->phoneStack->isEnabled(); }, 30000))
            return "still busy";
        return boxes->texts().mid(before).join('|');
    }
    // New PC contacts made with the form, each with a home number.
    void addPcContacts(const QStringList& names, const QString& group = {}) {
        for (const QString& name : names) {
            page->selectItem(group.isEmpty() ? PhoneBook::PcItem : PhoneBook::GroupItem, group);
            page->newClicked();
            page->newContact->lineEdit_Name->setText(name);
            page->newContact->lineEdit_MobilePhone->setText("0171" + QString::number(name.size()));
            page->newContact->lineEdit_HomePhone->setText("030");
            page->newContact->okClicked();
        }
    }
    QString contactsOnCard() const { return sim.control({"contacts"}); }
    // Saves a new SIM contact with the form, without waiting.
    void saveSimContact(const QString& name) {
        page->selectItem(PhoneBook::SimItem);
        page->newClicked();
        page->newContact->lineEdit_Name->setText(name);
        page->newContact->lineEdit_MobilePhone->setText("0171");
        page->newContact->okClicked();
    }

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }
    void init() { boxes = std::make_unique<MessageBoxes>(); }
    void cleanup() {
        boxes.reset();
        page.reset();
        link.reset();
        sim.stop();
        env.reset();
    }

    // A SIM whose phonebook can't be read at first is read at the next
    // word of the SIM's state, and shown as the card holds it.
    void readsTheSim() {
        QVERIFY(
            open("ready", {"on", "AT+CPBR=1,20", "reply", "+CME ERROR: SIM busy", "count", "1"}));
        QVERIFY(IOData::simContactMap.isEmpty());
        // Unread, every location looks free: a new SIM contact is refused.
        QCOMPARE(act([this] { saveSimContact("Eve"); }),
                 box("The contacts on the SIM card have not been read yet. Please try again "
                     "later."));
        QVERIFY(sim.received().filter("AT+CPBW").isEmpty());
        page->setHasSIM(true);
        QTRY_COMPARE(IOData::simContactMap.keys(), (QList<int>{1, 2, 3, 5, 7}));
        page->selectItem(PhoneBook::SimItem);
        QCOMPARE(shownNames(*page),
                 (QStringList{"Anna Berger", "Ben Okafor", QString::fromUtf8("Jürgen Müller"),
                              "Office", QString::fromUtf8("Chloé Durand")}));
        QCOMPARE(IOData::getNameFromPhone("0301234567"), QString("Office"));
    }

    void searchesAndDeletesSimContacts() {
        QVERIFY(open("ready"));
        page->selectItem(PhoneBook::SimItem);
        QCOMPARE(page->sumLabel->text(), QString("Contacts sum : 5"));
        QCOMPARE(page->simCapacityLabel->text(), QString("(U)SIM card capacity : 5/250"));
        page->searchEdit->setText("12");
        QCOMPARE(shownNames(*page), (QStringList{"Anna Berger", QString::fromUtf8("Jürgen Müller"),
                                                 "Office", QString::fromUtf8("Chloé Durand")}));
        QCOMPARE(page->sumLabel->text(), QString("Contacts sum : 4"));
        page->searchEdit->clear();

        // Deleted by location through the modem, confirmed first.
        select(*page, {"Ben Okafor", "Office"});
        QCOMPARE(act([this] { page->btDeleteChicked(); }),
                 box("Do you want to delete the item that you have selected?|"
                     "You have deleted 2 contacts!"));
        QVERIFY(sim.received().contains("AT+CPBW=2"));
        QVERIFY(sim.received().contains("AT+CPBW=5"));
        QCOMPARE(IOData::simContactMap.keys(), (QList<int>{1, 3, 7}));
        QVERIFY(!contactsOnCard().contains("Office"));

        // A SIM that refuses leaves the view and the card as they were.
        QVERIFY(sim.command({"on", "AT+CPBW=*", "reply", "+CME ERROR: SIM busy"}));
        select(*page, {"Anna Berger"});
        QCOMPARE(act([this] { page->btDeleteChicked(); }),
                 box("Do you want to delete the item that you have selected?|"
                     "You have deleted 0 contacts!|1 contact(s) could not be deleted."));
        QCOMPARE(shownNames(*page).size(), 3);
        select(*page, {"Anna Berger"});
        page->edit();
        page->newContact->lineEdit_Name->setText("Anna B");
        QCOMPARE(act([this] { page->newContact->okClicked(); }),
                 box("The SIM card did not take the contact."));
        QCOMPARE(page->phoneStack->currentIndex(), int(PhoneBook::FormPage));
        QCOMPARE(ContactTableModel::shownName(IOData::simContactMap.value(1)),
                 QString("Anna Berger"));
        QVERIFY(contactsOnCard().contains("Anna Berger"));
    }

    void pastesIntoASimWithTwoFreePlaces() {
        QVERIFY(open("ready"));
        link->simPhonebookSize = 7;
        addPcContacts({"Pia", "Quinn", "Rosa", "Sam", "Tess"});
        page->selectItem(PhoneBook::PcItem);
        page->selectAll();
        page->cutContact();
        page->selectItem(PhoneBook::SimItem);
        QCOMPARE(act([this] { page->past(); }),
                 box(" Some  information  of  the  contact  will  be  lost!|The SIM's phonebook "
                     "is full ,you have add 2 contacts.3 contacts failed to add!"));
        QCOMPARE(IOData::simContactMap.size(), 7);
        // They take the first free locations.
        QCOMPARE(IOData::simContactMap.value(4).getPhone(), QString("01713"));
        QCOMPARE(ContactTableModel::shownName(IOData::simContactMap.value(6)), QString("Quinn"));
        // Only the contacts whose copy is on the SIM left the PC.
        QCOMPARE(IOData::pcContactMap.size(), 3);
        QCOMPARE(page->pcCapacityLabel->text(), QString("PC capacity : 3/1000"));
        QCOMPARE(page->simCapacityLabel->text(), QString("(U)SIM card capacity : 7/7"));
        // The rest can still be pasted elsewhere.
        page->selectItem(PhoneBook::PcItem);
        QVERIFY(page->hasClipboard());
        // A full SIM takes no new contact from the form, unasked.
        sim.forgetTranscript();
        QCOMPARE(act([this] { saveSimContact("Uma"); }),
                 box(" SIM's  card is full,you can't add a new contact!"));
        QVERIFY(sim.received().filter("CPBW").isEmpty());

        // A SIM write refused: nothing changes, nothing is cut.
        link->simPhonebookSize = 250;
        QVERIFY(sim.command({"on", "AT+CPBW=*", "reply", "ERROR"}));
        page->backToPhoneBook();
        QVERIFY(act([this] {
                    page->past();
                }).endsWith(box("Not every contact could be stored: 0 added, 3 not added.")));
        QCOMPARE(IOData::simContactMap.size(), 7);
        QCOMPARE(IOData::pcContactMap.size(), 3);

        // A cut contact whose location went to another contact meanwhile:
        // the other contact stays.
        QVERIFY(sim.command({"overrides-clear"}));
        select(*page, {"Anna Berger"});
        page->cutContact();
        act([this] { page->btDeleteChicked(); });
        act([this] { saveSimContact("Nora"); });
        QCOMPARE(ContactTableModel::shownName(IOData::simContactMap.value(1)), QString("Nora"));
        page->selectItem(PhoneBook::PcItem);
        act([this] { page->past(); });
        QVERIFY(shownNames(*page).contains("Anna Berger"));
        QVERIFY(contactsOnCard().contains("1 \"0171\" \"Nora\""));
    }

    void roundTripsNamesBetweenSimAndPc_data() {
        QTest::addColumn<QString>("scenario");
        QTest::newRow("UCS2 names") << "ready";
        QTest::newRow("GSM names") << "oldusim";
    }
    void roundTripsNamesBetweenSimAndPc() {
        QFETCH(QString, scenario);
        QVERIFY(open(scenario));
        page->selectItem(PhoneBook::SimItem);
        const QStringList onSim = shownNames(*page);
        QCOMPARE(onSim.size(), 5);
        page->selectAll();
        page->cutContact();
        page->selectItem(PhoneBook::PcItem);
        act([this] { page->past(); });
        QCOMPARE(IOData::simContactMap.size(), 0);
        QCOMPARE(contactsOnCard().trimmed(), QString());
        // Names are kept whole both ways.
        QCOMPARE(shownNames(*page), onSim);

        page->selectAll();
        page->copyContact();
        page->selectItem(PhoneBook::SimItem);
        act([this] { page->past(); });
        QCOMPARE(shownNames(*page), onSim);
        for (const QString& name : onSim)
            QVERIFY2(contactsOnCard().contains('"' + name + '"'), qPrintable(name));
        // What the card holds reads back the same once the SIM comes back.
        page->setHasSIM(false);
        page->setHasSIM(true);
        QTRY_COMPARE(IOData::simContactMap.size(), 5);
        page->selectItem(PhoneBook::SimItem);
        QCOMPARE(shownNames(*page), onSim);
        // A name and a mobile number are all the SIM copy leaves out: nothing.
        QCOMPARE(boxes->texts(), QStringList());
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
        boxes = std::make_unique<MessageBoxes>(!agree);
        QVERIFY(open("ready"));
        page->selectItem(PhoneBook::SimItem);
        select(*page, {QString::fromUtf8("Jürgen Müller")});
        page->edit();
        page->newContact->lineEdit_Name->setText(typed);
        const QString said = act([this] { page->newContact->okClicked(); });
        QCOMPARE(said.contains(box("keeps this name only as")), stored != typed);
        QString hex;
        coding(hex, stored, true);
        QCOMPARE(sim.received().contains("AT+CPBW=3,\"+491625550123\",145,\"" + hex + '"'),
                 !stored.isEmpty());
        const QString onCard = stored.isEmpty() ? QString::fromUtf8("Jürgen Müller") : stored;
        QVERIFY(contactsOnCard().contains("3 \"+491625550123\" \"" + onCard + '"'));
        QCOMPARE(page->phoneStack->currentIndex(),
                 int(stored.isEmpty() ? PhoneBook::FormPage : PhoneBook::TablePage));
    }

    void managesGroups() {
        QVERIFY(open("ready"));
        page->makeNewGroup();
        page->makeNewGroup();
        page->makeNewGroup();
        QCOMPARE(IOData::pcGroup, (QStringList{"GROUP", "GROUP 0", "GROUP 1"}));
        QCOMPARE(page->currentGroup(), QString("GROUP 1"));

        // Renamed in the tree; an existing name is refused.
        QTreeWidgetItem* item = page->groupView->currentItem();
        item->setText(0, "GROUP");
        QCOMPARE(boxes->texts().last(), box("The group exists,please rename it!"));
        QTest::qWait(20);
        item = page->groupView->currentItem();
        item->setText(0, " Family ");
        QTest::qWait(20);
        QCOMPARE(page->currentGroup(), QString("Family"));

        addPcContacts({"Ann", "Bob"}, "Family");
        addPcContacts({"Cid"});
        page->selectItem(PhoneBook::GroupItem, "Family");
        QCOMPARE(shownNames(*page), (QStringList{"Ann", "Bob"}));
        QCOMPARE(act([this] { page->deleteGroup(); }),
                 box("Sure to delete group: 'Family' and all contacts in it?"));
        QCOMPARE(IOData::pcGroup, (QStringList{"GROUP", "GROUP 0"}));
        QCOMPARE(shownNames(*page), QStringList{"Cid"});

        for (int n = 2; n < 20; ++n)
            page->makeNewGroup();
        QCOMPARE(IOData::pcGroup.size(), 20);
        page->makeNewGroup();
        QCOMPARE(IOData::pcGroup.size(), 20);

        // A backup restored over the file while a SIM contact is saved: the
        // page shows what the file holds now, the SIM's contacts stay and the
        // save ends.
        const QString file = env->dataPath("contact.xml");
        const QByteArray restored = TestEnv::readFile(file);
        addPcContacts({"Dan"});
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(restored);
        out.close();
        QVERIFY(sim.command({"on", "AT+CPBW=*", "delay", "300"}));
        saveSimContact("Eve");
        page->reloadPcStore();
        QTRY_VERIFY(page->phoneStack->isEnabled());
        page->selectItem(PhoneBook::PcItem);
        QCOMPARE(shownNames(*page), QStringList{"Cid"});
        QCOMPARE(IOData::pcGroup.size(), 20);
        QCOMPARE(IOData::simContactMap.size(), 6);
    }

    void savesContactsFromTheForm() {
        QVERIFY(open("ready"));
        page->makeNewGroup();
        page->selectItem(PhoneBook::GroupItem, "GROUP");
        page->showNewContactForm("+4930123");
        NewContact* form = page->newContact;
        QCOMPARE(form->group(), QString("GROUP"));
        form->lineEdit_Name->setText("Ada");
        form->lineEdit_email->setText("ada@example");
        QCOMPARE(act([form] { form->okClicked(); }), box("Email address  is invalid"));
        QCOMPARE(IOData::pcContactMap.size(), 0);
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
        QCOMPARE(act([form] { form->okClicked(); }), box("Fields with * must be filled."));
        form->lineEdit_MobilePhone->setText("+48601234567");
        act([form] { form->okClicked(); });
        QVERIFY(
            contactsOnCard().contains(QString::fromUtf8("4 \"+48601234567\" \"Łukasz Nowak\"")));
        QCOMPARE(page->simCapacityLabel->text(), QString("(U)SIM card capacity : 6/250"));
    }

    void sendsMessagesAndImportsIntoTheSim() {
        QVERIFY(open("ready"));
        QSignalSpy sent(page.get(), &PhoneBook::sendsms);
        page->selectItem(PhoneBook::SimItem);
        select(*page, {"Office", "Anna Berger"});
        page->btSMSclicked();
        page->groupSMSclicked();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent[0][0].toString(), QString("+491711234567;0301234567"));
        QCOMPARE(sent[1][0].toString().count(';'), 4);

        link->simPhonebookSize = 7;
        QFile vcf(env->base() + "/in.vcf");
        QVERIFY(vcf.open(QIODevice::WriteOnly));
        vcf.write("BEGIN:VCARD\nVERSION:3.0\nFN:Anna Berger\nTEL;TYPE=CELL:+491711234567\n"
                  "END:VCARD\n");
        for (const char* name : {"Xia", "Yan", "Zed"})
            vcf.write(QByteArray("BEGIN:VCARD\nFN:") + name +
                      "\nTEL;TYPE=HOME:030 1\nEMAIL:a@b.de\nEND:VCARD\n");
        vcf.close();
        QCOMPARE(act([&] { page->importFrom(vcf.fileName()); }),
                 box("2 contact(s) imported.\n\nNot imported:\nAnna Berger: already in the "
                     "phonebook\nZed: the SIM card is full\n\nImported in part:\nXia: "
                     "without the e-mail address\nYan: without the e-mail address"));
        QCOMPARE(IOData::simContactMap.size(), 7);
    }
};

QTEST_MAIN(TestPhonebookPage)
#include "test_phonebookpage.moc"
