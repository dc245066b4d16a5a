#include "mainwindow/modemstartup.h"

#include "mainwindow/monitorlog.h"
#include "mainwindow/monitorview.h"
#include "mainwindow/pinflows.h"
#include "modem/messagesetup.h"
#include "modem/serialthread.h"
#include "settings/networkchoice.h"
#include "settings/settingsfiles.h"

#include <QTimer>

namespace {

// The SIM type is asked for every this many seconds; a card that doesn't
// answer the question this long in all is taken to have none to tell.
constexpr int kSimTypeAskEvery = 3;
constexpr int kSimTypeSilence = 16;

// Keeps the mode preference in effect in the settings file, as the network
// page's choice.
void storeModePreference(int modemMode) {
    const int choice = modeChoiceOf(modemMode);
    if (choice < 0)
        return;
    NetworkSettings settings = readNetworkSettings();
    settings.modePerferred = choice;
    writeNetworkSettings(settings);
}

void storeNetworkMode(NetworkMode mode) {
    NetworkSettings settings = readNetworkSettings();
    settings.modePerferred = storedChoiceOf(mode);
    writeNetworkSettings(settings);
}

} // namespace

ModemStartup::ModemStartup(MonitorView* view, SerialThread& link, PinFlows& pin, QObject* parent)
    : QObject(parent), view_(view), link_(link), pin_(pin), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
}

void ModemStartup::start(std::function<void(Result)> done) {
    abandon();
    done_ = std::move(done);
    locked_ = false;
    link_.netCardStatus(this, [this](AtAnswer<OperatingMode> mode) {
        if (!done_)
            return;
        if (mode.value) {
            if (*mode.value == OperatingMode::Offline)
                link_.netCardPowOn(this, true, nullptr);
            return checkSim(0);
        }
        if (mode.result == FinalResult::None)
            return finish(Result::NoModem);
        // Not the maker's card: it takes the standard commands and perhaps
        // a vendor dialect's, and reports errors with their numbers.
        link_.probeDialect(this, [this](Dialect dialect) {
            qCDebug(lcMonitor) << "a card of another maker, dialect" << static_cast<int>(dialect);
            link_.reportErrors(this, nullptr);
            link_.enableNetworkReports(this, nullptr);
            checkSim(0);
        });
    });
}

void ModemStartup::restartFromSim(std::function<void(Result)> done) {
    abandon();
    done_ = std::move(done);
    locked_ = false;
    checkSim(0);
}

void ModemStartup::abandon() {
    timer_->stop();
    timer_->disconnect();
    done_ = nullptr;
}

void ModemStartup::later(int seconds, std::function<void()> step) {
    timer_->disconnect();
    connect(timer_, &QTimer::timeout, this, std::move(step));
    timer_->start(seconds * 1000);
}

void ModemStartup::finish(Result result) {
    if (done_)
        std::exchange(done_, nullptr)(result);
}

// A busy SIM is asked again every second, up to its bound; a locked one is
// unlocked with the user.
void ModemStartup::checkSim(int busyAnswers) {
    link_.connectDeviceNeedInputPIN(this, [this, busyAnswers](SimState state) {
        if (!done_)
            return;
        switch (state) {
        case SimState::Busy:
            if (busyAnswers + 1 > simBusyLimit_) {
                // A SIM that stays busy this long will not come up by itself.
                qCWarning(lcMonitor) << "SIM still busy, treating it as failed";
                return finish(Result::NoSim);
            }
            return later(1, [this, busyAnswers] { checkSim(busyAnswers + 1); });
        case SimState::Ready:
            return simUnlocked(true);
        case SimState::PinRequired:
            return pin_.checkupPIN([this](bool unlocked) { simUnlocked(unlocked); });
        case SimState::PukRequired:
            return pin_.checkupPUK([this](bool unlocked) { simUnlocked(unlocked); });
        case SimState::Failure:
        case SimState::NotInserted:
            view_->setPinCheckBox(false);
            pinEnabled_ = false;
            return finish(Result::NoSim);
        case SimState::Unknown:
            return finish(Result::NoModem);
        }
    });
}

// A SIM whose entry was cancelled can't be used, but the card is set up all
// the same.
void ModemStartup::simUnlocked(bool unlocked) {
    if (!done_)
        return;
    const auto next = [this] {
        if (link_.dialect != Dialect::Maker)
            return setUpSimAndMessages();
        link_.stopScrollScreen(this, nullptr);
        waitForSimType(0, 0);
    };
    if (!unlocked) {
        locked_ = true;
        pinEnabled_ = false;
        view_->setPinCheckBox(false);
        return next();
    }
    link_.PINSetStatus(this, [this, next](std::optional<bool> locked) {
        pinEnabled_ = locked == true;
        view_->setPinCheckBox(pinEnabled_);
        next();
    });
}

void ModemStartup::waitForSimType(int elapsedSeconds, int silentSeconds) {
    if (elapsedSeconds >= simTypeLimit_) {
        qCWarning(lcMonitor) << "(U)sim isn't normal state!";
        view_->message(MonitorView::Box::Warning, tr("(U)sim isn't normal state!"));
        view_->terminate(1);
        return finish(Result::NoModem);
    }
    link_.getUSIM(this, [this, elapsedSeconds, silentSeconds](SimType type) {
        if (!done_)
            return;
        const int silent = silentSeconds + (type == SimType::Unknown ? kSimTypeAskEvery : 0);
        if (type == SimType::Sim || type == SimType::Usim || silent >= kSimTypeSilence)
            return setUpSimAndMessages();
        later(kSimTypeAskEvery, [this, elapsedSeconds, silent] {
            waitForSimType(elapsedSeconds + kSimTypeAskEvery, silent);
        });
    });
}

void ModemStartup::setUpSimAndMessages() {
    if (link_.dialect != Dialect::Maker) {
        // The first storage query also quietens a card that repeats its SIM
        // state until asked.
        link_.getSmsMem(this, nullptr);
        // Such a card refuses the extended phonebook: the standard one, with
        // names in the character set chosen below.
        link_.newPlatform = true;
        link_.selectSimPhonebook(this, nullptr);
    }
    link_.simCapacity(this, [this](int last) { link_.simPhonebookSize = qMax(0, last); });
    if (link_.dialect == Dialect::Maker) {
        link_.setChset(this, "UCS2", nullptr);
        return setUpMessages();
    }
    // A card that refuses "UCS2" takes SIM names as 7-bit text.
    link_.setChset(this, "UCS2", [this](std::optional<bool> ucs2) {
        if (ucs2 == false)
            link_.setChset(this, "GSM",
                           [this](std::optional<bool> gsm) { link_.gsmNames = gsm == true; });
    });
    setUpMessages();
}

// New messages stay in the card's memory and are announced as they come;
// messages are exchanged in PDU mode. Another maker's card is set up as it
// says it can be (messagesetup.h).
void ModemStartup::setUpMessages() {
    if (link_.dialect != Dialect::Maker) {
        link_.getStorageChoices(this, [this](std::optional<StorageChoices> storages) {
            link_.getIndicationChoices(
                this, [this, storages](std::optional<IndicationChoices> indications) {
                    if (!done_)
                        return;
                    const MessageSetup setup = chooseMessageSetup(storages, indications);
                    link_.messageStores = setup.stores;
                    // Arrivals go to the third storage selected.
                    link_.setShortMsgStorageMode(
                        this,
                        setup.stores.modem.isEmpty() ? MessageStorage::Sim : MessageStorage::Modem,
                        nullptr);
                    link_.setMessageIndications(this, setup.indications, nullptr);
                    setUpMessageFormat();
                });
        });
        return;
    }
    link_.getNewSmsPreferStorage(this, [this](int storage) {
        if (storage == 0 || storage == 1)
            link_.setNewSmsPreferNVStorage(this, nullptr);
        link_.setNewMsgNoticeMode(this, nullptr);
        setUpMessageFormat();
    });
}

void ModemStartup::setUpMessageFormat() {
    link_.getMsgFormat(this, [this](int format) {
        if (format == 1)
            link_.setMsgFormat(this, 0, nullptr);
        setUpNetworkMode();
    });
}

// A card without a mode preference is given the one that suits its SIM; the
// one in effect is shown and kept in the settings.
void ModemStartup::setUpNetworkMode() {
    if (link_.dialect != Dialect::Maker)
        return setUpNetworkModes();
    link_.getNetworkSelectionMode(this, [this](int mode) {
        if (!done_)
            return;
        if (mode != 0) {
            view_->setNetworkSelection(mode);
            storeModePreference(mode);
        } else if (link_.usimType == SimType::Sim || link_.usimType == SimType::Usim) {
            const int preferred = link_.usimType == SimType::Sim ? 2 : 3;
            link_.setNetworkSelectionMode(this, preferred, nullptr);
            view_->setNetworkSelection(preferred);
            storeModePreference(preferred);
        }
        link_.isNewPlatform(this,
                            [this](bool) { finish(locked_ ? Result::Locked : Result::Ready); });
    });
}

// A card of another maker shows the modes it can be set to and the one it
// is set to; that one is kept in the settings.
void ModemStartup::setUpNetworkModes() {
    link_.getNetworkModes(this, [this](const QList<NetworkMode>& modes) {
        link_.getNetworkMode(this, [this, modes](std::optional<NetworkMode> mode) {
            if (!done_)
                return;
            view_->setNetworkModes(modes, mode);
            if (mode)
                storeNetworkMode(*mode);
            finish(locked_ ? Result::Locked : Result::Ready);
        });
    });
}
