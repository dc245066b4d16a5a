// Times the phonebook page with a full book: 1000 PC contacts in 20 groups
// and 250 contacts on the simulated card's SIM. Switching the tree item,
// refreshing after a change and each keystroke of the search must stay
// within a frame (16 ms); pasting 250 contacts into the SIM is set against
// the modem's own time for 250 writes. Prints a table.
// Run by hand: build/bin/bench_phonebook [runs]

#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "phonebook/ui/phonebook.h"
#include "tests/support/awaitdone.h"
#include "tests/support/messageboxes.h"
#include "tests/support/modemsim.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QStackedWidget>
#include <QTemporaryFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kPcContacts = 1000;
constexpr int kGroups = 20;
constexpr int kSimContacts = 250;

struct Row {
    QString action;
    double median, worst;
    QString limit;
};

// Runs `run` `runs` times, then lets the page draw, and keeps the times.
Row measure(const QString& action, int runs, const std::function<void(int)>& run,
            const QString& limit = {}) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        run(i);
        QCoreApplication::processEvents();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {action, ms[ms.size() / 2], ms.back(), limit};
}

// A card whose SIM phonebook is full: 250 contacts.
QString fullSimScenario(QTemporaryFile& file) {
    file.open();
    QTextStream out(&file);
    out << "include \"" << ModemSim::scenarioPath("ready") << "\"\ncontacts-clear\n";
    for (int n = 1; n <= kSimContacts; ++n)
        out << "contact " << n << " \"+49160" << QString::number(n).rightJustified(7, '0')
            << "\" \"Sim Contact " << n << "\"\n";
    out.flush();
    return file.fileName();
}

void fillPc() {
    IOData data;
    for (int g = 0; g < kGroups; ++g)
        data.insertGroup(QString("Group %1").arg(g));
    for (int n = 0; n < kPcContacts; ++n) {
        QString name;
        coding(name, QString("Contact %1").arg(n), true);
        Contact c(false, 0, name, QString("+49171%1").arg(n, 7, 10, QChar('0')), "0301234", "",
                  QString("Group %1").arg(n % kGroups));
        data.insertContact(&c, false);
    }
    data.saveXmlFile();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules("velto.*.debug=false");
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 30;

    TestEnv env;
    fillPc();
    QTemporaryFile scenario;
    ModemSim sim;
    if (!sim.start(fullSimScenario(scenario))) {
        std::fprintf(stderr, "the modem simulator did not start\n");
        return 1;
    }
    SerialThread link;
    link.firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
    link.openPort(sim.atPort());
    awaitDone<SimType>([&](auto done) { link.getUSIM(&link, done); });
    awaitDone<bool>([&](auto done) { link.isNewPlatform(&link, done); });
    awaitDone<std::optional<bool>>([&](auto done) { link.setChset(&link, "UCS2", done); });
    link.simPhonebookSize =
        awaitDone<int>([&](auto done) { link.simCapacity(&link, done); }).value_or(0);

    PhoneBook page(nullptr, "phonebook", &link);
    page.resize(626, 317);
    page.show();
    std::vector<Row> rows;
    rows.push_back(measure("read the SIM phonebook (250)", 1, [&](int) {
        page.setHasSIM(true);
        page.updateSIM();
        (void)QTest::qWaitFor([] { return IOData::simContactMap.size() == kSimContacts; }, 30000);
    }));
    if (IOData::simContactMap.size() != kSimContacts) {
        std::fprintf(stderr, "the SIM phonebook was not read\n");
        return 1;
    }

    rows.push_back(measure(
        "switch the tree item (PC 1000, group 50, SIM 250)", runs,
        [&](int i) {
            switch (i % 3) {
            case 0:
                page.selectItem(PhoneBook::PcItem);
                break;
            case 1:
                page.selectItem(PhoneBook::GroupItem, QString("Group %1").arg(i % kGroups));
                break;
            default:
                page.selectItem(PhoneBook::SimItem);
            }
        },
        "16 ms"));
    page.selectItem(PhoneBook::PcItem);
    rows.push_back(measure(
        "refresh after a change (PC 1000)", runs, [&](int) { page.RefreshPhone(); }, "16 ms"));
    const QString typed = "+4917100009";
    rows.push_back(measure(
        "search keystroke (PC 1000)", runs,
        [&](int i) { page.searchEdit->setText(typed.left(i % typed.size() + 1)); }, "16 ms"));
    page.searchEdit->clear();
    rows.push_back(measure("select all + undo (PC 1000)", runs,
                           [&](int i) { i % 2 ? page.undoSelectAll() : page.selectAll(); }));

    // The modem's own time for 250 writes, then the page pasting 250.
    sim.command({"contacts-clear"});
    const Row modem = measure("modem alone: 250 SIM writes", 1, [&](int) {
        for (int n = 1; n <= kSimContacts; ++n)
            awaitDone<bool>([&](auto done) {
                link.insertContact(&link, n, "+4917000000", "0041006E006E", done);
            });
    });
    rows.push_back(modem);
    sim.command({"contacts-clear"});
    IOData::simContactMap.clear();
    page.RefreshPhone();
    page.selectItem(PhoneBook::PcItem);
    for (int row = 0; row < kSimContacts; ++row)
        page.tableItemChanged(row);
    page.copyContact();
    page.selectItem(PhoneBook::SimItem);
    MessageBoxes boxes;
    const Row paste = measure("paste 250 PC contacts into the SIM", 1, [&](int) {
        page.past();
        (void)QTest::qWaitFor([&] { return page.phoneStack->isEnabled(); }, 60000);
    });
    rows.push_back(paste);
    const double perEntry = (paste.median - modem.median) / kSimContacts;

    QTextStream out(stdout);
    out << QString("%1 %2 %3 %4\n")
               .arg("action", -52)
               .arg("median ms", 10)
               .arg("worst ms", 10)
               .arg("limit", 8);
    for (const Row& r : rows)
        out << QString("%1 %2 %3 %4\n")
                   .arg(r.action, -52)
                   .arg(r.median, 10, 'f', 2)
                   .arg(r.worst, 10, 'f', 2)
                   .arg(r.limit, 8);
    out << QString("paste: %1 ms per entry above the modem's own time (limit 3 ms); %2 on the "
                   "SIM\n")
               .arg(perEntry, 0, 'f', 2)
               .arg(IOData::simContactMap.size());
    link.closePort();
    return 0;
}
