#pragma once

#include "mainwindow/modemstatus.h"
#include "modem/dialect.h"

#include <QList>

#include <QString>

#include <functional>
#include <optional>

// What the status monitor needs from the window. The window shows the
// card's state as it chooses; it opens the PIN dialogs when the monitor asks
// and answers later. Tests implement it with a recorder.
class MonitorView {
public:
    virtual ~MonitorView() = default;

    // The card's state changed.
    virtual void showStatus(const ModemStatus& status) = 0;

    // --- the settings page's PIN lock and network mode -------------------------
    virtual void setPinCheckBox(bool checked) = 0;
    virtual bool pinCheckBoxChecked() = 0;
    virtual void setPinApplyEnabled(bool enabled) = 0;
    // The card's mode preference (1-4).
    virtual void setNetworkSelection(int mode) = 0;
    // A card of another maker: the modes it can be set to and the one it is
    // set to (nothing when unknown).
    virtual void setNetworkModes(const QList<NetworkMode>& modes,
                                 std::optional<NetworkMode> current) = 0;

    // --- dialogs ----------------------------------------------------------------
    // The text entered, or nothing when the dialog was rejected.
    using PinAnswer = std::function<void(std::optional<QString>)>;
    // Opens the PIN entry dialog named `name` ("CheckPIN", "CheckPUK") with
    // `prompt`; `answer` is called once it is closed.
    virtual void askPin(const QString& name, const QString& prompt, PinAnswer answer) = 0;
    // Opens the new-PIN dialog ("ResetPIN").
    virtual void askNewPin(PinAnswer answer) = 0;
    // Rejects an open PIN, PUK or new-PIN dialog (the card went away).
    virtual void rejectPinDialog() = 0;

    enum class Box { Information, Warning, InformationWithEditer, WarningWithEditer };
    virtual void message(Box kind, const QString& text) = 0;
    // Ends the program with `status` after the current event.
    virtual void terminate(int status) = 0;
};
