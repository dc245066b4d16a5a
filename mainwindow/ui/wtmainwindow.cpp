#include "mainwindow/ui/wtmainwindow.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "connection/connectioncontroller.h"
#include "connection/pdpcontext.h"
#include "connection/ui/wirelesswindow.h"
#include "mainwindow/modemmanagerinhibitor.h"
#include "mainwindow/statusmonitor.h"
#include "mainwindow/ui/centrewidget.h"
#include "mainwindow/ui/cmylabel.h"
#include "mainwindow/ui/deviceinfopanel.h"
#include "mainwindow/ui/launcher.h"
#include "mainwindow/ui/topbarwidget.h"
#include "mainwindow/ui/trayicon.h"
#include "modem/serialthread.h"
#include "phonebook/iodata.h"
#include "phonebook/ui/phonebook.h"
#include "settings/alertplayer.h"
#include "settings/datarecovery.h"
#include "settings/desktopnotifier.h"
#include "settings/ui/mediaalertoutput.h"
#include "settings/ui/settingmainwindow.h"
#include "sms/smsinbox.h"
#include "sms/ui/shortmessage.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSplashScreen>
#include <QStackedWidget>
#include <QTimer>
#include <utility>

namespace {

constexpr int bottomHeight = 480 - TopBarWidget::barHeight - CentreWidget::areaHeight;

} // namespace

WTMainWindow::WTMainWindow(QWidget* parent, const char* name, Qt::WindowFlags f,
                           const FixedPorts& ports)
    : WTMainWindowBase(parent, name, f) {
    setWindowTitle(comcfg.windowTitle);
    setWindowIcon(QIcon(resFile("icons/mobile_icon.bmp")));
    const QPixmap shape(resFile("base/baseBG.png"));
    if (!shape.isNull())
        setMask(shape.mask());
    setFont(QFont("Liberation Sans", 9));

    topbar = new TopBarWidget(this, "topbar");
    topbar->setGeometry(0, 0, windowWidth, TopBarWidget::barHeight);
    centre = new CentreWidget(this, "centre");
    centre->setGeometry(0, TopBarWidget::barHeight, windowWidth, CentreWidget::areaHeight);
    bottom = new QWidget(this);
    bottom->setObjectName("bottom");
    bottom->setGeometry(0, windowHeight - bottomHeight, windowWidth, bottomHeight);
    QPalette bottomPal = bottom->palette();
    bottomPal.setBrush(QPalette::Window, QPixmap(resFile("base/bottom_copy.png")));
    bottom->setPalette(bottomPal);
    bottom->setAutoFillBackground(true);

    init(ports);
}

void WTMainWindow::init(const FixedPorts& ports) {
    tooltipLabel = new QLabel(this);
    tooltipLabel->setObjectName("tooltipLabel");
    centre->setCaptionLabel(tooltipLabel);

    // What a crash left half done is put right before the stores read their files.
    recoverDataFolder();
    // The link first: the stores, the pages and the monitor are given it.
    link = new SerialThread(this);
    inbox = new SmsInbox(link, this);
    monitor = new StatusMonitor(this, *link, inbox, ports, this);
    phonebook = new PhoneBook(centre->widgetStack, "phonebook", link);
    centre->addPage(phonebook, CentreWidget::PhonebookPage);
    shortmessage = new CShortMsg(centre->widgetStack, "shortmessage", this, inbox);
    centre->addPage(shortmessage, CentreWidget::SmsPage);
    setting = new CSetting(centre->widgetStack, "setting", link);
    centre->addPage(setting, CentreWidget::SettingsPage);
    wirelesswindow = new WirelessWindow(centre->widgetStack, "wirelesswindow", link);
    centre->addPage(wirelesswindow, CentreWidget::InternetPage);

    const QString defaultName = setting->conLineedit->text();
    if (!defaultName.isEmpty())
        wirelesswindow->showLabel->setText(tr("Connect to ") + defaultName + "?");

    connect(centre->homepageButton, &QPushButton::clicked, this,
            &WTMainWindow::slotClickHomepageButton);
    connect(centre->smsButton, &QPushButton::clicked, this, &WTMainWindow::slotClickSmsButton);
    connect(centre->phonebookButton, &QPushButton::clicked, this,
            &WTMainWindow::slotClickPhonebookButton);
    connect(centre->setButton, &QPushButton::clicked, this, &WTMainWindow::slotClickSetButton);
    connect(centre->simButton, &QPushButton::clicked, this, &WTMainWindow::slotClickSimButton);
    connect(centre->homeButton, &QPushButton::clicked, this, &WTMainWindow::slotClickHomeButton);
    connect(centre->helpButton, &QPushButton::clicked, this, &WTMainWindow::slotClickHelpButton);
    connect(centre->newMsgLabel, &CMyLabel::clickedSmsLabel, this,
            &WTMainWindow::slotClickedNewMsgLabel);

    connect(setting, &CSetting::sectionChosen, this,
            [this](CSetting::Section section) { showSettingsCaption(section); });

    connect(shortmessage->saveBt_whenBosomBox, &QPushButton::clicked, this,
            &WTMainWindow::SMSToPhonebook);
    connect(shortmessage->saveBt_whenReadMsg, &QPushButton::clicked, this,
            &WTMainWindow::readToPhonebook);
    connect(this, &WTMainWindow::sendToPhonebook, this, &WTMainWindow::saveToPhonebook);
    connect(phonebook, &PhoneBook::sendsms, this, &WTMainWindow::phonebook_send_sms);
    connect(inbox, &SmsInbox::unreadChanged, this,
            [this](int unread) { centre->newMsgLabel->setVisible(unread > 0); });
    centre->newMsgLabel->setVisible(inbox->unreadCount() > 0);
    connect(inbox, &SmsInbox::storageFull, this,
            [this] { message(Box::Warning, tr("(U)SIM Card is full, please delete some items")); });

    PinFlows& pin = monitor->pinFlows();
    connect(setting, &CSetting::sigAbate, &pin, &PinFlows::refPINSetStatus);
    connect(setting->cancelButton, &QPushButton::clicked, &pin, &PinFlows::refPINSetStatus);
    connect(setting->changePINButton, &QPushButton::clicked, &pin, &PinFlows::changePin);
    connect(setting->applyButton, &QPushButton::clicked, &pin, &PinFlows::applyPinLock);
    connect(setting, &CSetting::sigSetDefaultConnctLabel, this, &WTMainWindow::slotSetDefaultName);
    connect(setting, &CSetting::sigRestored, inbox, &SmsInbox::reloadPcStore);
    connect(setting, &CSetting::sigRestored, phonebook, &PhoneBook::reloadPcStore);
    alerts = new AlertPlayer(new MediaAlertOutput(this), new DesktopNotifier(this), this);
    connect(wirelesswindow, &WirelessWindow::sigUpdateConnectPixmap, alerts,
            &AlertPlayer::connected);
    connect(wirelesswindow, &WirelessWindow::sigUpdateDisconnectPixmap, alerts,
            &AlertPlayer::disconnected);
    connect(link, &SerialThread::newMessageNotice, alerts, &AlertPlayer::messageArrived);
    connect(inbox, &SmsInbox::messageStored, alerts,
            [this](const QString& number, const QString& text) {
                const QString name = IOData::getNameFromPhone(number);
                alerts->messageStored(name.isEmpty() ? number : name, text);
            });
    connect(wirelesswindow->controller(), &ConnectionController::usageWarning, alerts,
            &AlertPlayer::usageWarning);
    connect(wirelesswindow->controller(), &ConnectionController::limitReached, alerts,
            &AlertPlayer::limitReached);
    connect(wirelesswindow, &WirelessWindow::sigUpdateConnectPixmap, this,
            &WTMainWindow::slotUpdateConnectPixmap);
    connect(wirelesswindow, &WirelessWindow::sigUpdateDisconnectPixmap, this,
            &WTMainWindow::slotUpdateDisconnectPixmap);
    connect(wirelesswindow, &WirelessWindow::sigConnectingStart, this,
            &WTMainWindow::slotConnectingStart);
    connect(wirelesswindow, &WirelessWindow::sigConnectingEnd, this,
            &WTMainWindow::slotConnectingEnd);
    connect(wirelesswindow, &WirelessWindow::sigPDPSetCommand, this,
            &WTMainWindow::slotPDPSetCommand, Qt::DirectConnection);
    connect(wirelesswindow->controller(), &ConnectionController::stateChanged, setting,
            &CSetting::setConnectionState);
    connect(wirelesswindow->controller(), &ConnectionController::stateChanged, this,
            &WTMainWindow::updateConnectControls);
    // Before anything can dial: put back what a crashed run left connected.
    connect(wirelesswindow->controller(), &ConnectionController::leftoverRestored, this,
            [this](LeftoverConnection found) {
                leftover_ = found;
                if (isVisible())
                    tellLeftover();
            });
    wirelesswindow->controller()->restoreLeftoverConnection();
    watchHeldPorts();
    initTray();

    slotClickHomepageButton();
    showStatus(ModemStatus{});
    QTimer::singleShot(2000, monitor, &StatusMonitor::initMonitor);
}

// While the link holds the card's ports, ModemManager is asked to leave the
// card alone.
void WTMainWindow::watchHeldPorts() {
    modemManager_ = new ModemManagerInhibitor(QDBusConnection::systemBus(), this);
    connect(modemManager_, &ModemManagerInhibitor::inhibitingChanged, this,
            [this] { setStatusToolTip("modemLabel", modemTip_); });
    connect(link, &SerialThread::portNamesChanged, this, [this] {
        QStringList held;
        for (const QString& port : {link->atPortName(), link->modemPortName()})
            if (!port.isEmpty() && !held.contains(port))
                held << port;
        modemManager_->holdPorts(held);
    });
}

void WTMainWindow::initTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    tray = new TrayIcon(this);
    const auto showWindow = [this] {
        showNormal();
        raise();
        activateWindow();
    };
    connect(tray, &TrayIcon::connectToggled, wirelesswindow,
            &WirelessWindow::isConnectButton_clicked);
    connect(tray, &TrayIcon::showRequested, this, showWindow);
    connect(tray, &TrayIcon::toggleRequested, this, [this, showWindow] {
        if (isVisible() && !isMinimized())
            hide();
        else
            showWindow();
    });
    connect(tray, &TrayIcon::quitRequested, this, [this] {
        quitting_ = true;
        close();
    });
    connect(wirelesswindow, &WirelessWindow::sigUpdateConnectPixmap, tray,
            [this] { tray->setConnected(true); });
    connect(wirelesswindow, &WirelessWindow::sigUpdateDisconnectPixmap, tray,
            [this] { tray->setConnected(false); });
    tray->show();
}

void WTMainWindow::wait2secsToShow(QSplashScreen* splash) {
    splash_ = splash;
    QTimer::singleShot(2000, Qt::PreciseTimer, this, &WTMainWindow::slotDelayShow);
}

void WTMainWindow::slotDelayShow() {
    show();
    if (splash_) {
        splash_->finish(this);
        delete splash_;
    }
    tellLeftover();
}

// Told once, when the window is there to tell it.
void WTMainWindow::tellLeftover() {
    if (leftover_ == LeftoverConnection::None)
        return;
    const LeftoverConnection found = std::exchange(leftover_, LeftoverConnection::None);
    QTimer::singleShot(0, this, [this, found] {
        if (found == LeftoverConnection::Restored)
            MyMessageBox::information(
                this, tr("The last connection was not closed properly. Its dialer settings "
                         "have been restored."));
        else
            MyMessageBox::warning(this, tr("The last connection was not closed properly, and "
                                           "its dialer settings could not be restored."));
    });
}

void WTMainWindow::slotPDPSetCommand() {
    if (!applyPdpContext(*link, this, setting->conLineedit->text()))
        MyMessageBox::warning(this, tr("Can not open the file!"));
}

void WTMainWindow::setCaption(const QString& caption) {
    tooltipLabel->clear();
    tooltipLabel->setText(caption);
}

void WTMainWindow::showPage(int id, const QString& caption) {
    setCaption(caption);
    if (QWidget* page = centre->page(id))
        page->show();
    centre->raisePage(id);
}

void WTMainWindow::slotClickHomepageButton() {
    showPage(CentreWidget::InternetPage, tr("Internet"));
}

void WTMainWindow::slotClickSmsButton() {
    showPage(CentreWidget::SmsPage, tr("Short Message"));
}

void WTMainWindow::slotClickPhonebookButton() {
    showPage(CentreWidget::PhonebookPage, tr("PhoneBook"));
}

void WTMainWindow::slotClickSetButton() {
    showPage(CentreWidget::SettingsPage, tr("Connection Settings"));
    setting->slotClickedListItem();
    setting->setConnectionState(wirelesswindow->controller()->state());
    setting->connnectButton_clicked();
}

// The SIM button has no page of its own.
void WTMainWindow::slotClickSimButton() {}

void WTMainWindow::slotClickHomeButton() {
    openWebSite(this);
}

void WTMainWindow::slotClickHelpButton() {
    const QString html = launchDataFile("help/help.html");
    const QString pdf = launchDataFile("help/help.pdf");
    const bool opened = QFileInfo::exists(html)  ? openWithDesktop(html, browserPrograms())
                        : QFileInfo::exists(pdf) ? openWithDesktop(pdf, pdfViewerPrograms())
                                                 : false;
    if (!opened)
        MyMessageBox::warning(this, tr("open file operation error!"));
}

void WTMainWindow::showSettingsCaption(int section) {
    switch (section) {
    case CSetting::ConnectionSection:
        return setCaption(tr("Connection Settings"));
    case CSetting::SecuritySection:
        return setCaption(tr("Security Settings"));
    case CSetting::NetworkSection:
        return setCaption(tr("Network Settings"));
    case CSetting::MessageSection:
        return setCaption(tr("Message Settings"));
    case CSetting::AlertSection:
        return setCaption(tr("Alert Settings"));
    }
}

void WTMainWindow::slotClickedNewMsgLabel() {
    slotClickSmsButton();
    emit shortmessage->showInbox();
}

void WTMainWindow::phonebook_send_sms(QString number) {
    slotClickSmsButton();
    shortmessage->phonebook_smsclicked(number);
}

void WTMainWindow::readToPhonebook() {
    emit sendToPhonebook(shortmessage->readingNumber());
}

void WTMainWindow::SMSToPhonebook() {
    if (shortmessage->selectedMessageCount() > 1) {
        MyMessageBox::warning(this, tr("Cann't save multiple SMS records simultaneously!"));
        return;
    }
    const int row = shortmessage->currentMessageRow();
    if (row < 0 || row >= shortmessage->shownBoxCount()) {
        MyMessageBox::warning(this, tr("Please select SMS first!"));
        return;
    }
    const QString number = shortmessage->numberAtRow(row);
    if (number.isEmpty()) {
        MyMessageBox::warning(this, tr("Plese select a message has sending number !"));
        return;
    }
    emit sendToPhonebook(number);
}

void WTMainWindow::saveToPhonebook(QString number) {
    showPage(CentreWidget::PhonebookPage, tr("PhoneBook"));
    phonebook->showNewContactForm(number);
}

void WTMainWindow::mousePressEvent(QMouseEvent* event) {
    WTMainWindowBase::mousePressEvent(event);
    if (infoPopup) {
        delete infoPopup.data();
        return;
    }
    if (event->button() == Qt::RightButton)
        openInfoPopup();
}

void WTMainWindow::openInfoPopup() {
    auto* panel = new DeviceInfoPanel(this, link);
    infoPopup = panel;
    panel->move(mapToGlobal(QPoint((width() - DeviceInfoPanel::panelWidth) / 2,
                                   (height() - DeviceInfoPanel::panelHeight) / 2)));
    panel->show();
    panel->queryModem();
}
