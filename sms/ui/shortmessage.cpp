#include "sms/ui/shortmessage.h"

#include "modem/serialthread.h"
#include "sms/smsdataoperation.h"
#include "widgets/mybutton.h"

#include <QDateTime>
#include <QTableWidget>

CShortMsg::CShortMsg(QWidget* parent, const char* name, WTMainWindow* mainWindow,
                     SerialThread* link)
    : QWidget(parent), mainWindow_(mainWindow), link_(link), smsData_(std::make_unique<SmsData>()) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    smsTable = new QTableWidget(0, 5, this);
    smsTable->setObjectName("smsTable");
    smsTable->setHorizontalHeaderLabels(
        {QString(), tr("PhoneNumber"), tr("Name"), tr("Date/Time"), tr("State")});
    smsTable->hideColumn(IdColumn);
    smsTable->hide();
    saveBt_whenBosomBox = new MyButton(this, "saveBt_whenBosomBox");
    saveBt_whenBosomBox->hide();
    saveBt_whenReadMsg = new MyButton(this, "saveBt_whenReadMsg");
    saveBt_whenReadMsg->hide();
}

int CShortMsg::shownBoxCount() const {
    return 0;
}

QString CShortMsg::readingNumber() const {
    return {};
}

void CShortMsg::phonebook_smsclicked(QString numbers) {
    Q_UNUSED(numbers);
}

CShortMsg::~CShortMsg() = default;

bool CShortMsg::InsertSave(const QString& reply, int index, const QString& state) {
    return storeArrivedMessage(*smsData_, reply, index, state);
}

int CShortMsg::getSimAllSmsItem(int store, int stat) {
    if (link_ == nullptr)
        return 0;
    const QString reply = link_->getSmsContent(stat, store == 1 ? 1 : 0);
    const QString now = QDateTime::currentDateTime().toString("yyMMddhhmmss");
    if (store == 1)
        return parseListReply(reply, SimInBListMap, SimOutBListMap, SimDraftBListMap, tr("new"),
                              tr("read"), now);
    return parseListReply(reply, MeInBListMap, MeOutBListMap, MeDraftBListMap, tr("new"),
                          tr("read"), now);
}

void CShortMsg::clearSimLists() {
    SimInBListMap.clear();
    SimOutBListMap.clear();
    SimDraftBListMap.clear();
}

void CShortMsg::carddispose(bool online) {
    cardOnline_ = online;
}

void CShortMsg::reloadPcStore() {
    smsData_ = std::make_unique<SmsData>();
}
