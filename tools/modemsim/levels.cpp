#include "levels.h"

#include <algorithm>

SignalLevels signalLevels(int rssi) {
    SignalLevels l;
    if (rssi < 0 || rssi > 31)
        return l;
    l.known = true;
    l.rssiDbm = -113 + 2 * rssi;
    l.rscpDbm = l.rssiDbm - 5;
    l.rsrpDbm = std::clamp(l.rssiDbm - 27, -140, -44);
    l.ecio2 = -48 + rssi;
    l.rsrq2 = std::min(-39 + rssi, -6);
    l.sinrDb = std::clamp(rssi - 11, -20, 30);
    return l;
}

int cesqRxlev(const SignalLevels& l) {
    return std::clamp(l.rssiDbm + 111, 0, 63);
}
int cesqRscp(const SignalLevels& l) {
    return std::clamp(l.rscpDbm + 121, 0, 96);
}
int cesqEcno(const SignalLevels& l) {
    return std::clamp(l.ecio2 + 49, 0, 49);
}
int cesqRsrq(const SignalLevels& l) {
    return std::clamp(l.rsrq2 + 40, 0, 34);
}
int cesqRsrp(const SignalLevels& l) {
    return std::clamp(l.rsrpDbm + 141, 0, 97);
}
