#pragma once

#include "connection/connectionstate.h"

#include <QString>
#include <optional>

// What the status monitor needs from the window and its pages. The main
// window implements it with its real widgets; tests implement it with a
// recorder. Nothing here talks to the modem: the monitor does that itself.
class MonitorView {
public:
    virtual ~MonitorView() = default;

    // --- status area of the home page -----------------------------------
    // Labels are addressed by their object names ("serviceLabel",
    // "signalLabel", "ispLabel", "pcsimLabel", "isConnectLabel", "simLabel",
    // "modemLabel"); images are file names below res/component/.
    virtual void setStatusPixmap(const QString& label, const QString& image) = 0;
    virtual void setStatusText(const QString& label, const QString& text) = 0;
    virtual void setStatusToolTip(const QString& label, const QString& tip) = 0;
    virtual void resizeStatusLabel(const QString& label, int width, int height) = 0;
    // The new-message indicator.
    virtual void setNewMessageIndicator(bool visible) = 0;
    // The home page's data-connection animation.
    virtual bool dataAnimationRunning() = 0;
    virtual void dataConnectAnimated() = 0;
    virtual void dataConnectStop() = 0;
    // The five page buttons that a dial attempt locks (all but help).
    virtual void setPageButtonsEnabled(bool enabled) = 0;

    // --- internet page ------------------------------------------------------
    virtual ConnectionState connectionState() = 0;
    virtual bool dialerRunning() = 0;
    virtual void safeKillWvdail() = 0;
    virtual void dataState(int state) = 0; // 0 disconnected, 1 connected, 2 initialising
    virtual void connectBtnValid(bool valid) = 0;
    virtual QString connectButtonText() = 0;
    virtual void setConnectButtonText(const QString& text) = 0;
    virtual void setConnectCaption(const QString& text) = 0;
    virtual bool connectingAnimationRunning() = 0;
    virtual void dataStateConnectingStop() = 0;
    virtual void setConnectStateText(const QString& text) = 0;
    virtual void showInternetPage() = 0;

    // --- settings page -------------------------------------------------------
    virtual QString defaultConnectionName() = 0; // "conLineedit"
    virtual void setPinCheckBox(bool checked) = 0;
    virtual bool pinCheckBoxChecked() = 0;
    virtual void setPinApplyEnabled(bool enabled) = 0;
    virtual void setNetworkSelection(int mode) = 0;
    // The six settings that depend on the SIM and must not change while
    // connected: PIN lock, PIN change, operator and mode groups, service
    // centre, message location.
    virtual void setSimSettingsEnabled(bool enabled) = 0;

    // --- message page and phonebook ----------------------------------------
    virtual void carddispose(bool online) = 0;
    virtual void setHasSIM(bool hasSim) = 0;
    // Stores a message read with "AT+CMGR" in the PC inbox under `state`;
    // false when nothing was stored (the modem copy must then stay).
    virtual bool InsertSave(const QString& reply, int index, const QString& state) = 0;
    // Records a status report (its PDU) on the sent message it is about.
    virtual void takeStatusReport(const QString& pdu) = 0;
    // Reloads the message lists of a modem storage (1 SIM, 0 modem memory).
    virtual int getSimAllSmsItem(int store, int stat) = 0;
    // Empties the SIM's message lists (the SIM went away).
    virtual void clearSimMessageLists() = 0;

    // --- dialogs ------------------------------------------------------------
    // Runs the PIN entry dialog named `name` ("CheckPIN", "CheckPUK") with
    // `prompt`; the entered text, or nothing when rejected.
    virtual std::optional<QString> askPin(const QString& name, const QString& prompt) = 0;
    // Runs the new-PIN dialog ("ResetPIN"); the new PIN, or nothing.
    virtual std::optional<QString> askNewPin() = 0;
    // Ends an open PIN, PUK or new-PIN dialog as rejected.
    virtual void rejectPinDialog() = 0;

    enum class Box { Information, Warning, InformationWithEditer, WarningWithEditer };
    virtual void message(Box kind, const QString& text) = 0;
    // Ends the program with `status` after the current event.
    virtual void terminate(int status) = 0;
};
