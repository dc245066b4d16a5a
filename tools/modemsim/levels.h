#pragma once

// The radio measurements the card reports, all derived from the one
// AT+CSQ <rssi> the scenario and the control socket set, so that every form
// of a report agrees with the others:
//   RSSI  = -113 + 2 * rssi dBm          RSCP = RSSI - 5 dBm
//   RSRP  = RSSI - 27 dBm (-140..-44)    Ec/Io = -24 + rssi/2 dB
//   RSRQ  = -19.5 + rssi/2 dB (..-3)     SINR = rssi - 11 dB (-20..30)
// Half-decibel values are kept doubled to stay whole numbers.
struct SignalLevels {
    bool known = false; // false: rssi 99, nothing measured
    int rssiDbm = 0;
    int rscpDbm = 0;
    int rsrpDbm = 0;
    int ecio2 = 0; // Ec/Io in half dB
    int rsrq2 = 0; // RSRQ in half dB
    int sinrDb = 0;
};

SignalLevels signalLevels(int rssi);

// 3GPP TS 27.007 +CESQ indexes.
int cesqRxlev(const SignalLevels& l); // 0-63
int cesqRscp(const SignalLevels& l);  // 0-96
int cesqEcno(const SignalLevels& l);  // 0-49
int cesqRsrq(const SignalLevels& l);  // 0-34
int cesqRsrp(const SignalLevels& l);  // 0-97
