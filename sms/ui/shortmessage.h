#pragma once

#include "sms/smsarrival.h"

#include <QWidget>
#include <memory>

class QTableWidget;
class MyButton;
class SerialThread;
class SmsData;
class WTMainWindow;

// The message page: boxes of the PC, the SIM and the modem memory.
class CShortMsg : public QWidget {
    Q_OBJECT
public:
    // Columns of "smsTable".
    enum Column { IdColumn = 0, NumberColumn = 1, NameColumn = 2, TimeColumn = 3, StateColumn = 4 };

    // `link` carries the SIM and modem-memory boxes (none: PC boxes only).
    CShortMsg(QWidget* parent, const char* name, WTMainWindow* mainWindow,
              SerialThread* link = nullptr);
    ~CShortMsg() override;

    // Number of messages of the box being shown (rows past it are empty).
    int shownBoxCount() const;
    // Number of the message open in the reading view, "" when none.
    QString readingNumber() const;

    // Stores a message read from the modem (the reply to "AT+CMGR") in the PC inbox
    // with `state`; false when nothing was stored.
    bool InsertSave(const QString& reply, int index, const QString& state);
    // Reloads the boxes of a modem storage (1 SIM, 0 modem memory) with the
    // messages of list status `stat` (4 all); the number of entries.
    int getSimAllSmsItem(int store, int stat);
    // Empties the SIM's boxes (the SIM went away).
    void clearSimLists();
    // The card went online or offline.
    void carddispose(bool online);
    bool cardOnline() const { return cardOnline_; }

    QTableWidget* smsTable;
    MyButton* saveBt_whenBosomBox;
    MyButton* saveBt_whenReadMsg;

    SmsList SimInBListMap, SimOutBListMap, SimDraftBListMap;
    SmsList MeInBListMap, MeOutBListMap, MeDraftBListMap;

signals:
    void clicked();
    void showInbox();

public slots:
    // Opens a new message to `numbers` (asked for by the phonebook).
    void phonebook_smsclicked(QString numbers);
    // Reads the PC message file again (a backup was restored over it).
    void reloadPcStore();

private:
    WTMainWindow* mainWindow_;
    SerialThread* link_;
    std::unique_ptr<SmsData> smsData_;
    bool cardOnline_ = false;
};
