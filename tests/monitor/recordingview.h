#pragma once

// A MonitorView that records what the monitor shows and answers its dialogs
// from a script. Messages it is asked to store go to the PC store of the
// test's private Data folder; storage lists are read from the modem.

#include "connection/connectioncontroller.h"
#include "mainwindow/monitorview.h"
#include "sms/smsarrival.h"
#include "sms/smsdataoperation.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QSize>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

class RecordingView : public MonitorView {
public:
    struct Label {
        QString pixmap, text, tip;
        QSize size;
    };
    QMap<QString, Label> labels;
    bool indicator = false;
    bool animation = false;
    bool pageButtonsEnabled = true;
    bool dialer = false;
    ConnectionController* connection = nullptr; // when set, a real connection's dialer
    int lastDataState = -1;
    bool connectValid = false;
    QString connectText = "Connect";
    QString caption;
    QString stateText;
    bool pinCheckBox = false;
    bool applyEnabled = true;
    int networkSelection = 0;
    bool simSettingsEnabled = false;
    int cardOnline = -1; // last carddispose, -1 none
    int hasSim = -1;
    struct StorageLists {
        SmsList in, out, draft;
    };
    StorageLists simLists, meLists;
    QStringList reports; // status reports handed over, as PDUs
    int terminated = -1;
    int rejects = 0;

    // Dialog answers, taken in order; nothing = rejected. An empty queue
    // rejects. `onAsk` runs before each answer (name of the dialog).
    std::deque<std::optional<QString>> answers;
    std::function<void(const QString&)> onAsk;
    QStringList asked;                   // "name: prompt"
    QList<QPair<Box, QString>> messages; // message boxes in order

    QStringList messageTexts() const;

    void setStatusPixmap(const QString& l, const QString& image) override {
        labels[l].pixmap = image;
    }
    void setStatusText(const QString& l, const QString& text) override { labels[l].text = text; }
    void setStatusToolTip(const QString& l, const QString& tip) override { labels[l].tip = tip; }
    void resizeStatusLabel(const QString& l, int w, int h) override {
        labels[l].size = QSize(w, h);
    }
    void setNewMessageIndicator(bool visible) override { indicator = visible; }
    bool dataAnimationRunning() override { return animation; }
    void dataConnectAnimated() override { animation = true; }
    void dataConnectStop() override { animation = false; }
    void setPageButtonsEnabled(bool enabled) override { pageButtonsEnabled = enabled; }

    ConnectionState connectionState() override {
        return connection ? connection->state() : ConnectionState::Disconnected;
    }
    bool dialerRunning() override { return connection ? connection->dialerRunning() : dialer; }
    void safeKillWvdail() override {
        if (connection)
            connection->safeKillWvdail();
        dialer = false;
    }
    void dataState(int state) override { lastDataState = state; }
    void connectBtnValid(bool valid) override { connectValid = valid; }
    QString connectButtonText() override { return connectText; }
    void setConnectButtonText(const QString& text) override { connectText = text; }
    void setConnectCaption(const QString& text) override { caption = text; }
    bool connectingAnimationRunning() override { return false; }
    void dataStateConnectingStop() override {}
    void setConnectStateText(const QString& text) override { stateText = text; }
    void showInternetPage() override {}

    QString defaultConnectionName() override { return "Tolva Web"; }
    void setPinCheckBox(bool checked) override { pinCheckBox = checked; }
    bool pinCheckBoxChecked() override { return pinCheckBox; }
    void setPinApplyEnabled(bool enabled) override { applyEnabled = enabled; }
    void setNetworkSelection(int mode) override { networkSelection = mode; }
    void setSimSettingsEnabled(bool enabled) override { simSettingsEnabled = enabled; }

    void carddispose(bool online) override { cardOnline = online; }
    void setHasSIM(bool has) override { hasSim = has; }
    bool InsertSave(const QString& reply, int index, const QString& state) override;
    void takeStatusReport(const QString& pdu) override;
    // The PC message store the view keeps messages and reports in, made
    // when first needed (it reads the file then).
    SmsData& pcStore();
    int getSimAllSmsItem(int store, int stat) override;
    void clearSimMessageLists() override { simLists = {}; }

    std::optional<QString> askPin(const QString& name, const QString& prompt) override;
    std::optional<QString> askNewPin() override { return ask("ResetPIN", QString()); }
    void rejectPinDialog() override { ++rejects; }
    void message(Box kind, const QString& text) override { messages.append({kind, text}); }
    void terminate(int status) override { terminated = status; }

private:
    std::optional<QString> ask(const QString& name, const QString& prompt);
    std::unique_ptr<SmsData> store;
};
