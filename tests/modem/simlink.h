#pragma once

// Tables of the link's commands against the simulator: each row starts a
// card, takes steps (command methods, looks at what the card stored), and
// states what the card was sent and what the steps got.

#include "modem/serialthread.h"
#include "tests/modem/shown.h"
#include "tests/modemsim/controlwords.h"
#include "tests/support/awaitdone.h"
#include "tests/support/modemsim.h"

#include <QTest>

#include <memory>
#include <tuple>
#include <vector>

inline QString shown(const MessageRead& read) {
    if (read.message)
        return shown(*read.message);
    return read.empty ? "empty" : read.answered ? "failed" : "no answer";
}
template <typename T> QString shown(const AtAnswer<T>& answer) {
    return answer.value                         ? shown(*answer.value)
           : answer.result != FinalResult::None ? "none"
                                                : "no answer";
}

template <typename F> struct CompletionOf;
template <typename T> struct CompletionOf<std::function<void(T)>> { using Value = T; };

// Calls a command method of `link` with `args` and waits for its
// completion: its result, nothing when it never ran.
template <typename... Params, typename... Args>
auto completion(SerialThread& link, void (SerialThread::*method)(const AtCaller&, Params...),
                Args&&... args) {
    using Done = std::tuple_element_t<sizeof...(Params) - 1, std::tuple<Params...>>;
    using T = typename CompletionOf<Done>::Value;
    return awaitDone<T>(
        [&](Done done) { (link.*method)({&link}, std::forward<Args>(args)..., done); }, 40000);
}

// The same as text, "no completion" when it never ran.
template <typename... Params, typename... Args>
QString await(SerialThread& link, void (SerialThread::*method)(const AtCaller&, Params...),
              Args&&... args) {
    const auto value = completion(link, method, std::forward<Args>(args)...);
    return value ? shown(*value) : QString("no completion");
}

// A step of a row: what it got as text (nothing to show: empty).
using Step = std::function<QString(SerialThread&, const ModemSim&)>;

// A command method with its arguments.
template <typename Method, typename... Args> Step ask(Method method, Args... args) {
    return [=](SerialThread& link, const ModemSim&) { return await(link, method, args...); };
}

// The number of messages the card keeps in `storage`.
inline Step stored(const QString& storage) {
    return [storage](SerialThread&, const ModemSim& sim) {
        return QString::number(
            sim.control({"messages", storage}).split('\n', Qt::SkipEmptyParts).size());
    };
}

// The link gives up on a silent card within 200 ms.
inline QString impatient(SerialThread& link, const ModemSim&) {
    link.firstByteTimeoutMs = 200;
    return {};
}

struct LinkRow {
    QStringList card; // the scenario, then control commands of the simulator
    QList<Step> steps;
    QStringList sent; // what the card received, after the link put its echo on
    QString result;   // what the steps got, joined by ", "
};

// Base of the test classes that drive the modem link against the simulator.
class SimLinkTest : public QObject {
protected:
    ModemSim sim;
    std::unique_ptr<SerialThread> link;

    // Starts the simulator with `scenario` and opens a fresh link on its AT port.
    bool startWith(const QString& scenario) {
        link.reset();
        // The ping makes sure the simulator has settled before the port opens.
        if (!sim.start(scenario) || !sim.command({"ping"}))
            return false;
        link = std::make_unique<SerialThread>(nullptr);
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        if (link->openPort(sim.atPort()) < 0)
            return false;
        // The link sets the card's echo first; the tables look at what follows.
        if (!QTest::qWaitFor([this] { return link->idle(); }, 5000))
            return false;
        sim.forgetTranscript();
        return true;
    }

    // The last command line the simulator received.
    QString lastSent() const { return sim.received().value(sim.received().size() - 1); }
};

// A test of tables of LinkRow.
class LinkTableTest : public SimLinkTest {
protected:
    std::vector<LinkRow> rows;

    // Begins a table of rows.
    static void table() { QTest::addColumn<size_t>("row"); }
    void row(const char* name, QStringList card, QList<Step> steps, QStringList sent,
             QString result) {
        QTest::newRow(name) << rows.size();
        rows.push_back({std::move(card), std::move(steps), std::move(sent), std::move(result)});
    }

    void runRow() {
        QFETCH(size_t, row);
        const LinkRow& r = rows[row];
        QVERIFY(startWith(r.card.value(0)));
        for (const QString& command : r.card.mid(1))
            QVERIFY2(sim.command(controlWords(command)), qPrintable(command));
        QStringList got;
        for (const Step& step : r.steps) {
            const QString result = step(*link, sim);
            if (!result.isEmpty())
                got << result;
        }
        QCOMPARE(got.join(", "), r.result);
        QCOMPARE(sim.received(), r.sent);
    }
};
