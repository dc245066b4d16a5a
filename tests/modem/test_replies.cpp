// The reply readers, one table per reply kind. Rows are replies captured from
// real modems, taken as facts from public test suites and bug reports (the
// row name says where: "MM" ModemManager's modem-helper tests, "gammu" its
// tests/at-* dumps and at-parser tests, "pgsm" python-gsmmodem's modem
// profiles, an issue number for a log in a bug report), and the forms of our
// own card. Each row gives what a correct reader must extract, written out
// as text.

#include "modem/messagesetup.h"
#include "modem/protocol/replies.h"
#include "modem/protocol/tokens.h"
#include "tests/modem/shown.h"

#include <QTest>

// Readers' results as text (see also shown.h).
QString shown(const SignalQuality& q) {
    return QString("%1/%2").arg(q.rssi).arg(q.ber);
}
QString shown(const CurrentOperator& o) {
    return QString("%1 %2 '%3' %4").arg(o.mode).arg(o.format).arg(o.oper).arg(o.act);
}
QString shown(const OwnNumber& n) {
    return QString("'%1' '%2' %3").arg(n.alpha, n.number).arg(n.type);
}
QString shown(const NewMessageNotice& n) {
    return QString("%1 %2").arg(n.storage).arg(n.index);
}
QString shown(const PhonebookRange& p) {
    return QString("%1-%2 %3 %4").arg(p.first).arg(p.last).arg(p.numberLength).arg(p.nameLength);
}
QString shown(const PhonebookStorage& s) {
    return QString("%1 %2/%3").arg(s.storage).arg(s.used).arg(s.total);
}
QString shown(const ErrorReport& e) {
    const char* kind = e.kind == FinalResult::CmeError ? "CME" : "CMS";
    return QString("%1 %2 '%3'").arg(kind).arg(errorCode(e)).arg(e.text);
}
QString shown(FinalResult result) {
    static const char* const names[] = {"none", "OK",         "ERROR",       "CME",
                                        "CMS",  "NO CARRIER", "not support", "prompt"};
    return names[static_cast<int>(result)];
}
QString shown(const UssdNotice& u) {
    return QString("%1 '%2' %3").arg(u.status).arg(QString::fromLatin1(u.text)).arg(u.dcs);
}
QString shown(const NetworkNotice& n) {
    static const char* const kinds[] = {"creg", "cgreg", "cereg"};
    return QString("%1 act=%2 bars=%3%4")
        .arg(n.kind ? QString("%1 %2").arg(kinds[int(*n.kind)]).arg(int(n.registration.stat))
                    : QString("-"))
        .arg(n.act)
        .arg(n.bars ? *n.bars : -1)
        .arg(n.noService ? " no service" : "");
}

namespace {

QString fieldsText(const AtFields& fields) {
    QStringList out;
    for (const AtField& f : fields) {
        switch (f.kind) {
        case AtField::Empty:
            out << "_";
            break;
        case AtField::Bare:
            out << f.text;
            break;
        case AtField::Quoted:
            out << "'" + f.text + "'";
            break;
        case AtField::List:
            out << "(" + fieldsText(f.items) + ")";
            break;
        }
    }
    return out.join(' ');
}

using Render = QString (*)(QByteArrayView);

// A reader's result as text.
template <auto Read> QString show(QByteArrayView r) {
    return shown(Read(r));
}

QString storages(QByteArrayView r) {
    QStringList out;
    for (const StorageUse& s : parseStorageUse(r))
        out << QString("%1%2/%3")
                   .arg(s.name.isEmpty() ? "" : s.name + " ")
                   .arg(s.used)
                   .arg(s.total);
    return out.join(", ") + " free=" + shown(freeMessagePlaces(r));
}
QString storageChoices(QByteArrayView r) {
    const auto choices = parseStorageChoices(r);
    if (!choices)
        return "none";
    QStringList out;
    for (const QStringList& position : *choices)
        out << position.join(' ');
    return out.join(" | ");
}
QString indicationChoices(QByteArrayView r) {
    const auto choices = parseIndicationChoices(r);
    if (!choices)
        return "none";
    QStringList out;
    for (const QList<int>& field : *choices) {
        QStringList values;
        for (const int v : field)
            values << QString::number(v);
        out << values.join(' ');
    }
    return out.join(" | ");
}
// The set-up chosen from a card's "+CPMS=?" and "+CNMI=?" answers: the
// storages selected for the memory, the SIM and the reports, and AT+CNMI.
QString messageSetup(QByteArrayView r) {
    const MessageSetup setup =
        chooseMessageSetup(parseStorageChoices(r), parseIndicationChoices(r));
    const auto named = [](const QByteArray& s) {
        return s.isEmpty() ? "-" : QString(s).remove('"');
    };
    return QString("%1 %2 %3 %4")
        .arg(named(setup.stores.modem), named(setup.stores.sim), named(setup.stores.reports),
             QString(setup.indications));
}
QString modePreference(QByteArrayView r) {
    const auto v = parseModePreference(r);
    return v ? QString("%1,%2,%3").arg((*v)[0]).arg((*v)[1]).arg((*v)[2]) : QString("none");
}
QString readEmpty(QByteArrayView r) {
    return readFoundNoMessage(r) ? "empty" : "unknown";
}
QString standardBook(QByteArrayView r) {
    return shown(parsePhonebookEntries(r, PhonebookForm::Standard));
}
QString extendedBook(QByteArrayView r) {
    return shown(parsePhonebookEntries(r, PhonebookForm::Extended));
}
// Index and name only, for entries whose number is binary garbage.
QString bookNames(QByteArrayView r) {
    QStringList out;
    for (const PhonebookEntry& e : parsePhonebookEntries(r, PhonebookForm::Standard))
        out << QString("%1 '%2'").arg(e.index).arg(e.name);
    return out.join(" | ");
}
template <const char* command> QString identity(QByteArrayView r) {
    return shown(parseIdentity(r, command));
}
constexpr char kCimi[] = "AT+CIMI", kCgmi[] = "AT+CGMI", kCgmr[] = "AT+CGMR";
// The signal bars of the card's answers to "AT+CSQ", one for each received
// strength of the blank-separated list.
QString bars(QByteArrayView list) {
    QStringList out;
    for (const QByteArray& rssi : list.toByteArray().split(' '))
        out << shown(signalBarsOf("AT+CSQ\r\r\n+CSQ: " + rssi + ",99\r\n\r\nOK\r\n"));
    return out.join(' ');
}

QString epsRegistration(QByteArrayView r) {
    const auto state = parseRegistrationReply(r, RegistrationKind::Eps);
    return state ? QString("%1 %2").arg(int(state->stat)).arg(state->act) : QString("none");
}
template <ModeSetting kind> QString choices(QByteArrayView r) {
    return parseModeChoices(r, kind).join(',');
}
template <ModeSetting kind> QString setting(QByteArrayView r) {
    return shown(parseModeSetting(r, kind));
}

constexpr Render signal = show<parseSignalQuality>, currentOperator = show<parseCurrentOperator>,
                 operators = show<parseOperatorList>, listed = show<parseMessageList>,
                 readAt = show<parseReadMessage>, range = show<parsePhonebookRange>,
                 phonebookStorage = show<parsePhonebookStorage>, centre = show<parseServiceCentre>,
                 ownNumbers = show<parseOwnNumbers>, notice = show<parseNewMessageNotice>,
                 storedReport = show<parseStoredReportNotice>,
                 reportPdu = show<parseStatusReportNotice>, error = show<parseErrorReport>,
                 directPdu = show<parseDirectMessageNotice>, finalOf = show<finalResult>,
                 lockState = show<parseFacilityLock>, reference = show<parseMessageReference>,
                 storedIndex = show<parseStoredIndex>, imsi = identity<kCimi>,
                 manufacturer = identity<kCgmi>, revision = identity<kCgmr>, imei = show<parseImei>,
                 firmware = show<parseFirmware>, service = show<parseServiceStatus>,
                 operatorName = show<parseOperatorName>, simState = show<simStateOf>,
                 pinEntry = show<pinEntryOf>, pinChange = show<pinChangeOf>,
                 operatingMode = show<operatingModeOf>, simType = show<simTypeOf>,
                 barsOf = show<signalBarsOf>, messageFormat = show<parseMessageFormat>,
                 newMessageStorage = show<parseNewMessageStorage>, ussd = show<parseUssdNotice>,
                 busy = show<simBusy>, networkNotice = show<parseNetworkNotice>,
                 extendedBars = show<parseExtendedSignalBars>;

struct Row {
    const char* name;
    Render render;
    QByteArray reply;
    QString expected;
};

void addRows(std::initializer_list<Row> rows) {
    QTest::addColumn<void*>("render");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("expected");
    for (const Row& row : rows)
        QTest::newRow(row.name) << reinterpret_cast<void*>(row.render) << row.reply << row.expected;
}

} // namespace

class TestReplies : public QObject {
    Q_OBJECT
private slots:
    // Every table runs through here.
    void reply_data();
    void reply() {
        QFETCH(void*, render);
        QFETCH(QByteArray, reply);
        QFETCH(QString, expected);
        QCOMPARE(reinterpret_cast<Render>(render)(reply), expected);
    }

    void tokenizer_data() {
        QTest::addColumn<QByteArray>("params");
        QTest::addColumn<QString>("fields");
        QTest::newRow("kinds") << QByteArray("1, \"a,b\" ,(1-3),,x y,") << "1 'a,b' (1-3) _ x y _";
        QTest::newRow("parentheses in a string")
            << QByteArray("(2,\"Op (Mobile)\",\"O@\",\"26201\",7)")
            << "(2 'Op (Mobile)' 'O@' '26201' 7)";
        QTest::newRow("nested lists")
            << QByteArray("((\"SM\",\"BM\"),(\"SM\"))") << "(('SM' 'BM') ('SM'))";
        QTest::newRow("unterminated string") << QByteArray("2,1,\"5E25") << "2 1 '5E25'";
        QTest::newRow("unterminated list")
            << QByteArray("(3,\"E-Plus\",\"E)") << "(3 'E-Plus' 'E)')";
        QTest::newRow("empty") << QByteArray("") << "";
        QTest::newRow("only commas") << QByteArray(",,") << "_ _ _";
    }
    void tokenizer() {
        QFETCH(QByteArray, params);
        QFETCH(QString, fields);
        QCOMPARE(fieldsText(splitAtFields(params)), fields);
    }
};

void TestReplies::reply_data() {
    addRows({
        // --- final results and errors -------------------------------------------
        {"final ok", finalOf, "AT+CSQ\r\r\n+CSQ: 11,99\r\n\r\nOK\r\n", "OK"},
        {"final prompt", finalOf, "AT+CMGS=18\r\r\n> ", "prompt"},
        {"final not support", finalOf, "AT+YCPBR=?\r\r\ncommand not support\r\n", "not support"},
        {"final gammu 370 prompt with echoed body", finalOf,
         "AT+CMGS=26\r\r\n> 07913396050096F511000A8160\r\n\r\n+CMS ERROR: 500\r\n", "prompt"},
        {"final none", finalOf, "AT+CSQ\r\r\n+CSQ: 11,99\r\n", "none"},
        {"error MM text", error, "\r\n+CME ERROR: raspberry\r\n", "CME -1 'raspberry'"},
        {"error MM numeric", error, "\r\n+CMS ERROR: 456\r\n", "CMS 456 '456'"},
        {"error MM empty", error, "\r\n+CME ERROR:\r\n", "CME -1 ''"},
        {"error gammu 89", error, "AT+CMGR=24\r\r\n+CMS ERROR: 321\r\n", "CMS 321 '321'"},
        {"error card SIM busy", error, "AT+CPIN?\r\r\n+CME ERROR: SIM busy\r\n",
         "CME 14 'SIM busy'"},
        {"error words in another case", error, "+CME ERROR: sim busy\r\n", "CME 14 'sim busy'"},
        {"error card memory full", error, "+CME ERROR: memory full\r\n", "CME 20 'memory full'"},
        {"error card no service", error, "+CME ERROR: no network service\r\n",
         "CME 30 'no network service'"},
        {"error pgsm 14", error, "+CME ERROR: 14\r\n", "CME 14 '14'"},
        {"error none", error, "AT\r\r\nOK\r\n", "none"},

        // --- signal quality -----------------------------------------------------
        {"csq gammu 126", signal, "AT+CSQ\r\r\n+CSQ: 11,99\r\n\r\nOK\r\n", "11/99"},
        {"csq pgsm no space", signal, "+CSQ:4,0\r\nOK\r\n", "4/0"},
        {"csq pgsm unknown", signal, "+CSQ: 99,99\r\nOK\r\n", "99/99"},
        {"csq pgsm no answer", signal, "OK\r\n", "none"},
        {"csq gammu dispatch error", signal, "AT+CSQ\r\nAT+CSQ\r\n+CME ERROR: 515", "none"},

        // --- current operator -----------------------------------------------------
        {"cops? MM format 0", currentOperator, "+COPS: 1,0,\"CHINA MOBILE\"",
         "1 0 'CHINA MOBILE' -1"},
        {"cops? MM act 7", currentOperator, "+COPS: 1,2,\"46000\",7", "1 2 '46000' 7"},
        {"cops? pgsm name with space", currentOperator, "+COPS: 0,0,\"I OMNITEL\"\r\nOK\r\n",
         "0 0 'I OMNITEL' -1"},
        {"cops? Fibocom no space", currentOperator, "+COPS:0,0,\"MTS RUS\",7\r\n\r\nOK\r\n",
         "0 0 'MTS RUS' 7"},
        {"cops? not registered", currentOperator, "\r\n+COPS: 0\r\n\r\nOK\r\n", "0 -1 '' -1"},
        {"cops? pgsm garbage", currentOperator, "SOME RANDOM RESPONSE\r\nOK\r\n", "none"},

        // --- registration, reports of the card, extended signal, mode settings ------
        {"cereg? MM Novatel E362 blanks", epsRegistration, "+CEREG: 2,1, 1F00, 79D903 ,7\r\nOK",
         "1 7"},
        {"cereg? simulator roaming", epsRegistration,
         "AT+CEREG?\r\r\n+CEREG: 2,5,\"00C3\",\"1A2B3C\",7\r\n\r\nOK\r\n", "5 7"},
        {"cereg? n only", epsRegistration, "+CEREG: 0,2\r\nOK", "2 -1"},
        {"notice creg =1", networkNotice, "+CREG: 1", "creg 1 act=-1 bars=-1"},
        {"notice cereg =2 27.007", networkNotice, "+CEREG: 1,\"00C3\",\"1A2B3C\",7",
         "cereg 1 act=7 bars=-1"},
        {"notice cgreg lost", networkNotice, "+CGREG: 0", "cgreg 0 act=-1 bars=-1"},
        {"notice gammu at.c rssi", networkNotice, "^RSSI:18", "- act=-1 bars=5"},
        {"notice rssi unknown", networkNotice, "^RSSI: 99", "- act=-1 bars=0"},
        {"notice gammu at.c hcsq", networkNotice, "^HCSQ:\"LTE\",59,50,161,24", "- act=7 bars=4"},
        {"notice MM hcsq wcdma", networkNotice, "^HCSQ: \"WCDMA\",30,30,58", "- act=2 bars=3"},
        {"notice MM hcsq unquoted", networkNotice, "^HCSQ: LTE,33,40,135,11", "- act=7 bars=3"},
        {"notice MM hcsq no service", networkNotice, "^HCSQ: \"NOSERVICE\"",
         "- act=-1 bars=0 no service"},
        {"notice gammu at.c mode edge", networkNotice, "^MODE:3,3", "- act=3 bars=-1"},
        {"notice MM mode wcdma hsdpa", networkNotice, "^MODE:5,5", "- act=6 bars=-1"},
        {"notice EC25 manual qind csq", networkNotice, "+QIND: \"csq\",25,99", "- act=-1 bars=5"},
        {"notice EC25 manual qind sms done", networkNotice, "+QIND: SMS DONE", "none"},
        {"notice MM zte zpasr", networkNotice, "+ZPASR: \"HSPA+\"", "- act=6 bars=-1"},
        {"notice MM zte zpasr no service", networkNotice, "+ZPASR: \"No Service\"",
         "- act=-1 bars=-1 no service"},
        {"cesq MM LTE", extendedBars, "+CESQ: 99,99,255,255,20,80\r\nOK", "5"},
        {"cesq MM UMTS", extendedBars, "+CESQ: 99,99,30,20,255,255", "3"},
        {"cesq nothing measured", extendedBars, "+CESQ: 99,99,255,255,255,255", "none"},
        {"ws46=? MM generic", choices<ModeSetting::Ws46>, "+WS46: (12,22,25,28,29)\r\nOK",
         "12,22,25,28,29"},
        {"ws46=? MM range_2", choices<ModeSetting::Ws46>, "+WS46: (12,22,25,28-31)",
         "12,22,25,28,29,30,31"},
        {"ws46=? MM Cinterion no prefix", choices<ModeSetting::Ws46>,
         "AT+WS46=?\r\r\n(12,22,25,28,29)\r\n\r\nOK\r\n", "12,22,25,28,29"},
        {"ws46=? MM Telit LE866", choices<ModeSetting::Ws46>, "+WS46: (28)", "28"},
        {"ws46? 27.007", setting<ModeSetting::Ws46>, "+WS46: 25\r\nOK", "25"},
        {"syscfgex=? MM row 1", choices<ModeSetting::Syscfgex>,
         "^SYSCFGEX: (\"00\",\"03\",\"02\",\"01\",\"99\"),((2000004e80380,\"GSM850/WCDMA2100\"),"
         "(3fffffff,\"All Bands\")),(0-3),(0-4),((800d7,\"LTE_B1/LTE_B3\"))",
         "00,03,02,01,99"},
        {"syscfgex=? MM row 2 LTE preferred", choices<ModeSetting::Syscfgex>,
         "^SYSCFGEX: (\"030201\",\"0302\",\"03\",\"99\"),,(0-3),(0-4),", "030201,0302,03,99"},
        {"syscfgex? MM", setting<ModeSetting::Syscfgex>,
         "^SYSCFGEX: \"00\",3FFFFFFF,1,2,7FFFFFFFFFFFFFFF\r\nOK", "00"},
        {"qcfg=? cwd EG25-G nwscanmode", choices<ModeSetting::ScanMode>,
         "+QCFG: \"nwscanmode\",(0-8),(0,1)\r\n+QCFG: \"nwscanseq\",(00-0102030405),(0,1)\r\nOK",
         "0,1,2,3,4,5,6,7,8"},
        {"qcfg=? cwd EG25-G nwscanseq", choices<ModeSetting::ScanSequence>,
         "+QCFG: \"nwscanmode\",(0-8),(0,1)\r\n+QCFG: \"nwscanseq\",(00-0102030405),(0,1)\r\nOK",
         "00-0102030405"},
        {"qcfg nwscanmode EC25 manual", setting<ModeSetting::ScanMode>,
         "+QCFG: \"nwscanmode\",0\r\nOK", "0"},
        {"qcfg nwscanseq EC25 manual", setting<ModeSetting::ScanSequence>,
         "+QCFG: \"nwscanseq\",0403\r\nOK", "0403"},
        {"zsnt? MM zte", setting<ModeSetting::Zsnt>, "+ZSNT: 6,0,0\r\nOK", "6"},

        // --- operator list ----------------------------------------------------------
        {"cops=? MM samsung z810 comma in name", operators,
         "+COPS: (1,\"T-Mobile USA, "
         "In\",\"T-Mobile\",\"310260\",0),(1,\"AT&T\",\"AT&T\",\"310410\",0),,"
         "(0,1,2,3,4),(0,1,2)",
         "1 'T-Mobile USA, In' 'T-Mobile' 310260 0 | 1 'AT&T' 'AT&T' 310410 0"},
        {"cops=? MM quicksilver", operators,
         "+COPS: "
         "(2,\"AT&T\",\"\",\"310410\",0),(2,\"\",\"\",\"3104100\",2),(1,\"AT&T\",\"\",\"310260\",0)"
         ",,"
         "(0-4),(0-2)",
         "2 'AT&T' '' 310410 0 | 2 '' '' 3104100 2 | 1 'AT&T' '' 310260 0"},
        {"cops=? MM mf627a at sign, trailing comma", operators,
         "+COPS: (2,\"AT&T@\",\"AT&TD\",\"310410\",0),(3,\"Vstream "
         "Wireless\",\"VSTREAM\",\"31026\",0),",
         "2 'AT&T@' 'AT&TD' 310410 0 | 3 'Vstream Wireless' 'VSTREAM' 31026 0"},
        {"cops=? MM tm506 empty long name, misplaced parenthesis", operators,
         "+COPS: (2,\"\",\"T-Mobile\",\"31026\",0),(2,\"T - Mobile\",\"T - Mobile\",\"310260\"),2),"
         "(1,\"AT&T\",\"AT&T\",\"310410\"),0)",
         "2 '' 'T-Mobile' 31026 0 | 2 'T - Mobile' 'T - Mobile' 310260 -1 | 1 'AT&T' 'AT&T' 310410 "
         "-1"},
        {"cops=? MM motoc no act", operators,
         "+COPS: (2,\"T-Mobile\",\"\",\"310260\"),(0,\"Cingular Wireless\",\"\",\"310410\")",
         "2 'T-Mobile' '' 310260 -1 | 0 'Cingular Wireless' '' 310410 -1"},
        {"cops=? MM n80 short name left out", operators,
         "+COPS: (2,\"T - Mobile\",,\"31026\"),(1,\"Einstein PCS\",,\"31064\"),,(0,1,3),(0,2)",
         "2 'T - Mobile' '' 31026 -1 | 1 'Einstein PCS' '' 31064 -1"},
        {"cops=? MM n2720 line break in the list", operators,
         "+COPS: (2,\"T - "
         "Mobile\",,\"31026\",0),\r\n(1,\"AT&T\",,\"310410\",0),,(0,1,3),(0,2)\r\n\r\nOK\r\n",
         "2 'T - Mobile' '' 31026 0 | 1 'AT&T' '' 310410 0"},
        {"cops=? MM xu870 one line per operator", operators,
         "+COPS: (0,\"AT&T MicroCell\",\"AT&T MicroCell\",\"310410\",2)\r\n"
         "+COPS: (1,\"T-Mobile\",\"TMO\",\"31026\",0)\r\n",
         "0 'AT&T MicroCell' 'AT&T MicroCell' 310410 2 | 1 'T-Mobile' 'TMO' 31026 0"},
        {"cops=? MM em9191 modes follow without a gap", operators,
         "+COPS: (1,\"Telekom.de\",\"TDG\",\"26201\",12),(1,\"o2 - de\",\"o2 - de\",\"26203\",7)"
         "(0,1,2,3,4),(0,1,2)",
         "1 'Telekom.de' 'TDG' 26201 12 | 1 'o2 - de' 'o2 - de' 26203 7"},
        {"cops=? MM gsm invalid", operators, "+COPS: (0,1,2,3),(1,2,3,4)", ""},
        {"cops=? owntracks 80 cut short", operators,
         "+COPS: (1,\"Vodafone.de\",\"\",\"26202\",2),(3,\"T-Mobile D\",\"TMO D\",\"26201\",2),"
         "(3,\"E-Plus\",\"E)",
         "1 'Vodafone.de' '' 26202 2 | 3 'T-Mobile D' 'TMO D' 26201 2"},
        {"cops=? MM ublox UCS2 names stay hex", operators,
         "+COPS: "
         "(2,\"004D006F007600690073007400610072\",\"004D006F0076\",\"00320031003400300037\",7)",
         "2 '004D006F007600690073007400610072' '004D006F0076' 00320031003400300037 7"},
        {"cops=? card list", operators,
         "AT+COPS=?\r\r\n+COPS: (2,\"Tolva Mobile\",\"Tolva\",\"26299\",2),(3,\"Brask, Net "
         "(DE)\",\"Brask\","
         "\"26298\",0),,(0-4),(0-2)\r\n\r\nOK\r\n",
         "2 'Tolva Mobile' 'Tolva' 26299 2 | 3 'Brask, Net (DE)' 'Brask' 26298 0"},

        // --- message storages ---------------------------------------------------------
        {"cpms gnokii 1 query", storages,
         "AT+CPMS?\r\r\n+CPMS: \"ME\",2,20,\"SM\",2,10,\"SM\",2,10\r\n\r\nOK\r",
         "ME 2/20, SM 2/10, SM 2/10 free=8"},
        {"cpms MM spaces", storages, "+CPMS: \"MT\", 0, 100, \"MT\", 0, 100, \"MT\", 0, 100",
         "MT 0/100, MT 0/100, MT 0/100 free=100"},
        {"cpms gammu 126 set answer", storages,
         "AT+CPMS=\"ME\",\"ME\"\r\r\n+CPMS: 0,23,0,23,0,50\r\n\r\nOK\r\n",
         "0/23, 0/23, 0/50 free=50"},
        {"cpms at-messages-parser one storage named", storages, "\r\n+CPMS: \"SM\",65,100\r\n",
         "SM 65/100 free=35"},
        {"cpms gammu 680 full", storages, "+CPMS: 20,20,20,20,18,30",
         "20/20, 20/20, 18/30 free=12"},
        {"cpms pgsm two storages", storages, "+CPMS: 14,50,14,50\r\nOK\r\n",
         "14/50, 14/50 free=36"},
        {"cpms gammu one storage", storages, "+CPMS: 1,5000\r", "1/5000 free=4999"},
        {"cpms gammu zte echo glued", storages,
         "ATE0+CPMS?\r\n+CPMS: \"ME\", 0, 50, \"ME\", 0, 50, \"ME\", 0, 50\r\n\r\nOK\r\n",
         "ME 0/50, ME 0/50, ME 0/50 free=50"},
        {"cpms pgsm nokia empty fields", storages, "+CPMS: ,,,,,,,,\r\nOK\r\n", " free=none"},
        {"cpms test form is no use", storages,
         "+CPMS: (\"SM\",\"ME\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")", " free=none"},
        {"cpms=? MM cinterion", storageChoices,
         "+CPMS: (\"ME\",\"MT\"),(\"ME\",\"SM\",\"MT\"),(\"SM\",\"MT\")",
         "ME MT | ME SM MT | SM MT"},
        {"cpms=? MM huawei MU609 without lists", storageChoices, "+CPMS: \"ME\",\"MT\",\"SM\"",
         "ME | MT | SM"},
        {"cpms=? MM mixed spaces", storageChoices,
         "+CPMS:     (  \"ME\"  ,  \"MT\"  )   ,  \"ME\" ,   (  \"SM\"  )", "ME MT | ME | SM"},
        {"cpms=? MM empty fields", storageChoices, "+CPMS: (),,(  )", " |  | "},
        {"cpms query is no choice", storageChoices,
         "AT+CPMS?\r\r\n+CPMS: \"ME\",2,20,\"SM\",2,10,\"SM\",2,10\r\n\r\nOK\r", "none"},
        {"cnmi=? symbian sms test script", indicationChoices,
         "AT+CNMI=?\r\n+CNMI: (0-2),(0,1,3),(0),(0),(0,1)\r\nOK\r\n",
         "0 1 2 | 0 1 3 | 0 | 0 | 0 1"},
        {"cnmi=? pgsm nokia refused", indicationChoices, "ERROR\r\n", "none"},
        {"cnmi? settings are no choices", indicationChoices, "+CNMI: 2,1,0,0,0\r\nOK\r\n", "none"},
        {"setup gammu smsd huawei E303", messageSetup,
         "+CPMS: (\"ME\",\"MT\",\"SM\",\"SR\"),(\"ME\",\"MT\",\"SM\",\"SR\"),(\"ME\",\"SM\")\r",
         "ME,ME,ME SM,SM,ME SR 2,1,0,2,0"},
        {"setup MM cinterion, symbian indications", messageSetup,
         "+CPMS: (\"ME\",\"MT\"),(\"ME\",\"SM\",\"MT\"),(\"SM\",\"MT\")\r\n"
         "+CNMI: (0-2),(0,1,3),(0),(0),(0,1)",
         "MT,MT,MT - - 2,1,0,0,0"},
        {"setup MM nokia C6 nothing offered", messageSetup, "+CPMS: (),(),()\r\nERROR",
         "ME,ME,ME SM,SM,SM SR 2,1,0,2,0"},

        // --- message lists and reads (PDU mode) ------------------------------------------
        {"cmgl gammu 126 alpha empty", listed,
         "AT+CMGL=4\r\r\n+CMGL: "
         "0,0,,23\r\n07913366003051F5040B913366304381F900005180719120348004D4F29C0E\r\n\r\nOK\r\n",
         "0 0 '' 23 079133660030"},
        {"cmgl MM pantech no alpha", listed,
         "+CMGL: "
         "17,3,"
         "35\r\n079100F40D1101000F001000B917118336058F300001954747A0E4ACF41F27298CDCE83C6EF371B0402"
         "814020",
         "17 3 '' 35 079100F40D11"},
        {"cmgl gammu alpha quoted empty", listed,
         "+CMGL: 1,0,\"\",23\r\n07918497483252F0040B918496445078F700007121320144744004D4F29C0E\r\n",
         "1 0 '' 23 079184974832"},
        {"cmgl gammu no space", listed, "+CMGL:1,0,,26\r\n0791AB\r\n", "1 0 '' 26 0791AB"},
        {"cmgl gammu 156 empty", listed, "AT+CMGL=4\r\r\nOK\r\n", ""},
        {"cmgl several, test form skipped", listed,
         "\r\n+CMGL: 0,1,,22\r\n07913306007110811094904003CF7A1A\r\n+CMGL: 4,0,,24\r\n"
         "07976499200007110815063404005CF7AFAFD06\r\n\r\nOK\r\n",
         "0 1 '' 22 079133060071 | 4 0 '' 24 079764992000"},
        {"cmgl entry without a PDU", listed, "+CMGL: 1,5,,20\r\n0791\r\n+CMGL: 2,0,,20",
         "1 5 '' 20 0791"},
        {"cmgr MM telit quoted alpha", readAt,
         "+CMGR: 0,\"\",50\r\n07916163838428F9040B916121021021F700005190514164220A23C4B0BCFD5E8740",
         "-1 0 '' 50 079161638384"},
        {"cmgr gammu at-sms 07 no alpha", readAt,
         "AT+CMGR=0\n+CMGR: "
         "0,23\n0791534850020200040C9153486507895500006090608164138004D4F29C0E\nOK\n",
         "-1 0 '' 23 079153485002"},
        {"cmgr gammu at-sms 26 index first", readAt,
         "AT+CMGR=4\n+CMGR: 4,1,,151\n0791539111161616640C\nOK\n", "-1 1 '' 151 079153911116"},
        {"cmgr gammu at-sms 38 length only", readAt,
         "AT+CMGR=1\n+CMGR: 24\n079124602009999006B409\nOK\n", "-1 -1 '' 24 079124602009"},
        {"cmgr gammu at-sms 39 status empty", readAt,
         "AT+CMGR=91\n+CMGR: ,,92\n07914336120011F1\nOK\n", "-1 -1 '' 92 079143361200"},
        {"cmgr gammu at-sms 04 stray quote", readAt,
         "AT+CMGR=1\n+CMGR: 1,,156\n0791A6A301\"\r\nOK\n", "-1 1 '' 156 0791A6A301"},
        {"cmgr gammu at-sms 41 lower case", readAt,
         "+CMGR: 0,,93\n0041000b817777777777f700005d\nOK\n", "-1 0 '' 93 0041000B8177"},
        {"cmgr pgsm alpha unquoted", readAt,
         "+CMGR: 0,Test User 123,29\r\n06917228195339040A9110325476980000\r\nOK\r\n",
         "-1 0 'Test User 123' 29 069172281953"},
        {"cmgr gammu 89 empty location", readAt, "AT+CMGR=6\r\r\nOK\r\n", "none"},
        {"cmgr header without PDU", readAt, "AT+CMGR=3\r\r\n+CMGR: 0,,24\r\n\r\nOK\r\n", "none"},
        // Whether a failed read may be tried again: only an empty place or a
        // refused index say that nothing is there.
        {"cmgr empty place", readEmpty, "AT+CMGR=6\r\r\nOK\r\n", "empty"},
        {"cmgr invalid index", readEmpty, "AT+CMGR=24\r\r\n+CMS ERROR: 321\r\n", "empty"},
        {"cmgr a message", readEmpty, "+CMGR: 0,,22\r\n07913306007110811094904003CF7A1A\r\nOK\r\n",
         "unknown"},
        {"cmgr SIM failure", readEmpty, "AT+CMGR=2\r\r\n+CMS ERROR: 313\r\n", "unknown"},
        {"cmgr SIM busy in words", readEmpty, "+CME ERROR: SIM busy\r\n", "unknown"},
        {"cmgr plain error", readEmpty, "AT+CMGR=2\r\r\nERROR\r\n", "unknown"},
        {"cmgr no answer", readEmpty, "", "unknown"},
        {"cmgr cut short", readEmpty, "AT+CMGR=2\r\r\n+CMGR: 0,,24\r\n0791", "unknown"},

        // --- notices and references -----------------------------------------------------
        {"cmti pgsm 44", notice, "+CMTI: \"SM\",7", "SM 7"},
        {"cmti recorded parameters", notice, "\"ME\",12", "ME 12"},
        {"cmti serialport-gsm 92", notice, "\r\n+CMTI: \"ME\",67\r\n", "ME 67"},
        {"cmti LilyGO not stored", notice, "+CMTI: ,-1", "none"},
        {"cmti at-messages-parser index -1", notice, "\r\n+CMTI: \"SM\",-1\r\n", "none"},
        {"cmgs pgsm 44", reference, "\r\n+CMGS: 64\r\n\r\nOK\r\n", "64"},
        {"cmgs reference beyond an octet", reference, "\r\n+CMGS: 256\r\n\r\nOK\r\n", "none"},
        {"cdsi stored report", storedReport, "\r\n+CDSI: \"SR\",3\r\n", "SR 3"},
        {"cmti is no cdsi", storedReport, "+CMTI: \"SM\",3", "none"},
        {"cds chinese card", reportPdu,
         "+CDS: 26\r\n0891683108608805F906750D91683109731147F4313050913492003130509134430000",
         "0891683108608805F906750D91683109731147F4313050913492003130509134430000"},
        {"cds nrf91 without service centre", reportPdu,
         "+CDS: 24\r\n06550A912143658709122022118314801220221183148000",
         "0006550A912143658709122022118314801220221183148000"},
        {"cmt gammu smsd huawei E303", directPdu,
         "+CMT: ,23\r07918497483252F0040B918496445078F700007121320144744004D4F29C0E\r",
         "07918497483252F0040B918496445078F700007121320144744004D4F29C0E"},
        {"cmt text mode form", directPdu,
         "+CMT: \"8613923887347\", ,\"2012/04/13 17:47:14+32\"\r\n007400654F60597D00730074FF01",
         "none"},
        {"cds text mode form", reportPdu,
         "+CDS: 6,238,\"910138725\",129,\"19/12/21,00:04:39+00\",\"19/12/21,00:04:41+00\",0",
         "none"},
        {"cds pdu line missing", reportPdu, "+CDS: 26\r\n", "none"},
        {"cmgw card", storedIndex, "AT+CMGW=24,3\r\r\n> 07...\x1a\r\n+CMGW: 4\r\n\r\nOK\r\n", "4"},

        // --- SIM phonebook -----------------------------------------------------------------
        {"cpbr card SIM busy", busy, "AT+CPBR=1,20\r\r\n+CME ERROR: SIM busy\r\n", "yes"},
        {"cpbr busy 14", busy, "+CME ERROR: 14\r\n", "yes"},
        {"cpbr not found is no busy", busy, "+CME ERROR: 22\r\n", "no"},
        {"cpbr gammu ucs2 empty number and type", standardBook,
         "AT+CPBR=6\n+CPBR: 6,\"\",,\"005300740061006E006C00650079\"\nOK\n",
         "6 '' -1 '005300740061006E006C00650079'"},
        {"cpbr gammu nokia trailing fields", standardBook,
         "+CPBR: 16,\"\",,\"00530074\",,,,,,,\nOK\n", "16 '' -1 '00530074'"},
        {"cpbr gammu motorola unquoted name", standardBook,
         "+CPBR: 419,\"030450566735\",129,56697263686F7700\nOK\n",
         "419 '030450566735' 129 '56697263686F7700'"},
        {"cpbr gammu samsung line break in the number", bookNames,
         "AT+CPBR=241\r\r\n+CPBR: 241,\"\x0E\x04\n\xA1$_   \",129,\"O2 AsistZahr\",0\r\nOK\r\n",
         "241 'O2 AsistZahr'"},
        {"cpbr gammu at-parser e-mail as number", standardBook,
         "+CPBR: 212,\"mlaubner@web.de\",128,004D0061006E",
         "212 'mlaubner@web.de' 128 '004D0061006E'"},
        {"cpbr Multi-Tech block, no space", standardBook,
         "+CPBR: 12,\"112\",129,\"Emergency\"\r\n+CPBR: "
         "13,\"+331290909\",145,\"Fred\"\r\n+CPBR:10,\"0146290921\",129,\"Rob\"\r\nOK\r\n",
         "12 '112' 129 'Emergency' | 13 '+331290909' 145 'Fred' | 10 '0146290921' 129 'Rob'"},
        {"cpbr card name with comma", standardBook,
         "+CPBR: 3,\"0301234567\",129,\"Office, 2nd floor\"\r\n",
         "3 '0301234567' 129 'Office, 2nd floor'"},
        {"cpbr wammu 27 empty location", standardBook, "AT+CPBR=1\r\r\nOK\r\n", ""},
        {"ycpbr card older generation", extendedBook,
         "AT+CPBR=1,20\r\r\n+YCPBR: 1,\"+4917012345\",\"8000410042\"\r\n+YCPBR: "
         "7,\"112\",\"\"\r\n\r\nOK\r\n",
         "1 '+4917012345' -1 '8000410042' | 7 '112' -1 ''"},
        {"cpbr range gammu at-parser", range, "+CPBR: (1-250),50,14,,,,40,20", "1-250 50 14"},
        {"cpbr range wammu 27 one place", range, "AT+CPBR=?\r\r\n+CPBR: (1-1),40,20\r\n\r\nOK\r\n",
         "1-1 40 20"},
        {"cpbr range card", range, "AT+CPBR=?\r\r\n+CPBR: (1-250),40,14\r\n\r\nOK\r\n",
         "1-250 40 14"},
        {"cpbr range entry is no range", range, "+CPBR: 1,\"112\",129,\"SOS\"", "none"},
        {"cpbs wammu 44", phonebookStorage, "AT+CPBS?\r\r\n+CPBS: \"ON\",0,1\r\n\r\nOK\r\n",
         "ON 0/1"},
        {"cpbs storage only", phonebookStorage, "+CPBS: \"SM\"", "SM -1/-1"},

        // --- service centre, own number ----------------------------------------------------
        {"csca gammu 02", centre, "AT+CSCA?\n+CSCA: \"+79168999100\",145\nOK\n",
         "'+79168999100' 145"},
        {"csca gammu 01 UCS2 unquoted", centre, "+CSCA: 002B0039003700320035,145\nOK\n",
         "'002B0039003700320035' 145"},
        {"csca gammu failing 04 empty", centre, "AT+CSCA?\n+CSCA: \"\",129\nOK\n", "'' 129"},
        {"csca pgsm unknown", centre, "OK\r\n", "none"},
        {"cnum MM unquoted alpha, three lines", ownNumbers,
         "+CNUM: something,\"+34600000001\",145\r\n+CNUM: ,\"+34600000002\",145\r\n+CNUM: "
         "\"another\",\"1234567890\",161",
         "'something' '+34600000001' 145 | '' '+34600000002' 145 | 'another' '1234567890' 161"},
        {"cnum serialport-gsm 124", ownNumbers, "+CNUM: \"OwnNumber\",\"+447562567063\",145",
         "'OwnNumber' '+447562567063' 145"},

        // --- SIM state, identity ---------------------------------------------------------------
        {"clck chan-dongle 79", lockState, "AT+CLCK=\"SC\",2\r\r\n+CLCK: 1\r\n\r\nOK\r\n", "1"},
        {"cimi pgsm k3715 bare line", imsi, "AT+CIMI\r\r\n111111111111111\r\nOK\r\n",
         "111111111111111"},
        {"cgmi gammu 841 prefix and quotes", manufacturer,
         "AT+CGMI\r\r\n+CGMI: \"Marvell\"\r\n\r\nOK\r\n", "Marvell"},
        {"cgmr pgsm wavecom error", revision, "ERROR\r\n", "none"},
        {"imei TinyGSM 444 prefix and quotes", imei,
         "AT+CGSN\r\r\n+CGSN: \"869777028421538\"\r\n\r\nOK\r\n", "869777028421538"},
        {"imei MM serial after a comma", imei, "\n129512359199159,SE393939TS\n", "129512359199159"},
        {"imei perl5-device-gsm 24 CR only", imei, "AT+CGSN\r888888888888888\r\rOK\r",
         "888888888888888"},
        {"imei LilyGO 195 error", imei, "AT+CGSN\r\r\n+CME ERROR: memory failure\r\n", "none"},
        {"firmware pgsm qualcomm", firmware,
         "AT+CGMR\r\r\nM6280_V1.0.0 M6280_V1.0.0 1 [Sep 4 2008 12:00:00]\r\nOK\r\n",
         "M6280_V1.0.0"},
        {"firmware pgsm nokia several lines", firmware,
         "V ICPR72_08w44.1\r\n24-11-08\r\nRM-348\r\nOK\r\n", "V"},

        // --- the card's own status answers ----------------------------------------------------
        {"ypas card", service, "AT+YPAS?\r\r\n+YPAS: \"UMTS\",\"CS_PS\"\r\n\r\nOK\r\n",
         "UMTS/CS_PS"},
        {"ydon card name with comma", operatorName,
         "AT+YDON?\r\r\n+YDON: \"Tolva, Mobile (DE)\"\r\n\r\nOK\r\n", "Tolva, Mobile (DE)"},
        {"ysnt card", modePreference, "AT+YSNT?\r\r\n+YSNT: 2,0,0\r\n\r\nOK\r\n", "2,0,0"},

        // --- outcomes of SIM commands, in the card's words and as numbers (AT+CMEE=1) --
        {"sim gammu 126 ready", simState, "AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n", "ready"},
        {"sim pgsm 117 no space", simState, "+CPIN:READY\r\nOK\r\n", "ready"},
        {"sim MM quoted PIN", simState, "+CPIN: \"SIM PIN\"", "PIN"},
        {"sim card PUK", simState, "AT+CPIN?\r\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n", "PUK"},
        {"sim MM PH-NET is no SIM state", simState, "+CPIN: PH-NET PIN", "unknown"},
        {"sim LilyGO not inserted", simState, "AT+CPIN?\r\r\n+CME ERROR: SIM not inserted\r\n",
         "not inserted"},
        {"sim not inserted 10", simState, "AT+CPIN?\r\r\n+CME ERROR: 10\r\n", "not inserted"},
        {"sim PIN required 11", simState, "+CME ERROR: 11\r\n", "PIN"},
        {"sim PUK required 12", simState, "+CME ERROR: 12\r\n", "PUK"},
        {"sim card failure", simState, "+CME ERROR: SIM failure\r\n", "failure"},
        {"sim failure 13", simState, "+CME ERROR: 13\r\n", "failure"},
        {"sim wrong 15", simState, "+CME ERROR: 15\r\n", "failure"},
        {"sim card busy", simState, "AT+CPIN?\r\r\n+CME ERROR: SIM busy\r\n", "busy"},
        {"sim pgsm busy 14", simState, "+CME ERROR: 14\r\n", "busy"},
        {"sim plain error", simState, "AT+CPIN?\r\r\nERROR\r\n", "unknown"},
        {"sim no answer", simState, "", "unknown"},
        {"pin accepted", pinEntry, "AT+CPIN=\"1234\"\r\r\nOK\r\n", "accepted"},
        {"pin card wrong", pinEntry, "AT+CPIN=\"1\"\r\r\n+CME ERROR: incorrect password\r\n",
         "wrong"},
        {"pin wrong 16", pinEntry, "+CME ERROR: 16\r\n", "wrong"},
        {"pin card then PUK", pinEntry, "+CME ERROR: SIM PUK required\r\n", "PUK"},
        {"pin then PUK 12", pinEntry, "+CME ERROR: 12\r\n", "PUK"},
        {"pin PUK in a state line", pinEntry, "+CPIN: SIM PUK\r\n\r\nERROR\r\n", "PUK"},
        {"puk card blocked", pinEntry, "+CME ERROR: SIM failure\r\n", "failure"},
        {"puk blocked 13", pinEntry, "+CME ERROR: 13\r\n", "failure"},
        {"pin refused as such", pinEntry, "AT+CPIN=\"1\"\r\r\nERROR\r\n", "error"},
        {"pin no answer", pinEntry, "AT+CPIN=\"1\"\r\r\n", "no answer"},
        {"cpwd changed", pinChange, "AT+CPWD=\"SC\",\"1\",\"2\"\r\r\nOK\r\n", "changed"},
        {"cpwd card wrong", pinChange, "+CME ERROR: incorrect password\r\n", "wrong"},
        {"cpwd wrong 16", pinChange, "+CME ERROR: 16\r\n", "wrong"},
        {"cpwd card PUK", pinChange, "+CME ERROR: SIM PUK required\r\n", "PUK"},
        {"cpwd PUK 12", pinChange, "+CME ERROR: 12\r\n", "PUK"},
        {"cpwd card lock off", pinChange, "+CME ERROR: operation not allowed\r\n", "not allowed"},
        {"cpwd lock off 3", pinChange, "+CME ERROR: 3\r\n", "not allowed"},
        {"cpwd plain error", pinChange, "ERROR\r\n", "wrong"},
        {"yusim card SIM", simType, "AT+YUSIM=?\r\r\n+YUSIM: 0\r\n\r\nOK\r\n", "SIM"},
        {"yusim card USIM", simType, "AT+YUSIM=?\r\r\n+YUSIM: 1\r\n\r\nOK\r\n", "USIM"},
        {"yusim card busy", simType, "AT+YUSIM=?\r\r\n+CME ERROR: SIM busy\r\n", "busy"},
        {"yusim busy 14", simType, "AT+YUSIM=?\r\r\n+CME ERROR: 14\r\n", "busy"},
        {"yusim error", simType, "AT+YUSIM=?\r\r\nERROR\r\n", "unknown"},
        {"yoprt card online", operatingMode, "AT+YOPRT?\r\r\n+YOPRT: 5\r\n\r\nOK\r\n", "online"},
        {"yoprt card offline", operatingMode, "AT+YOPRT?\r\r\n+YOPRT: 6\r\n\r\nOK\r\n", "offline"},
        {"yoprt error", operatingMode, "AT+YOPRT?\r\r\nERROR\r\n", "unknown"},
        {"yoprt SIM failure", operatingMode, "AT+YOPRT?\r\r\n+CME ERROR: 13\r\n", "unknown"},

        // --- signal bars by the received strength --------------------------------------
        {"bars by received strength", bars, "0 1 6 7 9 10 12 13 16 17 31 32 99",
         "0 1 1 2 2 3 3 4 4 5 5 0 0"},
        {"bars of a leading zero or text: no value", bars, "05 x", "0 0"},
        {"bars refused", barsOf, "AT+CSQ\r\r\nERROR\r\n", "-1"},

        // --- message settings --------------------------------------------------------------
        {"cmgf PDU", messageFormat, "AT+CMGF?\r\r\n+CMGF: 0\r\n\r\nOK\r\n", "0"},
        {"cmgf pgsm text", messageFormat, "+CMGF: 1\r\nOK\r\n", "1"},
        {"cmgf out of range", messageFormat, "+CMGF: 2\r\nOK\r\n", "none"},
        {"cmgf error", messageFormat, "AT+CMGF?\r\r\nERROR\r\n", "none"},
        {"ysmsd card modem memory", newMessageStorage, "AT+YSMSD?\r\r\n+YSMSD: 2\r\n\r\nOK\r\n",
         "2"},
        {"ysmsd card SIM", newMessageStorage, "+YSMSD: 0\r\n", "0"},
        {"ysmsd out of range", newMessageStorage, "+YSMSD: 3\r\n", "none"},
        {"ysmsd error", newMessageStorage, "AT+YSMSD?\r\r\nERROR\r\n", "none"},

        // --- answers to service codes -----------------------------------------------------------
        {"cusd RouterOS packed, blank before dcs", ussd,
         "+CUSD: 0,\"EBB79B1E0685E9ECF4BADE9E03\", 0", "0 'EBB79B1E0685E9ECF4BADE9E03' 0"},
        {"cusd plain text dcs 64", ussd,
         "\r\n+CUSD: 0,\"Your account balance is 49.10 USD and will expire on 04/03/16.\",64\r\n",
         "0 'Your account balance is 49.10 USD and will expire on 04/03/16.' 64"},
        {"cusd Airtel status only", ussd, "+CUSD: 4", "4 '' -1"},
        {"cusd UCS2 dcs 72", ussd, "+CUSD: 0,\"0421043F0430044104380431043E\",72",
         "0 '0421043F0430044104380431043E' 72"},
        {"cusd menu over line ends, OK after it", ussd,
         "+CUSD: 1,\"Menu\r\n1 Balance, 2 Data\",15\r\n\r\nOK\r\n",
         "1 'Menu\r\n1 Balance, 2 Data' 15"},
        {"cusd status out of range", ussd, "+CUSD: 9,\"x\",15", "none"},
        {"cusd no status", ussd, "+CUSD: ,\"x\",15", "none"},
    });
}

QTEST_GUILESS_MAIN(TestReplies)
#include "test_replies.moc"
