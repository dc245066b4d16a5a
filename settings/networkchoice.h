#pragma once

#include "modem/dialect.h"
#include "settings/settingsfiles.h"

#include <optional>

// The network sub-page's choices and what they mean for the modem. The modem
// numbers its mode preferences 1 to 4; the page and the settings file number
// the same choices 0 to 3: "UMTS preferred", "GPRS/EDGE preferred",
// "UMTS Only", "GPRS/EDGE Only".

inline constexpr int ModeChoiceCount = 4;

// A card of another maker offers its own modes (automatic, 4G only, 4G
// preferred, 3G only, 2G only); the settings file keeps them as 10-14, out
// of the range of the maker's four, so that a file written for one kind of
// card is never read as a choice of the other.
inline constexpr int NetworkModeChoiceBase = 10;
int storedChoiceOf(NetworkMode mode);
std::optional<NetworkMode> networkModeOfChoice(int stored);

// The modem's mode preference for choice `index` (0-3), and back; 0 and -1
// for values outside the range.
int modemModeOf(int index);
int modeChoiceOf(int modemMode);

// How the mode buttons show the modem's mode preference `modemMode`.
struct ModeButtonsState {
    int checked = -1; // choice 0-3; -1 none checked
    bool enabled = false;
    // The modem reported no preference (0): it is given "UMTS preferred".
    bool sendUmtsPreferred = false;
};
// Nothing for a value outside -1 to 4, which changes nothing.
std::optional<ModeButtonsState> modeButtonsFor(int modemMode);

// What Apply on the network sub-page stores and sends.
struct NetworkApply {
    NetworkSettings stored;
    int modemMode = 0; // 1-4 to send, 0 nothing
    // The mode to send to a card of another maker (a choice of 10-14).
    std::optional<NetworkMode> networkMode;
};
// `manual` says whether "Manual" is the selection checked, `checkedChoice`
// the mode choice checked (-1 none), `modeChanged` whether the user clicked a
// mode since the last Apply: only then is the mode sent and stored.
NetworkApply planNetworkApply(bool manual, int checkedChoice, bool modeChanged,
                              const NetworkSettings& stored);
