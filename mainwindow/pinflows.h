#pragma once

// The SIM's PIN and PUK: unlocking it when the card asks, switching the PIN
// lock and changing the PIN. Each is a short sequence of steps: a dialog the
// window opens and answers later, a command to the card, and what its
// answer leads to. None waits: each step runs from the one before. An
// unlocking flow that was abandoned (the card went away) ignores the
// answers that still come for it, the dialog's and the card's.

#include "mainwindow/flowgeneration.h"
#include "mainwindow/monitorview.h"

#include <QObject>
#include <QString>

#include <functional>

class SerialThread;

class PinFlows : public QObject {
    Q_OBJECT
public:
    PinFlows(MonitorView* view, SerialThread& link, QObject* parent = nullptr);

    // Asks for the PIN until the card takes it, the user cancels, or the
    // card wants the PUK (then the PUK flow follows); `done(true)` when the
    // SIM is unlocked, `done(false)` when the entry was cancelled. An
    // abandoned flow never calls `done`.
    void checkupPIN(std::function<void(bool unlocked)> done);
    // Asks for the PUK and a new PIN, up to ten wrong times.
    void checkupPUK(std::function<void(bool unlocked)> done);

    // The settings page: switches the PIN lock as its check box says, with
    // the PIN the user enters.
    void applyPinLock();
    // Puts the check box back to the lock's state.
    void refPINSetStatus();
    // Changes the PIN: the old one, the new one twice.
    void changePin();

    // An unlocking flow waits for a dialog or the card.
    bool active() const { return active_; }
    // The card went away: the unlocking flow ends, its open dialog is
    // rejected.
    void abandon();

    // The PIN lock as last known (1 on, 0 off).
    int pinEnabled = 0;

private:
    void askPinAgain(std::function<void(bool)> done, bool wrong);
    void pukAttempt(int attempt, std::function<void(bool)> done);
    void powerOnIfNeeded(std::function<void()> then);
    void askNewPinTwice(const QString& oldPin);
    void finish(std::function<void(bool)>& done, bool unlocked);
    void warn(const QString& text) { view_->message(MonitorView::Box::Warning, text); }
    void inform(const QString& text) { view_->message(MonitorView::Box::Information, text); }
    // `step`, to run only if the unlocking flow wasn't abandoned meanwhile.
    template <typename Step> auto current(Step step) const {
        return generation_.guard(std::move(step));
    }

    MonitorView* view_;
    SerialThread& link_;
    bool active_ = false;
    FlowGeneration generation_; // bumped by abandon()
};
