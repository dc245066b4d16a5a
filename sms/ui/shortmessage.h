#pragma once

#include "sms/smsarrival.h"
#include "sms/smsmoves.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTextEdit;
class QTimer;
class CSearchContact;
class CShortTable;
class MyButton;
class MyTextBrowser;
class PartStore;
class SerialThread;
class SmsData;
class SmsTableModel;
class WTMainWindow;

// The message page: the in, out and draft boxes of the PC, the SIM card and
// the modem's memory; writing, sending, reading, replying, forwarding,
// moving and deleting messages; and the messages that arrive. Its views are
// pages of one stack: the overview with the counters, a box's list, the
// reading view and the new-message view.
class CShortMsg : public QWidget {
    Q_OBJECT
public:
    // Columns of "smsTable".
    enum Column { IdColumn = 0, NumberColumn = 1, NameColumn = 2, TimeColumn = 3, StateColumn = 4 };
    // The stores, as the location buttons number them.
    enum Store { PcStore = 0, SimStore = 1, MeStore = 2 };
    // The views of "smsStack".
    enum View { OverviewView = 0, ListView = 1, ReadView = 2, NewView = 3 };

    // `link` carries the SIM and modem-memory boxes (none: PC boxes only).
    CShortMsg(QWidget* parent, const char* name, WTMainWindow* mainWindow,
              SerialThread* link = nullptr);
    ~CShortMsg() override;

    // Number of messages of the box being shown.
    int shownBoxCount() const;
    // Selected rows of the list, and the row that is current (in the order
    // shown; -1 when none) with its number.
    int selectedMessageCount() const;
    int currentMessageRow() const;
    QString numberAtRow(int row) const;
    // Number of the message open in the reading view, "" when none.
    QString readingNumber() const;

    // Stores a message read from the modem (the reply to "AT+CMGR") in the PC
    // inbox with `state`; a part of a long message waits for the rest. False
    // when nothing was kept (the modem's copy must then stay).
    bool InsertSave(const QString& reply, int index, const QString& state);
    // Records a status report on the outbox message it is about.
    void takeStatusReport(const QString& pdu);
    // Reloads the boxes of a modem storage (1 SIM, 0 modem memory) with the
    // messages of list status `stat` (4 all); the number of entries.
    int getSimAllSmsItem(int store, int stat);
    // Empties the SIM's boxes (the SIM went away).
    void clearSimLists();
    bool cardOnline() const { return cardOnline_; }

    // The time stamp as shown ("yy-MM-dd hh:mm:ss").
    static QString GetDataTime(const QString& stamp);

    // Lists a box ("inbox", "outbox", "draftbox") of a store.
    void listPcBoxMsg(const QString& box);
    void listSimBoxMsg(const QString& box);
    void listMeBoxMsg(const QString& box);
    void showDataInTable(const SmsList& messages);
    // Refreshes the four counter labels.
    void setGrossText();

    // The page's widgets, named as the other pages find them.
    QStackedWidget* smsStack;
    CShortTable* smsTable;
    SmsTableModel* smsModel;
    MyButton* newMsgButton;
    QPushButton* inboxButton;
    QPushButton* outboxButton;
    QPushButton* draftboxButton;
    QButtonGroup* saveLocalGroup;
    QRadioButton* pcLocalRadioButton;
    QRadioButton* simLocalRadioButton;
    QRadioButton* meLocalRadioButton;
    QLabel* inboxCountLabel;
    QLabel* outboxCountLabel;
    QLabel* draftboxCountLabel;
    QLabel* capacityLabel;
    QLabel* listTitleLabel;
    MyButton* readButton;
    MyButton* replyButton;
    MyButton* forwardButton;
    MyButton* deleteButton;
    MyButton* moveButton;
    MyButton* saveBt_whenBosomBox;
    QLabel* readNumberLabel;
    QLabel* readNameLabel;
    QLabel* readTimeLabel;
    MyTextBrowser* readContentBrowser;
    MyButton* readingReplyButton;
    MyButton* readingForwardButton;
    MyButton* readDeleteButton;
    MyButton* readMoveButton;
    MyButton* saveBt_whenReadMsg;
    MyButton* readCancelButton;
    QLineEdit* newMsgSendPhoneLineEdit;
    MyButton* searchButton;
    QTextEdit* msgContentTextEdit;
    QLabel* newMsgWordNumLabel;
    MyButton* sendButton;
    MyButton* saveButton;
    MyButton* newCancelButton;

    // The PC box listed last, and the SIM and modem-memory lists.
    SmsList boxMsgMap;
    SmsList SimInBListMap, SimOutBListMap, SimDraftBListMap;
    SmsList MeInBListMap, MeOutBListMap, MeDraftBListMap;

    // The recipient picker while it is open.
    QPointer<CSearchContact> searchContact;

signals:
    void clicked();
    void showInbox();
    // The number of unread messages changed (unreadMsgCount).
    void sigUnreadChanged();
    // An arriving message went into the PC inbox (a long one once whole);
    // `from` is the sender's contact name, or the number without one.
    void messageStored(const QString& from, const QString& text);

public slots:
    void InboxClicked();
    void OutboxClicked();
    void DraftboxClicked();
    void NewmsgClicked();
    void ReadClicked();
    void ReplyClick();
    void ForwardClick();
    void DeleteClicked();
    void move();
    void SaveClicked();
    void send();
    void SearchClicked();
    void clickedCancel();
    void setGrossDispStatu();
    void slotSaveLoclChange(int store);
    void wordCount();
    void readingReplyClick();
    void readingForwardClick();
    void readDelte();
    void readMove();
    // Opens a new message to `numbers` (asked for by the phonebook).
    void phonebook_smsclicked(QString numbers);
    // Reads the PC message file again (a backup was restored over it).
    void reloadPcStore();
    void sendMsgFromPhBook(QString numbers);
    void oksearchClicked(QString numbers);
    void cancelsearchClicked();
    // The card went online or offline.
    void carddispose(bool online);
    // Saves the new message as drafts, one per recipient.
    void InsertSave();
    // Saves the draft being edited in its place.
    void UpdateSave();

private:
    // Disables the page while an action talks to the modem, and enables it
    // again on every way out.
    class Busy {
    public:
        explicit Busy(QWidget* page) : page_(page) { page_->setEnabled(false); }
        ~Busy() { page_->setEnabled(true); }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        QWidget* page_;
    };

    void buildNavigation();
    void buildOverview();
    void buildList();
    void buildReading();
    void buildNewMessage();
    void applyTexts();
    MyButton* actionButton(QWidget* parent, const char* name, int x, int y, int width = 76);

    QString shownBox() const;
    int shownStore() const;
    const SmsList& modemList(int store, const QString& box) const;
    // The list ids of the selected rows, in the order shown.
    QList<int> selectedIds() const;
    // The message `id` of the shown box and store, whole; false when missing.
    bool messageOf(int id, SM_PARAM_DECODE* rec);
    void listShownBox();
    void showBoxOf(int store, const QString& box);
    void openReading(int id);
    void openNew(const QString& numbers, const QString& text);
    // Whether leaving the new-message view now would throw away text the
    // user wrote; leaveCompose() then asks to save it as a draft first. False
    // when the user wanted it saved and it could not be.
    bool composeWouldLoseText() const;
    bool leaveCompose();
    // Saves the new message as drafts, or the draft being edited in its
    // place; false when there was nothing to save or no number for the draft.
    bool storeNewDrafts();
    bool storeEditedDraft();
    void deleteIds(const QList<int>& ids, bool fromReading);
    // Deletes the messages `ids` of a box of the PC, the SIM or the modem.
    MoveReport delPcMsg(const QString& box, const QList<int>& ids);
    MoveReport delSimMsg(const QString& box, const QList<int>& ids);
    MoveReport delMeMsg(const QString& box, const QList<int>& ids);
    MoveReport delModemMsg(int store, const QString& box, const QList<int>& ids);
    void moveIds(const QList<int>& ids, bool fromReading);
    void setSimControls();
    // The list's actions as the selection allows them: reading, replying,
    // forwarding and saving the number take one message, deleting and
    // moving one or more.
    void updateListButtons();
    void adjustUnread(int delta);
    void storeExpiredParts();
    void refreshAfterArrival();
    QString newWord() const;
    QString readWord() const;

    WTMainWindow* mainWindow_;
    SerialThread* link_;
    std::unique_ptr<SmsData> smsData_;
    std::unique_ptr<PartStore> parts_;
    QTimer* partsTimer_;
    bool cardOnline_ = false;
    bool cardStateKnown_ = false;
    // The box flag (exactly one set while a box is listed) and the box
    // shown last.
    QString flaggedBox_;
    QString lastBox_;
    int shownCount_ = 0;
    // The message open in the reading view (list id; -1 none) and its box
    // and store; the draft being edited (-1 none).
    int readingId_ = -1;
    QString readingBox_;
    int readingStore_ = PcStore;
    SM_PARAM_DECODE reading_;
    int editingDraftId_ = -1;
    // What the new-message view opened with.
    QString openedNumbers_;
    QString openedText_;
    bool lengthWarned_ = false;
};
