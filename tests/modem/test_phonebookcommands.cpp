// SIM phonebook commands against the simulator: capacity, reading in blocks
// of 20 locations, writing and erasing.

#include "tests/modem/simlink.h"

using L = SerialThread;

namespace {

// The link believes the SIM phonebook has `size` locations, on the newer
// card or on the older one (which gives a block 2 s).
Step sized(int size, bool newer = true) {
    return [size, newer](L& l, const ModemSim&) {
        l.simPhonebookSize = size;
        l.newPlatform = newer;
        return QString();
    };
}

QString nameLength(L& l, const ModemSim&) {
    return QString::number(l.simNameLength);
}

// The whole phonebook: its first entry and how many there are.
QString book(L& l, const ModemSim&) {
    const auto entries = completion(l, &L::getPhoneBook);
    if (!entries || !*entries)
        return "none";
    return shown((*entries)->value(0)) + QString(" of %1").arg((*entries)->size());
}

} // namespace

class TestPhonebookCommands : public LinkTableTest {
    Q_OBJECT
private slots:
    void commands_data();
    void commands() { runRow(); }
};

void TestPhonebookCommands::commands_data() {
    const Step capacity = ask(&L::simCapacity);
    QStringList blocks;
    for (int first = 1; first <= 250; first += 20)
        blocks << QString("AT+CPBR=%1,%2").arg(first).arg(qMin(first + 19, 250));
    table();
    row("capacity and room for a name", {"ready"}, {capacity, nameLength}, {"AT+CPBR=?"},
        "250, 20");
    row("a smaller SIM", {"ready", "phonebook-size 20", "name-length 14"}, {capacity, nameLength},
        {"AT+CPBR=?"}, "20, 14");
    row("no range given", {"ready", "on AT+CPBR=? reply '+CPBR: 250' OK"}, {capacity, nameLength},
        {"AT+CPBR=?"}, "0, 0");
    row("capacity of a busy SIM", {"ready", "sim-busy 1"}, {capacity}, {"AT+CPBR=?"}, "-1");

    row("250 locations in 13 blocks", {"ready"}, {sized(250), book}, blocks,
        "1 '+491711234567' 145 'Anna Berger' of 5");
    row("names in UCS2", {"ready"}, {ask(&L::setChset, "UCS2"), sized(20), book},
        {"AT+CSCS=\"UCS2\"", "AT+CPBR=1,20"},
        "yes, 1 '+491711234567' 145 '0041006E006E00610020004200650072006700650072' of 5");
    row("the last location of a block, not the next block's",
        {"ready", "contact 20 +4930 Last", "contact 21 +4931 Next"}, {sized(20), book},
        {"AT+CPBR=1,20"}, "1 '+491711234567' 145 'Anna Berger' of 6");
    row("entries of other locations left out",
        {"ready", R"(on AT+CPBR=1,20 reply '+CPBR: 21,"1",129,"x"' '+CPBR: 4,"+4930",129,""' OK)"},
        {sized(20), book}, {"AT+CPBR=1,20"}, "4 '+4930' 129 '' of 1");
    row("a busy SIM ends the reading", {"ready", "sim-busy 1"}, {sized(250), book},
        {"AT+CPBR=1,20"}, "none");
    row("a block of which nothing comes ends the reading", {"ready", "on AT+CPBR=21,40 noreply"},
        {impatient, sized(250), book}, {"AT+CPBR=1,20", "AT+CPBR=21,40"}, "none");
    row("so does a block cut short",
        {"ready", R"(on AT+CPBR=21,40 reply '+CPBR: 21,"+4930",129,"x"')"},
        {sized(40, false), book}, {"AT+CPBR=1,20", "AT+CPBR=21,40"}, "none");
    row("older card with a USIM", {"oldusim"},
        {ask(&L::isNewPlatform), ask(&L::getUSIM), sized(20, false), book},
        {"AT+YCPBR=?", "AT+YCPBM=?", "AT+YUSIM=?", "AT+CPBR=1,20"},
        "no, USIM, 1 '+491711234567' -1 '416E6E6120426572676572' of 5");

    // A change counts only when the card confirms it.
    row("write and erase", {"ready"},
        {ask(&L::insertContact, 9, "+4930123", "004F"), ask(&L::insertContact, 10, "030123", "A"),
         ask(&L::deleteContact, 9)},
        {"AT+CPBW=9,\"+4930123\",145,\"004F\"", "AT+CPBW=10,\"030123\",129,\"A\"", "AT+CPBW=9"},
        "yes, yes, yes");
    row("beyond the SIM", {"ready"}, {ask(&L::insertContact, 300, "1", "A")},
        {"AT+CPBW=300,\"1\",129,\"A\""}, "no");
    row("unanswered", {"ready", "on AT+CPBW=* noreply"},
        {impatient, ask(&L::insertContact, 9, "1", "A"), ask(&L::deleteContact, 5)},
        {"AT+CPBW=9,\"1\",129,\"A\"", "AT+CPBW=5"}, "no, no");
    row("busy SIM", {"ready", "sim-busy 1"}, {ask(&L::insertContact, 9, "1", "A")},
        {"AT+CPBW=9,\"1\",129,\"A\""}, "no");
    row("quotes not sent", {"ready"},
        {ask(&L::insertContact, 9, "1\",129,\"x", "A"), ask(&L::insertContact, 9, "1", "A\"\r\n")},
        {}, "no, no");
}

QTEST_GUILESS_MAIN(TestPhonebookCommands)
#include "test_phonebookcommands.moc"
