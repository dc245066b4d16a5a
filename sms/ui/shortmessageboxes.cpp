// The message page's boxes: listing, counters, reading, deleting, moving,
// the card's state and arriving messages.

#include "phonebook/iodata.h"
#include "settings/settingsfiles.h"
#include "sms/deliveryreport.h"
#include "sms/smsdataoperation.h"
#include "sms/smsinbox.h"
#include "sms/smsmoves.h"
#include "sms/smssend.h"
#include "sms/smstablemodel.h"
#include "sms/ui/search.h"
#include "sms/ui/shortmessage.h"
#include "sms/ui/shorttable.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QButtonGroup>
#include <QDateTime>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTimer>
#include <algorithm>
#include <cstring>

namespace {

QString numberOf(const SM_PARAM_DECODE& rec) {
    return QString::fromLatin1(rec.TPA, strnlen(rec.TPA, sizeof rec.TPA));
}

QString stampOf(const SM_PARAM_DECODE& rec) {
    return QString::fromLatin1(rec.TP_SCTS, strnlen(rec.TP_SCTS, sizeof rec.TP_SCTS));
}

QString nowStamp() {
    return QDateTime::currentDateTime().toString("yyMMddhhmmss");
}

} // namespace

// --- what is shown ---------------------------------------------------------------

QString CShortMsg::shownBox() const {
    return flaggedBox_.isEmpty() ? lastBox_ : flaggedBox_;
}

int CShortMsg::shownStore() const {
    return saveLocalGroup->checkedId();
}

SmsData& CShortMsg::store() const {
    return inbox_->store();
}

const SmsList& CShortMsg::modemBox(int store, const QString& box) const {
    const SmsInbox::Lists& lists =
        inbox_->lists(store == SimStore ? MessageStorage::Sim : MessageStorage::Modem);
    if (box == "outbox")
        return lists.out;
    if (box == "draftbox")
        return lists.draft;
    return lists.in;
}

int CShortMsg::shownBoxCount() const {
    return shownCount_;
}

QList<int> CShortMsg::selectedIds() const {
    QList<int> ids;
    for (int row : smsTable->selectedSourceRows())
        ids << smsModel->idAt(row);
    return ids;
}

int CShortMsg::selectedMessageCount() const {
    return static_cast<int>(smsTable->selectionModel()->selectedRows().size());
}

int CShortMsg::currentMessageRow() const {
    return smsTable->currentIndex().row();
}

QString CShortMsg::numberAtRow(int row) const {
    return smsModel->numberAt(smsTable->sourceRow(row));
}

QString CShortMsg::readingNumber() const {
    return readingId_ >= 0 ? numberOf(reading_) : QString();
}

// --- listing -------------------------------------------------------------------

void CShortMsg::showDataInTable(const SmsList& messages) {
    smsModel->setMessages(messages,
                          [](const QString& number) { return IOData::getNameFromPhone(number); });
    shownCount_ = static_cast<int>(messages.size());
    // Names as wide as they need, within bounds; the state takes the rest.
    smsTable->resizeColumnToContents(NameColumn);
    smsTable->setColumnWidth(NameColumn, std::clamp(smsTable->columnWidth(NameColumn), 84, 132));
}

void CShortMsg::listPcBoxMsg(const QString& box) {
    boxMsgMap.clear();
    store().getPcAllSmsItem(boxMsgMap, box);
    showDataInTable(boxMsgMap);
}

void CShortMsg::listSimBoxMsg(const QString& box) {
    showDataInTable(modemBox(SimStore, box));
}

void CShortMsg::listMeBoxMsg(const QString& box) {
    showDataInTable(modemBox(MeStore, box));
}

void CShortMsg::listShownBox() {
    const QString box = shownBox();
    const int store = shownStore();
    // PC messages that stay in the list stay selected (a message may arrive
    // while the user chooses some); the ids of the card's lists are given
    // anew at each reading, so there the selection goes.
    const QList<int> selected = store == PcStore ? selectedIds() : QList<int>();
    smsTable->clearSelection();
    if (store == SimStore)
        listSimBoxMsg(box);
    else if (store == MeStore)
        listMeBoxMsg(box);
    else
        listPcBoxMsg(box);
    for (int row = 0; row < smsModel->rowCount() && !selected.isEmpty(); ++row) {
        if (!selected.contains(smsModel->idAt(row)))
            continue;
        const QModelIndex index = smsTable->proxy()->mapFromSource(smsModel->index(row, 0));
        smsTable->selectionModel()->select(index,
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    const QString boxName = box == "outbox"     ? tr("Outbox")
                            : box == "draftbox" ? tr("Drafts")
                                                : tr("Inbox");
    const QString storeName = store == SimStore  ? tr("SIM card")
                              : store == MeStore ? tr("Modem")
                                                 : tr("PC");
    listTitleLabel->setText(tr("%1 on the %2 (%3)").arg(boxName, storeName).arg(shownCount_));
    setSimControls();
    inboxButton->setChecked(box == "inbox");
    outboxButton->setChecked(box == "outbox");
    draftboxButton->setChecked(box == "draftbox");
    smsStack->setCurrentIndex(ListView);
}

void CShortMsg::showBoxOf(int store, const QString& box) {
    if (QAbstractButton* button = saveLocalGroup->button(store))
        button->setChecked(true);
    flaggedBox_ = box;
    lastBox_ = box;
    smsTable->clearSelection();
    listShownBox();
}

void CShortMsg::InboxClicked() {
    if (leaveCompose())
        showBoxOf(shownStore(), "inbox");
}

void CShortMsg::OutboxClicked() {
    if (leaveCompose())
        showBoxOf(shownStore(), "outbox");
}

void CShortMsg::DraftboxClicked() {
    if (leaveCompose())
        showBoxOf(shownStore(), "draftbox");
}

void CShortMsg::slotSaveLoclChange(int store) {
    if (flaggedBox_.isEmpty() || !leaveCompose())
        return;
    showBoxOf(store, flaggedBox_);
}

void CShortMsg::setGrossText() {
    const bool sim = cardOnline_;
    const auto line = [sim](const QString& pc, int pcCount, int simCount) {
        QString text = pc.arg(pcCount);
        if (sim)
            text += tr(" SIM: %1 Item(s)").arg(simCount);
        return text;
    };
    const SmsInbox::Lists& simLists = inbox_->lists(MessageStorage::Sim);
    inboxCountLabel->setText(line(tr("Message in InBox Pc: %1 Item(s)"), store().countOf("inbox"),
                                  int(simLists.in.size())));
    outboxCountLabel->setText(line(tr("Message in OutBox Pc: %1 Item(s)"),
                                   store().countOf("outbox"), int(simLists.out.size())));
    draftboxCountLabel->setText(line(tr("Message in DraftBox Pc: %1 Item(s)"),
                                     store().countOf("draftbox"), int(simLists.draft.size())));
    capacityLabel->setText(tr("Datebase capacity:1500 Item(s)"));
}

void CShortMsg::setGrossDispStatu() {
    if (!leaveCompose())
        return;
    setGrossText();
    flaggedBox_.clear();
    inboxButton->setChecked(false);
    outboxButton->setChecked(false);
    draftboxButton->setChecked(false);
    smsStack->setCurrentIndex(OverviewView);
}

void CShortMsg::clickedCancel() {
    if (!leaveCompose())
        return;
    if (!flaggedBox_.isEmpty())
        listShownBox();
    else if (!lastBox_.isEmpty())
        showBoxOf(shownStore(), lastBox_);
    else
        setGrossDispStatu();
}

// --- the modem's lists and the card --------------------------------------------

// The messages of `store` changed: what shows them is drawn again.
void CShortMsg::storeChanged(int store, const QString& box) {
    if (smsStack->currentIndex() == ListView && shownStore() == store &&
        (box.isEmpty() || shownBox() == box))
        listShownBox();
    else if (smsStack->currentIndex() == OverviewView)
        setGrossText();
}

void CShortMsg::setSimControls() {
    simLocalRadioButton->setEnabled(cardOnline_);
    meLocalRadioButton->setEnabled(cardOnline_);
    readMoveButton->setEnabled(cardOnline_ && inbox_->link() != nullptr &&
                               readingStore_ != MeStore);
    updateListButtons();
}

void CShortMsg::updateListButtons() {
    const int selected = selectedMessageCount();
    for (MyButton* oneMessage : {readButton, forwardButton, saveBt_whenBosomBox})
        oneMessage->setEnabled(selected == 1);
    replyButton->setEnabled(selected == 1 && shownBox() == "inbox");
    deleteButton->setEnabled(selected > 0);
    moveButton->setEnabled(selected > 0 && cardOnline_ && inbox_->link() != nullptr &&
                           shownStore() != MeStore);
}

void CShortMsg::carddispose(bool online) {
    // The monitor tells the state at every tick; only a change matters.
    if (cardStateKnown_ && online == cardOnline_)
        return;
    cardStateKnown_ = true;
    cardOnline_ = online;
    if (!online && shownStore() != PcStore) {
        pcLocalRadioButton->setChecked(true);
        if (smsStack->currentIndex() == ListView)
            listShownBox();
    }
    setGrossText();
    setSimControls();
    if (searchContact)
        searchContact->setSimAvailable(online);
}

// --- reading -------------------------------------------------------------------

bool CShortMsg::messageOf(int id, SM_PARAM_DECODE* rec) {
    const int store = shownStore();
    const QString box = shownBox();
    if (store != PcStore) {
        const SmsList& list = modemBox(store, box);
        if (!list.contains(id))
            return false;
        *rec = list.value(id);
        return true;
    }
    if (this->store().selectSmsItem(*rec, box, id) == 0) {
        MyMessageBox::warning(this, tr("no record!"));
        return false;
    }
    if (!boxMsgMap.contains(id)) {
        MyMessageBox::warning(this, tr("select operation error!"));
        return false;
    }
    rec->state = boxMsgMap.value(id).state;
    return true;
}

void CShortMsg::ReadClicked() {
    const QList<int> ids = selectedIds();
    if (ids.size() > 1) {
        MyMessageBox::warning(this, tr("Cann't read multiple SMS records simultaneously!"));
        return;
    }
    if (ids.isEmpty()) {
        MyMessageBox::warning(this, tr("Please select a SMS first"));
        return;
    }
    openReading(ids.first());
}

void CShortMsg::openReading(int id) {
    SM_PARAM_DECODE rec;
    if (!messageOf(id, &rec))
        return;
    const int store = shownStore();
    const QString box = shownBox();
    if (box == "draftbox") {
        openNew(numberOf(rec), rec.contentStr);
        // A PC draft is saved back in its place; one from the card as a new draft.
        editingDraftId_ = store == PcStore ? id : -1;
        return;
    }
    if (store == PcStore && box == "inbox" && rec.state == newWord()) {
        rec.state = readWord();
        boxMsgMap[id].state = rec.state;
        this->store().setSmsState(box, id, rec.state);
        this->store().saveDom();
        inbox_->countUnread();
    } else if (store != PcStore && box == "inbox" && rec.state == newWord()) {
        rec.state = readWord();
        inbox_->markRead(store == SimStore ? MessageStorage::Sim : MessageStorage::Modem, id);
    }
    readingId_ = id;
    readingBox_ = box;
    readingStore_ = store;
    reading_ = rec;
    const QString number = numberOf(rec);
    readNumberLabel->setText(number);
    readNameLabel->setText(IOData::getNameFromPhone(number));
    // A message kept on the card to be sent, or sent, carries no time.
    const QString stamp = stampOf(rec);
    readTimeLabel->setText(stamp.isEmpty() ? tr("not stored with the message")
                                           : GetDataTime(stamp));
    readContentBrowser->setPlainText(rec.contentStr);
    readingReplyButton->setEnabled(box == "inbox");
    setSimControls();
    smsStack->setCurrentIndex(ReadView);
}

void CShortMsg::ReplyClick() {
    const QList<int> ids = selectedIds();
    if (ids.size() > 1) {
        MyMessageBox::warning(this, tr("Cann't reply multiple SMS records simulataneously!"));
        return;
    }
    SM_PARAM_DECODE rec;
    if (ids.isEmpty()) {
        MyMessageBox::warning(this, tr("Please select SMS first!"));
        return;
    }
    if (shownBox() == "inbox" && messageOf(ids.first(), &rec))
        openNew(numberOf(rec), QString());
}

void CShortMsg::ForwardClick() {
    const QList<int> ids = selectedIds();
    if (ids.size() > 1) {
        MyMessageBox::warning(this, tr("Cann't forward multiple SMS records simulataneously!"));
        return;
    }
    SM_PARAM_DECODE rec;
    if (ids.isEmpty()) {
        MyMessageBox::warning(this, tr("Please select SMS first!"));
        return;
    }
    if (messageOf(ids.first(), &rec))
        openNew(QString(), rec.contentStr);
}

void CShortMsg::readingReplyClick() {
    openNew(readingNumber(), QString());
}

void CShortMsg::readingForwardClick() {
    openNew(QString(), reading_.contentStr);
}

// --- deleting and moving -----------------------------------------------------------

void CShortMsg::DeleteClicked() {
    const QList<int> ids = selectedIds();
    if (ids.isEmpty()) {
        MyMessageBox::warning(this,
                              tr("You haven't select any item,please select one of all at least!"));
        return;
    }
    if (MyMessageBox::query(this, tr("Do you want to delete the item that you have selected?")) !=
        MyMessageBox::Yes)
        return;
    deleteIds(ids, false);
}

void CShortMsg::readDelte() {
    if (readingId_ < 0)
        return;
    if (MyMessageBox::query(this, tr("Do you want to delete the item that you have selected?")) !=
        MyMessageBox::Yes)
        return;
    deleteIds({readingId_}, true);
}

void CShortMsg::deleteIds(const QList<int>& ids, bool fromReading) {
    const int store = fromReading ? readingStore_ : shownStore();
    const QString box = fromReading ? readingBox_ : shownBox();
    const int count = static_cast<int>(ids.size());
    if (store == PcStore) {
        int unread = 0;
        const MoveReport report = deletePcMessages(this->store(), box, ids, newWord(), &unread);
        inbox_->countUnread();
        return deleted(store, box, count, fromReading, report);
    }
    QList<SM_PARAM_DECODE> messages;
    for (int id : ids)
        messages << modemBox(store, box).value(id);
    const MessageStorage storage = store == SimStore ? MessageStorage::Sim : MessageStorage::Modem;
    if (!inbox_->link()) {
        MoveReport report;
        report.notDone = count;
        return deleted(store, box, count, fromReading, report);
    }
    // The page waits while the card deletes.
    setEnabled(false);
    deleteModemMessages(*inbox_->link(), this, storage, messages,
                        [this, store, box, count, fromReading, storage](const MoveReport& report) {
                            inbox_->reloadList(storage,
                                               [this, store, box, count, fromReading, report] {
                                                   setEnabled(true);
                                                   deleted(store, box, count, fromReading, report);
                                               });
                        });
}

void CShortMsg::deleted(int store, const QString& box, int count, bool fromReading,
                        const MoveReport& report) {
    QString text;
    if (fromReading) {
        text = report.done ? tr("Delete finished") : tr("Delete Operation error");
        readingId_ = -1;
    } else if (store == PcStore) {
        text = tr("Delete finished %1 items").arg(report.done);
    } else if (store == SimStore) {
        text = tr("Delete finished %1 items, unfinished %2 items")
                   .arg(report.done)
                   .arg(report.notDone);
    } else if (count > 1) {
        text = tr("delete finished %1 items, unfinished %2 items")
                   .arg(report.done)
                   .arg(report.notDone);
    } else {
        text = report.done ? tr("Delete Operation finished") : tr("Delete Operation error");
    }
    if (!report.saved)
        text += "\n" + tr("The message file could not be written.");
    showBoxOf(store, box);
    QTimer::singleShot(0, this, [this, text] { MyMessageBox::information(this, text); });
}

void CShortMsg::move() {
    const QList<int> ids = selectedIds();
    if (ids.isEmpty()) {
        MyMessageBox::warning(this, tr("Please select SMS first!"));
        return;
    }
    moveIds(ids, false);
}

void CShortMsg::readMove() {
    if (readingId_ < 0)
        return;
    if (MyMessageBox::query(this, tr("Do you want to move the item that you have selected?")) !=
        MyMessageBox::Yes)
        return;
    moveIds({readingId_}, true);
}

void CShortMsg::moveIds(const QList<int>& ids, bool fromReading) {
    const int store = fromReading ? readingStore_ : shownStore();
    const QString box = fromReading ? readingBox_ : shownBox();
    // Moves go between the PC and the SIM card.
    SerialThread* link = inbox_->link();
    if (link == nullptr || store == MeStore)
        return;
    // The page waits while the card works.
    setEnabled(false);
    const auto finish = [this, store, box, fromReading](int target) {
        return [this, store, target, box, fromReading](const MoveReport& report) {
            inbox_->countUnread();
            inbox_->reloadList(MessageStorage::Sim,
                               [this, store, target, box, fromReading, report] {
                                   setEnabled(true);
                                   moved(store, target, box, fromReading, report);
                               });
        };
    };
    if (store == PcStore) {
        movePcToSim(*link, this, this->store(), box, ids,
                    serviceCentreFor(inbox_->serviceCentre(), messageSettingsForSending()),
                    finish(SimStore));
        return;
    }
    QList<SM_PARAM_DECODE> messages;
    for (int id : ids)
        messages << modemBox(SimStore, box).value(id);
    moveSimToPc(*link, this, this->store(), box, messages, nowStamp(), finish(PcStore));
}

// A move that left messages where they were says why, and the user stays
// on the box they were in; one that moved everything shows where it went.
void CShortMsg::moved(int store, int target, const QString& box, bool fromReading,
                      const MoveReport& report) {
    if (fromReading)
        readingId_ = -1;
    QString text = fromReading
                       ? (report.done ? tr("Move finished") : tr("Move failed"))
                       : tr("Move %1 finished,%2 unfinished").arg(report.done).arg(report.notDone);
    switch (report.why) {
    case MoveReport::Why::None:
        break;
    case MoveReport::Why::SimFull:
        text += "\n" + tr("The SIM card has no room for it.");
        break;
    case MoveReport::Why::Refused:
        text += "\n" + tr("The SIM card refused it.");
        break;
    case MoveReport::Why::NoAnswer:
        text += "\n" + tr("The SIM card did not answer; a copy stays on the PC.");
        break;
    case MoveReport::Why::NoPdu:
        text += "\n" + tr("The message is not kept in the form the SIM card stores.");
        break;
    }
    if (!report.saved)
        text += "\n" + tr("The message file could not be written.");
    showBoxOf(report.notDone == 0 ? target : store, box);
    QTimer::singleShot(0, this, [this, text] { MyMessageBox::information(this, text); });
}
