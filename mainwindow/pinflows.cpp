// The SIM PIN and PUK flows of the status monitor: unlocking at start-up,
// switching the PIN lock, changing the PIN.

#include "mainwindow/monitorlog.h"
#include "mainwindow/statusmonitor.h"
#include "modem/serialthread.h"

namespace {
constexpr int PUK_ATTEMPTS = 10;
}

int StatusMonitor::inputPIN(const QString& pin) {
    return link_.inputPIN(pin.toLatin1().constData());
}

int StatusMonitor::inputPUK(const QString& puk, const QString& newPin) {
    return link_.inputPUK(puk.toLatin1().constData(), newPin.toLatin1().constData());
}

void StatusMonitor::powerOnIfNeeded() {
    if (link_.netCardStatus() != 1)
        link_.netCardPowOn(true);
}

int StatusMonitor::checkupPIN() {
    if (pinDialogOpen)
        return -1;
    pinDialogOpen = true;
    std::optional<QString> pin = view->askPin("CheckPIN", tr("Please enter PIN!"));
    if (!pin) {
        pinDialogOpen = false;
        return 0;
    }
    int result = inputPIN(*pin);
    // The modem counts the wrong entries itself and asks for the PUK after
    // its limit.
    while (result == 0 || result == -1) {
        warn(tr("PIN is incorrect!"));
        pin = view->askPin("CheckPIN", tr("Please enter PIN!"));
        if (!pin) {
            pinDialogOpen = false;
            return result;
        }
        result = inputPIN(*pin);
    }
    if (result == 2) {
        warn(tr("PIN is locked!"));
        pinDialogOpen = false;
        result = checkupPUK();
    }
    if (result == 1)
        powerOnIfNeeded();
    pinDialogOpen = false;
    return result;
}

int StatusMonitor::checkupPUK() {
    if (pinDialogOpen)
        return -1;
    pinDialogOpen = true;
    int result = 0;
    for (int attempt = 0; attempt < PUK_ATTEMPTS; ++attempt) {
        const std::optional<QString> puk = view->askPin("CheckPUK", tr("Please enter the PUK!"));
        if (!puk)
            break;
        pukCode = *puk;
        const std::optional<QString> pin = view->askNewPin();
        if (!pin)
            break;
        result = inputPUK(pukCode, *pin);
        if (result == 1) {
            link_.stopScrollScreen();
            powerOnIfNeeded();
            break;
        }
        warn(result == 2 ? tr("(U)SIM is failure!") : tr("PUK is incorrect!"));
    }
    pinDialogOpen = false;
    return result;
}

void StatusMonitor::slotClickedApplyButton() {
    const std::optional<QString> pin = view->askPin("CheckPIN", tr("Please enter PIN!"));
    if (!pin) {
        refPINSetStatus();
        view->message(MonitorView::Box::WarningWithEditer,
                      tr("No PIN is entered! PIN enable settings unsuccessful!"));
    } else {
        const bool lock = view->pinCheckBoxChecked();
        const QByteArray text = pin->toLatin1();
        const bool done =
            lock ? link_.lockPIN(text.constData()) : link_.unLockPIN(text.constData());
        if (done) {
            pinEnabled = lock ? 1 : 0;
            inform(tr("Settings successful!"));
        } else {
            refPINSetStatus();
            warn(tr("PIN is incorrect!"));
        }
        if (link_.connectDeviceNeedInputPIN() == 1)
            checkupPUK();
    }
    view->setPinApplyEnabled(false);
}

void StatusMonitor::refPINSetStatus() {
    view->setPinCheckBox(pinEnabled == 1);
    pinEnabled = pinEnabled == 1 ? 1 : 0;
}

void StatusMonitor::slotChangePIN() {
    if (link_.PINSetStatus() != 1) {
        inform(tr("Please set PIN enable!"));
        return;
    }
    oldPIN = newPIN = newPINAgain = QString();

    std::optional<QString> entry = view->askPin("CheckPIN", tr("Please enter PIN!"));
    if (!entry) {
        warn(tr("PIN changes cancel!"));
        return;
    }
    oldPIN = *entry;
    for (;;) {
        entry = view->askPin("CheckPIN", tr("Please input new PIN"));
        if (!entry) {
            inform(tr("New PIN is cancelled!"));
            return;
        }
        newPIN = *entry;
        entry = view->askPin("CheckPIN", tr("Please input new PIN again"));
        if (!entry)
            return;
        newPINAgain = *entry;
        if (newPINAgain == newPIN)
            break;
        view->message(MonitorView::Box::InformationWithEditer,
                      tr("Different input of PIN code! Please input again!"));
    }

    if (newPIN.isNull())
        return;
    const int result =
        link_.changePWD(oldPIN.toLatin1().constData(), newPIN.toLatin1().constData());
    qCDebug(lcMonitor, "changePWD = %d", result);
    if (result == 1) {
        inform(tr("New PIN has been enabled!"));
    } else if (result == 0) {
        inform(tr("PIN is incorrect!"));
    } else if (result == -2) {
        inform(tr("PIN is incorrect!PUK is locked!"));
        checkupPUK();
    }
}
