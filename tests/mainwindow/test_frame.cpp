#include "app/globals.h"
#include "connection/ui/wirelesswindow.h"
#include "mainwindow/ui/centrewidget.h"
#include "mainwindow/ui/cmylabel.h"
#include "mainwindow/ui/topbarwidget.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "phonebook/ui/phonebook.h"
#include "settings/ui/settingmainwindow.h"
#include "sms/ui/shortmessage.h"
#include "sms/ui/shorttable.h"
#include "tests/support/testenv.h"
#include "tests/widgets/modalhelper.h"
#include "widgets/mybutton.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QSplashScreen>
#include <QStackedWidget>
#include <QtTest>
#include <cstring>

namespace {

// Answers the next message box with "Ok" and returns its text.
QString nextBoxText(QString* text) {
    whenModalOpens([text](QWidget* box) {
        QStringList lines;
        for (int i = 0; i < 4; ++i)
            if (auto* line = box->findChild<QLabel*>(QString("textLine%1").arg(i)))
                lines << line->text();
        *text = lines.join(QString());
        QTest::mouseClick(box->findChild<MyButton*>("pb0"), Qt::LeftButton);
    });
    return {};
}

void sendMove(QWidget* widget, const QPoint& local, Qt::MouseButtons held) {
    QMouseEvent event(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void frameHasItsPartsAndNames();
    void statusRowShowsModemOff();
    void pageButtonsRaiseTheirPages();
    void settingsSectionsSetTheCaption();
    void newMessageIndicatorDropsPendingNotices();
    void messagePageDrivesTheIndicator();
    void phonebookAndMessagePageAreRouted();
    void savingMessageNumberNeedsOneSelectedMessage();
    void dragMovesWindowWithLeftButtonOnly();
    void minimiseAndClose();
    void dataAnimation();
    void helpWithoutHelpFilesWarns();
    void informationPanelOpensOnRightClick();
    void windowAppearsTwoSecondsAfterSplash();

private:
    TestEnv* env_ = nullptr;
    WTMainWindow* window_ = nullptr;
};

void TestFrame::init() {
    env_ = new TestEnv;
    window_ = new WTMainWindow(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
}

void TestFrame::cleanup() {
    delete window_;
    delete env_;
}

void TestFrame::frameHasItsPartsAndNames() {
    QCOMPARE(window_->size(), QSize(640, 480));
    QCOMPARE(window_->minimumSize(), QSize(640, 480));
    QCOMPARE(window_->maximumSize(), QSize(640, 480));
    QVERIFY(!window_->mask().isEmpty());
    QVERIFY(!window_->mask().contains(QPoint(0, 0))); // rounded corner
    QVERIFY(!window_->windowIcon().isNull());
    for (const char* name :
         {"topbar", "centre", "bottom", "icon", "widgetStack", "WStackPage", "phonebook",
          "shortmessage", "setting", "wirelesswindow", "tooltipLabel"})
        QVERIFY2(window_->findChild<QWidget*>(name), name);

    const QMap<QString, QString> tips = {
        {"phonebookButton", "PhoneBook"}, {"smsButton", "SMS"}, {"homepageButton", "Internet"},
        {"setButton", "Settings"},        {"simButton", "SIM"}, {"helpButton", "Help"},
        {"homeButton", "Home Page"}};
    for (auto it = tips.cbegin(); it != tips.cend(); ++it) {
        auto* button = window_->findChild<MyButton*>(it.key());
        QVERIFY2(button, qPrintable(it.key()));
        QCOMPARE(button->toolTip(), it.value());
        QVERIFY(!button->currentPixmap().isNull());
    }
    // Stack ids of the pages.
    QCOMPARE(window_->centre->page(1), window_->phonebook);
    QCOMPARE(window_->centre->page(2), window_->shortmessage);
    QCOMPARE(window_->centre->page(4), window_->setting);
    QCOMPARE(window_->centre->page(5), window_->wirelesswindow);
}

void TestFrame::statusRowShowsModemOff() {
    const struct {
        const char* name;
        const char* text;
        const char* tip;
    } labels[] = {{"serviceLabel", "No Service", "Network Type"},
                  {"ispLabel", "Not Found", "Operator"},
                  {"pcsimLabel", " ", ""},
                  {"signalLabel", "", "Signal"},
                  {"isConnectLabel", "", "Data Not Connected"},
                  {"simLabel", "", "No (U)SIM"},
                  {"modemLabel", "", "Tolva Be Not Detected"}};
    for (const auto& expected : labels) {
        auto* label = window_->centre->findChild<QLabel*>(expected.name);
        QVERIFY2(label, expected.name);
        QCOMPARE(label->text(), QString(expected.text));
        QCOMPARE(label->toolTip(), QString(expected.tip));
    }
    QVERIFY(!window_->centre->modemLabel->pixmap().isNull());
    // Only one widget answers to the operator label's name.
    QCOMPARE(window_->findChildren<QLabel*>("ispLabel").size(), 1);
    QCOMPARE(window_->centre->newMsgLabel->toolTip(), QString("has new msg"));
    QVERIFY(window_->centre->newMsgLabel->isHidden());
}

void TestFrame::pageButtonsRaiseTheirPages() {
    CentreWidget* centre = window_->centre;
    QCOMPARE(centre->currentPageId(), int(CentreWidget::InternetPage));
    QCOMPARE(window_->tooltipLabel->text(), QString("Internet"));

    const struct {
        MyButton* button;
        int page;
        const char* caption;
    } routes[] = {{centre->smsButton, CentreWidget::SmsPage, "Short Message"},
                  {centre->phonebookButton, CentreWidget::PhonebookPage, "PhoneBook"},
                  {centre->setButton, CentreWidget::SettingsPage, "Connection Settings"},
                  {centre->homepageButton, CentreWidget::InternetPage, "Internet"}};
    for (const auto& route : routes) {
        QTest::mouseClick(route.button, Qt::LeftButton);
        QCOMPARE(centre->currentPageId(), route.page);
        QCOMPARE(window_->tooltipLabel->text(), QString(route.caption));
    }

    // The default-profile button is offered while not connected.
    window_->setting->setConnectionState(ConnectionState::Connected);
    window_->slotClickSetButton();
    QVERIFY(window_->setting->setdefaultButton->isEnabled());

    // The SIM button leaves the page as it is.
    window_->slotClickSimButton();
    QCOMPARE(centre->currentPageId(), int(CentreWidget::SettingsPage));
}

void TestFrame::settingsSectionsSetTheCaption() {
    CSetting* setting = window_->setting;
    const QList<QPair<MyButton*, QString>> sections = {
        {setting->SecurityButton, "Security Settings"},
        {setting->networkButton, "Network Settings"},
        {setting->messageButton, "Message Settings"},
        {setting->alertButton, "Alert Settings"},
        {setting->connectButton, "Connection Settings"}};
    for (const auto& [button, caption] : sections) {
        button->click();
        QCOMPARE(window_->tooltipLabel->text(), caption);
    }
}

void TestFrame::newMessageIndicatorDropsPendingNotices() {
    msgData.insert(0, "\"SM\",3");
    msgData.insert(1, "\"ME\",7");
    activeMsgCount = 2;
    QSignalSpy inbox(window_->shortmessage, &CShortMsg::showInbox);
    QTest::mouseClick(window_->centre->newMsgLabel, Qt::LeftButton);
    QVERIFY(msgData.isEmpty());
    QCOMPARE(activeMsgCount, 0);
    QCOMPARE(inbox.count(), 1);
    QCOMPARE(window_->centre->currentPageId(), int(CentreWidget::SmsPage));
}

void TestFrame::messagePageDrivesTheIndicator() {
    unreadMsgCount = 1;
    emit window_->shortmessage->sigUnreadChanged();
    QVERIFY(!window_->centre->newMsgLabel->isHidden());
    unreadMsgCount = 0;
    emit window_->shortmessage->sigUnreadChanged();
    QVERIFY(window_->centre->newMsgLabel->isHidden());
}

void TestFrame::phonebookAndMessagePageAreRouted() {
    emit window_->phonebook->sendsms("0701234567");
    QCOMPARE(window_->centre->currentPageId(), int(CentreWidget::SmsPage));
    emit window_->sendToPhonebook("0701234567");
    QCOMPARE(window_->centre->currentPageId(), int(CentreWidget::PhonebookPage));
    QCOMPARE(window_->tooltipLabel->text(), QString("PhoneBook"));
}

void TestFrame::savingMessageNumberNeedsOneSelectedMessage() {
    CShortMsg* page = window_->shortmessage;
    QSignalSpy sent(window_, &WTMainWindow::sendToPhonebook);

    QString text;
    nextBoxText(&text);
    window_->SMSToPhonebook();
    QCOMPARE(text, QString("Please select SMS first!"));

    SmsList listed;
    for (int id = 0; id < 2; ++id)
        std::strcpy(listed[id].TPA, "070123456");
    page->showDataInTable(listed);
    page->smsTable->selectAll();
    nextBoxText(&text);
    window_->SMSToPhonebook();
    QCOMPARE(text, QString("Cann't save multiple SMS records simultaneously!"));
    QCOMPARE(sent.count(), 0);
}

void TestFrame::dragMovesWindowWithLeftButtonOnly() {
    window_->move(100, 100);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    TopBarWidget* bar = window_->topbar;
    const QPoint start = window_->pos();

    QTest::mousePress(bar, Qt::RightButton, {}, QPoint(200, 10));
    sendMove(bar, QPoint(260, 40), Qt::RightButton);
    QTest::mouseRelease(bar, Qt::RightButton, {}, QPoint(260, 40));
    QCOMPARE(window_->pos(), start);

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(200, 10));
    sendMove(bar, QPoint(260, 40), Qt::LeftButton);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(260, 40));
    QCOMPARE(window_->pos(), start + QPoint(60, 30));
}

void TestFrame::minimiseAndClose() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    window_->topbar->slotClickMinimizeButton();
    QVERIFY(window_->windowState() & Qt::WindowMinimized);
    window_->topbar->slotClickMinimizeButton(); // already minimised: only logs
    QVERIFY(window_->windowState() & Qt::WindowMinimized);

    QPointer<WTMainWindow> window(window_);
    window_->topbar->slotClickCloseButton();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
    window_ = nullptr;
}

void TestFrame::dataAnimation() {
    CentreWidget* centre = window_->centre;
    centre->isConnectLabel->setToolTip("something else");
    centre->dataConnectStop(); // without an animation
    QCOMPARE(centre->isConnectLabel->toolTip(), QString("Data Not Connected"));
    QCOMPARE(centre->animationFrame(), 0);
    QVERIFY(!centre->checkTimerValidation());

    centre->dataConnectAnimated();
    QVERIFY(centre->checkTimerValidation());
    QCOMPARE(centre->isConnectLabel->toolTip(), QString("Data Connected"));
    const auto argb = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_ARGB32);
    };
    const QImage frames[] = {argb(QPixmap(resFile("component/data0.png")).toImage()),
                             argb(QPixmap(resFile("component/data1.png")).toImage()),
                             argb(QPixmap(resFile("component/data2.png")).toImage())};
    for (int i = 0; i < 4; ++i) {
        centre->slotDataConnectAnimated();
        QCOMPARE(argb(centre->isConnectLabel->pixmap().toImage()), frames[i % 3]);
    }
    QCOMPARE(centre->animationFrame(), 4);
    centre->dataConnectStop();
    QVERIFY(!centre->checkTimerValidation());
    QCOMPARE(centre->animationFrame(), 0);
    QCOMPARE(centre->isConnectLabel->toolTip(), QString("Data Not Connected"));
}

void TestFrame::helpWithoutHelpFilesWarns() {
    const QString saved = QDir::currentPath();
    QDir(env_->dataPath("help")).removeRecursively();
    QDir::setCurrent(env_->base());
    QString text;
    nextBoxText(&text);
    window_->slotClickHelpButton();
    QDir::setCurrent(saved);
    QCOMPARE(text, QString("open file operation error!"));
}

void TestFrame::informationPanelOpensOnRightClick() {
    QVERIFY(serialthread && serialthread->portFd < 0); // no modem: the modem lines stay empty
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QTest::mouseClick(window_->centre, Qt::LeftButton, {}, QPoint(300, 430));
    QVERIFY(!window_->infoPopup);

    QTest::mouseClick(window_->centre, Qt::RightButton, {}, QPoint(300, 430));
    QVERIFY(window_->infoPopup);
    QDialog* panel = window_->infoPopup;
    QCOMPARE(panel->size(), QSize(388, 246));
    QCOMPARE(panel->findChild<QLabel*>("name")->text(), QString("Velto Modem Connection"));
    QVERIFY(panel->findChild<QLabel*>("softversion")->text().startsWith("PC Software Version: "));
    for (const char* name : {"firmware", "imei", "isdn"})
        QVERIFY(panel->findChild<QLabel*>(name)->text().isEmpty());

    // The next press anywhere on the window closes it.
    QTest::mouseClick(window_->centre, Qt::LeftButton, {}, QPoint(300, 430));
    QVERIFY(!window_->infoPopup);
}

void TestFrame::windowAppearsTwoSecondsAfterSplash() {
    QPointer<QSplashScreen> splash = new QSplashScreen(QPixmap(resFile("startingWindow.jpg")));
    splash->show();
    QElapsedTimer clock;
    clock.start();
    window_->wait2secsToShow(splash);
    QTest::qWait(1500);
    QVERIFY(!window_->isVisible());
    QVERIFY(splash);
    QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 3000);
    QVERIFY(clock.elapsed() >= 1990);
    QVERIFY(!splash);
}

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
