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
    ++generation_;
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
    link_.netCardStatus(this, [this, then](OperatingMode mode) {
        if (mode == OperatingMode::Online)
            return then();
        link_.netCardPowOn(this, true, [then](bool) { then(); });
    });
}

// --- unlocking --------------------------------------------------------------------

void PinFlows::checkupPIN(std::function<void(bool)> done) {
    if (active_) {
        done(false);
        return;
    }
    active_ = true;
    askPinAgain(std::move(done), 0);
}

// The card counts the wrong entries itself and asks for the PUK after its
// limit: until then a wrong PIN is asked for again.
void PinFlows::askPinAgain(std::function<void(bool)> done, int attempt) {
    if (attempt > 0)
        warn(tr("PIN is incorrect!"));
    const int generation = generation_;
    view_->askPin("CheckPIN", tr("Please enter PIN!"),
                  [this, done, attempt, generation](std::optional<QString> pin) mutable {
                      if (generation != generation_)
                          return;
                      if (!pin)
                          return finish(done, false);
                      link_.inputPIN(this, *pin, [this, done, attempt](PinEntry entry) mutable {
                          switch (entry) {
                          case PinEntry::Accepted:
                              return powerOnIfNeeded(
                                  [this, done]() mutable { finish(done, true); });
                          case PinEntry::PukRequired:
                              warn(tr("PIN is locked!"));
                              return pukAttempt(0, done);
                          default:
                              return askPinAgain(done, attempt + 1);
                          }
                      });
                  });
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
    const int generation = generation_;
    view_->askPin(
        "CheckPUK", tr("Please enter the PUK!"),
        [this, attempt, done, generation](std::optional<QString> puk) mutable {
            if (generation != generation_)
                return;
            if (!puk)
                return finish(done, false);
            view_->askNewPin(
                [this, attempt, done, generation, puk = *puk](std::optional<QString> pin) mutable {
                    if (generation != generation_)
                        return;
                    if (!pin)
                        return finish(done, false);
                    link_.inputPUK(this, puk, *pin, [this, attempt, done](PinEntry entry) mutable {
                        if (entry != PinEntry::Accepted) {
                            warn(entry == PinEntry::SimFailure ? tr("(U)SIM is failure!")
                                                               : tr("PUK is incorrect!"));
                            return pukAttempt(attempt + 1, done);
                        }
                        link_.stopScrollScreen(this, [this, done](bool) mutable {
                            powerOnIfNeeded([this, done]() mutable { finish(done, true); });
                        });
                    });
                });
        });
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
        link_.setPinLock(this, lock, *pin, [this, lock, end](bool done) {
            if (done) {
                pinEnabled = lock ? 1 : 0;
                inform(tr("Settings successful!"));
            } else {
                refPINSetStatus();
                warn(tr("PIN is incorrect!"));
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
