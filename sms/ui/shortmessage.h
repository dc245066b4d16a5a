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
class SmsData;
class SmsInbox;
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

    // `inbox` keeps the messages: the PC store and the card's lists. It
    // outlives the page.
    CShortMsg(QWidget* parent, const char* name, WTMainWindow* mainWindow, SmsInbox* inbox);
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

    // The PC box listed last.
    SmsList boxMsgMap;

    // The recipient picker while it is open.
    QPointer<CSearchContact> searchContact;

signals:
    void clicked();
    void showInbox();

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
    void buildNavigation();
    void buildOverview();
    void buildList();
    void buildReading();
    void buildNewMessage();
    void applyTexts();
    MyButton* actionButton(QWidget* parent, const char* name, int x, int y, int width = 76);

    QString shownBox() const;
    int shownStore() const;
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
    // Deletes the messages `ids` of a box of the PC, the SIM or the modem.
    void deleteIds(const QList<int>& ids, bool fromReading);
    void deleted(int store, const QString& box, int count, bool fromReading,
                 const MoveReport& report);
    void moveIds(const QList<int>& ids, bool fromReading);
    void moved(int store, int target, const QString& box, bool fromReading,
               const MoveReport& report);
    void setSimControls();
    // The list's actions as the selection allows them: reading, replying,
    // forwarding and saving the number take one message, deleting and
    // moving one or more.
    void updateListButtons();
    // Relists what is shown when `store`'s messages changed.
    void storeChanged(int store, const QString& box);
    SmsData& store() const;
    // The card's lists for a store of the page (SimStore or MeStore).
    const SmsList& modemBox(int store, const QString& box) const;
    QString newWord() const;
    QString readWord() const;

    WTMainWindow* mainWindow_;
    SmsInbox* inbox_;
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
