// Times the user actions on a full PC message store (1500 messages in a box)
// and phonebook (1000 contacts), each with the file rewrite it causes, the
// message page's views over that store, and the longest pause of the event
// loop while the page loads a SIM list of 50 messages from the simulated
// card; prints a table. Run by hand: build/bin/bench_sms [runs]

#include "app/globals.h"
#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "sms/smsarrival.h"
#include "sms/smsdataoperation.h"
#include "sms/smsinbox.h"
#include "sms/smsparts.h"
#include "sms/smssend.h"
#include "sms/smstablemodel.h"
#include "sms/ui/shortmessage.h"
#include "sms/ui/shorttable.h"
#include "tests/support/modemsim.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kMessages = 1500;
constexpr int kContacts = 999; // one place left for the insert

using Box = QMap<int, SM_PARAM_DECODE>;

SM_PARAM_DECODE message(int n) {
    SM_PARAM_DECODE rec;
    std::strcpy(rec.SCA, "491760000443");
    std::snprintf(rec.TPA, sizeof rec.TPA, "+49170%07d", n);
    std::strcpy(rec.TP_SCTS, "26120616300000");
    const QString text = QString("Message %1: see you at the station at eight, and bring the "
                                 "tickets — Grüße!")
                             .arg(n);
    std::strncpy(rec.TP_UD, text.toLatin1().constData(), sizeof rec.TP_UD - 1);
    rec.contentStr = text;
    rec.length = 120;
    rec.pduSrc = QString(240, 'A');
    rec.state = n % 3 ? "read" : "new";
    return rec;
}

struct Row {
    QString action;
    double median, worst;
};

// Runs `action` `runs` times (after `prepare`, untimed) and keeps its times.
Row measure(const QString& action, int runs, const std::function<void()>& run,
            const std::function<void()>& prepare = {}) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer clock;
        clock.start();
        run();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {action, ms[ms.size() / 2], ms.back()};
}

// A message from `sender` as the card gives it when read; `part` > 0 makes
// it part `part` of a three-part message.
ModemMessage readMessage(int sender, int part) {
    const QString digits = QString("49170%1").arg(sender, 7, 10, QChar('0'));
    QString inverted;
    for (int i = 0; i < digits.size(); i += 2)
        inverted += QString(digits.at(i + 1)) + digits.at(i);
    const QString header = part > 0 ? QString("0500030A03%1").arg(part, 2, 10, QChar('0')) : "";
    const QString text = "00480065006C006C006F"; // "Hello" in UCS2
    const QString udl =
        QString::number((header.size() + text.size()) / 2, 16).rightJustified(2, '0').toUpper();
    const QString pdu = "07919471060040F3" + QString(part > 0 ? "44" : "04") + "0C91" + inverted +
                        "0008" + "62113061801000" + udl + header + text;
    return {-1, 0, {}, int(pdu.size() / 2 - 8), pdu};
}

// The longest time the event loop went without turning, in ms, while the
// page loads the SIM's list of 50 messages from the simulated card.
double longestPauseLoadingSimList() {
    QTemporaryDir dir;
    QString scenario = "include \"" + ModemSim::scenarioPath("ready") + "\"\n";
    scenario += "storage SM 60\nmessages-clear SM\n";
    for (int n = 0; n < 50; ++n)
        scenario += QString("message SM %1 deliver +49170%2 \"Message %3 from the SIM card, "
                            "long enough to fill a line of the table\"\n")
                        .arg(n % 3 ? "read" : "unread")
                        .arg(n, 7, 10, QChar('0'))
                        .arg(n);
    QFile file(dir.filePath("sim50.scn"));
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    file.write(scenario.toUtf8());
    file.close();
    ModemSim sim;
    if (!sim.start(file.fileName()) || !sim.command({"ping"}))
        return -1;
    SerialThread link(nullptr);
    link.firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
    if (link.openPort(sim.atPort()) < 0)
        return -1;
    SmsInbox inbox(&link);
    CShortMsg page(nullptr, "shortmessage", nullptr, &inbox);
    page.carddispose(true);
    page.simLocalRadioButton->setChecked(true);
    page.InboxClicked();

    QElapsedTimer clock;
    double longest = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.nsecsElapsed() / 1e6);
        clock.restart();
    });
    bool listed = false;
    ticker.start();
    clock.start();
    inbox.reloadList(MessageStorage::Sim, [&listed] { listed = true; });
    while (!listed)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    longest = std::max(longest, clock.nsecsElapsed() / 1e6);
    ticker.stop();
    link.closePort();
    return page.shownBoxCount() == 50 ? longest : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules("velto.*.debug=false");
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTemporaryDir dir;
    setProgramFolders(dir.path());
    QDir().mkpath(dir.path() + "/Data");

    // The stores, filled once.
    {
        SmsData store;
        Box inbox;
        for (int n = 0; n < kMessages; ++n) {
            SM_PARAM_DECODE rec = message(n);
            store.insertSmsItem(inbox, rec, "inbox", false);
        }
        store.saveDom();
        IOData contacts;
        contacts.insertGroup("Family");
        contacts.insertGroup("Work");
        for (int n = 0; n < kContacts; ++n) {
            QString name;
            coding(name, QString("Contact %1").arg(n), true);
            Contact c(false, 0, name, QString("+49171%07d").arg(n), "0301234", "",
                      n % 2 ? "Work" : "Family");
            contacts.insertContact(&c, false);
        }
        contacts.saveXmlFile();
    }

    std::vector<Row> rows;
    SmsData store;
    Box inbox;
    rows.push_back(
        measure("messages: load the store (1500 in the inbox)", runs, [] { SmsData s; }));
    rows.push_back(measure("messages: list the inbox", runs, [&] {
        inbox.clear();
        store.getPcAllSmsItem(inbox, "inbox");
    }));
    rows.push_back(measure("messages: write the file", runs, [&] { store.saveDom(); }));
    rows.push_back(measure("messages: read one", runs, [&] {
        SM_PARAM_DECODE rec;
        store.selectSmsItem(rec, "inbox", kMessages / 2);
    }));
    rows.push_back(measure("messages: list + insert one + write", runs, [&] {
        inbox.clear();
        store.getPcAllSmsItem(inbox, "inbox");
        SM_PARAM_DECODE rec = message(9999);
        store.insertSmsItem(inbox, rec, "inbox", true);
    }));
    rows.push_back(measure("messages: delete one + write", runs, [&] {
        store.delSmsItem(inbox.lastKey(), "inbox", true);
        inbox.remove(inbox.lastKey());
    }));
    rows.push_back(measure("messages: list + modify one (mark read) + write", runs, [&] {
        inbox.clear();
        store.getPcAllSmsItem(inbox, "inbox");
        SM_PARAM_DECODE rec = inbox.first();
        const int id = inbox.firstKey();
        rec.state = "read";
        store.modifySmsItem(inbox, rec, id, "inbox");
    }));

    // What arrives: a message, and a part of a long one (kept in the parts file).
    PartStore parts;
    int sender = 0;
    rows.push_back(measure("messages: store an arriving message + write", runs, [&] {
        storeArrivedMessage(store, parts, readMessage(++sender, 0), 3, "new", "new",
                            QDateTime::currentDateTime());
    }));
    rows.push_back(measure("messages: store an arriving part + write parts", runs, [&] {
        storeArrivedMessage(store, parts, readMessage(++sender, 1), 3, "new", "new",
                            QDateTime::currentDateTime());
    }));

    // The page over the full store.
    std::unique_ptr<CShortMsg> page;
    SmsInbox pcOnly(nullptr);
    rows.push_back(measure("page: build it (store loaded)", runs, [&] {
        page = std::make_unique<CShortMsg>(nullptr, "shortmessage", nullptr, &pcOnly);
    }));
    rows.push_back(measure("page: open it (overview with counters)", runs,
                           [&] { page->setGrossDispStatu(); }));
    rows.push_back(
        measure("page: list the inbox in the table", runs, [&] { page->InboxClicked(); }));
    Qt::SortOrder order = Qt::AscendingOrder;
    for (const auto& [name, column] :
         {std::pair{"page: sort the inbox by date", int(CShortMsg::TimeColumn)},
          std::pair{"page: sort the inbox by number", int(CShortMsg::NumberColumn)},
          std::pair{"page: sort the inbox by name", int(CShortMsg::NameColumn)}}) {
        rows.push_back(measure(name, runs, [&, column = column] {
            order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
            page->smsTable->sortByColumn(column, order);
        }));
    }
    page.reset();

    IOData contacts;
    rows.push_back(measure("contacts: load (999)", runs, [] { IOData c; }));
    rows.push_back(measure("contacts: names of all 1500 inbox numbers", runs, [&] {
        for (const SM_PARAM_DECODE& rec : std::as_const(inbox))
            IOData::getNameFromPhone(QString::fromLatin1(rec.TPA));
    }));
    // The phonebook has one free place: each insert is undone, and each
    // delete prepared by an insert, untimed.
    Contact added;
    const auto remove = [&] { contacts.delContact(added, true, [](bool) {}); };
    const auto insert = [&] {
        added = Contact(false, 0, "0041", "123");
        contacts.insertContact(&added, true);
    };
    rows.push_back(measure("contacts: insert one + write", runs, insert, remove));
    rows.push_back(measure("contacts: delete one + write", runs, remove, [&] {
        remove();
        insert();
    }));
    rows.push_back(measure("contacts: modify one + write", runs, [&] {
        Contact old = IOData::pcContactMap.first();
        Contact now = old;
        now.setPhone("+4930999");
        contacts.modifyContact(&old, &now);
    }));
    rows.push_back(measure("contacts: rename a group of 500 + write", runs, [&] {
        contacts.modifyGroup(contacts.hasGroup("Work") ? "Work" : "Office",
                             contacts.hasGroup("Work") ? "Office" : "Work");
    }));

    const double pause = longestPauseLoadingSimList();

    QTextStream out(stdout);
    out << QString("%1 %2 %3\n").arg("action", -52).arg("median ms", 10).arg("max ms", 9);
    for (const Row& r : rows)
        out << QString("%1 %2 %3\n")
                   .arg(r.action, -52)
                   .arg(r.median, 10, 'f', 2)
                   .arg(r.worst, 9, 'f', 2);
    out << "(" << runs << " runs each)\n";
    out << QString("%1 %2\n")
               .arg("event loop: longest pause while the SIM list of 50 loads", -52)
               .arg(pause, 10, 'f', 2);
    return 0;
}
