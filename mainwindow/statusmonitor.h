#pragma once

// The status monitor: a timer that finds the card while none is attached,
// has it set up (ModemStartup), notices a card or SIM that went away or came
// back, lets the inbox fetch what arrived, and keeps the card's state
// (ModemStatus) for the window to show. A tick is a short sequence of
// queued commands (the card's set-up among them when it was found or its
// SIM came back); the next tick is timed from the end of the last. A card
// whose port hangs up ends the tick at once: what still comes for it is
// ignored.

#include "mainwindow/flowgeneration.h"
#include "mainwindow/modemstartup.h"
#include "mainwindow/modemstatus.h"
#include "mainwindow/monitorview.h"
#include "mainwindow/pinflows.h"
#include "modem/portdiscovery.h"

#include <QObject>

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class QTimer;
class SerialThread;
class SmsInbox;

class StatusMonitor : public QObject {
    Q_OBJECT
public:
    // `inbox` (may be null) is told when the card is ready and gone, and
    // given its turn at every tick. `ports`: given on the command line.
    StatusMonitor(MonitorView* view, SerialThread& link, SmsInbox* inbox = nullptr,
                  const FixedPorts& ports = {}, QObject* parent = nullptr);

    // Tick periods in ms: normally, and after the card went away.
    void setPeriods(int normalMs, int afterRemovalMs);
    void setSimBusyLimit(int seconds) { startup_.setSimBusyLimit(seconds); }

    // Creates and starts the status timer.
    void initMonitor();
    // A card is attached (its AT port is known).
    bool modemAttached() const;

    const ModemStatus& status() const { return status_; }
    PinFlows& pinFlows() { return pin_; }

public slots:
    // One tick; it ends with tickDone().
    void slotTimer();

signals:
    void tickDone();

private:
    void portLost();
    void findModem();
    void afterStartup(ModemStartup::Result result);
    void checkCard();
    void afterChecks(bool simAnswered, int level);
    void simMissing();
    void readNetwork();
    // A card of another maker: its registrations and operator (AT+CREG? ...
    // AT+COPS?), and its signal in full where "+CSQ" gave none.
    void readStandardNetwork();
    void showStandardNetwork();
    void takeNetworkNotice(const NetworkNotice& notice);
    void modemGone();
    void endTick(int nextMs);
    void publish();
    // Notes which of our ports ModemManager holds.
    void checkModemManager();
    // `step`, to run only if the card didn't go away meanwhile.
    template <typename Step> auto current(Step step) const {
        return generation_.guard(std::move(step));
    }

    MonitorView* view_;
    SerialThread& link_;
    SmsInbox* inbox_;
    PortDiscovery discovery_;
    PinFlows pin_;
    ModemStartup startup_;
    QTimer* statusTimer_ = nullptr;
    int periodMs_ = 4000;
    int removalPeriodMs_ = 2000;
    bool ticking_ = false;
    FlowGeneration generation_; // bumped when the card is gone
    ModemStatus status_;
    ModemStatus shown_;
    bool shownOnce_ = false;
    // Checks in a row that missed the SIM of a present card; the SIM is shown
    // absent from the third (at once when the card says it has none).
    int simMisses_ = 0;
    // Checks in a row a present card didn't answer: it is taken as gone from
    // the third, so that one late reply doesn't end a working connection.
    int unansweredChecks_ = 0;
    // The user cancelled the PIN entry of the SIM in the card: it isn't asked
    // for again until the SIM is taken out.
    bool entryCancelled_ = false;
    QStringList modemManagerPorts_; // our ports ModemManager held at the last scan
    // What a card of another maker last said of its network: +CREG,
    // +CGREG, +CEREG (by RegistrationKind), the operator and the access
    // technology in use (from "AT+COPS?" or a report; -1 unknown).
    std::array<std::optional<RegistrationState>, 3> registrations_;
    QString operator_;
    int act_ = -1;
};
