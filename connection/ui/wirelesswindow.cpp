#include "connection/ui/wirelesswindow.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "connection/connectioncontroller.h"
#include "connection/ui/usagechart.h"
#include "mainwindow/ui/launcher.h"
#include "mainwindow/ui/servicecodesdialog.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel* pageLabel(QWidget* parent, const char* name, const QString& text, const QColor& color,
                  const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    label->setGeometry(geometry);
    return label;
}

} // namespace

WirelessWindow::WirelessWindow(QWidget* parent, const char* name, SerialThread* link)
    : QWidget(parent), controller_(new ConnectionController(*this, link, this)) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    const QColor text =
        comcfg.connectionTextColor.isValid() ? comcfg.connectionTextColor : QColor(31, 41, 55);
    const QColor accent =
        comcfg.connectionTextColor2.isValid() ? comcfg.connectionTextColor2 : QColor(30, 111, 217);
    const QColor muted =
        comcfg.connectionTextColor3.isValid() ? comcfg.connectionTextColor3 : QColor(75, 85, 99);

    const QString caption = comcfg.connectionCaption.isEmpty()
                                ? tr("Internet Connection")
                                : configText(comcfg.connectionCaption);
    titleLabel = pageLabel(this, "titleLabel", caption, text, QRect(32, 24, 360, 28));
    QFont titleFont("Liberation Sans");
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);

    showLabel = pageLabel(this, "showLabel", {}, muted, QRect(32, 56, 400, 22));

    dataStateImage = pageLabel(this, "dataStateImage", {}, text, QRect(32, 100, 72, 72));
    dataStateImage->setPixmap(QPixmap(resFile("component/datastate0.png")));
    dataStateLabel = pageLabel(this, "dataStateLabel", tr("State: Initializing....."), accent,
                               QRect(124, 104, 300, 24));
    QFont stateFont("Liberation Sans");
    stateFont.setPointSize(12);
    stateFont.setBold(true);
    dataStateLabel->setFont(stateFont);
    sendLabel = pageLabel(this, "sendLabel", {}, muted, QRect(124, 132, 240, 20));
    receiveLabel = pageLabel(this, "receiveLabel", {}, muted, QRect(124, 152, 240, 20));
    timeLabel = pageLabel(this, "timeLabel", {}, muted, QRect(364, 132, 200, 20));

    isConnectButton = new MyButton(this, "isConnectButton");
    isConnectButton->setMultiPixmap(QPixmap(resFile("buttons/buttons7.png")),
                                    QPixmap(resFile("buttons/buttons7.png")),
                                    QPixmap(resFile("buttons/buttons6.png")));
    isConnectButton->setText(tr("Connect"));
    isConnectButton->setGeometry(32, 200, 120, 32);
    QFont buttonFont("Liberation Sans");
    buttonFont.setPointSize(10);
    buttonFont.setBold(true);
    isConnectButton->setFont(buttonFont);
    isConnectButton->setEnabled(false);
    connect(isConnectButton, &QPushButton::clicked, this, &WirelessWindow::isConnectButton_clicked);
    for (QLabel* line : {sendLabel, receiveLabel, timeLabel})
        line->hide();

    mirelmobileButton = new MyButton(this, "mirelmobileButton");
    mirelmobileButton->setNormalPixmap(QPixmap(resFile("dataConnect/MirelMobile0.gif")));
    mirelmobileButton->setGeometry(626 - 120 - 24, 317 - 36 - 20, 120, 36);
    mirelmobileButton->setToolTip(tr("Home Page"));
    mirelmobileButton->setVisible(comcfg.showBrandButton != 0);
    connect(mirelmobileButton, &QPushButton::clicked, this,
            &WirelessWindow::slotClickedMirelButton);

    usageLabel = pageLabel(this, "usageLabel", {}, muted, QRect(190, 194, 300, 18));
    usageChart = new UsageChart(this);
    usageChart->setGeometry(190, 216, 270, 40);
    usageChart->setToolTip(tr("The last 30 days"));

    serviceCodesButton = new QPushButton(tr("Service codes..."), this);
    serviceCodesButton->setObjectName("serviceCodesButton");
    serviceCodesButton->setFlat(true);
    serviceCodesButton->setCursor(Qt::PointingHandCursor);
    serviceCodesButton->setStyleSheet(
        QString("QPushButton { color: %1; border: none; text-align: left; padding: 0; }"
                "QPushButton:hover { text-decoration: underline; }")
            .arg(accent.name()));
    serviceCodesButton->setGeometry(32, 317 - 36 - 14, 200, 24);
    connect(serviceCodesButton, &QPushButton::clicked, this, [this, link] {
        ServiceCodesDialog dialog(window(), link);
        dialog.exec();
    });

    logoLabel = pageLabel(this, "logoLabel", {}, text, QRect(626 - 120 - 24, 24, 120, 32));
    logoLabel->setPixmap(QPixmap(resFile("SarnLogo.png")));

    connect(controller_, &ConnectionController::sigUpdateDisconnectPixmap, this,
            &WirelessWindow::sigUpdateDisconnectPixmap);
    connect(controller_, &ConnectionController::sigUpdateConnectPixmap, this,
            &WirelessWindow::sigUpdateConnectPixmap);
    connect(controller_, &ConnectionController::sigConnectingEnd, this,
            &WirelessWindow::sigConnectingEnd);
    connect(controller_, &ConnectionController::sigConnectingStart, this,
            &WirelessWindow::sigConnectingStart);
    // Direct: the PDP context is set before the dialler starts.
    connect(controller_, &ConnectionController::sigPDPSetCommand, this,
            &WirelessWindow::sigPDPSetCommand, Qt::DirectConnection);
    controller_->showUsage();
}

WirelessWindow::~WirelessWindow() = default;

void WirelessWindow::isConnectButton_clicked() {
    controller_->isConnectButton_clicked();
}

void WirelessWindow::slotClickedMirelButton() {
    openWebSite(this);
}

bool WirelessWindow::dialerRunning() const {
    return controller_->dialerRunning();
}

void WirelessWindow::safeKillWvdail() {
    controller_->safeKillWvdail();
}

bool WirelessWindow::checkTimerValidation() const {
    return controller_->checkTimerValidation();
}

void WirelessWindow::dataStateConnectingStop() {
    controller_->dataStateConnectingStop();
}

void WirelessWindow::dataState(char state) {
    controller_->dataState(state);
}

void WirelessWindow::connectBtnValid(bool on) {
    isConnectButton->setEnabled(on);
}

// --- what the connection shows ---------------------------------------------------

void WirelessWindow::setConnectButtonText(const QString& text) {
    isConnectButton->setText(text);
}

void WirelessWindow::setConnectButtonEnabled(bool enabled) {
    connectBtnValid(enabled);
}

void WirelessWindow::setStateText(const QString& text) {
    dataStateLabel->setText(text);
}

void WirelessWindow::setStateImage(bool connected) {
    dataStateImage->setPixmap(
        QPixmap(resFile(connected ? "component/datastate1.png" : "component/datastate0.png")));
}

void WirelessWindow::setCaptionVisible(bool visible) {
    showLabel->setVisible(visible);
}

void WirelessWindow::showTraffic(const QString& sent, const QString& received,
                                 const QString& time) {
    sendLabel->setText(sent);
    receiveLabel->setText(received);
    timeLabel->setText(time);
    for (QLabel* line : {sendLabel, receiveLabel, timeLabel})
        line->show();
}

void WirelessWindow::hideTraffic() {
    for (QLabel* line : {sendLabel, receiveLabel, timeLabel})
        line->hide();
}

void WirelessWindow::showUsage(const QString& summary, const QList<DayUsage>& days) {
    usageLabel->setText(summary);
    usageChart->setDays(days);
}

void WirelessWindow::message(Box kind, const QString& text) {
    if (kind == Box::Warning)
        MyMessageBox::warning(this, text);
    else
        MyMessageBox::information(this, text);
}
