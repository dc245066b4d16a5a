#pragma once

// The status monitor: a timer that finds the modem when none is attached,
// initialises it, notices a removed modem or SIM, fetches newly arrived
// messages, and keeps the status area of the home page up to date; and the
// SIM PIN and PUK flows. It drives the modem through the link it is given
// and the window through a MonitorView. A new-message notice read by the link
// while no command runs has its message fetched at once.

#include "mainwindow/monitorview.h"
#include "modem/portdiscovery.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <utility>

class QTimer;
class SerialThread;

class StatusMonitor : public QObject {
    Q_OBJECT
public:
    StatusMonitor(MonitorView* view, SerialThread& link, QObject* parent = nullptr);

    // Tick periods in ms: normally, and after the modem went away.
    void setPeriods(int normalMs, int afterRemovalMs);
    // How long a SIM may answer "busy" before it counts as failed, in s.
    void setSimBusyLimit(int seconds) { simBusyLimit = seconds; }

    // Creates and starts the status timer.
    void initMonitor();

    // Modem initialisation after the AT port was opened: 1 done, 0 no SIM,
    // -1 failure.
    int initAtCmd();
    void displayStateBar(bool modem, bool sim, bool validateCanceled);
    void netService();
    void ISPName();
    QString smsnum();
    int singalQuality();
    int isSIMOnline();
    void setButtonStatus(bool enable);
    // A modem is attached (its AT port is known).
    bool modemAttached() const;

    // --- SIM PIN and PUK ----------------------------------------------------
    int checkupPIN();
    int checkupPUK();
    int inputPIN(const QString& pin);
    int inputPUK(const QString& puk, const QString& newPin);
    void slotClickedApplyButton();
    void refPINSetStatus();
    void slotChangePIN();
    void slotPINEnabled(bool checked) { pinEnabled = checked ? 1 : 0; }
    bool pinFlowActive() const { return pinDialogOpen; }

    // --- connection state (signals of the internet and settings pages) -------
    void slotUpdateConnectPixmap();
    void slotUpdateDisconnectPixmap();
    void slotConnectingStart();
    void slotConnectingEnd();
    void slotSetDefaultName();
    // Stops a running dialer before the window closes, showing a waiting text;
    // gives up after 3000 rounds of 10 ms.
    void waitForDialerBeforeClose();

    // --- state read by the window and by tests -------------------------------
    bool modemOn = false;
    bool simOn = false;
    bool simValidateCanceled = false;
    int signalLevel = -1;
    int initPortCount = 0;
    int unansweredChecks = 0; // signal checks in a row a present card didn't answer
    int pinEnabled = 0;
    QString serviceText;
    QString operatorName;
    QString serviceType;
    QString smsCentreReply;
    QStringList modemManagerPorts; // our ports that ModemManager held at the last scan
    QString oldPIN, newPIN, newPINAgain, pukCode;

public slots:
    // One monitor tick.
    void slotTimer();

private:
    void restartTimer(int ms);
    // The arrival step on its own, for a notice read between ticks: now
    // when the link is free, else as soon as it is.
    void slotNewMessageNotice();
    void fetchArrivals();
    void fetchNewMessages();
    // Reads the stored status reports announced, and hands each to the view.
    void fetchStoredReports();
    // Reads the message at `index` of `memory` and takes it: a message into
    // the PC inbox, a status report to the view; then deletes it there.
    // `announced` is true when a new-message notice counted it as unread.
    bool fetchMessage(const QString& memory, int index, bool announced = true);
    void importModemMessages();
    // Deletes a message that is stored on the PC from the modem; when the
    // delete fails (an error, no answer, the card pulled out) the place and
    // the PDU are kept, so that the message is deleted, not stored again,
    // when it is read there later.
    void deleteStored(const QString& memory, int index, const QString& pdu);
    bool storedBefore(const QString& memory, int index, const QString& pdu) const;
    // Tries again to delete the messages kept by deleteStored: each place is
    // read first, and only the same message is deleted.
    void retryStoredDeletes();
    int waitForSimType();
    void storeModePreference(int mode);
    void markSimUnusable();
    // Notes (in the log, when it changes) which of our ports ModemManager holds.
    void checkModemManager();
    // While no card is found: says in the status area that ModemManager holds it.
    void showModemManagerHolds();
    void showModemGone();
    void showNoNetwork(const QString& modemImage, int dataState);
    void applyNetworkTexts(bool validateCanceled);
    void checkDataLink();
    void showDataDisconnected();
    void setConnectCaption();
    void warn(const QString& text) { view->message(MonitorView::Box::Warning, text); }
    void inform(const QString& text) { view->message(MonitorView::Box::Information, text); }
    void powerOnIfNeeded();

    MonitorView* view;
    SerialThread& link_;
    PortDiscovery discovery; // the USB and tty scan, or the ports given on the command line
    QTimer* statusTimer = nullptr;
    QTimer* arrivalTimer = nullptr;
    bool inTick = false;
    int periodMs = 4000;
    int removalPeriodMs = 2000;
    int simBusyLimit = 60;
    bool pinDialogOpen = false;
    // Failed reads of announced messages, by notice.
    QHash<QString, int> fetchFailures_;
    // Stored status reports still to read, and their failed reads.
    QList<std::pair<QString, int>> storedReports_;
    QHash<std::pair<QString, int>, int> reportFailures_;
    // Messages stored on the PC whose delete failed: PDU by storage and index.
    QHash<std::pair<QString, int>, QString> storedNotDeleted_;
};

// Lets the application handle its events for `ms` milliseconds.
void waitProcessingEvents(int ms);
