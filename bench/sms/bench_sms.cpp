// Times the user actions on a full PC message store (1500 messages in a box)
// and phonebook (1000 contacts), each with the file rewrite it causes, and
// prints a table. Run by hand: build/bin/bench_sms [runs]

#include "app/globals.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "sms/smsdataoperation.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstring>
#include <functional>
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

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTemporaryDir dir;
    basePath = dir.path();
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

    IOData contacts;
    rows.push_back(measure("contacts: load (999)", runs, [] { IOData c; }));
    rows.push_back(measure("contacts: names of all 1500 inbox numbers", runs, [&] {
        for (const SM_PARAM_DECODE& rec : std::as_const(inbox))
            IOData::getNameFromPhone(QString::fromLatin1(rec.TPA));
    }));
    // The phonebook has one free place: each insert is undone, and each
    // delete prepared by an insert, untimed.
    Contact added;
    const auto remove = [&] { contacts.delContact(&added, true); };
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

    QTextStream out(stdout);
    out << QString("%1 %2 %3\n").arg("action", -52).arg("median ms", 10).arg("max ms", 9);
    for (const Row& r : rows)
        out << QString("%1 %2 %3\n")
                   .arg(r.action, -52)
                   .arg(r.median, 10, 'f', 2)
                   .arg(r.worst, 9, 'f', 2);
    out << "(" << runs << " runs each)\n";
    return 0;
}
