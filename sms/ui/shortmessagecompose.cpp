// The message page's new-message view: writing with the length counter,
// sending, saving drafts and picking recipients.

#include "settings/settingsfiles.h"
#include "sms/longmessage.h"
#include "sms/smsdataoperation.h"
#include "sms/smsinbox.h"
#include "sms/smssend.h"
#include "sms/ui/search.h"
#include "sms/ui/shortmessage.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>

namespace {

QString nowStamp() {
    return QDateTime::currentDateTime().toString("yyMMddhhmmss");
}

} // namespace

bool CShortMsg::composeWouldLoseText() const {
    if (smsStack->currentIndex() != NewView)
        return false;
    const QString text = msgContentTextEdit->toPlainText();
    return !text.isEmpty() &&
           (text != openedText_ || newMsgSendPhoneLineEdit->text() != openedNumbers_);
}

bool CShortMsg::leaveCompose() {
    if (!composeWouldLoseText())
        return true;
    if (MyMessageBox::query(this, tr("Save as draft?")) == MyMessageBox::Yes &&
        !(editingDraftId_ >= 0 ? storeEditedDraft() : storeNewDrafts()))
        return false;
    // Saved or let go: the text is the user's decision now.
    openedNumbers_ = newMsgSendPhoneLineEdit->text();
    openedText_ = msgContentTextEdit->toPlainText();
    return true;
}

void CShortMsg::openNew(const QString& numbers, const QString& text) {
    if (!leaveCompose())
        return;
    editingDraftId_ = -1;
    openedNumbers_ = numbers;
    openedText_ = text;
    newMsgSendPhoneLineEdit->setText(numbers);
    msgContentTextEdit->setPlainText(text);
    // The box stays flagged (Cancel goes back to it) but is not shown now.
    inboxButton->setChecked(false);
    outboxButton->setChecked(false);
    draftboxButton->setChecked(false);
    smsStack->setCurrentIndex(NewView);
    (numbers.isEmpty() ? static_cast<QWidget*>(newMsgSendPhoneLineEdit) : msgContentTextEdit)
        ->setFocus();
}

void CShortMsg::NewmsgClicked() {
    openNew(QString(), QString());
}

void CShortMsg::phonebook_smsclicked(QString numbers) {
    openNew(numbers, QString());
}

void CShortMsg::sendMsgFromPhBook(QString numbers) {
    openNew(numbers, QString());
}

void CShortMsg::wordCount() {
    const QString text = msgContentTextEdit->toPlainText();
    if (text.isEmpty()) {
        newMsgWordNumLabel->clear();
        lengthWarned_ = false;
        return;
    }
    const int parts = partCount(text);
    if (parts > SMS_MAX_PARTS) {
        // Once when the text grows past the limit; the counter keeps its last text.
        if (!lengthWarned_) {
            lengthWarned_ = true;
            MyMessageBox::warning(this, tr("SMS length exceed!"));
        }
        return;
    }
    lengthWarned_ = false;
    newMsgWordNumLabel->setText(tr("Info: %1 /%2").arg(text.size()).arg(parts));
}

void CShortMsg::send() {
    const QString line = newMsgSendPhoneLineEdit->text();
    const QString text = msgContentTextEdit->toPlainText();
    if (line.isEmpty()) {
        MyMessageBox::warning(this, tr("The phone number is null!"));
        return;
    }
    if (text.isEmpty()) {
        MyMessageBox::warning(this, tr("The content is null!"));
        return;
    }
    if (line.count(';') > SMS_MAX_RECIPIENTS - 1) {
        MyMessageBox::warning(this, tr("Sorry, You cann't send more than 10 sms"));
        return;
    }
    const QStringList numbers = recipientsOf(line);
    if (numbers.isEmpty()) {
        MyMessageBox::warning(this, tr("The phone number is null!"));
        return;
    }
    if (partCount(text) > SMS_MAX_PARTS) {
        MyMessageBox::warning(this, tr("SMS length exceed!"));
        return;
    }
    const MessageSettings settings = messageSettingsForSending();
    const QString centre = serviceCentreFor(inbox_->serviceCentre(), settings);
    if (centre.isEmpty() || inbox_->link() == nullptr) {
        MyMessageBox::warning(
            this, tr("No SMS centre number is known: enter it in the message settings."));
        return;
    }

    // The page waits while the card sends; the box says so.
    setEnabled(false);
    auto* sending =
        new MyMessageBox(this, QString(), tr("Sending..."), true, MyMessageBox::NoButton,
                         MyMessageBox::NoButton, "sendingBox", false);
    sending->setAttribute(Qt::WA_DeleteOnClose);
    sending->show();
    sendToRecipients(
        *inbox_->link(), this, store(), numbers, text, centre, submitOptionsFor(settings),
        QStringLiteral("failed"), nowStamp(), [this, sending](const SendReport& report) {
            sending->close();
            setEnabled(true);
            inbox_->countUnread();
            QString result = tr("Send Success %1,failed %2").arg(report.sent).arg(report.failed);
            if (!report.saved)
                result += "\n" + tr("The message file could not be written.");
            showBoxOf(PcStore, report.sent > 0 ? "outbox" : "draftbox");
            QTimer::singleShot(0, this,
                               [this, result] { MyMessageBox::information(this, result); });
        });
}

void CShortMsg::SaveClicked() {
    if (editingDraftId_ >= 0)
        UpdateSave();
    else
        InsertSave();
}

void CShortMsg::InsertSave() {
    if (storeNewDrafts())
        showBoxOf(PcStore, "draftbox");
}

void CShortMsg::UpdateSave() {
    if (storeEditedDraft())
        showBoxOf(PcStore, "draftbox");
}

bool CShortMsg::storeNewDrafts() {
    const QString line = newMsgSendPhoneLineEdit->text();
    const QString text = msgContentTextEdit->toPlainText();
    if (line.isEmpty() && text.isEmpty()) {
        MyMessageBox::warning(this, tr("The content is null!"));
        return false;
    }
    QStringList numbers = line.split(';', Qt::SkipEmptyParts);
    if (numbers.isEmpty())
        numbers << QString();
    const QString stamp = nowStamp();
    for (const QString& number : std::as_const(numbers))
        store().appendSmsItem(composedRecord(number, text, stamp, {}, QString()), "draftbox");
    if (!store().saveDom())
        MyMessageBox::warning(this, tr("The message file could not be written."));
    return true;
}

bool CShortMsg::storeEditedDraft() {
    const QString line = newMsgSendPhoneLineEdit->text();
    if (line.isEmpty()) {
        MyMessageBox::warning(this, tr("the phone num cann't be null"));
        return false;
    }
    SmsList drafts;
    store().getPcAllSmsItem(drafts, "draftbox");
    SM_PARAM_DECODE rec =
        composedRecord(line, msgContentTextEdit->toPlainText(), nowStamp(), {}, QString());
    if (store().modifySmsItem(drafts, rec, editingDraftId_, "draftbox") != 1)
        MyMessageBox::warning(this, tr("The message file could not be written."));
    editingDraftId_ = -1;
    return true;
}

void CShortMsg::SearchClicked() {
    delete searchContact.data();
    auto* picker = new CSearchContact(this, "searchContact");
    picker->setAttribute(Qt::WA_DeleteOnClose);
    picker->setSimAvailable(cardOnline_);
    connect(picker, &CSearchContact::okclick, this, &CShortMsg::oksearchClicked);
    connect(picker, &CSearchContact::closesearch, this, &CShortMsg::cancelsearchClicked);
    searchContact = picker;
    const QWidget* anchor = window();
    picker->move(anchor->mapToGlobal(QPoint((anchor->width() - picker->width()) / 2,
                                            (anchor->height() - picker->height()) / 2)));
    picker->open();
}

void CShortMsg::oksearchClicked(QString numbers) {
    cancelsearchClicked();
    newMsgSendPhoneLineEdit->setText(numbers);
}

void CShortMsg::cancelsearchClicked() {
    if (searchContact)
        searchContact->close();
}
