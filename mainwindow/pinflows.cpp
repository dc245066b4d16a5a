#include "mainwindow/pinflows.h"

#include "mainwindow/monitorlog.h"
#include "modem/serialthread.h"

namespace {
constexpr int kPukAttempts = 10;
}

PinFlows::PinFlows(MonitorView* view, SerialThread& link, QObject* parent)
    : QObject(parent), view_(view), link_(link) {}

void PinFlows::abandon() {
    if (!active_)
        return;
    generation_.bump();
    active_ = false;
    view_->rejectPinDialog();
}

void PinFlows::finish(std::function<void(bool)>& done, bool unlocked) {
    active_ = false;
    if (done)
        std::exchange(done, nullptr)(unlocked);
}

// A card that is not online after the SIM was unlocked is switched on.
void PinFlows::powerOnIfNeeded(std::function<void()> then) {
    if (link_.dialect != Dialect::Maker)
        return then();
    link_.netCardStatus(this, current([this, then](AtAnswer<OperatingMode> mode) {
                            if (mode.value == OperatingMode::Online)
                                return then();
                            link_.netCardPowOn(this, true, current([then](bool) { then(); }));
                        }));
}

// --- unlocking --------------------------------------------------------------------

void PinFlows::checkupPIN(std::function<void(bool)> done) {
    if (active_) {
        done(false);
        return;
    }
    active_ = true;
    askPinAgain(std::move(done), false);
}

// The card counts the wrong entries itself and asks for the PUK after its
// limit: until then a wrong PIN is asked for again. An entry the card didn't
// answer is asked for again without calling it wrong.
void PinFlows::askPinAgain(std::function<void(bool)> done, bool wrong) {
    if (wrong)
        warn(tr("PIN is incorrect!"));
    view_->askPin("CheckPIN", tr("Please enter PIN!"),
                  current([this, done](std::optional<QString> pin) mutable {
                      if (!pin)
                          return finish(done, false);
                      link_.inputPIN(this, *pin, current([this, done](PinEntry entry) mutable {
                                         switch (entry) {
                                         case PinEntry::Accepted:
                                             return powerOnIfNeeded(
                                                 [this, done]() mutable { finish(done, true); });
                                         case PinEntry::PukRequired:
                                             warn(tr("PIN is locked!"));
                                             return pukAttempt(0, done);
                                         case PinEntry::NoAnswer:
                                             warn(tr("The card didn't answer."));
                                             return askPinAgain(done, false);
                                         default:
                                             return askPinAgain(done, true);
                                         }
                                     }));
                  }));
}

void PinFlows::checkupPUK(std::function<void(bool)> done) {
    if (active_) {
        done(false);
        return;
    }
    active_ = true;
    pukAttempt(0, std::move(done));
}

void PinFlows::pukAttempt(int attempt, std::function<void(bool)> done) {
    if (attempt >= kPukAttempts)
        return finish(done, false);
    view_->askPin(
        "CheckPUK", tr("Please enter the PUK!"),
        current([this, attempt, done](std::optional<QString> puk) mutable {
            if (!puk)
                return finish(done, false);
            view_->askNewPin(
                current([this, attempt, done, puk = *puk](std::optional<QString> pin) mutable {
                    if (!pin)
                        return finish(done, false);
                    link_.inputPUK(
                        this, puk, *pin, current([this, attempt, done](PinEntry entry) mutable {
                            if (entry == PinEntry::NoAnswer) {
                                warn(tr("The card didn't answer."));
                                return pukAttempt(attempt, done);
                            }
                            if (entry != PinEntry::Accepted) {
                                warn(entry == PinEntry::SimFailure ? tr("(U)SIM is failure!")
                                                                   : tr("PUK is incorrect!"));
                                return pukAttempt(attempt + 1, done);
                            }
                            link_.stopScrollScreen(
                                this, current([this, done](bool) mutable {
                                    powerOnIfNeeded([this, done]() mutable { finish(done, true); });
                                }));
                        }));
                }));
        }));
}

// --- the settings page ------------------------------------------------------------

void PinFlows::refPINSetStatus() {
    view_->setPinCheckBox(pinEnabled == 1);
}

void PinFlows::applyPinLock() {
    const auto end = [this] { view_->setPinApplyEnabled(false); };
    view_->askPin("CheckPIN", tr("Please enter PIN!"), [this, end](std::optional<QString> pin) {
        if (!pin) {
            refPINSetStatus();
            view_->message(MonitorView::Box::WarningWithEditer,
                           tr("No PIN is entered! PIN enable settings unsuccessful!"));
            return end();
        }
        const bool lock = view_->pinCheckBoxChecked();
        link_.setPinLock(this, lock, *pin, [this, lock, end](PinEntry entry) {
            if (entry == PinEntry::Accepted) {
                pinEnabled = lock ? 1 : 0;
                inform(tr("Settings successful!"));
            } else {
                refPINSetStatus();
                // Without an answer it is unknown whether the PIN was right.
                warn(entry == PinEntry::NoAnswer ? tr("The card didn't answer.")
                                                 : tr("PIN is incorrect!"));
            }
            // Too many wrong PINs: the card wants the PUK now.
            link_.connectDeviceNeedInputPIN(this, [this, end](SimState state) {
                if (state == SimState::PukRequired)
                    checkupPUK([](bool) {});
                end();
            });
        });
    });
}

void PinFlows::changePin() {
    link_.PINSetStatus(this, [this](std::optional<bool> locked) {
        if (locked != true) {
            inform(tr("Please set PIN enable!"));
            return;
        }
        view_->askPin("CheckPIN", tr("Please enter PIN!"), [this](std::optional<QString> old) {
            if (!old) {
                warn(tr("PIN changes cancel!"));
                return;
            }
            askNewPinTwice(*old);
        });
    });
}

void PinFlows::askNewPinTwice(const QString& oldPin) {
    view_->askPin(
        "CheckPIN", tr("Please input new PIN"), [this, oldPin](std::optional<QString> pin) {
            if (!pin) {
                inform(tr("New PIN is cancelled!"));
                return;
            }
            view_->askPin("CheckPIN", tr("Please input new PIN again"),
                          [this, oldPin, pin = *pin](std::optional<QString> again) {
                              if (!again)
                                  return;
                              if (*again != pin) {
                                  view_->message(
                                      MonitorView::Box::InformationWithEditer,
                                      tr("Different input of PIN code! Please input again!"));
                                  return askNewPinTwice(oldPin);
                              }
                              link_.changePWD(this, oldPin, pin, [this](PinChange change) {
                                  qCDebug(lcMonitor, "PIN change: %d", int(change));
                                  switch (change) {
                                  case PinChange::Changed:
                                      return inform(tr("New PIN has been enabled!"));
                                  case PinChange::Wrong:
                                      return inform(tr("PIN is incorrect!"));
                                  case PinChange::PukRequired:
                                      inform(tr("PIN is incorrect!PUK is locked!"));
                                      return checkupPUK([](bool) {});
                                  case PinChange::NotAllowed:
                                      return;
                                  }
                              });
                          });
        });
}
