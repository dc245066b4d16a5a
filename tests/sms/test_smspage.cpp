// The message page against the simulated card: sending to several
// recipients and as parts, the length counter, reading, moving between the
// PC and the SIM (also when the card fails or a backup is restored
// meanwhile), deleting, drafts and the recipient picker.

#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "settings/settingsfiles.h"
#include "sms/contactpickmodel.h"
#include "sms/longmessage.h"
#include "sms/smsdataoperation.h"
#include "sms/smsinbox.h"
#include "sms/smssend.h"
#include "sms/smstablemodel.h"
#include "sms/ui/search.h"
#include "sms/ui/shortmessage.h"
#include "sms/ui/shorttable.h"
#include "tests/support/messageboxes.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

namespace {

const QString kCentre = "+491760000443";

// A box's text as MessageBoxes keeps it; boxes one after another with "|".
QString box(const QString& text) {
    return MessageBoxes::squeezed(text);
}

} // namespace

class TestSmsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<ModemSim> sim;
    std::unique_ptr<SerialThread> link;
    std::unique_ptr<SmsInbox> inbox;
    std::unique_ptr<CShortMsg> page;
    std::unique_ptr<MessageBoxes> boxes;

    // The card set up as the program does once it is ready: the SIM listed,
    // the modem memory's received messages taken (none unless `modemMemory`),
    // the centre asked for; the page told that the card is online.
    bool startCard(bool modemMemory = false) {
        if (!modemMemory && !sim->command({"messages-clear", "ME"}))
            return false;
        inbox->start();
        page->carddispose(true);
        return QTest::qWaitFor([this] { return link->idle(); }, 10000);
    }
    // Runs a user action and waits for the `count` boxes it opens: their
    // texts, joined with "|".
    QString says(const std::function<void()>& action, int count = 1) {
        const qsizetype before = boxes->texts().size();
        action();
        if (!QTest::qWaitFor([&] { return boxes->texts().size() >= before + count; }, 20000))
            return "no box";
        return boxes->texts().mid(before).join('|');
    }
    void compose(const QString& numbers, const QString& text) {
        page->msgContentTextEdit->clear(); // what an earlier step left goes unasked
        page->NewmsgClicked();
        page->newMsgSendPhoneLineEdit->setText(numbers);
        page->msgContentTextEdit->setPlainText(text);
    }
    void show(int store, const QString& name) {
        page->saveLocalGroup->button(store)->click();
        name == "inbox"    ? page->InboxClicked()
        : name == "outbox" ? page->OutboxClicked()
                           : page->DraftboxClicked();
    }
    // A column of the box shown, in the order shown.
    QStringList shownRows(int column) const {
        QStringList rows;
        for (int row = 0; row < page->smsModel->rowCount(); ++row)
            rows << page->smsModel->index(row, column).data().toString();
        return rows;
    }
    void selectRows(const QList<int>& rows) {
        page->smsTable->clearSelection();
        for (int row : rows)
            page->smsTable->selectionModel()->select(page->smsTable->model()->index(row, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
    }
    // A message from `sender` arrives on the SIM and the inbox takes it.
    bool arrive(const QString& sender, const QString& text) {
        const int before = inbox->store().countOf("inbox");
        return sim->deliver(sender, text, "SM") > 0 &&
               QTest::qWaitFor(
                   [&] { return inbox->store().countOf("inbox") > before && link->idle(); }, 10000);
    }
    int simStored() const {
        return int(sim->control({"messages", "SM"}).split('\n', Qt::SkipEmptyParts).size());
    }
    const SmsInbox::Lists& simLists() const { return inbox->lists(MessageStorage::Sim); }
    void addContacts(const QList<std::pair<const char*, const char*>>& people) {
        for (const auto& [name, number] : people) {
            QString coded;
            coding(coded, QString::fromUtf8(name), true);
            const int id = int(IOData::pcContactMap.size()) + 1;
            IOData::pcContactMap.insert(id, Contact(false, id, coded, number));
        }
    }

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }

    void init() {
        env = std::make_unique<TestEnv>();
        sim = std::make_unique<ModemSim>();
        QVERIFY(sim->start("ready"));
        QVERIFY(sim->command({"ping"}));
        link = std::make_unique<SerialThread>(nullptr);
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QVERIFY(link->openPort(sim->atPort()) >= 0);
        inbox = std::make_unique<SmsInbox>(link.get());
        page = std::make_unique<CShortMsg>(nullptr, "shortmessage", nullptr, inbox.get());
        boxes = std::make_unique<MessageBoxes>();
    }
    void cleanup() {
        boxes.reset();
        page.reset();
        inbox.reset();
        link.reset();
        sim.reset();
        env.reset();
        IOData::pcContactMap.clear();
    }

    void sendsToEachRecipient() {
        page->NewmsgClicked();
        page->clickedCancel(); // no box yet: the overview
        QCOMPARE(page->smsStack->currentIndex(), int(CShortMsg::OverviewView));
        QCOMPARE(page->inboxCountLabel->text(), QString("Message in InBox Pc: 0 Item(s)"));
        QVERIFY(startCard());
        QCOMPARE(page->inboxCountLabel->text(),
                 QString("Message in InBox Pc: 0 Item(s) SIM: 3 Item(s)"));
        QCOMPARE(page->capacityLabel->text(), QString("Datebase capacity:1500 Item(s)"));
        const auto send = [this] { page->send(); };
        compose("111;;222", "hi");
        QCOMPARE(says(send), box("Send Success 1,failed 0"));
        QCOMPARE(sim->sentPdus().size(), 1);
        // No settings stored: sent as always (no report, the old validity).
        QVERIFY(sim->sentPdus().first().endsWith("1100038111F100000002E834"));
        QCOMPARE(shownRows(CShortMsg::NumberColumn), QStringList{"111"});

        compose("1;2;3;4;5;6;7;8;9;10;11", "hi");
        QCOMPARE(says(send), box("Sorry, You cann't send more than 10 sms"));
        QCOMPARE(sim->sentPdus().size(), 1);

        // The second is refused (its longer number makes its command 13 octets).
        QVERIFY(sim->command({"on", "AT+CMGS=13", "reply", "+CMS ERROR: 500"}));
        compose("111;22222;333", "hi");
        QCOMPARE(says(send), box("Send Success 2,failed 1"));
        QCOMPARE(sim->sentPdus().size(), 3);
        QCOMPARE(shownRows(CShortMsg::NumberColumn), (QStringList{"111", "111", "333"}));
        QCOMPARE(shownRows(CShortMsg::StateColumn), (QStringList{"send", "send", "send"}));
        page->DraftboxClicked();
        QCOMPARE(shownRows(CShortMsg::NumberColumn), QStringList{"22222"});
        QCOMPARE(shownRows(CShortMsg::StateColumn), QStringList{"failed"});

        compose("", "hi");
        QCOMPARE(says(send), box("The phone number is null!"));
        compose("111", "");
        QCOMPARE(says(send), box("The content is null!"));
        page->clickedCancel(); // back to the box flagged last
        QCOMPARE(page->smsStack->currentIndex(), int(CShortMsg::ListView));
        QVERIFY(page->draftboxButton->isChecked());
        page->setGrossDispStatu();
        page->NewmsgClicked();
        page->clickedCancel(); // no box flagged: the one shown last
        QVERIFY(page->draftboxButton->isChecked());
    }

    // Without a centre from the modem the one of the settings is used; with
    // neither the user is told and nothing goes.
    void sendsThroughAKnownCentre() {
        QVERIFY(sim->command({"on", "AT+CSCA?", "reply", "ERROR"}));
        QVERIFY(startCard());
        compose("111", "hi");
        QVERIFY(says([this] { page->send(); }).startsWith(box("No SMS centre number is known")));
        QVERIFY(sim->sentPdus().isEmpty());

        MessageSettings settings;
        settings.smsCenter = "+4917699";
        settings.validPeriod = 1;
        settings.deliveReport = 0;
        QVERIFY(writeMessagesSettings(settings));
        QCOMPARE(says([this] { page->send(); }), box("Send Success 1,failed 0"));
        // The settings' centre, valid for a day, a report asked for, "hi".
        QVERIFY(sim->received().contains("0591947196F93100038111F10000A702E834\x1a"));
    }

    // The counter shows the parts (their thresholds are test_longmessage's)
    // and refuses more than five.
    void tooLongTextsAreRefused() {
        page->msgContentTextEdit->setPlainText(QString(71, QChar(0xE9)));
        QCOMPARE(page->newMsgWordNumLabel->text(), QString("Info: 71 /2"));
        page->msgContentTextEdit->clear();
        QCOMPARE(page->newMsgWordNumLabel->text(), QString());
        page->msgContentTextEdit->setPlainText(QString(765, 'a'));
        page->msgContentTextEdit->setPlainText(QString(766, 'a'));
        page->msgContentTextEdit->setPlainText(QString(767, 'a'));
        QCOMPARE(boxes->texts(), QStringList{box("SMS length exceed!")}); // once
        QCOMPARE(page->newMsgWordNumLabel->text(), QString("Info: 765 /5"));
        page->newMsgSendPhoneLineEdit->setText("111");
        QCOMPARE(says([this] { page->send(); }), box("SMS length exceed!"));
        QVERIFY(sim->sentPdus().isEmpty());
    }

    // Reading marks a message read, in the store and the count. A
    // translated program shows the state words in its language but stores
    // them in English, so that the message file reads the same in every
    // language.
    void readingMarksRead() {
        QVERIFY(startCard());
        const int onSim = inbox->unreadCount(); // the SIM's unread message
        QVERIFY(arrive("+491711234567", "first"));
        QVERIFY(arrive("+491739876543", "second"));
        QCOMPARE(inbox->unreadCount(), onSim + 2);
        QSignalSpy unread(inbox.get(), &SmsInbox::unreadChanged);
        struct Marking : QTranslator {
            QString translate(const char*, const char* source, const char*, int) const override {
                return "T:" + QString::fromUtf8(source);
            }
            bool isEmpty() const override { return false; }
        } marking;
        QCoreApplication::installTranslator(&marking);
        show(CShortMsg::PcStore, "inbox");
        QCOMPARE(shownRows(CShortMsg::StateColumn), (QStringList{"T:new", "T:new"}));
        // The actions follow the selection.
        QVERIFY(!page->readButton->isEnabled() && !page->deleteButton->isEnabled());
        selectRows({0, 1});
        QVERIFY(!page->readButton->isEnabled() && page->deleteButton->isEnabled());
        selectRows({0});
        QVERIFY(page->readButton->isEnabled() && page->replyButton->isEnabled());
        page->ReadClicked();
        QCOMPARE(page->smsStack->currentIndex(), int(CShortMsg::ReadView));
        QCOMPARE(page->readContentBrowser->toPlainText(), QString("first"));
        QCOMPARE(page->readingNumber(), QString("+491711234567"));
        QCOMPARE(inbox->unreadCount(), onSim + 1);
        QCOMPARE(unread.count(), 1);
        QCOMPARE(TestEnv::readFile(env->dataPath("sms.xml")).count("<state>read</state>"), 1);
        QCoreApplication::removeTranslator(&marking);
        page->clickedCancel();
        // The message keeps its place.
        QCOMPARE(shownRows(CShortMsg::StateColumn), (QStringList{"read", "new"}));
        selectRows({1});
        page->ReadClicked();
        QCOMPARE(inbox->unreadCount(), onSim);
        QCOMPARE(TestEnv::readFile(env->dataPath("sms.xml")).count("<state>read</state>"), 2);

        // A click selects a row as the table shows it; a double click reads it.
        page->show();
        QWidget* rows = page->smsTable->viewport();
        const QRect second = page->smsTable->visualRect(page->smsTable->model()->index(1, 1));
        QTest::mouseClick(rows, Qt::LeftButton, {}, second.center());
        QCOMPARE(page->selectedMessageCount(), 1);
        QCOMPARE(page->numberAtRow(page->currentMessageRow()), QString("+491739876543"));
        QTest::mouseDClick(rows, Qt::LeftButton, {}, second.center());
        QCOMPARE(page->readContentBrowser->toPlainText(), QString("second"));
        page->clickedCancel();

        selectRows({0, 1});
        QCOMPARE(says([this] { page->ReadClicked(); }),
                 box("Cann't read multiple SMS records simultaneously!"));
        selectRows({});
        QCOMPARE(says([this] { page->ReadClicked(); }), box("Please select a SMS first"));

        // A SIM message stays unread, though the card lists it read the next
        // time, until it is opened.
        show(CShortMsg::SimStore, "inbox");
        const int unreadRow = shownRows(CShortMsg::StateColumn).indexOf("new");
        QVERIFY(unreadRow >= 0);
        bool listed = false;
        inbox->reloadList(MessageStorage::Sim, [&listed] { listed = true; });
        QTRY_VERIFY(listed);
        QCOMPARE(shownRows(CShortMsg::StateColumn).at(unreadRow), QString("new"));
        selectRows({unreadRow});
        page->ReadClicked();
        page->clickedCancel();
        QCOMPARE(shownRows(CShortMsg::StateColumn).count("new"), 0);
        QCOMPARE(inbox->unreadCount(), 0);
    }

    // A message moved keeps its text and its unread state both ways; a long
    // one goes as its parts and is listed whole; a draft saved here is
    // written as an unsent message.
    void movesBetweenPcAndSim() {
        QVERIFY(startCard());
        const int onSim = simStored();
        const int unread = inbox->unreadCount();
        const auto move = [this] { page->move(); };
        QVERIFY(arrive("+491711234567", QString::fromUtf8("Grüße, move me")));
        show(CShortMsg::PcStore, "inbox");
        selectRows({0});
        QCOMPARE(says(move), box("Move 1 finished,0 unfinished"));
        QVERIFY(page->simLocalRadioButton->isChecked());
        QCOMPARE(simStored(), onSim + 1);
        QVERIFY(sim->events().filter("sms-written").last().contains("status=0")); // unread
        QCOMPARE(simLists().in.last().contentStr, QString::fromUtf8("Grüße, move me"));
        QCOMPARE(shownRows(CShortMsg::StateColumn).last(), QString("new"));
        QCOMPARE(inbox->unreadCount(), unread + 1);

        selectRows({page->shownBoxCount() - 1});
        QCOMPARE(says(move), box("Move 1 finished,0 unfinished"));
        QCOMPARE(simStored(), onSim);
        QVERIFY(page->pcLocalRadioButton->isChecked());
        QCOMPARE(page->boxMsgMap.size(), 1);
        QCOMPARE(page->boxMsgMap.first().contentStr, QString::fromUtf8("Grüße, move me"));
        QCOMPARE(page->boxMsgMap.first().state, QString("new"));
        QCOMPARE(inbox->unreadCount(), unread + 1);

        const QString longText = QString("Long message, sent in parts. ").repeated(14);
        compose("+491711234567", longText);
        QCOMPARE(says([this] { page->send(); }), box("Send Success 1,failed 0"));
        selectRows({0});
        QCOMPARE(says(move), box("Move 1 finished,0 unfinished"));
        QCOMPARE(simStored(), onSim + 3);
        QCOMPARE(simLists().out.last().contentStr, longText);
        QCOMPARE(simLists().out.last().partIndexes.size(), 3);
        selectRows({page->shownBoxCount() - 1});
        QCOMPARE(says(move), box("Move 1 finished,0 unfinished"));
        QCOMPARE(simStored(), onSim);
        QCOMPARE(page->boxMsgMap.last().contentStr, longText);

        compose("+4930123", "draft to the card");
        page->SaveClicked();
        selectRows({0});
        QCOMPARE(says(move), box("Move 1 finished,0 unfinished"));
        QCOMPARE(simLists().draft.last().contentStr, QString("draft to the card"));
        QCOMPARE(QByteArray(simLists().draft.last().TPA), QByteArray("+4930123"));
    }

    // A move that can't be done says why, keeps the message where it was
    // and leaves the user on the box they were in.
    void failedMovesSayWhy_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("pdus"); // the PC message's; none: kept without them
        QTest::addColumn<QStringList>("card"); // the simulator told first
        QTest::addColumn<QString>("why");
        const QStringList one = encodeMessage(kCentre, "+491711234567", "hi", {}, 1);
        const QStringList three = encodeMessage(kCentre, "+491711234567", QString(400, 'x'), {}, 2);
        const auto row = [](const char* tag, const char* from, const QStringList& pdus,
                            const QStringList& card, const char* why) {
            QTest::newRow(tag) << QString(from) << pdus << card << QString(why);
        };
        row("more parts than free places", "outbox", three, {"storage", "SM", "7"},
            "The SIM card has no room for it.");
        row("SIM full", "draftbox", one, {"storage", "SM", "5"},
            "The SIM card has no room for it.");
        row("refused", "outbox", one, {"on", "AT+CMGW=*", "reply", "+CMS ERROR: 500"},
            "The SIM card refused it.");
        row("received without its PDUs", "inbox", {}, {"ping"},
            "The message is not kept in the form the SIM card stores.");
        row("SIM not selected", "outbox", one,
            {"on", "AT+CPMS=\"SM\",*", "reply", "+CMS ERROR: 302", "count", "1"},
            "The SIM card refused it.");
        // The parts written before go again.
        row("last part refused", "outbox", three,
            {"on", QString("AT+CMGW=%1,3").arg(tpduLength(three.last())), "reply",
             "+CMS ERROR: 322"},
            "The SIM card refused it.");
    }
    void failedMovesSayWhy() {
        QFETCH(QString, from);
        QFETCH(QStringList, pdus);
        QFETCH(QStringList, card);
        QFETCH(QString, why);
        QVERIFY(startCard());
        inbox->store().appendSmsItem(
            composedRecord("+491711234567", "stays", "261207120000", pdus, "read"), from);
        QVERIFY(inbox->store().saveDom());
        QVERIFY(sim->command(card));
        const int onSim = simStored();
        show(CShortMsg::PcStore, from);
        const QString title = page->listTitleLabel->text();
        selectRows({0});
        QCOMPARE(says([this] { page->move(); }), box("Move 0 finished,1 unfinished\n" + why));
        QVERIFY(page->pcLocalRadioButton->isChecked());
        QCOMPARE(page->listTitleLabel->text(), title);
        QCOMPARE(shownRows(CShortMsg::NumberColumn), QStringList{"+491711234567"});
        QCOMPARE(inbox->store().countOf(from), 1);
        QCOMPARE(simStored(), onSim);
    }

    // A move from the SIM whose delete fails: refused, the message stays on
    // the SIM alone; unanswered, it is kept on the PC as well.
    void simToPcKeepsACopy_data() {
        QTest::addColumn<QList<QStringList>>("card");
        QTest::addColumn<int>("onPc");
        QTest::addColumn<QString>("why");
        QTest::newRow("refused") << QList<QStringList>{{"on", "AT+CMGD=*", "reply",
                                                        "+CMS ERROR: 500", "count", "1"}}
                                 << 0 << "The SIM card refused it.";
        QTest::newRow("unanswered")
            << QList<QStringList>{{"on", "AT+CMGD=*", "noreply", "count", "1"},
                                  {"on", "AT+CMGR=*", "noreply", "count", "1"}}
            << 1 << "The SIM card did not answer; a copy stays on the PC.";
    }
    void simToPcKeepsACopy() {
        QFETCH(QList<QStringList>, card);
        QFETCH(int, onPc);
        QFETCH(QString, why);
        QVERIFY(sim->command({"messages-clear", "SM"}));
        QVERIFY(sim->command({"message", "SM", "read", "deliver", "+4930123", "stays"}));
        QVERIFY(startCard());
        for (const QStringList& command : card)
            QVERIFY(sim->command(command));
        show(CShortMsg::SimStore, "inbox");
        selectRows({0});
        QCOMPARE(says([this] { page->move(); }), box("Move 0 finished,1 unfinished\n" + why));
        QCOMPARE(simStored(), 1);
        QCOMPARE(inbox->store().countOf("inbox"), onPc);
    }

    // A backup restored while a move runs: the store is read anew where it
    // is, the message reaches the SIM and the restored ones stay.
    void restoreDuringAMove() {
        QVERIFY(startCard());
        const int onSim = simStored();
        const QString file = env->dataPath("sms.xml");
        SmsData& store = inbox->store();
        store.appendSmsItem(composedRecord("+4930111", "restored", "261207120000", {}, "send"),
                            "outbox");
        QVERIFY(store.saveDom());
        QVERIFY(QFile::copy(file, file + ".backup"));
        store.delSmsItems(store.idsInOrder("outbox"), "outbox");
        const QStringList pdus = encodeMessage(kCentre, "+4930222", "moves", {}, 3);
        store.appendSmsItem(composedRecord("+4930222", "moves", "261207120000", pdus, "send"),
                            "outbox"); // under the id the restored message has
        QVERIFY(store.saveDom());
        show(CShortMsg::PcStore, "outbox");
        selectRows({0});
        QCOMPARE(says([&] {
                     page->move();
                     QVERIFY(QFile::remove(file) && QFile::copy(file + ".backup", file));
                     inbox->reloadPcStore();
                 }),
                 box("Move 1 finished,0 unfinished"));
        QCOMPARE(simStored(), onSim + 1);
        SmsList outbox;
        inbox->store().getPcAllSmsItem(outbox, "outbox");
        QCOMPARE(outbox.size(), 1);
        QCOMPARE(outbox.first().contentStr, QString("restored"));
    }

    void deletesInEachStore() {
        QVERIFY(startCard());
        for (const char* sender : {"+41", "+42", "+43"})
            QVERIFY(arrive(sender, "text"));
        show(CShortMsg::PcStore, "inbox");
        selectRows({0, 2});
        QVERIFY(arrive("+44", "four")); // listed while the user chooses: the choice stays
        QCOMPARE(page->selectedMessageCount(), 2);
        QCOMPARE(says([this] { page->DeleteClicked(); }, 2),
                 box("Do you want to delete the item that you have selected?|"
                     "Delete finished 2 items"));
        QCOMPARE(shownRows(CShortMsg::NumberColumn), (QStringList{"+42", "+44"}));
        QCOMPARE(inbox->store().countOf("inbox"), 2);

        const int onSim = simStored();
        show(CShortMsg::SimStore, "inbox");
        selectRows({0});
        QCOMPARE(says([this] { page->DeleteClicked(); }, 2),
                 box("Do you want to delete the item that you have selected?|"
                     "Delete finished 1 items, unfinished 0 items"));
        QCOMPARE(simStored(), onSim - 1);
        QCOMPARE(page->shownBoxCount(), int(simLists().in.size()));

        selectRows({});
        QCOMPARE(says([this] { page->DeleteClicked(); }),
                 box("You haven't select any item,please select one of all at least!"));
    }

    // Messages from the card keep their number's type: "+" for an
    // international number only, and a reply or a draft sent from there
    // goes to the same number with the same type (its address field below).
    // A stored outgoing message shows its state and no invented time.
    void cardMessagesKeepTheirNumbers_data() {
        QTest::addColumn<int>("store");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("row"); // number, name, time, state
        QTest::addColumn<QString>("sentTo");
        const auto row = [](const char* tag, CShortMsg::Store store, const char* from,
                            const QStringList& shown, const char* sentTo) {
            QTest::newRow(tag) << int(store) << QString(from) << shown << QString(sentTo);
        };
        row("short code from the modem memory, replied", CShortMsg::PcStore, "inbox",
            {"22550", "", "26-11-29 12:00:00", "read"}, "05812255F0");
        row("SIM draft, sent", CShortMsg::SimStore, "draftbox",
            {"+491625550123", "Jürgen Müller", "", "unsent"}, "0C91946152551032");
        row("SIM sent", CShortMsg::SimStore, "outbox", {"+491711234567", "Anna Berger", "", "send"},
            "");
    }
    void cardMessagesKeepTheirNumbers() {
        QFETCH(int, store);
        QFETCH(QString, from);
        QFETCH(QStringList, row);
        QFETCH(QString, sentTo);
        addContacts({{"Jürgen Müller", "+491625550123"}, {"Anna Berger", "+491711234567"}});
        QVERIFY(startCard(true));
        show(store, from);
        const int at = shownRows(CShortMsg::NumberColumn).indexOf(row.first());
        QVERIFY(at >= 0);
        QCOMPARE((QStringList{
                     shownRows(CShortMsg::NumberColumn)[at], shownRows(CShortMsg::NameColumn)[at],
                     shownRows(CShortMsg::TimeColumn)[at], shownRows(CShortMsg::StateColumn)[at]}),
                 row);
        selectRows({at});
        page->ReadClicked();
        if (from == "inbox")
            page->readingReplyClick();
        if (sentTo.isEmpty()) {
            QCOMPARE(page->readTimeLabel->text(), QString("not stored with the message"));
            return;
        }
        if (page->msgContentTextEdit->toPlainText().isEmpty())
            page->msgContentTextEdit->setPlainText("ok");
        QCOMPARE(says([this] { page->send(); }), box("Send Success 1,failed 0"));
        QVERIFY2(sim->sentPdus().first().contains("1100" + sentTo),
                 qPrintable(sim->sentPdus().first()));
    }

    // Typed text is not thrown away unasked: leaving the new message saves
    // it as a draft when the user says so.
    void asksBeforeDroppingTypedText_data() {
        QTest::addColumn<QString>("leaveBy");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("drafts");
        const auto row = [](const char* tag, const char* leaveBy, const char* text, int drafts) {
            QTest::newRow(tag) << QString(leaveBy) << QString(text) << drafts;
        };
        row("cancel", "cancel", "typed", 1);
        row("inbox", "inbox", "typed", 1);
        row("another new message", "new", "typed", 1);
        row("nothing typed", "cancel", "", 0);
    }
    void asksBeforeDroppingTypedText() {
        QFETCH(QString, leaveBy);
        QFETCH(QString, text);
        QFETCH(int, drafts);
        page->sendMsgFromPhBook("111");
        page->msgContentTextEdit->setPlainText(text);
        leaveBy == "cancel"  ? page->clickedCancel()
        : leaveBy == "inbox" ? page->InboxClicked()
                             : page->NewmsgClicked();
        QCOMPARE(boxes->texts(), drafts ? QStringList{box("Save as draft?")} : QStringList());
        QCOMPARE(SmsData().countOf("draftbox"), drafts);
    }

    void draftsAreSavedAndEdited() {
        compose("111;222", "see you");
        page->SaveClicked();
        QCOMPARE(shownRows(CShortMsg::NumberColumn), (QStringList{"111", "222"}));
        selectRows({1});
        page->ReadClicked();
        QCOMPARE(page->smsStack->currentIndex(), int(CShortMsg::NewView));
        QCOMPARE(page->newMsgSendPhoneLineEdit->text(), QString("222"));
        QCOMPARE(page->msgContentTextEdit->toPlainText(), QString("see you"));
        page->msgContentTextEdit->setPlainText("see you later");
        page->newMsgSendPhoneLineEdit->clear();
        QCOMPARE(says([this] { page->SaveClicked(); }), box("the phone num cann't be null"));
        page->newMsgSendPhoneLineEdit->setText("333");
        page->SaveClicked();
        QCOMPARE(shownRows(CShortMsg::NumberColumn), (QStringList{"111", "333"}));
        QCOMPARE(page->boxMsgMap.last().contentStr, QString("see you later"));
    }

    void pickerGivesTheChosenNumbers() {
        addContacts({{"Ann", "111"}, {"Bob", "222"}, {"Cy", "333"}});
        page->NewmsgClicked();
        page->SearchClicked();
        CSearchContact* picker = page->searchContact;
        QVERIFY(picker);
        QVERIFY(!picker->comboBox1->isEnabled());
        QCOMPARE(picker->leftRowCount(), 3);
        QCOMPARE(picker->leftModel()->contact(1).name, QString("Bob"));
        picker->TorightClicked(); // nothing checked: nothing moves
        QCOMPARE(picker->rightRowCount(), 0);
        picker->leftModel()->setChecked(0, true);
        picker->tableclicked(1, ContactPickModel::NameColumn, Qt::LeftButton, {});
        picker->TorightClicked();
        QCOMPARE(picker->leftRowCount(), 1);
        QCOMPARE(picker->rightRowCount(), 2);
        picker->DoubleClicked(0); // "333" over and back
        picker->DoubleClickedright(2);
        QCOMPARE(picker->rightRowCount(), 2);
        picker->okClicked();
        QCOMPARE(page->newMsgSendPhoneLineEdit->text(), QString("111;222"));
        QTRY_VERIFY(!page->searchContact || !page->searchContact->isVisible());

        page->carddispose(true);
        page->SearchClicked();
        QVERIFY(page->searchContact->comboBox1->isEnabled());
        QCOMPARE(page->searchContact->comboBox1->count(), 2);
        page->searchContact->okClicked();
        QCOMPARE(page->newMsgSendPhoneLineEdit->text(), QString());
    }
};

QTEST_MAIN(TestSmsPage)
#include "test_smspage.moc"
