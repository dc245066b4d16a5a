#include "mainwindow/ui/centrewidget.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "mainwindow/ui/cmylabel.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolTip>

namespace {

constexpr int buttonWidth = 84;
constexpr int buttonHeight = 66;
constexpr int stackX = 7;
constexpr int stackY = 100;
constexpr int stackWidth = 626;
constexpr int stackHeight = 317;
constexpr int defaultStatusY = 420;
constexpr int statusHeight = 20;

const QColor captionColor(31, 41, 55);
const QColor captionHoverColor(30, 111, 217);

QColor orDefault(const QColor& color, const QColor& fallback) {
    return color.isValid() ? color : fallback;
}

QLabel* statusLabel(QWidget* parent, const char* name, const QColor& color) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    return label;
}

} // namespace

CentreWidget::CentreWidget(QWidget* parent, const char* name, Qt::WindowFlags f)
    : QWidget(parent, f), background_(resFile("base/centre_copy.png")) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFixedHeight(areaHeight);
    QToolTip::setFont(QFont("Liberation Sans", 9));

    // Pages on the left, help and the web site on the right. The SIM button
    // has no page of its own and stays hidden.
    homepageButton = makePageButton("homepageButton",
                                    {"icons/MirelMobile1.png", "icons/MirelMobile3.png",
                                     "icons/MirelMobile2.png", "icons/MirelMobile0.png"},
                                    tr("Internet"), tr("Internet"), 8);
    smsButton = makePageButton(
        "smsButton", {"icons/sms1.png", "icons/sms3.png", "icons/sms2.png", "icons/sms0.png"},
        tr("Messages"), tr("SMS"), 8 + buttonWidth);
    phonebookButton = makePageButton("phonebookButton",
                                     {"icons/phonebook1.png", "icons/phonebook3.png",
                                      "icons/phonebook2.png", "icons/phonebook0.png"},
                                     tr("Phonebook"), tr("PhoneBook"), 8 + 2 * buttonWidth);
    setButton = makePageButton(
        "setButton", {"icons/set1.png", "icons/set3.png", "icons/set2.png", "icons/set0.png"},
        tr("Settings"), tr("Settings"), 8 + 3 * buttonWidth);
    simButton = makePageButton(
        "simButton", {"icons/sim1.png", "icons/sim3.png", "icons/sim2.png", "icons/sim0.png"},
        tr("SIM"), tr("SIM"), 8 + 4 * buttonWidth);
    simButton->hide();
    helpButton = makePageButton(
        "helpButton", {"icons/help1.png", "icons/help3.png", "icons/help2.png", "icons/help0.png"},
        tr("Help"), tr("Help"), 640 - 8 - 2 * buttonWidth);
    homeButton = makePageButton("homeButton",
                                {"icons/homeicon1.png", "icons/homeicon3.png",
                                 "icons/homeicon2.png", "icons/homeicon0.png"},
                                tr("Web Site"), tr("Home Page"), 640 - 8 - buttonWidth);

    widgetStack = new QStackedWidget(this);
    widgetStack->setObjectName("widgetStack");
    widgetStack->setGeometry(stackX, stackY, stackWidth, stackHeight);
    QPalette stackPal = widgetStack->palette();
    stackPal.setBrush(QPalette::Window, QPixmap(resFile("base/centralBG626x317.jpg")));
    widgetStack->setPalette(stackPal);
    widgetStack->setAutoFillBackground(true);
    auto* home = new QWidget(widgetStack);
    home->setObjectName("WStackPage");
    addPage(home, HomePage);

    buildStatusRow();
}

MyButton* CentreWidget::makePageButton(const char* name, const PageImages& images,
                                       const QString& caption, const QString& tip, int x) {
    auto* button = new MyButton(this, name);
    button->setMultiPixmap(images.normal, images.focusIn, images.pressed, images.invalid);
    button->setGeometry(x, 3, buttonWidth, buttonHeight);
    button->setText(caption);
    button->setTextAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    button->setForeground(captionColor);
    button->setHoverForeground(captionHoverColor);
    QFont font("Liberation Sans");
    font.setPointSize(9);
    button->setFont(font);
    button->setToolTip(tip);
    return button;
}

void CentreWidget::buildStatusRow() {
    const int y = comcfg.statusLabelY > 0 ? comcfg.statusLabelY : defaultStatusY;
    const QColor text1 = orDefault(comcfg.homeLabelColor1, captionColor);
    const QColor text2 = orDefault(comcfg.homeLabelColor2, captionColor);
    const QColor text3 = orDefault(comcfg.homeLabelColor3, captionColor);

    signalLabel = statusLabel(this, "signalLabel", text1);
    signalLabel->setPixmap(QPixmap(resFile("component/ImageList_TrayMain2.png")));
    signalLabel->setGeometry(14, y + 2, 16, 16);
    signalLabel->setToolTip(tr("Signal"));

    serviceLabel = statusLabel(this, "serviceLabel", text1);
    serviceLabel->setText(tr("No Service"));
    serviceLabel->setGeometry(54, y, 100, statusHeight);
    serviceLabel->setToolTip(tr("Network Type"));

    pcsimLabel = statusLabel(this, "pcsimLabel", text3);
    pcsimLabel->setText(" ");
    pcsimLabel->setGeometry(154, y, 40, statusHeight);

    ispLabel = statusLabel(this, "ispLabel", text2);
    ispLabel->setText(tr("Not Found"));
    ispLabel->setGeometry(200, y, 220, statusHeight);
    ispLabel->setToolTip(tr("Operator"));
    QFont operatorFont = ispLabel->font();
    operatorFont.setBold(true);
    ispLabel->setFont(operatorFont);

    newMsgLabel = new CMyLabel(this, "newMsgLabel");
    newMsgLabel->setMovie(new QMovie(resFile("component/ImageList_NewSms.gif"), {}, newMsgLabel));
    newMsgLabel->setGeometry(512, y + 2, 24, 16);
    newMsgLabel->setToolTip(tr("has new msg"));
    newMsgLabel->hide();

    isConnectLabel = statusLabel(this, "isConnectLabel", text1);
    isConnectLabel->setPixmap(QPixmap(resFile("component/data_disconnect.png")));
    isConnectLabel->setGeometry(550, y, 20, statusHeight);
    isConnectLabel->setToolTip(tr("Data Not Connected"));

    simLabel = statusLabel(this, "simLabel", text1);
    simLabel->setPixmap(QPixmap(resFile("component/sim_off.png")));
    simLabel->setGeometry(578, y, 20, statusHeight);
    simLabel->setToolTip(tr("No (U)SIM"));

    modemLabel = statusLabel(this, "modemLabel", text1);
    modemLabel->setPixmap(QPixmap(resFile("component/modem_off.png")));
    modemLabel->setGeometry(606, y, 20, statusHeight);
    modemLabel->setToolTip(tr("Tolva Be Not Detected"));
}

void CentreWidget::addPage(QWidget* page, int id) {
    widgetStack->addWidget(page);
    pages_.insert(id, page);
}

void CentreWidget::raisePage(int id) {
    QWidget* shown = page(id);
    if (!shown)
        return;
    widgetStack->setCurrentWidget(shown);
    // The page buttons work as tabs: the one of the page in view stays
    // pressed. Help and the web site open other windows and never do.
    const std::pair<MyButton*, int> tabs[] = {{homepageButton, InternetPage},
                                              {smsButton, SmsPage},
                                              {phonebookButton, PhonebookPage},
                                              {setButton, SettingsPage}};
    for (const auto& [button, pageId] : tabs)
        button->setSelected(pageId == id);
}

QWidget* CentreWidget::page(int id) const {
    return pages_.value(id, nullptr);
}

int CentreWidget::currentPageId() const {
    return pages_.key(widgetStack->currentWidget(), -1);
}

void CentreWidget::setCaptionLabel(QLabel* label) {
    label->setParent(this);
    label->setGeometry(stackX + 6, 74, 400, 24);
    QFont font("Liberation Sans");
    font.setPointSize(11);
    font.setBold(true);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, captionColor);
    label->setPalette(pal);
    label->show();
}

void CentreWidget::dataConnectAnimated() {
    isConnectLabel->setToolTip(tr("Data Connected"));
    if (animationTimer_)
        return;
    animationTimer_ = new QTimer(this);
    connect(animationTimer_, &QTimer::timeout, this, &CentreWidget::slotDataConnectAnimated);
    animationTimer_->start(1000);
}

void CentreWidget::slotDataConnectAnimated() {
    static const char* const frames[] = {"component/data0.png", "component/data1.png",
                                         "component/data2.png"};
    isConnectLabel->setPixmap(QPixmap(resFile(frames[animationFrame_ % 3])));
    ++animationFrame_;
}

void CentreWidget::dataConnectStop() {
    if (animationTimer_) {
        animationTimer_->stop();
        animationTimer_->disconnect(this);
        delete animationTimer_;
        animationTimer_ = nullptr;
    }
    isConnectLabel->setToolTip(tr("Data Not Connected"));
    animationFrame_ = 0;
}

bool CentreWidget::checkTimerValidation() const {
    return animationTimer_ != nullptr;
}

void CentreWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}
