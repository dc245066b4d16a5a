// Puts the main window with the message page on the screen, with messages
// and contacts on the PC, and saves what the screen shows of its four views,
// for the screenshots of the README (scripts/screenshots runs it on a
// virtual display).
//
//   velto_smsshots OUTDIR
// writes OUTDIR/sms-overview.png, sms-inbox.png, sms-reading.png, sms-new.png
// and sms-picker.png, each the window's rectangle of the screen.

#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "sms/contactpickmodel.h"
#include "sms/smsdataoperation.h"
#include "sms/smssend.h"
#include "sms/ui/search.h"
#include "sms/ui/shortmessage.h"
#include "sms/ui/shorttable.h"
#include "tests/support/testenv.h"
#include "tools/screenshots/shots.h"

#include <QLineEdit>
#include <QTextEdit>
#include <cstring>

namespace {

struct Sample {
    const char* number;
    const char* stamp;
    const char* text;
    bool unread;
};

// A PC store and a phonebook as a user's might look.
void fillStores() {
    const Sample inbox[] = {
        {"+491711234567", "261130180211", "Are we still meeting at eight?", true},
        {"+491739876543", "261128091540", "Your parcel has been delivered.", false},
        {"+491625550123", "261127204503", "Grüße aus München! Bis bald.", false},
        {"22550", "261129120000", "Your balance is 12.50 EUR", false},
        {"+4915112345678", "261201073000",
         "Meeting moved to 10:00. The room is on the third floor, next to the kitchen; "
         "bring the slides and the printed agenda, we will go through the budget first and "
         "then the plan for the spring launch. Call me if the train is late.",
         true},
        {"+491701112233", "261202081500", "Happy birthday! 🎉", false},
    };
    SmsData store;
    for (const Sample& s : inbox) {
        SM_PARAM_DECODE rec = composedRecord(s.number, QString::fromUtf8(s.text), s.stamp, {},
                                             s.unread ? "new" : "read");
        store.appendSmsItem(rec, "inbox");
    }
    store.appendSmsItem(
        composedRecord("+491711234567", "Yes, see you there.", "261130181502", {}, "send"),
        "outbox");
    // Sent with delivery reports: delivered, failed, still tried, awaited.
    const std::pair<const char*, QList<PartDelivery>> reported[] = {
        {"+491739876543", {{17, 0, "26120409121804"}}},
        {"+491625550123", {{18, 0x46, "26120509141004"}}},
        {"+4915112345678", {{19, 0x21, "26120611020004"}, {20, 0, "26120611015804"}}},
        {"+491701112233", {{21, -1, {}}}},
    };
    int day = 4;
    for (const auto& [number, delivery] : reported) {
        const QString stamp = "2612" + QString::number(day++).rightJustified(2, '0') + "091200";
        SM_PARAM_DECODE rec = composedRecord(number, "See the attached plan.", stamp, {}, "send");
        rec.delivery = delivery;
        store.appendSmsItem(rec, "outbox");
    }
    store.appendSmsItem(
        composedRecord("+491625550123", "Call me back when you can", "261203101010", {}, QString()),
        "draftbox");
    store.saveDom();

    IOData contacts;
    const std::pair<const char*, const char*> people[] = {{"Anna Berger", "+491711234567"},
                                                          {"Ben Okafor", "+491739876543"},
                                                          {"Jürgen Müller", "+491625550123"},
                                                          {"Chloé Durand", "+4915112345678"}};
    for (const auto& [name, number] : people) {
        QString coded;
        coding(coded, QString::fromUtf8(name), true);
        Contact c(false, 0, coded, number);
        contacts.insertContact(&c, false);
    }
    contacts.saveXmlFile();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    TestEnv env;
    const std::optional<QDir> out = Shots::begin(app, "smsshots");
    if (!out)
        return 2;
    // The two unread messages of the inbox show as the envelope.
    fillStores();

    WTMainWindow window(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
    Shots::showCentred(window);
    window.slotClickSmsButton();
    CShortMsg* page = window.shortmessage;
    Shots::settle(800);

    bool ok = Shots::grab(window, out->filePath("sms-overview.png"));
    page->InboxClicked();
    page->smsTable->selectRow(1);
    Shots::settle(300);
    ok = Shots::grab(window, out->filePath("sms-inbox.png")) && ok;
    page->smsTable->selectRow(4);
    page->ReadClicked();
    Shots::settle(300);
    ok = Shots::grab(window, out->filePath("sms-reading.png")) && ok;
    page->OutboxClicked();
    Shots::settle(300);
    ok = Shots::grab(window, out->filePath("sms-outbox.png")) && ok;
    page->phonebook_smsclicked("+491711234567;+491739876543");
    page->msgContentTextEdit->setPlainText(
        "Dinner on Friday at seven? I booked the table by the window.");
    Shots::settle(300);
    ok = Shots::grab(window, out->filePath("sms-new.png")) && ok;

    page->SearchClicked();
    CSearchContact* picker = page->searchContact;
    picker->table1->selectRow(0);
    picker->leftModel()->setChecked(0, true);
    picker->leftModel()->setChecked(2, true);
    picker->TorightClicked();
    picker->leftModel()->setChecked(0, true);
    Shots::settle(400);
    ok = Shots::grab(window, out->filePath("sms-picker.png")) && ok;
    return ok ? 0 : 1;
}
