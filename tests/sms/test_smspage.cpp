// The message page against the simulated card: sending to several
// recipients and as parts, the length counter, reading, moving between the
// PC and the SIM, deleting, drafts and the recipient picker.

#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "settings/settingsfiles.h"
#include "sms/contactpickmodel.h"
#include "sms/smsdataoperation.h"
#include "sms/smstablemodel.h"
#include "sms/ui/search.h"
#include "sms/ui/shortmessage.h"
#include "sms/ui/shorttable.h"
#include "tests/sms/gammurun.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

namespace {

const QString kCentre = "+491760000443";

// Answers every message box while it lives ("Ok", or "Yes" to a question)
// and keeps their texts.
class BoxAnswerer {
public:
    BoxAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<MyMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QStringList lines;
            for (int i = 0; i < 4; ++i)
                if (auto* line = box->findChild<QLabel*>(QString("textLine%1").arg(i)))
                    lines << line->text();
            texts << lines.join(QString());
            box->findChild<MyButton*>("pb0")->click();
        });
        timer_.start();
    }
    QString last() const { return texts.value(texts.size() - 1); }
    QStringList texts;

private:
    QTimer timer_;
};

} // namespace

class TestSmsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<ModemSim> sim;
    std::unique_ptr<SerialThread> link;
    std::unique_ptr<CShortMsg> page;
    std::unique_ptr<BoxAnswerer> boxes;

    void compose(const QString& numbers, const QString& text) {
        page->msgContentTextEdit->clear(); // what an earlier step left goes unasked
        page->NewmsgClicked();
        page->newMsgSendPhoneLineEdit->setText(numbers);
        page->msgContentTextEdit->setPlainText(text);
    }
    // The rows of the box shown: number, state and, from the store, text.
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
    // A message from `sender` arrives on the card and the page takes it.
    void arrive(const QString& sender, const QString& text) {
        const int index = sim->deliver(sender, text, "SM");
        link->setShortMsgStorageMode(1);
        const QString reply = link->getIndexSms(QByteArray::number(index).constData());
        // The card's notice of it has been counted by the link, as in the program.
        QVERIFY(page->InsertSave(reply, index, "new"));
        link->deleteSimSMS(index);
    }
    int simStored() const {
        return int(sim->control({"messages", "SM"}).split('\n', Qt::SkipEmptyParts).size());
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
        smscent_num = kCentre;
        unreadMsgCount = 0;
        page = std::make_unique<CShortMsg>(nullptr, "shortmessage", nullptr, link.get());
        boxes = std::make_unique<BoxAnswerer>();
    }
    void cleanup() {
        boxes.reset();
        page.reset();
        link.reset();
        sim.reset();
        env.reset();
        IOData::pcContactMap.clear();
    }

    void sendsToEachRecipient() {
        compose("111;;222", "hi");
        page->send();
        QCOMPARE(sim->sentPdus().size(), 1);
        // No settings stored: sent as always (no report, the old validity).
        QVERIFY(sim->sentPdus().first().endsWith("1100038111F100000002E834"));
        QCOMPARE(boxes->last(), QString("Send Success 1,failed 0"));
        QCOMPARE(shownRows(CShortMsg::NumberColumn), QStringList{"111"});

        compose("1;2;3;4;5;6;7;8;9;10;11", "hi");
        page->send();
        QCOMPARE(boxes->last(), QString("Sorry, You cann't send more than 10 sms"));
        QCOMPARE(sim->sentPdus().size(), 1);

        // The second is refused (its longer number makes its command 13 octets).
        QVERIFY(sim->command({"on", "AT+CMGS=13", "reply", "+CMS ERROR: 500"}));
        compose("111;22222;333", "hi");
        page->send();
        QCOMPARE(boxes->last(), QString("Send Success 2,failed 1"));
        QCOMPARE(sim->sentPdus().size(), 3);
        QCOMPARE(shownRows(CShortMsg::NumberColumn), (QStringList{"111", "111", "333"}));
        QCOMPARE(shownRows(CShortMsg::StateColumn), (QStringList{"send", "send", "send"}));
        page->DraftboxClicked();
        QCOMPARE(shownRows(CShortMsg::NumberColumn), QStringList{"22222"});
        QCOMPARE(shownRows(CShortMsg::StateColumn), QStringList{"failed"});

        compose("", "hi");
        page->send();
        QCOMPARE(boxes->last(), QString("The phone number is null!"));
        compose("111", "");
        page->send();
        QCOMPARE(boxes->last(), QString("The content is null!"));
        page->clickedCancel(); // back to the box flagged last
        QCOMPARE(page->smsStack->currentIndex(), int(CShortMsg::ListView));
        QVERIFY(page->draftboxButton->isChecked());
        page->setGrossDispStatu();
        page->NewmsgClicked();
        page->clickedCancel(); // no box flagged: the one shown last
        QVERIFY(page->draftboxButton->isChecked());
    }

    void cancelWithoutABoxShowsTheOverview() {
        page->NewmsgClicked();
        page->clickedCancel();
        QCOMPARE(page->smsStack->currentIndex(), int(CShortMsg::OverviewView));
        QCOMPARE(page->inboxCountLabel->text(), QString("Message in InBox Pc: 0 Item(s)"));
        page->carddispose(true);
        QCOMPARE(page->inboxCountLabel->text(),
                 QString("Message in InBox Pc: 0 Item(s) SIM: 0 Item(s)"));
        QCOMPARE(page->capacityLabel->text(), QString("Datebase capacity:1500 Item(s)"));
    }

    // Without a centre from the modem the one of the settings is used; with
    // neither the user is told and nothing goes.
    void sendsThroughAKnownCentre() {
        smscent_num.clear();
        compose("111", "hi");
        page->send();
        QVERIFY(boxes->last().startsWith("No SMS centre number is known"));
        QVERIFY(sim->sentPdus().isEmpty());

        MessageSettings settings;
        settings.smsCenter = "+4917699";
        settings.validPeriod = 1;
        settings.deliveReport = 0;
        QVERIFY(writeMessagesSettings(settings));
        page->send();
        QCOMPARE(sim->sentPdus().size(), 1);
        // The settings' centre, valid for a day, a report asked for, "hi".
        QVERIFY(sim->received().contains("0591947196F93100038111F10000A702E834\x1a"));
    }

    void longTextsGoAsParts() {
        const QString latin = QString("0123456789 abcdefghij ").repeated(20).left(400);
        const QString unicode = QString::fromUtf8("Grüße € ").repeated(20).left(150);
        compose("+491711234567", latin);
        page->send();
        compose("+491711234567", unicode);
        page->send();
        const QStringList pdus = sim->sentPdus();
        QCOMPARE(pdus.size(), 6);
        QCOMPARE(boxes->texts.count("Send Success 1,failed 0"), 2);
        const QList<QByteArray> linked = runGammu(
            "link", (pdus.mid(0, 3).join(' ') + '\n' + pdus.mid(3).join(' ') + '\n').toLatin1());
        QCOMPARE(linked.size(), 2);
        QCOMPARE(QJsonDocument::fromJson(linked[0]).object()["text"].toString(), latin);
        QCOMPARE(QJsonDocument::fromJson(linked[1]).object()["text"].toString(), unicode);
        // The PC keeps each as one message with the whole text.
        QCOMPARE(page->boxMsgMap.size(), 2);
        QCOMPARE(page->boxMsgMap.first().contentStr, latin);
        QCOMPARE(page->boxMsgMap.last().contentStr, unicode);
    }

    void counterShowsTheParts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("160 7-bit") << QString(160, 'a') << "Info: 160 /1";
        QTest::newRow("161 7-bit") << QString(161, 'a') << "Info: 161 /2";
        QTest::newRow("70 UCS2") << QString(70, QChar(0xE9)) << "Info: 70 /1";
        QTest::newRow("71 UCS2") << QString(71, QChar(0xE9)) << "Info: 71 /2";
        QTest::newRow("765 7-bit") << QString(765, 'a') << "Info: 765 /5";
        QTest::newRow("empty") << QString() << "";
    }
    void counterShowsTheParts() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        page->msgContentTextEdit->setPlainText(text);
        QCOMPARE(page->newMsgWordNumLabel->text(), shown);
    }

    void tooLongTextsAreRefused() {
        page->msgContentTextEdit->setPlainText(QString(765, 'a'));
        page->msgContentTextEdit->setPlainText(QString(766, 'a'));
        page->msgContentTextEdit->setPlainText(QString(767, 'a'));
        QCOMPARE(boxes->texts, QStringList{"SMS length exceed!"}); // once
        QCOMPARE(page->newMsgWordNumLabel->text(), QString("Info: 765 /5"));
        page->newMsgSendPhoneLineEdit->setText("111");
        page->send();
        QCOMPARE(boxes->last(), QString("SMS length exceed!"));
        QVERIFY(sim->sentPdus().isEmpty());
    }

    // A translated program shows the state words in its language but stores
    // them in English, so that the message file reads the same in every
    // language.
    void stateWordsAreStoredInEnglish() {
        struct Marking : QTranslator {
            QString translate(const char*, const char* source, const char*, int) const override {
                return "T:" + QString::fromUtf8(source);
            }
            bool isEmpty() const override { return false; }
        } marking;
        QCoreApplication::installTranslator(&marking);
        arrive("+491711234567", "first");
        page->InboxClicked();
        const QStringList shown = shownRows(CShortMsg::StateColumn);
        selectRows({0});
        page->ReadClicked();
        QCoreApplication::removeTranslator(&marking);
        QCOMPARE(shown, QStringList{"T:new"});
        QCOMPARE(unreadMsgCount, 0);
        QCOMPARE(TestEnv::readFile(env->dataPath("sms.xml")).count("<state>read</state>"), 1);
    }

    void readingMarksRead() {
        arrive("+491711234567", "first");
        arrive("+491739876543", "second");
        QCOMPARE(unreadMsgCount, 2);
        QSignalSpy unread(page.get(), &CShortMsg::sigUnreadChanged);
        page->InboxClicked();
        QCOMPARE(shownRows(CShortMsg::StateColumn), (QStringList{"new", "new"}));
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
        QCOMPARE(unreadMsgCount, 1);
        QCOMPARE(unread.count(), 1);
        page->clickedCancel();
        // The message keeps its place.
        QCOMPARE(shownRows(CShortMsg::StateColumn), (QStringList{"read", "new"}));
        selectRows({1});
        page->ReadClicked();
        QCOMPARE(unreadMsgCount, 0);
        QVERIFY(TestEnv::readFile(env->dataPath("sms.xml")).count("<state>read</state>") == 2);

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
        page->ReadClicked();
        QCOMPARE(boxes->last(), QString("Cann't read multiple SMS records simultaneously!"));
        selectRows({});
        page->ReadClicked();
        QCOMPARE(boxes->last(), QString("Please select a SMS first"));
    }

    void movesBetweenPcAndSim() {
        page->carddispose(true);
        page->getSimAllSmsItem(1, 4);
        const int onSim = simStored();
        arrive("+491711234567", QString::fromUtf8("Grüße, move me"));
        page->InboxClicked();
        selectRows({0});
        page->move();
        QCOMPARE(boxes->last(), QString("Move 1 finished,0 unfinished"));
        QCOMPARE(page->simLocalRadioButton->isChecked(), true);
        QCOMPARE(simStored(), onSim + 1);
        QCOMPARE(page->SimInBListMap.last().contentStr, QString::fromUtf8("Grüße, move me"));
        QCOMPARE(unreadMsgCount, 0); // the unread message left the PC

        selectRows({int(page->SimInBListMap.size()) - 1});
        page->move();
        QCOMPARE(boxes->last(), QString("Move 1 finished,0 unfinished"));
        QCOMPARE(simStored(), onSim);
        QCOMPARE(page->pcLocalRadioButton->isChecked(), true);
        QCOMPARE(page->boxMsgMap.size(), 1);
        QCOMPARE(page->boxMsgMap.first().contentStr, QString::fromUtf8("Grüße, move me"));
        QCOMPARE(page->boxMsgMap.first().state, QString("read"));

        // A full SIM keeps the PC copy.
        QVERIFY(sim->command({"on", "AT+CMGW=*", "reply", "+CMS ERROR: 322"}));
        selectRows({0});
        page->move();
        QCOMPARE(boxes->last(), QString("Move 0 finished,1 unfinished"));
        QCOMPARE(simStored(), onSim);
        page->pcLocalRadioButton->click();
        QCOMPARE(page->boxMsgMap.size(), 1);
        QVERIFY(TestEnv::readFile(env->dataPath("sms.xml")).contains("move me"));
        QVERIFY(sim->command({"overrides-clear"}));

        // A long message goes as its parts and is listed whole; back on the PC
        // it is one message again.
        const QString longText = QString("Long message, sent in parts. ").repeated(14);
        compose("+491711234567", longText);
        page->send();
        selectRows({0});
        page->move();
        QCOMPARE(boxes->last(), QString("Move 1 finished,0 unfinished"));
        QCOMPARE(simStored(), onSim + 3);
        QCOMPARE(page->SimOutBListMap.last().contentStr, longText);
        QCOMPARE(page->SimOutBListMap.last().partIndexes.size(), 3);
        selectRows({int(page->SimOutBListMap.size()) - 1});
        page->move();
        QCOMPARE(simStored(), onSim);
        QCOMPARE(page->boxMsgMap.last().contentStr, longText);

        // A draft saved here has no PDU yet: it is written as an unsent message.
        compose("+4930123", "draft to the card");
        page->SaveClicked();
        selectRows({0});
        page->move();
        QCOMPARE(boxes->last(), QString("Move 1 finished,0 unfinished"));
        QCOMPARE(page->SimDraftBListMap.last().contentStr, QString("draft to the card"));
        QCOMPARE(QByteArray(page->SimDraftBListMap.last().TPA), QByteArray("+4930123"));
    }

    void deletesInEachStore() {
        arrive("+41", "one");
        arrive("+42", "two");
        arrive("+43", "three");
        page->InboxClicked();
        selectRows({0, 2});
        arrive("+44", "four"); // listed while the user chooses: the choice stays
        QCOMPARE(page->selectedMessageCount(), 2);
        page->DeleteClicked();
        QCOMPARE(boxes->texts.mid(boxes->texts.size() - 2),
                 (QStringList{"Do you want to delete the item that you have selected?",
                              "Delete finished 2 items"}));
        QCOMPARE(shownRows(CShortMsg::NumberColumn), (QStringList{"+42", "+44"}));
        QCOMPARE(unreadMsgCount, 2);

        page->carddispose(true);
        page->getSimAllSmsItem(1, 4);
        const int onSim = simStored();
        page->simLocalRadioButton->click();
        selectRows({0});
        page->DeleteClicked();
        QCOMPARE(boxes->last(), QString("Delete finished 1 items, unfinished 0 items"));
        QCOMPARE(simStored(), onSim - 1);
        QCOMPARE(page->shownBoxCount(), int(page->SimInBListMap.size()));

        selectRows({});
        page->DeleteClicked();
        QCOMPARE(boxes->last(),
                 QString("You haven't select any item,please select one of all at least!"));
    }

    // Messages on the card keep their number's type: "+" for an
    // international number only, and a reply or a draft sent from there
    // goes to the same number with the same type (its address field below).
    // A stored outgoing message shows its state and no invented time.
    void cardMessagesKeepTheirNumbers_data() {
        QTest::addColumn<int>("store");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("row"); // number, name, time, state
        QTest::addColumn<QString>("sentTo");
        QTest::newRow("short code, replied")
            << int(CShortMsg::MeStore) << "inbox"
            << QStringList{"22550", "", "26-11-29 12:00:00", "read"} << "05812255F0";
        QTest::newRow("SIM draft, sent")
            << int(CShortMsg::SimStore) << "draftbox"
            << QStringList{"+491625550123", "Jürgen Müller", "", "unsent"} << "0C91946152551032";
        QTest::newRow("SIM sent") << int(CShortMsg::SimStore) << "outbox"
                                  << QStringList{"+491711234567", "Anna Berger", "", "send"} << "";
    }
    void cardMessagesKeepTheirNumbers() {
        QFETCH(int, store);
        QFETCH(QString, box);
        QFETCH(QStringList, row);
        QFETCH(QString, sentTo);
        for (auto [id, name, number] : {std::tuple{1, "Jürgen Müller", "+491625550123"},
                                        std::tuple{2, "Anna Berger", "+491711234567"}}) {
            QString coded;
            coding(coded, QString::fromUtf8(name), true);
            IOData::pcContactMap.insert(id, Contact(false, id, coded, number));
        }
        page->carddispose(true);
        page->getSimAllSmsItem(store == CShortMsg::SimStore ? 1 : 0, 4);
        page->saveLocalGroup->button(store)->click();
        box == "inbox"    ? page->InboxClicked()
        : box == "outbox" ? page->OutboxClicked()
                          : page->DraftboxClicked();
        const int at = shownRows(CShortMsg::NumberColumn).indexOf(row.first());
        QVERIFY(at >= 0);
        QCOMPARE((QStringList{
                     shownRows(CShortMsg::NumberColumn)[at], shownRows(CShortMsg::NameColumn)[at],
                     shownRows(CShortMsg::TimeColumn)[at], shownRows(CShortMsg::StateColumn)[at]}),
                 row);
        selectRows({at});
        page->ReadClicked();
        if (box == "inbox")
            page->readingReplyClick();
        if (sentTo.isEmpty()) {
            QCOMPARE(page->readTimeLabel->text(), QString("not stored with the message"));
            return;
        }
        if (page->msgContentTextEdit->toPlainText().isEmpty())
            page->msgContentTextEdit->setPlainText("ok");
        page->send();
        QCOMPARE(sim->sentPdus().size(), 1);
        QVERIFY2(sim->sentPdus().first().contains("1100" + sentTo),
                 qPrintable(sim->sentPdus().first()));
    }

    // Typed text is not thrown away unasked: leaving the new message saves
    // it as a draft when the user says so.
    void asksBeforeDroppingTypedText_data() {
        QTest::addColumn<QString>("leaveBy");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("drafts");
        QTest::newRow("cancel") << "cancel"
                                << "typed" << 1;
        QTest::newRow("inbox") << "inbox"
                               << "typed" << 1;
        QTest::newRow("another new message") << "new"
                                             << "typed" << 1;
        QTest::newRow("nothing typed") << "cancel"
                                       << "" << 0;
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
        QCOMPARE(boxes->texts, drafts ? QStringList{"Save as draft?"} : QStringList());
        SmsList stored;
        SmsData().getPcAllSmsItem(stored, "draftbox");
        QCOMPARE(int(stored.size()), drafts);
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
        page->SaveClicked();
        QCOMPARE(boxes->last(), QString("the phone num cann't be null"));
        page->newMsgSendPhoneLineEdit->setText("333");
        page->SaveClicked();
        QCOMPARE(shownRows(CShortMsg::NumberColumn), (QStringList{"111", "333"}));
        QCOMPARE(page->boxMsgMap.last().contentStr, QString("see you later"));
    }

    void pickerGivesTheChosenNumbers() {
        for (auto [id, name, number] : {std::tuple{1, "Ann", "111"}, std::tuple{2, "Bob", "222"},
                                        std::tuple{3, "Cy", "333"}}) {
            QString coded;
            coding(coded, name, true);
            IOData::pcContactMap.insert(id, Contact(false, id, coded, number));
        }
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
