#pragma once

// The command set a card speaks beyond 3GPP TS 27.007/27.005. Every card
// takes the standard commands; a dialect adds only what the standard lacks
// (a mode preference with 4G, technology and signal reports, the form a
// service code is sent in).
enum class Dialect {
    Maker,      // the maker's "+Y" commands
    Standard,   // nothing beyond the standard
    Syscfgex,   // "^SYSCFGEX" family
    Nwscanmode, // "+QCFG=\"nwscanmode\"" family
    Zsnt,       // "+ZSNT" family
};

// The mode preferences a card of another maker may offer, each sent in its
// dialect's form (the maker's cards have their own four).
enum class NetworkMode {
    Automatic,
    Only4G,
    Preferred4G,
    Only3G,
    Only2G,
};
