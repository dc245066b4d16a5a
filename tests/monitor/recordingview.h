#pragma once

// A MonitorView that records what the monitor tells and answers its dialogs
// from a script, from the event loop as a window would.

#include "connection/connectioncontroller.h"
#include "mainwindow/monitorview.h"

#include <QList>
#include <QPair>
#include <QStringList>

#include <deque>
#include <functional>

class RecordingView : public MonitorView {
public:
    QList<ModemStatus> statuses; // every state shown, in order
    bool pinCheckBox = false;
    bool applyEnabled = true;
    int networkSelection = 0;
    int rejects = 0;
    // When set, a real connection: stopped when the card or its SIM goes,
    // as the window stops it.
    ConnectionController* connection = nullptr;

    // Dialog answers, taken in order; nothing = rejected. An empty queue
    // rejects. `onAsk` runs before each answer (name of the dialog).
    std::deque<std::optional<QString>> answers;
    std::function<void(const QString&)> onAsk;
    QList<NetworkMode> networkModes; // a card of another maker's, as shown
    std::optional<NetworkMode> networkMode;
    QStringList asked;                   // "name: prompt"
    QList<QPair<Box, QString>> messages; // message boxes in order

    const ModemStatus& status() const;
    QStringList messageTexts() const;

    void showStatus(const ModemStatus& status) override;
    void setPinCheckBox(bool checked) override { pinCheckBox = checked; }
    bool pinCheckBoxChecked() override { return pinCheckBox; }
    void setPinApplyEnabled(bool enabled) override { applyEnabled = enabled; }
    void setNetworkSelection(int mode) override { networkSelection = mode; }
    void setNetworkModes(const QList<NetworkMode>& modes,
                         std::optional<NetworkMode> current) override {
        networkModes = modes;
        networkMode = current;
    }
    void askPin(const QString& name, const QString& prompt, PinAnswer answer) override;
    void askNewPin(PinAnswer answer) override { askPin("ResetPIN", QString(), std::move(answer)); }
    void rejectPinDialog() override;
    void message(Box kind, const QString& text) override { messages.append({kind, text}); }
    void terminate(int) override {}

private:
    PinAnswer open_; // the dialog open now
};
