#include "mainwindow/statusmonitor.h"

#include "app/systempaths.h"
#include "mainwindow/monitorlog.h"
#include "modem/modemmanager.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"
#include "settings/settingsfiles.h"
#include "sms/pducodec.h"

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

namespace {

// How soon an arrival waiting for a busy link tries again.
constexpr int kArrivalRetryMs = 20;

// How many rounds a message that can't be read is tried again (a round per
// tick: ten minutes).
constexpr int kFetchRounds = 150;

// Sets a flag for the lifetime of the scope.
struct Busy {
    bool& flag;
    explicit Busy(bool& f) : flag(f) { flag = true; }
    ~Busy() { flag = false; }
};

// The monitor's own status words are shown in the user's language; what the
// card reports (network and operator names) is shown as it comes.
QString shownStatus(const QString& text) {
    static const char* const own[] = {QT_TRANSLATE_NOOP("StatusMonitor", "No Service"),
                                      QT_TRANSLATE_NOOP("StatusMonitor", "Limited Service"),
                                      QT_TRANSLATE_NOOP("StatusMonitor", "Not Found")};
    for (const char* word : own)
        if (text == QLatin1String(word))
            return QCoreApplication::translate("StatusMonitor", word);
    return text;
}

} // namespace

StatusMonitor::StatusMonitor(MonitorView* view, SerialThread& link, QObject* parent)
    : QObject(parent), view(view), link_(link), discovery(link) {
    arrivalTimer = new QTimer(this);
    arrivalTimer->setSingleShot(true);
    connect(arrivalTimer, &QTimer::timeout, this, &StatusMonitor::fetchArrivals);
    connect(&link_, &SerialThread::newMessageNotice, this, &StatusMonitor::slotNewMessageNotice);
    connect(&link_, &SerialThread::statusReport, this,
            [this](const QString& pdu) { this->view->takeStatusReport(pdu); });
    connect(&link_, &SerialThread::storedReportNotice, this,
            [this](const QString& storage, int index) {
                storedReports_.append({storage, index});
                slotNewMessageNotice();
            });
}

void StatusMonitor::setPeriods(int normalMs, int afterRemovalMs) {
    periodMs = normalMs;
    removalPeriodMs = afterRemovalMs;
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
    return link_.getSignalQuality();
}

int StatusMonitor::isSIMOnline() {
    return link_.getCIMI();
}

// --- the tick ----------------------------------------------------------------

void StatusMonitor::slotTimer() {
    if (statusTimer)
        statusTimer->stop();
    if (link_.busy()) {
        restartTimer(periodMs);
        return;
    }
    Busy ticking(inTick);

    bool scanned = false;
    if (!modemAttached()) {
        scanned = true;
        qCDebug(lcMonitor) << "========= find modem ========";
        if (pinDialogOpen)
            view->rejectPinDialog();
        setButtonStatus(false);
        if (view->connectionState() == ConnectionState::Connected)
            view->setConnectButtonText(tr("Connect"));
        if (view->dialerRunning())
            view->safeKillWvdail();
        ++initPortCount;
        const bool found = discovery.findPortNames() == 1 && modemAttached();
        checkModemManager();
        if (!found) {
            signalLevel = singalQuality();
            displayStateBar(false, false, false);
            showModemManagerHolds();
            view->setHasSIM(false);
            view->carddispose(false);
            restartTimer(periodMs);
            return;
        }
        // The scan leaves the AT port open as the link's port; open it by
        // name only when it did not.
        if (link_.portFd < 0)
            link_.openPort(theATSerialPortName);
        initAtCmd();
    }

    fetchNewMessages();
    fetchStoredReports();
    view->setNewMessageIndicator(unreadMsgCount > 0);

    qCDebug(lcMonitor, "****** initPortCount = %d", initPortCount);
    const int sim = isSIMOnline();
    signalLevel = singalQuality();
    if (signalLevel == -1) {
        // A card whose port is still there but did not answer in time (busy,
        // or one reply late) is taken as gone only after three such checks in
        // a row, so that one slow reply doesn't end a working connection. A
        // card pulled out takes its port with it and is gone at once.
        if (QFile::exists(theATSerialPortName) && ++unansweredChecks < 3) {
            qCDebug(lcMonitor, "the modem did not answer (%d in a row)", unansweredChecks);
            restartTimer(removalPeriodMs);
            return;
        }
        unansweredChecks = 0;
        showModemGone();
        restartTimer(removalPeriodMs);
        return;
    }
    unansweredChecks = 0;
    if (!storedNotDeleted_.isEmpty())
        retryStoredDeletes();

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

void StatusMonitor::checkModemManager() {
    const QStringList held = portsHeldByModemManager(PortDiscovery::portsToWatch());
    if (held == modemManagerPorts)
        return;
    if (held.isEmpty()) {
        qCDebug(lcMonitor) << "ModemManager no longer holds the card's ports";
        view->setStatusToolTip("serviceLabel", tr("Network Type"));
    } else {
        qCDebug(lcMonitor, "ModemManager holds %s: the card can't be used while it does",
                qPrintable(held.join(", ")));
    }
    modemManagerPorts = held;
}

// The service label is narrow: it names ModemManager, and the tool tips of
// it and of the modem icon say what that means and what to do.
void StatusMonitor::showModemManagerHolds() {
    if (modemManagerPorts.isEmpty())
        return;
    const QString tip =
        tr("ModemManager has %1 open, so this program can't use the card. Stop it "
           "(systemctl stop ModemManager), or unplug the card and plug it in again.")
            .arg(modemManagerPorts.join(", "));
    view->setStatusText("serviceLabel", tr("ModemManager"));
    view->setStatusToolTip("serviceLabel", tip);
    view->setStatusToolTip("modemLabel", tip);
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
    if (discovery.iAtPort > 0 && discovery.iAtPort != link_.portFd)
        link_.closePortNormal(discovery.iAtPort);
    discovery.iAtPort = 0;
    link_.closePortNormal(link_.portFd);
}

// --- arriving messages ---------------------------------------------------------

void StatusMonitor::slotNewMessageNotice() {
    if (!arrivalTimer->isActive())
        arrivalTimer->start(0);
}

void StatusMonitor::fetchArrivals() {
    // Without a modem the tick that finds it takes the notices.
    if (!modemAttached() || (msgData.isEmpty() && storedReports_.isEmpty()))
        return;
    if (inTick || pinDialogOpen || link_.busy()) {
        arrivalTimer->start(kArrivalRetryMs);
        return;
    }
    Busy fetching(inTick);
    fetchNewMessages();
    fetchStoredReports();
    view->setNewMessageIndicator(unreadMsgCount > 0);
}

void StatusMonitor::fetchStoredReports() {
    const QList<std::pair<QString, int>> reports = std::exchange(storedReports_, {});
    for (const auto& place : reports) {
        if (fetchMessage(place.first, place.second, false))
            reportFailures_.remove(place);
        else if (++reportFailures_[place] < kFetchRounds)
            storedReports_.append(place);
        else
            reportFailures_.remove(place);
    }
}

void StatusMonitor::fetchNewMessages() {
    if (activeMsgCount <= 0)
        return;
    qCDebug(lcMonitor) << "================new msg received====================";
    // Notices that arrive while a message is read are taken in the same
    // round. The counter, which also numbers the notices, goes back to 0 only
    // once the queue is empty, so that a new notice never takes the key of
    // one still waiting.
    // A message the modem could not give now (no answer, the SIM away) keeps
    // its notice for the next round, up to kFetchRounds rounds.
    QStringList again;
    while (!msgData.isEmpty()) {
        const auto first = msgData.begin();
        const QString params = first.value();
        msgData.erase(first);
        const std::optional<NewMessageNotice> notice = parseNewMessageNotice(params.toLatin1());
        if (!notice)
            continue;
        qCDebug(lcMonitor, "mem=%s,index=%d", qPrintable(notice->storage), notice->index);
        if (fetchMessage(notice->storage, notice->index)) {
            fetchFailures_.remove(params);
        } else if (++fetchFailures_[params] < kFetchRounds) {
            again << params;
        } else {
            fetchFailures_.remove(params);
            if (unreadMsgCount > 0)
                --unreadMsgCount;
        }
    }
    activeMsgCount = 0;
    for (const QString& params : again)
        msgData.insert(activeMsgCount++, params);
}

// Reads one announced message from the storage that the notice names, stores
// it in the PC inbox and deletes it from that storage once it is stored. A
// status report read there goes to the view instead, and is no unread
// message even when a new-message notice announced it.
// False when the modem could not be read now, so that the notice is tried
// again: the message is still there, and must still reach the PC.
bool StatusMonitor::fetchMessage(const QString& memory, int index, bool announced) {
    const bool onSim = memory == "SM";
    // A card that can't select its report storage now would have the read
    // go to another storage's place.
    if (link_.setShortMsgStorageMode(onSim ? 1 : memory == "SR" ? 2 : 0) != 1 && memory == "SR")
        return false;
    if (announced && link_.getSmsMem() == 0) {
        warn(tr("(U)SIM Card is full, please delete some items"));
        return true;
    }
    const QString reply = link_.getIndexSms(QByteArray::number(index).constData());
    const std::optional<ModemMessage> message = parseReadMessage(reply.toLatin1());
    const bool report = message && isStatusReportPdu(message->pdu.toLatin1().constData());
    if (!message || report) {
        if (!message && !readFoundNoMessage(reply.toLatin1()))
            return false;
        if (announced && unreadMsgCount > 0)
            --unreadMsgCount;
    }
    if (!message)
        return true;
    if (report)
        view->takeStatusReport(message->pdu);
    else if (!storedBefore(memory, index, message->pdu) &&
             !view->InsertSave(reply, index, QStringLiteral("new")))
        return true;
    deleteStored(memory, index, message->pdu);
    if (onSim)
        view->getSimAllSmsItem(1, 4);
    return true;
}

void StatusMonitor::deleteStored(const QString& memory, int index, const QString& pdu) {
    const int deleted = memory == "SM"   ? link_.deleteSimSMS(index)
                        : memory == "SR" ? link_.deleteStatusReport(index)
                                         : link_.deleteMeSMS(index);
    if (deleted == 1) {
        storedNotDeleted_.remove({memory, index});
    } else {
        qCWarning(lcMonitor, "message %s:%d is stored but still on the modem", qPrintable(memory),
                  index);
        storedNotDeleted_.insert({memory, index}, pdu);
    }
}

bool StatusMonitor::storedBefore(const QString& memory, int index, const QString& pdu) const {
    const auto kept = storedNotDeleted_.constFind({memory, index});
    return kept != storedNotDeleted_.constEnd() && *kept == pdu;
}

void StatusMonitor::retryStoredDeletes() {
    const auto kept = storedNotDeleted_;
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        const auto& [memory, index] = it.key();
        link_.setShortMsgStorageMode(memory == "SM" ? 1 : 0);
        const QString reply = link_.getIndexSms(QByteArray::number(index).constData());
        const std::optional<ModemMessage> message = parseReadMessage(reply.toLatin1());
        if (message && message->pdu == it.value())
            deleteStored(memory, index, it.value());
        else if (message || readFoundNoMessage(reply.toLatin1()))
            storedNotDeleted_.remove(it.key()); // gone, or another message now
    }
}

// --- modem initialisation ----------------------------------------------------

int StatusMonitor::initAtCmd() {
    const int mode = link_.netCardStatus();
    if (mode == -1) {
        modemOn = simOn = simValidateCanceled = false;
        return -1;
    }
    if (mode == 0) {
        modemOn = true;
        link_.netCardPowOn(true);
    }

    int simState = link_.connectDeviceNeedInputPIN();
    for (int attempt = 1; simState == 3; ++attempt) {
        qCDebug(lcMonitor, "****** n=%d,con=%d", simState, attempt);
        if (attempt > simBusyLimit) {
            // A SIM that stays busy this long will not come up by itself.
            qCWarning(lcMonitor) << "SIM still busy, treating it as failed";
            simState = 4;
            break;
        }
        waitProcessingEvents(1000);
        simState = link_.connectDeviceNeedInputPIN();
    }

    bool unlocked = simState == 0;
    if (simState == 1)
        unlocked = checkupPUK() == 1;
    else if (simState == 2)
        unlocked = checkupPIN() == 1;

    if (unlocked) {
        pinEnabled = link_.PINSetStatus() == 1 ? 1 : 0;
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

    link_.stopScrollScreen();
    if (waitForSimType() != 1)
        return -1;

    const int prefer = link_.getNewSmsPreferStorage();
    if (prefer == 0 || prefer == 1)
        link_.setNewSmsPreferNVStorage();
    link_.setNewMsgNoticeMode();
    if (link_.getMsgFormat() == 1)
        link_.setMsgFormat(0);

    const int selected = link_.setShortMsgStorageMode(1);
    qCDebug(lcMonitor, "initAtCmd-->setShortMsgStorageMode(0) = %d", selected);
    if (selected == 1)
        view->getSimAllSmsItem(1, 4);
    importModemMessages();

    smscent_num = smsnum();
    qCDebug(lcMonitor, "SMS centre num = %s", qPrintable(smscent_num));

    int modePreference = link_.getNetworkSelectionMode();
    if (modePreference != 0) {
        view->setNetworkSelection(modePreference);
    } else if (link_.usimType == 0 || link_.usimType == 1) {
        const int preferred = link_.usimType == 0 ? 2 : 3;
        link_.setNetworkSelectionMode(preferred);
        view->setNetworkSelection(preferred);
    }
    storeModePreference(modePreference);

    link_.isNewPlatform();
    return 1;
}

// Waits for the SIM to tell its type, asking every third second: 1 settled,
// 0 never within 120 s (the program then ends).
int StatusMonitor::waitForSimType() {
    int answer = -1;
    int silentRounds = 0;
    for (int round = 0; round < 120; ++round) {
        if (round % 3 == 0) {
            answer = link_.getUSIM();
            qCDebug(lcMonitor, "***** con =%d", round);
        }
        if (answer == -1)
            ++silentRounds;
        if (answer == 0 || answer == 1 || silentRounds >= 16) {
            link_.simPhonebookSize = link_.simCapacity();
            link_.setChset("UCS2");
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
    const QString list = link_.getSmsContent(4, 0);
    for (const ModemMessage& listed : parseMessageList(list.toLatin1())) {
        const int index = listed.index;
        const int status = listed.stat;
        if (status != 0 && status != 1)
            continue;
        const QString reply = link_.getIndexSms(QByteArray::number(index).constData());
        const std::optional<ModemMessage> message = parseReadMessage(reply.toLatin1());
        if (!message)
            continue;
        if (isStatusReportPdu(message->pdu.toLatin1().constData())) {
            view->takeStatusReport(message->pdu);
        } else if (!storedBefore("ME", index, message->pdu)) {
            if (!view->InsertSave(reply, index,
                                  status == 0 ? QStringLiteral("new") : QStringLiteral("read")))
                continue;
            if (status == 0)
                ++unreadMsgCount;
        }
        deleteStored("ME", index, message->pdu);
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
    const QString reply = link_.get_sms_number();
    if (reply.isNull())
        return QString();
    smsCentreReply = reply;
    const std::optional<ServiceCentre> centre = parseServiceCentre(reply.toLatin1());
    if (!centre)
        return QString("");
    const QString number = centre->number;
    qCWarning(lcMonitor, "snumber=====%s", qPrintable(number));
    return number;
}

// --- status texts ------------------------------------------------------------

void StatusMonitor::netService() {
    const QString reply = link_.get_YPAS_Res_Str();
    const std::optional<ServiceStatus> status =
        reply.isNull() ? std::nullopt : parseServiceStatus(reply.toLatin1());
    if (!status) {
        // No reply, or none with the service (the query's "No Service").
        serviceText = "No Service";
        serviceType = reply.isNull() ? QString("") : QString();
        return;
    }
    serviceText = status->service;
    if (status->domain == "CS_ONLY")
        serviceType = "C";
    else if (status->domain == "PS_ONLY")
        serviceType = "P";
    else if (status->domain == "CS_PS")
        serviceType = "P C";
    else
        serviceType = QString();
}

void StatusMonitor::ISPName() {
    const QString reply = link_.get_YDON_Res_Str();
    const std::optional<QString> name =
        reply.isNull() ? std::nullopt : parseOperatorName(reply.toLatin1());
    operatorName = name ? *name : QString("Not Found");
}

// --- status display -----------------------------------------------------------

void StatusMonitor::showDataDisconnected() {
    if (view->dataAnimationRunning())
        view->dataConnectStop();
    view->setStatusPixmap("isConnectLabel", "data_disconnect.png");
    view->setStatusToolTip("isConnectLabel", tr("Data Not Connected"));
    if (!isBusy(view->connectionState()))
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
    if (receive_flag || link_.atLocked() || (initPortCount < 3 && !sim))
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
    if (view->connectionState() == ConnectionState::Connected) {
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
        view->setStatusText("serviceLabel", shownStatus(serviceText));
        view->setStatusText("pcsimLabel", serviceType);
        view->setStatusText("ispLabel", shownStatus(operatorName));
        // A SIM whose PIN entry was cancelled can't dial.
        view->connectBtnValid(serviceType.contains('P') && !isBusy(view->connectionState()) &&
                              !validateCanceled);
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
    view->connectBtnValid(modemAttached() && enable && !isBusy(view->connectionState()));
    setConnectCaption();
    const ConnectionState connection = view->connectionState();
    view->setSimSettingsEnabled(connection != ConnectionState::Connected &&
                                connection != ConnectionState::Disconnecting && enable);
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
    // The button is usable again at once, not only at the next tick.
    view->connectBtnValid(modemAttached() && simOn && !simValidateCanceled);
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
