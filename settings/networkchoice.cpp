#include "settings/networkchoice.h"

int modemModeOf(int index) {
    return index >= 0 && index < ModeChoiceCount ? index + 1 : 0;
}

int modeChoiceOf(int modemMode) {
    return modemMode >= 1 && modemMode <= ModeChoiceCount ? modemMode - 1 : -1;
}

std::optional<ModeButtonsState> modeButtonsFor(int modemMode) {
    if (modemMode < -1 || modemMode > ModeChoiceCount)
        return std::nullopt;
    ModeButtonsState state;
    if (modemMode == -1)
        return state;
    state.enabled = true;
    state.sendUmtsPreferred = modemMode == 0;
    state.checked = modemMode == 0 ? 0 : modeChoiceOf(modemMode);
    return state;
}

NetworkApply planNetworkApply(bool manual, int checkedChoice, bool modeChanged,
                              const NetworkSettings& stored) {
    NetworkApply plan;
    plan.stored = stored;
    plan.stored.networkSlect = manual ? 1 : 0;
    if (modeChanged && networkModeOfChoice(checkedChoice)) {
        plan.networkMode = networkModeOfChoice(checkedChoice);
        plan.stored.modePerferred = checkedChoice;
    } else if (modeChanged) {
        plan.modemMode = modemModeOf(checkedChoice);
        plan.stored.modePerferred = plan.modemMode ? checkedChoice : 0;
    }
    return plan;
}

int storedChoiceOf(NetworkMode mode) {
    return NetworkModeChoiceBase + static_cast<int>(mode);
}

std::optional<NetworkMode> networkModeOfChoice(int stored) {
    const int index = stored - NetworkModeChoiceBase;
    if (index < 0 || index > static_cast<int>(NetworkMode::Only2G))
        return std::nullopt;
    return static_cast<NetworkMode>(index);
}
