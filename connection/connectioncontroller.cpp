#include "connection/connectioncontroller.h"

#include "connection/dialprofile.h"
#include "connection/linkstatus.h"
#include "connection/traffic.h"
#include "modem/serialthread.h"
#include "settings/settingsfiles.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <QtDebug>

#include <algorithm>

namespace {

qint64 monotonicMs() {
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

QTimer* makeTimer(QObject* owner) {
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    return timer;
}

} // namespace

ConnectionController::ConnectionController(ConnectionView& view, SerialThread* link,
                                           QObject* parent)
    : QObject(parent), view_(view), link_(link), clock_(monotonicMs),
      dialerSetting_(readDialerChoice), checkTimer_(makeTimer(this)),
      killWaitTimer_(makeTimer(this)), animationTimer_(new QTimer(this)),
      trafficTimer_(new QTimer(this)) {
    connect(checkTimer_, &QTimer::timeout, this, &ConnectionController::slotDelayMessageBox);
    connect(killWaitTimer_, &QTimer::timeout, this, &ConnectionController::slotWaitWvdialClose);
    connect(animationTimer_, &QTimer::timeout, this,
            &ConnectionController::slotDataStateConnecting);
    connect(trafficTimer_, &QTimer::timeout, this, &ConnectionController::slotDataDisplay);
    connect(&helper_, &PrivilegedHelper::connectionEnded, this, &ConnectionController::helperEnded);
    // A hangup that came before the helper had recorded its dialer is sent again.
    connect(&helper_, &PrivilegedHelper::hungUp, this, [this](const HelperOutcome& outcome) {
        hangupMissed_ = outcome.has(HelperReport::Nothing) && helper_.connectionRunning();
    });
    connect(&helper_, &PrivilegedHelper::leftoverRestored, this,
            [this](const HelperOutcome& outcome) {
                restoringLeftover_ = false;
                emit leftoverRestored(leftoverOutcome(outcome));
            });
}

ConnectionController::~ConnectionController() = default;

void ConnectionController::setState(State state) {
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state);
}

void ConnectionController::restoreLeftoverConnection() {
    if (restoringLeftover_ || !leftoverConnectionFound())
        return;
    qWarning("a connection of an earlier run was not taken down: asking the helper to restore it");
    restoringLeftover_ = true;
    helper_.restoreLeftover();
}

// --- the button -------------------------------------------------------------------

void ConnectionController::isConnectButton_clicked() {
    if (isBusy(state_) || restoringLeftover_) {
        qDebug("a connection is being made or taken down: the click is ignored");
        return;
    }
    emit sigConnectingStart();
    view_.setConnectButtonEnabled(false);
    if (state_ == State::Connected)
        slotKillWvdial();
    else
        connectNow();
}

void ConnectionController::connectNow() {
    qint64 limit = 0;
    if (limitForbidsConnecting(readNetworkSettings(), &limit)) {
        failBeforeDialling(ConnectionView::Box::Warning,
                           tr("This month's data limit of %1 is reached, and the connection would "
                              "be ended at once. To connect, raise the limit or switch off "
                              "\"Disconnect at the limit\" in the network settings.")
                               .arg(byteText(limit)));
        return;
    }
    const std::optional<DialRequest> request = defaultProfileRequest(
        link_ ? link_->modemPortName() : QString(), chosenDialer(dialerSetting_()));
    if (!request) {
        failBeforeDialling(ConnectionView::Box::Information,
                           tr("Read default wvdial config data failed!"));
        return;
    }
    request_ = *request;
    emit sigPDPSetCommand();
    redialsDone_ = 0;
    dial();
}

void ConnectionController::dial() {
    qDebug("======= enter startwvdial (%s) ======", qPrintable(dialerName(request_.dialer)));
    helper_.startConnection(request_);
    setState(State::Connecting);
    ended_ = HelperOutcome();
    dataStateConnectingStop();
    dataStateConnectingStart();
    dialStartMs_ = now();
    checkTimer_->start(timing_.firstCheckMs);
}

// Nothing was dialled, or the helper refused before dialling (and put back
// what it wrote): the window is usable again.
void ConnectionController::failBeforeDialling(ConnectionView::Box kind, const QString& text) {
    checkTimer_->stop();
    dataStateConnectingStop();
    setState(State::Disconnected);
    dataState(0);
    emit sigConnectingEnd();
    view_.setConnectButtonEnabled(true);
    view_.message(kind, text);
}

QString ConnectionController::refusalText(const HelperOutcome& outcome) {
    if (!outcome.ran)
        return tr("The connection's helper could not be run: it is missing, or the system did not "
                  "authorise it.");
    if (outcome.has(HelperReport::Busy))
        return tr("Another connection is being made or is up. Connect again once it has ended.");
    if (outcome.has(HelperReport::FailedBackup))
        return tr("Save wvdial config data failed!");
    if (const HelperReport* refused = outcome.find(HelperReport::Refused)) {
        if (refused->field == u"dns1")
            return tr("Invalid Preferred DNS!Please check it!");
        if (refused->field == u"dns2")
            return tr("Invalid Alternate DNS!Please check it!");
        if (refused->field == u"dialer")
            return tr("Neither wvdial nor pppd is installed: there is nothing to dial with.");
        return tr("Read default wvdial config data failed!");
    }
    if (outcome.has(HelperReport::FailedWrite))
        return tr("Read default wvdial config data failed!");
    if (outcome.has(HelperReport::FailedStart))
        return tr("Fail to connect! Link ppp0 was'n built !");
    return QString();
}

// --- the connect check ----------------------------------------------------------------

void ConnectionController::slotDelayMessageBox() {
    qDebug("======= enter slotDelayMessageBox ======");
    checkTimer_->stop();
    if (state_ != State::Connecting)
        return;
    const qint64 seconds = (now() - dialStartMs_) / 1000;
    switch (checkConnection(seconds, request_.peerDns)) {
    case ConnectCheck::LinkNotBuilt:
        // A dialer that has ended is dealt with as its helper reports.
        if (helper_.connectionRunning())
            failAndRestore(ConnectionView::Box::Information,
                           tr("Fail to connect! Link ppp0 was'n built !"));
        break;
    case ConnectCheck::WaitForDns:
        checkTimer_->start(timing_.recheckMs);
        break;
    case ConnectCheck::NoDns:
        slotKillWvdial();
        view_.message(ConnectionView::Box::Warning, tr("Fail to connect! Can't get dns!"));
        break;
    case ConnectCheck::InvalidDns:
        slotKillWvdial();
        view_.message(ConnectionView::Box::Warning, tr("Fail to connect! DNS isn't valid !"));
        break;
    case ConnectCheck::Connected:
        succeed();
        break;
    case ConnectCheck::LinkGone:
        view_.setConnectButtonText(tr("Connect"));
        slotKillWvdial();
        view_.message(ConnectionView::Box::Information, tr("Connection is failed!"));
        break;
    }
    qDebug("======= exit slotDelayMessageBox ======");
}

void ConnectionController::succeed() {
    setState(State::Connected);
    connectedAt_ = QDateTime::currentDateTime();
    lastSent_ = 0;
    lastReceived_ = 0;
    shownLevel_ = LimitLevel::Below;
    dataStateConnectingStop();
    view_.setConnectButtonText(tr("Disconnect"));
    emit sigConnectingEnd();
    emit sigUpdateConnectPixmap();
    dataState(1);
    dataDisplay();
    view_.setCaptionVisible(false);
}

void ConnectionController::failAndRestore(ConnectionView::Box kind, const QString& text) {
    pendingMessage_ = std::make_pair(kind, text);
    slotKillWvdial();
}

void ConnectionController::helperEnded(const HelperOutcome& outcome) {
    ended_ = outcome;
    switch (state_) {
    case State::Connecting:
        if (const QString refused = refusalText(outcome); !refused.isEmpty()) {
            failBeforeDialling(ConnectionView::Box::Information, refused);
            if (outcome.has(HelperReport::FailedRestore))
                view_.message(ConnectionView::Box::Information,
                              tr("Recover wvdial config data failed!"));
            return;
        }
        // Debian's wvdial sometimes aborts in its first seconds: dial again.
        if (outcome.has(HelperReport::EndedSignal) && redialsDone_ < timing_.redials) {
            ++redialsDone_;
            qWarning("the dialer aborted before a link came up; dialling again (%d)", redialsDone_);
            dial();
            return;
        }
        failAndRestore(ConnectionView::Box::Information,
                       tr("Fail to connect! Link ppp0 was'n built !"));
        return;
    case State::Connected:
        // The link ended without being asked (the network hung up).
        slotKillWvdial();
        return;
    case State::Disconnecting:
        killWaitTimer_->stop();
        finishDisconnect(outcome);
        return;
    case State::Disconnected:
        return;
    }
}

// --- taking the connection down ---------------------------------------------------------

void ConnectionController::safeKillWvdail() {
    if (state_ != State::Disconnected && state_ != State::Disconnecting)
        slotKillWvdial();
}

void ConnectionController::slotKillWvdial() {
    if (state_ == State::Connected)
        recordConnection();
    setState(State::Disconnecting);
    dataDisplayEnd();
    view_.setCaptionVisible(true);
    // The card is held still while the dialer goes: the command on the wire
    // finishes, then nothing more is sent until the files are back.
    if (link_)
        link_->suspend();
    forceKilled_ = false;
    hangupMissed_ = false;
    killStartMs_ = now();
    checkTimer_->stop();
    view_.setConnectButtonEnabled(false);
    dataStateConnectingStop();
    dataStateConnectingStart();
    slotDataStateConnecting();
    if (helper_.connectionRunning())
        helper_.hangUp(false);
    // Without a connection's helper the wait ends at its first check.
    killWaitTimer_->start(timing_.killWaitMs);
}

void ConnectionController::slotWaitWvdialClose() {
    killWaitTimer_->stop();
    if (!helper_.connectionRunning()) {
        finishDisconnect(ended_);
        return;
    }
    // A dialer that ignores SIGTERM gets SIGKILL; the wait goes on.
    if (!forceKilled_ && now() - killStartMs_ >= timing_.forceKillMs) {
        qWarning("the dialer ignored SIGTERM; killing it");
        helper_.hangUp(true);
        forceKilled_ = true;
    } else if (hangupMissed_) {
        hangupMissed_ = false;
        helper_.hangUp(forceKilled_);
    }
    killWaitTimer_->start(timing_.killWaitMs);
}

void ConnectionController::finishDisconnect(const HelperOutcome& outcome) {
    setState(State::Disconnected);
    dataStateConnectingStop();
    emit sigConnectingEnd();
    emit sigUpdateDisconnectPixmap();
    checkTimer_->stop();
    view_.setConnectButtonText(tr("Connect"));
    dataState(0);
    showUsage();
    if (link_)
        link_->resume();
    if (outcome.has(HelperReport::FailedRestore))
        view_.message(ConnectionView::Box::Information, tr("Recover wvdial config data failed!"));
    if (pendingMessage_) {
        const auto [kind, text] = *pendingMessage_;
        pendingMessage_.reset();
        view_.message(kind, text);
    }
}

// --- the state line -------------------------------------------------------------------------

void ConnectionController::dataStateConnectingStart() {
    if (animationTimer_->isActive())
        return;
    animationCount_ = 0;
    animationTimer_->start(timing_.animationMs);
}

void ConnectionController::dataStateConnectingStop() {
    animationTimer_->stop();
}

bool ConnectionController::checkTimerValidation() const {
    return animationTimer_->isActive();
}

void ConnectionController::slotDataStateConnecting() {
    static const char* const connectingTexts[] = {
        QT_TR_NOOP("State: Connecting."), QT_TR_NOOP("State: Connecting. ."),
        QT_TR_NOOP("State: Connecting. . ."), QT_TR_NOOP("State: Connecting. . . .")};
    static const char* const disconnectingTexts[] = {
        QT_TR_NOOP("State: Disconnecting."), QT_TR_NOOP("State: Disconnecting. ."),
        QT_TR_NOOP("State: Disconnecting. . ."), QT_TR_NOOP("State: Disconnecting. . . .")};
    const char* const* texts =
        state_ == State::Disconnecting ? disconnectingTexts : connectingTexts;
    view_.setStateText(tr(texts[animationCount_ % 4]));
    ++animationCount_;
}

void ConnectionController::dataState(char state) {
    if (state == 2) {
        static const char* const dots[] = {
            QT_TR_NOOP("State: Initializing"), QT_TR_NOOP("State: Initializing."),
            QT_TR_NOOP("State: Initializing. ."), QT_TR_NOOP("State: Initializing. . ."),
            QT_TR_NOOP("State: Initializing. . . .")};
        ++initialisingCount_;
        view_.setStateText(tr(dots[initialisingCount_ % 5]));
        return;
    }
    const bool connected = state == 1;
    view_.setStateImage(connected);
    view_.setStateText(connected    ? tr("State: Connected")
                       : state == 3 ? tr("State: No modem found")
                                    : tr("State: Disconnected"));
}
// --- amounts and time ---------------------------------------------------------------------------

void ConnectionController::dataDisplay() {
    if (trafficTimer_->isActive()) {
        trafficTimer_->stop();
        return;
    }
    // Counted from when the link came up, as the data amounts are: the
    // connect check ran some seconds later.
    connectedSinceMs_ = now() - linkUpForMs();
    trafficTimer_->start(timing_.trafficMs);
    slotDataDisplay();
}

void ConnectionController::dataDisplayEnd() {
    trafficTimer_->stop();
    view_.hideTraffic();
}

void ConnectionController::slotDataDisplay() {
    char received[CountTextSize] = {};
    char transmitted[CountTextSize] = {};
    datastatic(received, transmitted);
    view_.showTraffic(tr("Amount Data of Transported: ") + QString::fromLatin1(transmitted),
                      tr("Amount Data of Received: ") + QString::fromLatin1(received),
                      tr("Connected Time: ") + timeFormat(now() - connectedSinceMs_));
    if (state_ != State::Connected)
        return;
    readCounts();
    // The limit and the billing day as the settings page applied them.
    const NetworkSettings settings = readNetworkSettings();
    showUsage(settings);
    checkLimit(settings);
}

// --- data used and the monthly limit ----------------------------------------------------

void ConnectionController::readCounts() {
    char received[RawCountSize] = "0";
    char transmitted[RawCountSize] = "0";
    Read_ip_amount(received, transmitted);
    // The counts only grow while the link is up; a smaller one is a reading
    // of a link that is already gone.
    lastSent_ = std::max(lastSent_, QByteArray(transmitted).toLongLong());
    lastReceived_ = std::max(lastReceived_, QByteArray(received).toLongLong());
}

void ConnectionController::showUsage() {
    showUsage(readNetworkSettings());
}

void ConnectionController::showUsage(const NetworkSettings& settings) {
    const QDate today = QDate::currentDate();
    const qint64 live = state_ == State::Connected ? lastSent_ + lastReceived_ : 0;
    const auto [first, last] = billingPeriod(today, settings.billingDay);
    const qint64 period = history_.bytesBetween(first, last) + live;
    QString summary = tr("Today: %1    This month: %2")
                          .arg(byteText(history_.day(today).bytes() + live), byteText(period));
    if (settings.monthlyLimitMB > 0)
        summary += tr(" of %1").arg(byteText(qint64(settings.monthlyLimitMB) * 1024 * 1024));
    QList<DayUsage> days = history_.lastDays(today, 30);
    days.last().received += live; // the live connection as received data: only the total shows
    view_.showUsage(summary, days);
}

bool ConnectionController::limitForbidsConnecting(const NetworkSettings& settings,
                                                  qint64* limit) const {
    *limit = qint64(settings.monthlyLimitMB) * 1024 * 1024;
    if (settings.limitDisconnect == 0)
        return false;
    const auto [first, last] = billingPeriod(QDate::currentDate(), settings.billingDay);
    return limitLevel(history_.bytesBetween(first, last), *limit) == LimitLevel::Reached;
}

void ConnectionController::checkLimit(const NetworkSettings& settings) {
    const qint64 limit = qint64(settings.monthlyLimitMB) * 1024 * 1024;
    const auto [first, last] = billingPeriod(QDate::currentDate(), settings.billingDay);
    const LimitLevel level =
        limitLevel(history_.bytesBetween(first, last) + lastSent_ + lastReceived_, limit);
    if (level <= shownLevel_)
        return;
    shownLevel_ = level;
    if (level == LimitLevel::Warning) {
        emit usageWarning(kLimitWarningPercent);
        return;
    }
    const bool disconnecting = settings.limitDisconnect != 0;
    emit limitReached(disconnecting);
    if (disconnecting)
        failAndRestore(ConnectionView::Box::Warning,
                       tr("This month's data limit of %1 is reached: the connection was ended.")
                           .arg(byteText(limit)));
}

void ConnectionController::recordConnection() {
    readCounts();
    history_.add(connectedAt_, QDateTime::currentDateTime(), lastSent_, lastReceived_);
    if (!history_.save())
        qWarning("the traffic history could not be written");
}
