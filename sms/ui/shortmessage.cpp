#include "sms/ui/shortmessage.h"

#include "widgets/mybutton.h"

#include <QTableWidget>

CShortMsg::CShortMsg(QWidget* parent, const char* name, WTMainWindow* mainWindow)
    : QWidget(parent), mainWindow_(mainWindow) {
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
