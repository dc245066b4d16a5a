#include "mainwindow/statusmonitor.h"

#include "mainwindow/monitorlog.h"
#include "modem/modemmanager.h"
#include "modem/serialthread.h"
#include "sms/smsinbox.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>

Q_LOGGING_CATEGORY(lcMonitor, "velto.monitor")

namespace {

// Checks that miss the SIM, or that the card doesn't answer, before it
// counts as gone.
constexpr int kMissesToGone = 3;

const char kNoService[] = "No Service";
const char kLimitedService[] = "Limited Service";
const char kNotFound[] = "Not Found";

} // namespace

StatusMonitor::StatusMonitor(MonitorView* view, SerialThread& link, SmsInbox* inbox,
                             const FixedPorts& ports, QObject* parent)
    : QObject(parent), view_(view), link_(link), inbox_(inbox), discovery_(ports), pin_(view, link),
      startup_(view, link, pin_) {
    connect(&link_, &SerialThread::portLost, this, &StatusMonitor::portLost);
    connect(&link_, &SerialThread::networkNotice, this, &StatusMonitor::takeNetworkNotice);
}

// A card pulled out takes its port with it: it is gone at once, whatever was
// under way for it (its set-up, a PIN dialog, a tick's checks) ends here,
// and the scan for a card follows.
void StatusMonitor::portLost() {
    qCDebug(lcMonitor) << "the card's port hung up";
    modemGone();
    endTick(removalPeriodMs_);
}

void StatusMonitor::setPeriods(int normalMs, int afterRemovalMs) {
    periodMs_ = normalMs;
    removalPeriodMs_ = afterRemovalMs;
}

void StatusMonitor::initMonitor() {
    if (!statusTimer_) {
        statusTimer_ = new QTimer(this);
        statusTimer_->setSingleShot(true);
        connect(statusTimer_, &QTimer::timeout, this, &StatusMonitor::slotTimer);
    }
    statusTimer_->start(periodMs_);
}

bool StatusMonitor::modemAttached() const {
    // A scan that found no answering AT port leaves its name empty; with only
    // a modem port the program has nothing to talk to.
    return !link_.atPortName().isEmpty();
}

void StatusMonitor::endTick(int nextMs) {
    ticking_ = false;
    publish();
    if (statusTimer_)
        statusTimer_->start(nextMs);
    emit tickDone();
}

void StatusMonitor::publish() {
    if (shownOnce_ && status_ == shown_)
        return;
    shownOnce_ = true;
    shown_ = status_;
    view_->showStatus(status_);
}

// --- the tick ------------------------------------------------------------------

void StatusMonitor::slotTimer() {
    if (statusTimer_)
        statusTimer_->stop();
    // A tick whose commands are under way (the card's set-up among them)
    // ends with the next tick timed.
    if (ticking_)
        return;
    ticking_ = true;
    // The dialer holds the card: nothing is asked meanwhile.
    if (link_.isSuspended())
        return endTick(periodMs_);
    if (!modemAttached())
        return findModem();
    checkCard();
}

void StatusMonitor::findModem() {
    qCDebug(lcMonitor) << "========= find modem ========";
    pin_.abandon();
    discovery_.scan(link_.firstByteTimeoutMs, [this](const FoundPorts& found) {
        checkModemManager();
        status_ = ModemStatus{};
        const auto noCard = [this, &found] {
            status_.heldByModemManager = modemManagerPorts_;
            status_.networkOnly = found.networkOnly;
            endTick(periodMs_);
        };
        if (!found.tested || found.atPort.isEmpty())
            return noCard();
        if (link_.openPort(found.atPort) < 0) {
            qCWarning(lcMonitor, "the card's port %s can't be opened: %s", qPrintable(found.atPort),
                      std::strerror(errno));
            return noCard();
        }
        link_.setPortNames(found.atPort, found.modemPort);
        status_.card = true;
        status_.settingUp = true;
        publish();
        startup_.start(current([this](ModemStartup::Result result) { afterStartup(result); }));
    });
}

// The tick goes on with the checks once the card is set up with a usable
// SIM; otherwise it ends here, and the next tick looks again.
void StatusMonitor::afterStartup(ModemStartup::Result result) {
    status_.settingUp = false;
    pin_.pinEnabled = startup_.pinEnabled() ? 1 : 0;
    switch (result) {
    case ModemStartup::Result::Ready:
        simMisses_ = 0;
        entryCancelled_ = false;
        status_.sim = ModemStatus::Sim::Ready;
        if (inbox_)
            inbox_->start();
        break;
    case ModemStartup::Result::Locked:
        entryCancelled_ = true;
        status_.sim = ModemStatus::Sim::Locked;
        break;
    case ModemStartup::Result::NoSim:
    case ModemStartup::Result::NoModem:
        status_.sim = ModemStatus::Sim::Absent;
        break;
    }
    if (result != ModemStartup::Result::Ready)
        return endTick(periodMs_);
    checkCard();
}

// The SIM (its IMSI) and the signal; then the network, while the SIM is
// usable.
void StatusMonitor::checkCard() {
    if (inbox_)
        inbox_->poll();
    const AtCaller poll{this, AtPriority::Poll};
    link_.getCIMI(poll, current([this, poll](std::optional<QString> imsi) {
                      link_.getSignalQuality(
                          poll, current([this, answered = imsi.has_value()](int level) {
                              afterChecks(answered, level);
                          }));
                  }));
}

void StatusMonitor::afterChecks(bool simAnswered, int level) {
    if (level == -1) {
        // A card whose port is still there but did not answer in time (busy,
        // or one reply late) is taken as gone only after three such checks
        // in a row. A card pulled out takes its port with it and is gone at
        // once.
        if (QFile::exists(link_.atPortName()) && ++unansweredChecks_ < kMissesToGone) {
            qCDebug(lcMonitor, "the modem did not answer (%d in a row)", unansweredChecks_);
            return endTick(removalPeriodMs_);
        }
        modemGone();
        return endTick(removalPeriodMs_);
    }
    unansweredChecks_ = 0;
    status_.card = true;
    status_.signalBars = level;
    if (inbox_)
        inbox_->retryDeletes();

    if (!simAnswered)
        return simMissing();
    simMisses_ = 0;
    if (status_.sim == ModemStatus::Sim::Absent) {
        // The SIM is back (or was never set up): what depends on it is set
        // up again.
        startup_.restartFromSim(
            current([this](ModemStartup::Result result) { afterStartup(result); }));
        return;
    }
    if (status_.sim == ModemStatus::Sim::Ready)
        return readNetwork();
    endTick(periodMs_);
}

// The card gave no IMSI: the SIM is away, locked, or only slow. It asks the
// card which.
void StatusMonitor::simMissing() {
    link_.connectDeviceNeedInputPIN(
        {this, AtPriority::Poll}, current([this](SimState state) {
            switch (state) {
            case SimState::NotInserted:
            case SimState::Failure:
                // The card says so: no SIM to wait for.
                simMisses_ = kMissesToGone;
                entryCancelled_ = false;
                break;
            case SimState::PinRequired:
            case SimState::PukRequired:
                if (!entryCancelled_) {
                    // A locked SIM came back: it is unlocked with the user.
                    startup_.restartFromSim(
                        current([this](ModemStartup::Result result) { afterStartup(result); }));
                    return;
                }
                break;
            default:
                ++simMisses_;
                break;
            }
            if (simMisses_ >= kMissesToGone && status_.sim != ModemStatus::Sim::Absent) {
                qCDebug(lcMonitor) << "the SIM is gone";
                status_.sim = ModemStatus::Sim::Absent;
                status_.networkShown = false;
                if (inbox_)
                    inbox_->simGone();
            }
            endTick(periodMs_);
        }));
}

// The card's service and operator; shown when the card named an operator or
// its service is limited (emergency calls only).
void StatusMonitor::readNetwork() {
    if (link_.dialect != Dialect::Maker)
        return readStandardNetwork();
    const AtCaller poll{this, AtPriority::Poll};
    link_.getServiceStatus(
        poll, current([this, poll](std::optional<ServiceStatus> service) {
            link_.getOperatorName(
                poll, current([this, service](std::optional<QString> name) {
                    status_.service = service ? service->service : QString(kNoService);
                    status_.domain =
                        service ? serviceDomainOf(service->domain) : ServiceDomain::None;
                    status_.operatorName = name ? *name : QString(kNotFound);
                    status_.networkShown = status_.service.contains(kLimitedService) ||
                                           status_.operatorName != kNotFound;
                    endTick(periodMs_);
                }));
        }));
}

void StatusMonitor::readStandardNetwork() {
    const AtCaller poll{this, AtPriority::Poll};
    for (const RegistrationKind kind :
         {RegistrationKind::Circuit, RegistrationKind::Packet, RegistrationKind::Eps}) {
        link_.getRegistration(poll, kind,
                              current([this, kind](std::optional<RegistrationState> state) {
                                  registrations_[static_cast<size_t>(kind)] = state;
                              }));
    }
    link_.getCurrentOperator(poll, current([this, poll](std::optional<CurrentOperator> current) {
                                 operator_ = current ? current->oper : QString();
                                 if (current && current->act >= 0)
                                     act_ = current->act;
                                 showStandardNetwork();
                                 // "+CSQ" says nothing of LTE on some cards: they measure it in
                                 // "+CESQ".
                                 if (status_.signalBars != 0)
                                     return endTick(periodMs_);
                                 link_.getExtendedSignal(
                                     poll, this->current([this](std::optional<int> bars) {
                                         if (bars)
                                             status_.signalBars = *bars;
                                         endTick(periodMs_);
                                     }));
                             }));
}

// Registered on any of the three: the service follows the technology,
// packet service the packet registrations (+CGREG, or +CEREG on LTE).
void StatusMonitor::showStandardNetwork() {
    const auto on = [this](RegistrationKind kind) {
        const std::optional<RegistrationState>& state = registrations_[static_cast<size_t>(kind)];
        return state && registered(state->stat);
    };
    const bool packet = on(RegistrationKind::Packet) || on(RegistrationKind::Eps);
    const bool circuit = on(RegistrationKind::Circuit);
    status_.domain = packet && circuit ? ServiceDomain::CircuitAndPacket
                     : packet          ? ServiceDomain::PacketOnly
                     : circuit         ? ServiceDomain::CircuitOnly
                                       : ServiceDomain::None;
    // A network that refuses the SIM still takes emergency calls.
    const bool denied = std::any_of(registrations_.begin(), registrations_.end(),
                                    [](const std::optional<RegistrationState>& s) {
                                        return s && s->stat == Registration::Denied;
                                    });
    status_.service = packet || circuit ? technologyName(act_, packet)
                      : denied          ? QString(kLimitedService)
                                        : QString(kNoService);
    status_.operatorName = operator_.isEmpty() ? QString(kNotFound) : operator_;
    status_.networkShown = packet || circuit || denied;
}

// A card of another maker reports its registration, technology and signal
// as they change: the status row follows at once.
void StatusMonitor::takeNetworkNotice(const NetworkNotice& notice) {
    if (link_.dialect == Dialect::Maker || !status_.card || status_.sim != ModemStatus::Sim::Ready)
        return;
    if (notice.bars)
        status_.signalBars = *notice.bars;
    if (notice.kind)
        registrations_[static_cast<size_t>(*notice.kind)] = notice.registration;
    // A report that names only the generation ("WCDMA") keeps the finer
    // technology "AT+COPS?" gave ("HSPA").
    const auto generation = [](int act) {
        return act == 7 ? 4 : act == 2 || (act >= 4 && act <= 6) ? 3 : act >= 0 ? 2 : -1;
    };
    if (notice.act >= 0 && generation(notice.act) != generation(act_))
        act_ = notice.act;
    if (notice.kind || notice.act >= 0)
        showStandardNetwork();
    publish();
}

void StatusMonitor::modemGone() {
    qCDebug(lcMonitor) << "========= modem removed ========";
    generation_.bump();
    unansweredChecks_ = 0;
    simMisses_ = 0;
    entryCancelled_ = false;
    startup_.abandon();
    pin_.abandon();
    link_.setPortNames({}, {});
    link_.closePort();
    if (inbox_)
        inbox_->cardGone();
    status_ = ModemStatus{};
    registrations_ = {};
    operator_.clear();
    act_ = -1;
}

void StatusMonitor::checkModemManager() {
    const QStringList held = portsHeldByModemManager(discovery_.portsToWatch());
    if (held == modemManagerPorts_)
        return;
    if (held.isEmpty())
        qCDebug(lcMonitor) << "ModemManager no longer holds the card's ports";
    else
        qCDebug(lcMonitor, "ModemManager holds %s: the card can't be used while it does",
                qPrintable(held.join(", ")));
    modemManagerPorts_ = held;
}
