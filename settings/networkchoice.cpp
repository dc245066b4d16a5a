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
    if (modeChanged) {
        plan.modemMode = modemModeOf(checkedChoice);
        plan.stored.modePerferred = plan.modemMode ? checkedChoice : 0;
    }
    return plan;
}
