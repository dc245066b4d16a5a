#include "mainwindow/statusmonitor.h"

#include "app/systempaths.h"
#include "connection/connectionglobals.h"
#include "mainwindow/monitorlog.h"
#include "modem/serialthread.h"
#include "settings/settingsfiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

Q_LOGGING_CATEGORY(lcMonitor, "velto.monitor")

void waitProcessingEvents(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

StatusMonitor::StatusMonitor(MonitorView* view, WTMainWindow* window, QObject* parent)
    : QObject(parent), view(view), window(window) {}

void StatusMonitor::setPeriods(int normalMs, int afterRemovalMs) {
    periodMs = normalMs;
    removalPeriodMs = afterRemovalMs;
}

void StatusMonitor::initSerial() {
    createSerialLink(window);
}

void StatusMonitor::initMonitor() {
    if (!statusTimer) {
        statusTimer = new QTimer(this);
        statusTimer->setSingleShot(true);
        connect(statusTimer, &QTimer::timeout, this, &StatusMonitor::slotTimer);
    }
    statusTimer->start(periodMs);
}

void StatusMonitor::restartTimer(int ms) {
    if (statusTimer)
        statusTimer->start(ms);
}

bool StatusMonitor::modemAttached() const {
    // A scan that found no answering AT port leaves its name empty; with only
    // a modem port the program has nothing to talk to.
    return !theATSerialPortName.isEmpty();
}

int StatusMonitor::singalQuality() {
    return serialthread->getSignalQuality();
}

int StatusMonitor::isSIMOnline() {
    return serialthread->getCIMI();
}

// --- the tick ----------------------------------------------------------------

void StatusMonitor::slotTimer() {
    if (statusTimer)
        statusTimer->stop();
    if (receive_flag || serialthread->atLocked()) {
        restartTimer(periodMs);
        return;
    }

    bool scanned = false;
    if (!modemAttached()) {
        scanned = true;
        qCDebug(lcMonitor) << "========= find modem ========";
        if (pinDialogOpen)
            view->rejectPinDialog();
        setButtonStatus(false);
        if (connectOrDisconnectButton == 0)
            view->setConnectButtonText(tr("Connect"));
        if (view->dialerRunning())
            view->safeKillWvdail();
        ++initPortCount;
        if (discovery.findPortNames() != 1 || !modemAttached()) {
            signalLevel = singalQuality();
            displayStateBar(false, false, false);
            view->setHasSIM(false);
            view->carddispose(false);
            restartTimer(periodMs);
            return;
        }
        // The scan leaves the AT port open as the link's port; open it by
        // name only when it did not.
        if (serialthread->portFd < 0)
            serialthread->openPort(theATSerialPortName);
        initAtCmd();
    }

    fetchNewMessages();
    view->setNewMessageIndicator(unreadMsgCount > 0);

    qCDebug(lcMonitor, "****** initPortCount = %d", initPortCount);
    const int sim = isSIMOnline();
    signalLevel = singalQuality();
    if (signalLevel == -1) {
        showModemGone();
        restartTimer(removalPeriodMs);
        return;
    }

    if (sim == -1) {
        // Each check that misses the SIM of a present modem counts like a
        // scan, so that a missing or removed SIM is shown after three checks
        // (scans stop once the modem is found). A cancelled PIN entry keeps
        // its look.
        if (!scanned && !simValidateCanceled)
            ++initPortCount;
        if (initPortCount > 2) {
            simOn = false;
            view->clearSimMessageLists();
        }
    } else {
        simOn = true;
        initPortCount = 0;
    }

    modemOn = true;
    if (!simOn) {
        if (initPortCount > 2)
            markSimUnusable();
    } else if (!simValidateCanceled) {
        view->setHasSIM(true);
        view->carddispose(true);
        setButtonStatus(true);
        displayStateBar(true, true, false);
        initPortCount = 0;
    } else if (initPortCount > 2) {
        view->setHasSIM(false);
        view->carddispose(false);
        setButtonStatus(false);
        displayStateBar(true, true, true);
    }
    restartTimer(periodMs);
}

void StatusMonitor::markSimUnusable() {
    view->setHasSIM(false);
    view->carddispose(false);
    setButtonStatus(false);
    displayStateBar(true, false, false);
}

void StatusMonitor::showModemGone() {
    qCDebug(lcMonitor) << "========= modem removed ========";
    modemOn = false;
    theATSerialPortName.clear();
    theModemSerialPortName.clear();
    if (discovery.iAtPort > 0 && discovery.iAtPort != serialthread->portFd)
        serialthread->closePortNormal(discovery.iAtPort);
    discovery.iAtPort = 0;
    serialthread->closePortNormal(serialthread->portFd);
    serialthread->portFd = -1;
}

// --- arriving messages ---------------------------------------------------------

void StatusMonitor::fetchNewMessages() {
    if (activeMsgCount <= 0)
        return;
    qCDebug(lcMonitor) << "================new msg received====================";
    // Notices that arrive while a message is read are taken in the same
    // round. The counter, which also numbers the notices, goes back to 0 only
    // once the queue is empty, so that a new notice never takes the key of
    // one still waiting.
    while (!msgData.isEmpty()) {
        const auto first = msgData.begin();
        const QString notice = first.value();
        msgData.erase(first);
        const QString memory = notice.section(',', 0, 0).trimmed();
        const int index = notice.section(',', 1).trimmed().toInt();
        qCDebug(lcMonitor, "mem=%s,index=%d", qPrintable(memory), index);
        fetchMessage(memory, index);
    }
    activeMsgCount = 0;
}

// Reads one announced message from the storage that the notice names, stores
// it in the PC inbox and deletes it from that storage once it is stored.
void StatusMonitor::fetchMessage(const QString& memory, int index) {
    const bool onSim = memory == "\"SM\"";
    serialthread->setShortMsgStorageMode(onSim ? 1 : 0);
    if (serialthread->getSmsMem() == 0) {
        warn(tr("(U)SIM Card is full, please delete some items"));
        return;
    }
    const QString reply = serialthread->getIndexSms(QByteArray::number(index).constData());
    if (!reply.contains("+CMGR:")) {
        if (unreadMsgCount > 0)
            --unreadMsgCount;
        return;
    }
    if (!view->InsertSave(reply, index, tr("new")))
        return;
    if (onSim) {
        serialthread->deleteSimSMS(index);
        view->getSimAllSmsItem(1, 4);
    } else {
        serialthread->deleteMeSMS(index);
    }
}

// --- modem initialisation ----------------------------------------------------

int StatusMonitor::initAtCmd() {
    const int mode = serialthread->netCardStatus();
    if (mode == -1) {
        modemOn = simOn = simValidateCanceled = false;
        return -1;
    }
    if (mode == 0) {
        modemOn = true;
        serialthread->netCardPowOn(true);
    }

    int simState = serialthread->connectDeviceNeedInputPIN();
    for (int attempt = 1; simState == 3; ++attempt) {
        qCDebug(lcMonitor, "****** n=%d,con=%d", simState, attempt);
        if (attempt > simBusyLimit) {
            // A SIM that stays busy this long will not come up by itself.
            qCWarning(lcMonitor) << "SIM still busy, treating it as failed";
            simState = 4;
            break;
        }
        waitProcessingEvents(1000);
        simState = serialthread->connectDeviceNeedInputPIN();
    }

    bool unlocked = simState == 0;
    if (simState == 1)
        unlocked = checkupPUK() == 1;
    else if (simState == 2)
        unlocked = checkupPIN() == 1;

    if (unlocked) {
        pinEnabled = serialthread->PINSetStatus() == 1 ? 1 : 0;
        view->setPinCheckBox(pinEnabled == 1);
        setButtonStatus(true);
        modemOn = simOn = true;
        simValidateCanceled = false;
        displayStateBar(true, true, false);
    } else if (simState == 1 || simState == 2) {
        view->setPinCheckBox(false);
        pinEnabled = 0;
        setButtonStatus(false);
        modemOn = simOn = simValidateCanceled = true;
        displayStateBar(true, true, true);
    } else if (simState == 4) {
        view->setPinCheckBox(false);
        pinEnabled = 0;
        setButtonStatus(false);
        modemOn = true;
        simOn = simValidateCanceled = false;
        displayStateBar(true, false, false);
        return 0;
    } else {
        setButtonStatus(false);
        modemOn = simOn = simValidateCanceled = false;
        displayStateBar(false, false, false);
        return -1;
    }

    serialthread->stopScrollScreen();
    if (waitForSimType() != 1)
        return -1;

    const int prefer = serialthread->getNewSmsPreferStorage();
    if (prefer == 0 || prefer == 1)
        serialthread->setNewSmsPreferNVStorage();
    serialthread->setNewMsgNoticeMode();
    if (serialthread->getMsgFormat() == 1)
        serialthread->setMsgFormat(0);

    const int selected = serialthread->setShortMsgStorageMode(1);
    qCDebug(lcMonitor, "initAtCmd-->setShortMsgStorageMode(0) = %d", selected);
    if (selected == 1)
        view->getSimAllSmsItem(1, 4);
    importModemMessages();

    smscent_num = smsnum();
    qCDebug(lcMonitor, "SMS centre num = %s", qPrintable(smscent_num));

    int modePreference = serialthread->getNetworkSelectionMode();
    if (modePreference != 0) {
        view->setNetworkSelection(modePreference);
    } else if (serialthread->usimType == 0 || serialthread->usimType == 1) {
        const int preferred = serialthread->usimType == 0 ? 2 : 3;
        serialthread->setNetworkSelectionMode(preferred);
        view->setNetworkSelection(preferred);
    }
    storeModePreference(modePreference);

    serialthread->isNewPlatform();
    return 1;
}

// Waits for the SIM to tell its type, asking every third second: 1 settled,
// 0 never within 120 s (the program then ends).
int StatusMonitor::waitForSimType() {
    int answer = -1;
    int silentRounds = 0;
    for (int round = 0; round < 120; ++round) {
        if (round % 3 == 0) {
            answer = serialthread->getUSIM();
            qCDebug(lcMonitor, "***** con =%d", round);
        }
        if (answer == -1)
            ++silentRounds;
        if (answer == 0 || answer == 1 || silentRounds >= 16) {
            serialthread->simPhonebookSize = serialthread->simCapacity();
            serialthread->setChset("UCS2");
            return 1;
        }
        if (initPortCount == 0 || initPortCount > 3)
            view->dataState(2);
        for (int i = 0; i < 100; ++i)
            waitProcessingEvents(10);
    }
    qCWarning(lcMonitor) << "(U)sim isn't normal state!";
    warn(tr("(U)sim isn't normal state!"));
    view->terminate(1);
    return 0;
}

// Takes every message that waits in the modem's own memory: received ones go
// to the PC inbox and are deleted from the modem once stored; sent and unsent
// ones stay there and are listed with the modem-memory boxes.
void StatusMonitor::importModemMessages() {
    qCDebug(lcMonitor) << "initAtCmd------------>enter getSmsContent(4,0)";
    const QString list = serialthread->getSmsContent(4, 0);
    int from = 0;
    while ((from = list.indexOf("+CMGL:", from)) >= 0) {
        const QString header = list.mid(from + 6, list.indexOf("\r\n", from) - from - 6);
        from += 6;
        const QStringList fields = header.split(',');
        if (fields.size() < 2)
            continue;
        const int index = fields[0].trimmed().toInt();
        const int status = fields[1].trimmed().toInt();
        if (status != 0 && status != 1) {
            continue;
        }
        const QString reply = serialthread->getIndexSms(QByteArray::number(index).constData());
        if (!reply.contains("+CMGR:")) {
            continue;
        }
        if (!view->InsertSave(reply, index, status == 0 ? tr("new") : tr("read"))) {
            continue;
        }
        if (status == 0)
            ++unreadMsgCount;
        serialthread->deleteMeSMS(index);
    }
    view->getSimAllSmsItem(0, 4);
    qCDebug(lcMonitor) << "initAtCmd------------->out while";
}

void StatusMonitor::storeModePreference(int mode) {
    NetworkSettings settings = readNetworkSettings();
    settings.modePerferred = mode - 1;
    writeNetworkSettings(settings);
}

QString StatusMonitor::smsnum() {
    const QString reply = serialthread->get_sms_number();
    if (reply.isNull())
        return QString();
    smsCentreReply = reply;
    const int first = reply.indexOf('"');
    const int last = reply.lastIndexOf('"');
    if (first < 0 || last <= first)
        return QString("");
    const QString number = reply.mid(first + 1, last - first - 1);
    qCWarning(lcMonitor, "snumber=====%s", qPrintable(number));
    return number;
}

// --- status texts ------------------------------------------------------------

// Removes the command echo: everything up to the first "?" and the line end
// after it.
static QString withoutEcho(QString reply) {
    reply.remove(0, reply.indexOf('?') + 1);
    reply.remove(0, reply.indexOf('\n') + 1);
    return reply;
}

// The text of the first quoted field, or what follows the first quote when
// the field is not closed.
static QString firstQuoted(QString text) {
    text.remove(0, text.indexOf('"') + 1);
    const int close = text.indexOf('"');
    if (close >= 0)
        text.truncate(close);
    return text;
}

void StatusMonitor::netService() {
    const QString reply = serialthread->get_YPAS_Res_Str();
    if (reply.isNull()) {
        serviceText = "No Service";
        serviceType = "";
        return;
    }
    const QString body = withoutEcho(reply);
    serviceText = firstQuoted(body);
    QString second = body;
    second.remove(0, second.indexOf(',') + 1);
    second = firstQuoted(second);
    if (second == "CS_ONLY")
        serviceType = "C";
    else if (second == "PS_ONLY")
        serviceType = "P";
    else if (second == "CS_PS")
        serviceType = "P C";
    else
        serviceType = QString();
}

void StatusMonitor::ISPName() {
    const QString reply = serialthread->get_YDON_Res_Str();
    if (reply.isNull()) {
        operatorName = "Not Found";
        return;
    }
    operatorName = firstQuoted(withoutEcho(reply));
}

// --- status display -----------------------------------------------------------

void StatusMonitor::showDataDisconnected() {
    if (view->dataAnimationRunning())
        view->dataConnectStop();
    view->setStatusPixmap("isConnectLabel", "data_disconnect.png");
    view->setStatusToolTip("isConnectLabel", tr("Data Not Connected"));
    if (!connecting)
        view->dataState(0);
}

// The status area without a usable network: tray signal image, no data
// connection, SIM off, no service and no operator.
void StatusMonitor::showNoNetwork(const QString& modemImage, int dataState) {
    view->resizeStatusLabel("signalLabel", 16, 16);
    view->setStatusPixmap("signalLabel", "ImageList_TrayMain2.png");
    view->setStatusPixmap("isConnectLabel", "data_disconnect.png");
    view->dataState(dataState);
    view->setStatusPixmap("modemLabel", modemImage);
    view->setStatusPixmap("simLabel", "sim_off.png");
    view->setStatusText("serviceLabel", tr("No Service"));
    view->setStatusText("ispLabel", tr("Not Found"));
    view->setStatusText("pcsimLabel", " ");
    view->setStatusToolTip("isConnectLabel", tr("Data Not Connected"));
    view->setStatusToolTip("modemLabel", tr("Tolva Be Not Detected"));
    view->setStatusToolTip("simLabel", tr("No (U)SIM"));
}

void StatusMonitor::displayStateBar(bool modem, bool sim, bool validateCanceled) {
    if (receive_flag || serialthread->atLocked() || (initPortCount < 3 && !sim))
        return;

    const bool attached = modemAttached();
    if (!modem) {
        showNoNetwork("modem_off.png", 2);
        qCDebug(lcMonitor) << "WTMainWindow:____ modem off, sim off ____";
        return;
    }
    if (!sim) {
        showNoNetwork("modem_on.png", 0);
        if (attached) {
            if (view->dialerRunning())
                view->safeKillWvdail();
            view->setConnectButtonText(tr("Connect"));
            view->connectBtnValid(false);
            if (view->connectingAnimationRunning()) {
                view->dataStateConnectingStop();
                view->dataState(0);
            }
            showDataDisconnected();
        }
        qCDebug(lcMonitor) << "WTMainWindow:____ modem on, sim off ____";
        return;
    }
    if (!attached) {
        // The modem went away while the state still says it is there.
        showNoNetwork("modem_off.png", 0);
        qCDebug(lcMonitor) << "WTMainWindow:____ modem on, sim on ____";
        return;
    }

    checkDataLink();
    view->setStatusPixmap("modemLabel", "modem_on.png");
    view->setStatusPixmap("simLabel", validateCanceled ? "sim_cancel.png" : "sim_on.png");
    netService();
    ISPName();
    applyNetworkTexts(validateCanceled);
    qCDebug(lcMonitor) << "WTMainWindow:____ modem on, sim on ____";
}

// A connection believed up whose link file has gone was dropped by the peer.
void StatusMonitor::checkDataLink() {
    if (connecting == 0 && connectOrDisconnectButton == 0) {
        if (!QFile::exists(SystemPaths::pppPidFile())) {
            view->safeKillWvdail();
            view->setConnectButtonText(tr("Connect"));
        }
    } else {
        showDataDisconnected();
    }
}

void StatusMonitor::applyNetworkTexts(bool validateCanceled) {
    const bool usable =
        !serviceText.contains("ERROR") && !serviceText.contains("OK") &&
        !operatorName.contains("ERROR") &&
        (serviceText.contains("Limited Service") || !operatorName.contains("Not Found"));
    if (usable) {
        view->setStatusText("serviceLabel", serviceText);
        view->setStatusText("pcsimLabel", serviceType);
        view->setStatusText("ispLabel", operatorName);
        // A SIM whose PIN entry was cancelled can't dial.
        view->connectBtnValid(serviceType.contains('P') && connecting == 0 && !validateCanceled);
        if (signalLevel == -1) {
            view->setStatusPixmap("signalLabel", "ImageList_TrayMain2.png");
        } else if (signalLevel > 0) {
            view->resizeStatusLabel("signalLabel", 32, 17);
            view->setStatusPixmap("signalLabel",
                                  QString("ImageList_RSSILevel%1.png").arg(signalLevel));
        }
    }
    view->setStatusToolTip("modemLabel", tr("Tolva Online"));
    view->setStatusToolTip("simLabel",
                           validateCanceled ? tr("(U)SIM Validate Canceled") : tr("(U)SIM Ready"));
    if (!serviceType.isNull())
        view->setStatusToolTip("pcsimLabel", tr("Service Type"));
}

// --- SIM-dependent controls and the connection state -----------------------------

void StatusMonitor::setConnectCaption() {
    const QString name = view->defaultConnectionName();
    if (name.isEmpty())
        view->setConnectCaption(QString()); // no profile to name yet
    else if (view->connectButtonText() == tr("Connect"))
        view->setConnectCaption(tr("Connect to ") + name + "?");
    else
        view->setConnectCaption(tr("Connected to ") + name);
}

void StatusMonitor::setButtonStatus(bool enable) {
    view->connectBtnValid(modemAttached() && enable && connecting == 0);
    setConnectCaption();
    view->setSimSettingsEnabled(connectOrDisconnectButton != 0 && enable);
}

void StatusMonitor::slotUpdateConnectPixmap() {
    view->dataConnectAnimated();
    view->dataState(1);
    setConnectCaption();
    view->setSimSettingsEnabled(false);
}

void StatusMonitor::slotUpdateDisconnectPixmap() {
    if (view->dataAnimationRunning())
        view->dataConnectStop();
    view->setStatusPixmap("isConnectLabel", "data_disconnect.png");
    view->dataState(0);
}

void StatusMonitor::slotConnectingStart() {
    view->setPageButtonsEnabled(false);
}

void StatusMonitor::slotConnectingEnd() {
    view->setPageButtonsEnabled(true);
}

void StatusMonitor::slotSetDefaultName() {
    const QString name = view->defaultConnectionName();
    view->setConnectCaption(name.isEmpty() ? QString() : tr("Connect to ") + name + "?");
}

void StatusMonitor::waitForDialerBeforeClose() {
    static const char* const dots[] = {
        QT_TR_NOOP("Please wait a minute.    "), QT_TR_NOOP("Please wait a minute..   "),
        QT_TR_NOOP("Please wait a minute...  "), QT_TR_NOOP("Please wait a minute.... "),
        QT_TR_NOOP("Please wait a minute.....")};
    for (int round = 0; round < 3000 && view->dialerRunning(); ++round) {
        if (round == 0) {
            view->setConnectStateText(tr("Please wait a minute.... "));
            view->connectBtnValid(false);
            view->showInternetPage();
            view->safeKillWvdail();
            waitProcessingEvents(10);
            view->setConnectStateText(tr(dots[0]));
            continue;
        }
        waitProcessingEvents(10);
        if (round % 100 == 0)
            view->setConnectStateText(tr(dots[(round / 100) % 5]));
    }
}
