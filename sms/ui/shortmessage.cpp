// The message page: its widgets, their texts and connections. The actions
// are in shortmessageboxes.cpp (boxes, reading, deleting, moving, arriving
// messages) and shortmessagecompose.cpp (writing, sending, saving, picking
// recipients).

#include "sms/ui/shortmessage.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "sms/smsdataoperation.h"
#include "sms/smsinbox.h"
#include "sms/smstablemodel.h"
#include "sms/ui/shorttable.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"
#include "widgets/scrollbarstyle.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>

namespace {

constexpr int pageWidth = 626;
constexpr int pageHeight = 317;
constexpr int navWidth = 132;
constexpr int stackX = navWidth + 8;
constexpr int stackWidth = pageWidth - stackX - 14;
constexpr int stackHeight = pageHeight - 20;
constexpr int buttonRowY = stackHeight - 30;
// How often parts of long messages are checked for having waited too long.

const char* const kStyle = R"(
QPushButton#inboxButton, QPushButton#outboxButton, QPushButton#draftboxButton {
    text-align: left; padding-left: 12px; border: none; border-radius: 6px;
    color: #374151; background: transparent; font-size: 10pt; }
QPushButton#inboxButton:hover, QPushButton#outboxButton:hover,
QPushButton#draftboxButton:hover { background: #F3F6FA; }
QPushButton#inboxButton:checked, QPushButton#outboxButton:checked,
QPushButton#draftboxButton:checked { background: #E3EEFC; color: #1759B0; font-weight: bold; }
QLabel#locationLabel, QLabel#overviewTitle, QLabel#listTitleLabel, QLabel#readTitleLabel,
QLabel#newTitleLabel { color: #1F2937; font-weight: bold; }
QLabel#overviewTitle { font-size: 13pt; }
QLabel#listTitleLabel, QLabel#readTitleLabel, QLabel#newTitleLabel { font-size: 11pt; }
QLabel#inboxCountLabel, QLabel#outboxCountLabel, QLabel#draftboxCountLabel,
QLabel#capacityLabel { color: #374151; background: #F3F6FA; border-radius: 6px;
    padding-left: 12px; font-size: 10pt; }
QLabel#capacityLabel { color: #6B7280; background: transparent; }
QLabel.fieldName { color: #6B7280; }
QLabel.fieldValue { color: #1F2937; font-weight: bold; }
QLabel#newMsgWordNumLabel { color: #6B7280; }
QRadioButton { color: #374151; spacing: 6px; }
QRadioButton:disabled { color: #A9B4C2; }
QTableView { border: 1px solid #DDE3EA; border-radius: 4px; gridline-color: #DDE3EA;
    selection-background-color: #CFE0FA; selection-color: #1F2937;
    alternate-background-color: #F8FAFC; background: white; }
QHeaderView::section { background: #F3F6FA; color: #374151; border: none;
    border-bottom: 1px solid #DDE3EA; padding: 4px 6px; font-weight: bold; }
QLineEdit, QTextEdit, QTextBrowser { border: 1px solid #C9D3DF; border-radius: 4px;
    background: white; color: #1F2937; padding: 2px 4px; }
QLineEdit:focus, QTextEdit:focus { border: 1px solid #1E6FD9; }
)";

QLabel* styledLabel(QWidget* parent, const char* name, const QRect& geometry,
                    const char* styleClass = nullptr) {
    auto* label = new QLabel(parent);
    if (name)
        label->setObjectName(name);
    if (styleClass)
        label->setProperty("class", styleClass);
    label->setGeometry(geometry);
    return label;
}

QPushButton* boxButton(QWidget* parent, const char* name, int y) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setAutoExclusive(false);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(10, y, navWidth - 16, 30);
    return button;
}

QWidget* viewPage(QStackedWidget* stack, const char* name) {
    auto* page = new QWidget(stack);
    page->setObjectName(name);
    stack->addWidget(page);
    return page;
}

} // namespace

CShortMsg::CShortMsg(QWidget* parent, const char* name, WTMainWindow* mainWindow, SmsInbox* inbox)
    : QWidget(parent), mainWindow_(mainWindow), inbox_(inbox) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    resize(pageWidth, pageHeight);
    setFont(QFont("Liberation Sans", 9));
    setStyleSheet(QString(kStyle) + kScrollBarStyle);
    if (comcfg.smsTextColor.isValid()) {
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, comcfg.smsTextColor);
        setPalette(pal);
    }

    smsStack = new QStackedWidget(this);
    smsStack->setObjectName("smsStack");
    smsStack->setGeometry(stackX, 10, stackWidth, stackHeight);

    buildNavigation();
    buildOverview();
    buildList();
    buildReading();
    buildNewMessage();
    applyTexts();

    connect(this, &CShortMsg::showInbox, this, [this] {
        pcLocalRadioButton->setChecked(true);
        InboxClicked();
    });

    // What arrives or changes on the card's side is shown as it comes.
    connect(inbox_, &SmsInbox::pcBoxChanged, this,
            [this](const QString& box) { storeChanged(PcStore, box); });
    connect(inbox_, &SmsInbox::listsChanged, this, [this](MessageStorage storage) {
        storeChanged(storage == MessageStorage::Sim ? SimStore : MeStore, QString());
    });

    setGrossDispStatu();
    carddispose(false);
}

CShortMsg::~CShortMsg() = default;

MyButton* CShortMsg::actionButton(QWidget* parent, const char* name, int x, int y, int width) {
    auto* button = new MyButton(parent, name);
    button->setActionLook();
    QFont bold("Liberation Sans", 9);
    bold.setBold(true);
    button->setFont(bold);
    button->setGeometry(x, y, width, 26);
    return button;
}

void CShortMsg::buildNavigation() {
    newMsgButton = actionButton(this, "newMsgButton", 10, 14, navWidth - 16);
    newMsgButton->resize(navWidth - 16, 30);
    inboxButton = boxButton(this, "inboxButton", 56);
    outboxButton = boxButton(this, "outboxButton", 88);
    draftboxButton = boxButton(this, "draftboxButton", 120);

    styledLabel(this, "locationLabel", QRect(16, 166, navWidth - 20, 20));
    pcLocalRadioButton = new QRadioButton(this);
    pcLocalRadioButton->setObjectName("pcLocalRadioButton");
    pcLocalRadioButton->setGeometry(18, 190, navWidth - 22, 22);
    simLocalRadioButton = new QRadioButton(this);
    simLocalRadioButton->setObjectName("simLocalRadioButton");
    simLocalRadioButton->setGeometry(18, 214, navWidth - 22, 22);
    meLocalRadioButton = new QRadioButton(this);
    meLocalRadioButton->setObjectName("meLocalRadioButton");
    meLocalRadioButton->setGeometry(18, 238, navWidth - 22, 22);
    saveLocalGroup = new QButtonGroup(this);
    saveLocalGroup->setObjectName("saveLocalGroup");
    saveLocalGroup->addButton(pcLocalRadioButton, PcStore);
    saveLocalGroup->addButton(simLocalRadioButton, SimStore);
    saveLocalGroup->addButton(meLocalRadioButton, MeStore);
    pcLocalRadioButton->setChecked(true);

    auto* overviewButton = new QPushButton(this);
    overviewButton->setObjectName("overviewButton");
    overviewButton->setFlat(true);
    overviewButton->setCursor(Qt::PointingHandCursor);
    overviewButton->setGeometry(16, pageHeight - 44, navWidth - 24, 22);
    overviewButton->setStyleSheet("color: #1E6FD9; text-align: left; border: none;");

    connect(newMsgButton, &QPushButton::clicked, this, &CShortMsg::NewmsgClicked);
    connect(inboxButton, &QPushButton::clicked, this, &CShortMsg::InboxClicked);
    connect(outboxButton, &QPushButton::clicked, this, &CShortMsg::OutboxClicked);
    connect(draftboxButton, &QPushButton::clicked, this, &CShortMsg::DraftboxClicked);
    connect(saveLocalGroup, &QButtonGroup::idClicked, this, &CShortMsg::slotSaveLoclChange);
    connect(overviewButton, &QPushButton::clicked, this, &CShortMsg::setGrossDispStatu);
}

void CShortMsg::buildOverview() {
    QWidget* page = viewPage(smsStack, "overviewPage");
    styledLabel(page, "overviewTitle", QRect(4, 6, stackWidth - 8, 28));
    inboxCountLabel = styledLabel(page, "inboxCountLabel", QRect(4, 48, stackWidth - 8, 40));
    outboxCountLabel = styledLabel(page, "outboxCountLabel", QRect(4, 96, stackWidth - 8, 40));
    draftboxCountLabel = styledLabel(page, "draftboxCountLabel", QRect(4, 144, stackWidth - 8, 40));
    capacityLabel = styledLabel(page, "capacityLabel", QRect(4, 196, stackWidth - 8, 24));
}

void CShortMsg::buildList() {
    QWidget* page = viewPage(smsStack, "listPage");
    listTitleLabel = styledLabel(page, "listTitleLabel", QRect(2, 0, stackWidth - 4, 24));

    smsModel = new SmsTableModel(this);
    smsTable = new CShortTable(smsModel, page, "smsTable");
    smsTable->setGeometry(0, 28, stackWidth, buttonRowY - 36);
    smsTable->hideColumn(IdColumn);
    // The state takes the rest: delivery reports need the room.
    smsTable->setColumnWidth(NumberColumn, 116);
    smsTable->setColumnWidth(NameColumn, 84);
    smsTable->setColumnWidth(TimeColumn, 124);
    connect(smsTable, &CShortTable::rowDoubleClicked, this, [this] { ReadClicked(); });
    connect(smsTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CShortMsg::updateListButtons);

    const int step = 79;
    readButton = actionButton(page, "readButton", 0, buttonRowY);
    replyButton = actionButton(page, "replyButton", step, buttonRowY);
    forwardButton = actionButton(page, "forwardButton", 2 * step, buttonRowY);
    deleteButton = actionButton(page, "deleteButton", 3 * step, buttonRowY);
    moveButton = actionButton(page, "moveButton", 4 * step, buttonRowY);
    saveBt_whenBosomBox =
        actionButton(page, "saveBt_whenBosomBox", 5 * step, buttonRowY, stackWidth - 5 * step);
    connect(readButton, &QPushButton::clicked, this, &CShortMsg::ReadClicked);
    connect(replyButton, &QPushButton::clicked, this, &CShortMsg::ReplyClick);
    connect(forwardButton, &QPushButton::clicked, this, &CShortMsg::ForwardClick);
    connect(deleteButton, &QPushButton::clicked, this, &CShortMsg::DeleteClicked);
    connect(moveButton, &QPushButton::clicked, this, &CShortMsg::move);
}

void CShortMsg::buildReading() {
    QWidget* page = viewPage(smsStack, "readPage");
    styledLabel(page, "readTitleLabel", QRect(2, 0, stackWidth - 4, 24));
    styledLabel(page, "readNumberName", QRect(2, 30, 70, 20), "fieldName");
    readNumberLabel = styledLabel(page, "readNumberLabel", QRect(74, 30, 170, 20), "fieldValue");
    styledLabel(page, "readNameName", QRect(250, 30, 50, 20), "fieldName");
    readNameLabel =
        styledLabel(page, "readNameLabel", QRect(300, 30, stackWidth - 300, 20), "fieldValue");
    styledLabel(page, "readTimeName", QRect(2, 52, 70, 20), "fieldName");
    readTimeLabel = styledLabel(page, "readTimeLabel", QRect(74, 52, 200, 20), "fieldValue");
    readContentBrowser = new MyTextBrowser(page, "readContentBrowser");
    readContentBrowser->setGeometry(0, 78, stackWidth, buttonRowY - 86);

    const int step = 69;
    readingReplyButton = actionButton(page, "readingReplyButton", 0, buttonRowY, 66);
    readingForwardButton = actionButton(page, "readingForwardButton", step, buttonRowY, 66);
    readDeleteButton = actionButton(page, "readDeleteButton", 2 * step, buttonRowY, 66);
    readMoveButton = actionButton(page, "readMoveButton", 3 * step, buttonRowY, 66);
    saveBt_whenReadMsg = actionButton(page, "saveBt_whenReadMsg", 4 * step, buttonRowY, 120);
    readCancelButton = actionButton(page, "readCancelButton", stackWidth - 66, buttonRowY, 66);
    connect(readingReplyButton, &QPushButton::clicked, this, &CShortMsg::readingReplyClick);
    connect(readingForwardButton, &QPushButton::clicked, this, &CShortMsg::readingForwardClick);
    connect(readDeleteButton, &QPushButton::clicked, this, &CShortMsg::readDelte);
    connect(readMoveButton, &QPushButton::clicked, this, &CShortMsg::readMove);
    connect(readCancelButton, &QPushButton::clicked, this, &CShortMsg::clickedCancel);
}

void CShortMsg::buildNewMessage() {
    QWidget* page = viewPage(smsStack, "newMsgPage");
    styledLabel(page, "newTitleLabel", QRect(2, 0, stackWidth - 4, 24));
    styledLabel(page, "newToName", QRect(2, 32, 30, 24), "fieldName");
    newMsgSendPhoneLineEdit = new MyinputLineEdit(page, "newMsgSendPhoneLineEdit");
    newMsgSendPhoneLineEdit->setGeometry(34, 30, stackWidth - 34 - 86, 28);
    newMsgSendPhoneLineEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression("[+0123456789;]+"), newMsgSendPhoneLineEdit));
    searchButton = actionButton(page, "searchButton", stackWidth - 80, 31, 80);

    msgContentTextEdit = new QTextEdit(page);
    msgContentTextEdit->setObjectName("msgContentTextEdit");
    msgContentTextEdit->setAcceptRichText(false);
    msgContentTextEdit->setGeometry(0, 66, stackWidth, buttonRowY - 74 - 18);
    newMsgWordNumLabel =
        styledLabel(page, "newMsgWordNumLabel", QRect(2, buttonRowY - 26, stackWidth - 4, 18));
    newMsgWordNumLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    sendButton = actionButton(page, "sendButton", 0, buttonRowY);
    saveButton = actionButton(page, "saveButton", 79, buttonRowY);
    newCancelButton = actionButton(page, "newCancelButton", stackWidth - 76, buttonRowY);
    connect(searchButton, &QPushButton::clicked, this, &CShortMsg::SearchClicked);
    connect(msgContentTextEdit, &QTextEdit::textChanged, this, &CShortMsg::wordCount);
    connect(sendButton, &QPushButton::clicked, this, &CShortMsg::send);
    connect(saveButton, &QPushButton::clicked, this, &CShortMsg::SaveClicked);
    connect(newCancelButton, &QPushButton::clicked, this, &CShortMsg::clickedCancel);
}

void CShortMsg::applyTexts() {
    newMsgButton->setText(tr("New Message"));
    inboxButton->setText(tr("Inbox"));
    outboxButton->setText(tr("Outbox"));
    draftboxButton->setText(tr("Drafts"));
    findChild<QLabel*>("locationLabel")->setText(tr("Location"));
    pcLocalRadioButton->setText(tr("PC"));
    simLocalRadioButton->setText(tr("SIM card"));
    meLocalRadioButton->setText(tr("Modem"));
    findChild<QPushButton*>("overviewButton")->setText(tr("Overview"));
    findChild<QLabel*>("overviewTitle")->setText(tr("Short Messages"));
    readButton->setText(tr("Read"));
    replyButton->setText(tr("Reply"));
    forwardButton->setText(tr("Forward"));
    deleteButton->setText(tr("Delete"));
    moveButton->setText(tr("Move"));
    saveBt_whenBosomBox->setText(tr("Save Number"));
    findChild<QLabel*>("readTitleLabel")->setText(tr("Message"));
    findChild<QLabel*>("readNumberName")->setText(tr("Number:"));
    findChild<QLabel*>("readNameName")->setText(tr("Name:"));
    findChild<QLabel*>("readTimeName")->setText(tr("Date:"));
    readingReplyButton->setText(tr("Reply"));
    readingForwardButton->setText(tr("Forward"));
    readDeleteButton->setText(tr("Delete"));
    readMoveButton->setText(tr("Move"));
    saveBt_whenReadMsg->setText(tr("Save Number"));
    readCancelButton->setText(tr("Back"));
    findChild<QLabel*>("newTitleLabel")->setText(tr("New Message"));
    findChild<QLabel*>("newToName")->setText(tr("To:"));
    newMsgSendPhoneLineEdit->setPlaceholderText(tr("Numbers, separated by ;"));
    searchButton->setText(tr("Contacts"));
    msgContentTextEdit->setPlaceholderText(tr("Write your message here"));
    sendButton->setText(tr("Send"));
    saveButton->setText(tr("Save"));
    newCancelButton->setText(tr("Cancel"));
}

// The state words are stored in English whatever the user's language, so
// that the message file reads the same in every language; the table shows
// them translated.
QString CShortMsg::newWord() const {
    return QStringLiteral("new");
}

QString CShortMsg::readWord() const {
    return QStringLiteral("read");
}

QString CShortMsg::GetDataTime(const QString& stamp) {
    return formatMessageTime(stamp);
}
