#pragma once

// Every AT command the program sends, declared once: its text, its time
// budget and how its reply is classified (the result codes of at_code.h).
// The command methods of the modem link build their lines from here, and the
// classifier Parse_At_Res takes its echo table from here, in this table's
// order.

#include <QByteArray>

#include <array>
#include <string_view>

enum class AtCmd {
    Attention,              // "AT"
    SelectStorage,          // "AT+CPMS=" storages
    StorageQuery,           // "AT+CPMS?"
    StopScroll,             // bare "AT+CPMS" (answered ERROR)
    OperatingModeQuery,     // "AT+YOPRT?"
    SetOperatingMode,       // "AT+YOPRT=" 5 | 6
    SimState,               // "AT+CPIN?"
    EnterPin,               // "AT+CPIN=" pin
    EnterPuk,               // "AT+CPIN=" puk, new pin
    PinLockState,           // "AT+CLCK="SC",2"
    LockPin,                // "AT+CLCK="SC",1," pin
    UnlockPin,              // "AT+CLCK="SC",0," pin
    ChangePin,              // "AT+CPWD="SC"," old, new
    PdpContext,             // "AT+CGDCONT=1," type, apn[, address]
    ServiceStatus,          // "AT+YPAS?"
    ServiceCentre,          // "AT+CSCA?"
    OperatorList,           // "AT+COPS=?"
    SelectOperator,         // "AT+COPS=" mode, format, operator, act
    NewMessageIndication,   // "AT+CNMI=3,1,0,2,0"
    Firmware,               // "AT+GMR"
    SimType,                // "AT+YUSIM=?"
    ListMessages,           // "AT+CMGL=" status
    ReadMessage,            // "AT+CMGR=" index
    SetModePreference,      // "AT+YSNT=" a,b,c
    ModePreferenceQuery,    // "AT+YSNT?"
    SetNewMessageStorage,   // "AT+YSMSD=2"
    NewMessageStorageQuery, // "AT+YSMSD?"
    OperatorName,           // "AT+YDON?"
    SignalQuality,          // "AT+CSQ"
    Imsi,                   // "AT+CIMI"
    MessageFormatQuery,     // "AT+CMGF?"
    SetMessageFormat,       // "AT+CMGF=" 0 | 1
    CharacterSet,           // "AT+CSCS=" charset
    Imei,                   // "AT+CGSN"
    OwnNumber,              // "AT+CNUM"
    DeleteMessage,          // "AT+CMGD=" index
    WriteMessage,           // "AT+CMGW=" length, status, then the body
    SendMessage,            // "AT+CMGS=" length, then the body
    PhonebookRange,         // "AT+CPBR=?"
    ReadPhonebook,          // "AT+CPBR=" first, last
    WritePhonebook,         // "AT+CPBW=" index[, number, type, name]
    ProbeExtendedRead,      // "AT+YCPBR=?"
    ProbeExtendedWrite,     // "AT+YCPBM=?"
    UssdRequest,            // "AT+CUSD=1," code or reply, dcs
    UssdCancel,             // "AT+CUSD=2"
    ErrorReports,           // "AT+CMEE=1": errors with their numbers
    SyscfgexQuery,          // "AT^SYSCFGEX?"
    ScanModeQuery,          // "AT+QCFG="nwscanmode""
    ZsntQuery,              // "AT+ZSNT?"
    StorageChoices,         // "AT+CPMS=?"
    IndicationChoices,      // "AT+CNMI=?"
    SetIndications,         // "AT+CNMI=" mode, mt, bm, ds, bfr
    SelectPhonebook,        // "AT+CPBS="SM""
    RegistrationReports,    // "AT+CREG=2"
    PacketReports,          // "AT+CGREG=2"
    EpsReports,             // "AT+CEREG=2"
    RegistrationQuery,      // "AT+CREG?"
    PacketQuery,            // "AT+CGREG?"
    EpsQuery,               // "AT+CEREG?"
    OperatorLongName,       // "AT+COPS=3,0"
    CurrentOperator,        // "AT+COPS?"
    ExtendedSignal,         // "AT+CESQ"
    SignalReports,          // "AT+QINDCFG="csq",1"
    Ws46List,               // "AT+WS46=?"
    Ws46Query,              // "AT+WS46?"
    SetWs46,                // "AT+WS46=" n
    SyscfgexList,           // "AT^SYSCFGEX=?"
    SetSyscfgex,            // "AT^SYSCFGEX="" order ...
    QcfgList,               // "AT+QCFG=?"
    SetScanMode,            // "AT+QCFG="nwscanmode"," mode ",1"
    ScanSequenceQuery,      // "AT+QCFG="nwscanseq""
    SetScanSequence,        // "AT+QCFG="nwscanseq"," seq ",1"
    SetZsnt,                // "AT+ZSNT=" cm ",0," pref
};
inline constexpr int kAtCommandCount = static_cast<int>(AtCmd::SetZsnt) + 1;

// The tests of a reply's text that give its result code; `e` is the reply
// from the echo on.
using AtClassify = int (*)(std::string_view e);

struct AtCommand {
    AtCmd id;
    // The command line without "\r\n", or its fixed start when arguments follow.
    std::string_view line;
    // The start of the echo by which the classifier knows the reply: the line
    // itself, or the start shared by a family of commands whose replies are
    // tested alike ("AT+CPMS" for the three storage commands).
    std::string_view echo;
    int budgetSec;
    // Null: no tests of its own; the classifier's general tests apply.
    AtClassify classify = nullptr;
    // The arguments after `line` are the SIM's codes (PIN, PUK): the log
    // shows the line without them.
    bool carriesCodes = false;
};

// Time budgets in seconds, shared by the declarations.
inline constexpr int AT_BUDGET = 30;              // every command unless noted
inline constexpr int AT_BUDGET_OPERATORS = 120;   // operator list and manual selection
inline constexpr int AT_BUDGET_PROBE = 5;         // probes: extended phonebook, vendor dialect
inline constexpr int AT_BUDGET_PHONEBOOK_OLD = 2; // one phonebook block on the old platform

// The declaration of `id`.
const AtCommand& atCommand(AtCmd id);
// All declarations, in classification order.
const AtCommand* atCommandsBegin();
const AtCommand* atCommandsEnd();

// The card's network mode preferences 1-4 as "+YSNT" values: what
// "AT+YSNT=" sends and what "AT+YSNT?" answers.
inline constexpr std::array<std::array<int, 3>, 4> kModePreferences{
    {{0, 0, 2}, {0, 0, 1}, {2, 0, 0}, {1, 0, 0}}};
