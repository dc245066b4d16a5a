// Puts the main window with its phonebook page on the screen, attached to the
// simulated card, and saves what the screen shows, for the README
// (scripts/screenshots runs it on a virtual display).
//
//   velto_phonebookshots OUTDIR
// writes OUTDIR/phonebook.png (a group of PC contacts), OUTDIR/phonebook-sim.png
// (the SIM's contacts) and OUTDIR/phonebook-form.png (the contact form), each
// the window's rectangle of the screen.

#include "app/cmdline.h"
#include "mainwindow/ui/centrewidget.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/contactmodel.h"
#include "phonebook/iodata.h"
#include "phonebook/ui/newcontact.h"
#include "phonebook/ui/phonebook.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"
#include "tools/screenshots/shots.h"
#include "widgets/mybutton.h"

#include <QLineEdit>
#include <QLoggingCategory>
#include <QTreeWidget>

namespace {

// A PC phonebook as a user keeps it: three groups and a dozen contacts.
void seedContacts() {
    IOData data;
    for (const char* group : {"Family", "Friends", "Work"})
        data.insertGroup(group);
    struct Row {
        const char* name;
        const char* mobile;
        const char* home;
        const char* office;
        const char* group;
    };
    const Row rows[] = {
        {"Anna Berger", "+491711234567", "0301234567", "", "Family"},
        {"Tom Berger", "+491719876543", "0301234567", "", "Family"},
        {"Oma Ilse", "+4917655501", "0402233445", "", "Family"},
        {"Ben Okafor", "+491739876543", "", "", "Friends"},
        {"Clara Schmidt", "+491625550123", "", "0899912345", "Friends"},
        {"Kenji Sato", "+4915112345678", "", "", "Friends"},
        {"Lena Fischer", "+491704455667", "0221334455", "", "Friends"},
        {"David Novak", "+491728887766", "", "0305550100", "Work"},
        {"Elif Yilmaz", "+491605544332", "", "0305550101", "Work"},
        {"Help Desk", "+493055501999", "", "0305550199", "Work"},
        {"Georg Weber", "+491776655443", "", "", ""},
        {"Julia Rossi", "+393471234567", "", "", ""},
    };
    for (const Row& r : rows) {
        QString name;
        coding(name, QString::fromUtf8(r.name), true);
        Contact c(false, 0, name, r.mobile, r.home, r.office, r.group);
        data.insertContact(&c, false);
    }
    data.saveXmlFile();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules("velto.*.debug=false");
    TestEnv env;
    const std::optional<QDir> out = Shots::begin(app, "phonebookshots");
    if (!out)
        return 2;
    seedContacts();
    ModemSim sim;
    if (!sim.start("ready")) {
        std::fprintf(stderr, "the modem simulator did not start\n");
        return 1;
    }
    WTMainWindow window(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint,
                        {sim.atPort(), sim.dataPort()});
    Shots::showCentred(window);
    // The monitor's first tick finds the card and the page reads the SIM.
    for (int i = 0; i < 100 && IOData::simContactMap.isEmpty(); ++i)
        Shots::settle(200);
    window.centre->phonebookButton->click();
    PhoneBook* page = window.phonebook;
    Shots::settle(300);

    bool ok = !IOData::simContactMap.isEmpty();
    page->selectItem(PhoneBook::GroupItem, "Friends");
    page->contactModel->setChecked(1, true);
    Shots::settle(400);
    ok = Shots::grab(window, out->filePath("phonebook.png")) && ok;

    page->selectItem(PhoneBook::SimItem);
    page->searchEdit->setText("+49");
    Shots::settle(400);
    ok = Shots::grab(window, out->filePath("phonebook-sim.png")) && ok;
    page->searchEdit->clear();

    page->selectItem(PhoneBook::GroupItem, "Work");
    page->newClicked();
    page->newContact->lineEdit_Name->setText("Marta Lopez");
    page->newContact->lineEdit_MobilePhone->setText("+34612345678");
    page->newContact->lineEdit_email->setText("marta.lopez@example.org");
    Shots::settle(400);
    ok = Shots::grab(window, out->filePath("phonebook-form.png")) && ok;

    window.link->closePort();
    return ok ? 0 : 1;
}
