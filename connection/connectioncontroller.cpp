#include "connection/connectioncontroller.h"

#include "connection/connectionglobals.h"
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
    : QObject(parent), view_(view), link_(link), clock_(monotonicMs), checkTimer_(makeTimer(this)),
      killWaitTimer_(makeTimer(this)), animationTimer_(new QTimer(this)),
      trafficTimer_(new QTimer(this)), busyTimer_(makeTimer(this)) {
    connect(checkTimer_, &QTimer::timeout, this, &ConnectionController::slotDelayMessageBox);
    connect(killWaitTimer_, &QTimer::timeout, this, &ConnectionController::slotWaitWvdialClose);
    connect(animationTimer_, &QTimer::timeout, this,
            &ConnectionController::slotDataStateConnecting);
    connect(trafficTimer_, &QTimer::timeout, this, &ConnectionController::slotDataDisplay);
    connect(busyTimer_, &QTimer::timeout, this, &ConnectionController::disconnectWhenFree);
}

ConnectionController::~ConnectionController() = default;

// --- the button -------------------------------------------------------------------

void ConnectionController::isConnectButton_clicked() {
    if (connecting == 1 || busyTimer_->isActive()) {
        qDebug("a connection is being made or taken down: the click is ignored");
        return;
    }
    emit sigConnectingStart();
    view_.setConnectButtonEnabled(false);
    if (dialer_.hasDialer())
        disconnectWhenFree();
    else
        connectNow();
}

// Disconnecting holds the modem still; an AT command that is under way
// finishes first.
void ConnectionController::disconnectWhenFree() {
    if (link_ && link_->isSuspended()) {
        qDebug("the dialer is being stopped already");
        busyTimer_->start(timing_.busyRetryMs);
        return;
    }
    dataStateConnectingStop();
    dataStateConnectingStart();
    slotKillWvdial();
}

void ConnectionController::connectNow() {
    if (!files_.saveConfigData()) {
        failBeforeDialling(tr("Save wvdial config data failed!"), true);
        return;
    }
    QString error;
    if (!files_.readDeafaultConfigData(link_ ? link_->modemPortName() : QString(), &error)) {
        qWarning() << "dialer files:" << error;
        failBeforeDialling(tr("Read default wvdial config data failed!"), true);
        return;
    }
    emit sigPDPSetCommand();
    redialsDone_ = 0;
    dialStartMs_ = now();
    slotStartWvdial();
}

// Nothing was dialled: what was written is put back and the window is
// usable again.
void ConnectionController::failBeforeDialling(const QString& text, bool restoreFiles) {
    if (restoreFiles && DialerFiles::backupsExist())
        files_.recoverConfigData();
    emit sigConnectingEnd();
    view_.setConnectButtonEnabled(true);
    view_.message(ConnectionView::Box::Information, text);
}

bool ConnectionController::slotStartWvdial() {
    if (!dialer_.startDialer())
        return false;
    state_ = State::Connecting;
    connecting = 1;
    dataStateConnectingStop();
    dataStateConnectingStart();
    dialStartMs_ = now();
    checkTimer_->start(timing_.firstCheckMs);
    return true;
}

// --- the connect check ----------------------------------------------------------------

void ConnectionController::slotDelayMessageBox() {
    qDebug("======= enter slotDelayMessageBox ======");
    checkTimer_->stop();
    const qint64 seconds = (now() - dialStartMs_) / 1000;
    switch (checkConnection(seconds)) {
    case ConnectCheck::LinkNotBuilt:
        // Debian's wvdial sometimes aborts in its first seconds: dial again.
        if (dialer_.dialerGone() && dialer_.lastEndedBySignal() && redialsDone_ < timing_.redials) {
            ++redialsDone_;
            qWarning("the dialer aborted before a link came up; dialling again (%d)", redialsDone_);
            slotStartWvdial();
            break;
        }
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
        if (!files_.peerDns) {
            qDebug("the profile has fixed DNS servers");
            QString error;
            if (!files_.saveManualDNS(&error))
                qWarning() << "fixed DNS servers:" << error;
        }
        succeed();
        break;
    case ConnectCheck::LinkGone:
        dataStateConnectingStop();
        view_.setConnectButtonText(tr("Connect"));
        connectOrDisconnectButton = 1;
        connecting = 0;
        slotKillWvdial();
        view_.message(ConnectionView::Box::Information, tr("Connection is failed!"));
        break;
    }
    qDebug("======= exit slotDelayMessageBox ======");
}

void ConnectionController::succeed() {
    state_ = State::Connected;
    connectedAt_ = QDateTime::currentDateTime();
    lastSent_ = 0;
    lastReceived_ = 0;
    shownLevel_ = LimitLevel::Below;
    dataStateConnectingStop();
    view_.setConnectButtonText(tr("Disconnect"));
    connectOrDisconnectButton = 0;
    connecting = 0;
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

// --- taking the connection down ---------------------------------------------------------

void ConnectionController::safeKillWvdail() {
    if (dialer_.hasDialer() && !killWaitTimer_->isActive())
        slotKillWvdial();
}

void ConnectionController::slotKillWvdial() {
    if (state_ == State::Connected)
        recordConnection();
    state_ = State::Disconnecting;
    dataDisplayEnd();
    view_.setCaptionVisible(true);
    // The card is left alone while the dialer goes.
    if (link_)
        link_->suspend();
    connecting = 1;
    killWvdialConut = 0;
    forceKilled_ = false;
    killStartMs_ = now();
    busyTimer_->stop();
    checkTimer_->stop();
    if (dialer_.hasDialer() && dialer_.dialerPid() > 0) {
        dialer_.killDialer();
        ++killWvdialConut;
    }
    // Without a process to kill the wait ends at its first check.
    killWaitTimer_->start(timing_.killWaitMs);
}

void ConnectionController::slotWaitWvdialClose() {
    killWaitTimer_->stop();
    ++killWvdialConut;
    if (!dialer_.dialerGone()) {
        // A dialer that ignores SIGTERM gets SIGKILL; the wait goes on.
        if (!forceKilled_ && now() - killStartMs_ >= timing_.forceKillMs) {
            qWarning("the dialer ignored SIGTERM; killing it");
            forceKilled_ = dialer_.killDialer(true);
        }
        killWaitTimer_->start(timing_.killWaitMs);
        return;
    }
    finishDisconnect();
}

void ConnectionController::finishDisconnect() {
    state_ = State::Disconnected;
    dataStateConnectingStop();
    connecting = 0;
    connectOrDisconnectButton = 1;
    emit sigConnectingEnd();
    emit sigUpdateDisconnectPixmap();
    checkTimer_->stop();
    const bool restored = files_.recoverConfigData();
    view_.setConnectButtonText(tr("Connect"));
    dataState(0);
    showUsage();
    if (link_)
        link_->resume();
    if (!restored)
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
        connectOrDisconnectButton != 0 ? connectingTexts : disconnectingTexts;
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
    view_.setStateText(connected ? tr("State: Connected") : tr("State: Disconnected"));
}

// --- amounts and time ---------------------------------------------------------------------------

void ConnectionController::dataDisplay() {
    if (trafficTimer_->isActive()) {
        trafficTimer_->stop();
        return;
    }
    connectedSinceMs_ = now();
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
