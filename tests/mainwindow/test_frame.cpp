#include "app/globals.h"
#include "connection/ui/wirelesswindow.h"
#include "mainwindow/ui/centrewidget.h"
#include "mainwindow/ui/cmylabel.h"
#include "mainwindow/ui/topbarwidget.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "modem/serialthread.h"
#include "phonebook/ui/phonebook.h"
#include "settings/ui/settingmainwindow.h"
#include "sms/smsdataoperation.h"
#include "sms/smsinbox.h"
#include "sms/ui/shortmessage.h"
#include "sms/ui/shorttable.h"
#include "tests/support/messageboxes.h"
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

class TestFrame : public QObject {
    Q_OBJECT
    TestEnv* env_ = nullptr;
    WTMainWindow* window_ = nullptr;

private slots:
    void init() {
        env_ = new TestEnv;
        window_ =
            new WTMainWindow(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
    }
    void cleanup() {
        delete window_;
        delete env_;
    }

    // A window with rounded corners, its buttons' tips, the status row as it is
    // without a modem, and the internet page.
    void frameAtStart() {
        QVERIFY(!window_->mask().contains(QPoint(0, 0)) &&
                window_->mask().contains(QPoint(320, 240)));
        QVERIFY(!window_->windowIcon().isNull());
        const std::pair<const char*, const char*> tips[] = {
            {"phonebookButton", "PhoneBook"}, {"smsButton", "SMS"}, {"homepageButton", "Internet"},
            {"setButton", "Settings"},        {"simButton", "SIM"}, {"helpButton", "Help"},
            {"homeButton", "Home Page"}};
        for (const auto& [name, tip] : tips) {
            auto* button = window_->findChild<MyButton*>(name);
            QVERIFY2(button && !button->currentPixmap().isNull(), name);
            QCOMPARE(button->toolTip(), QString(tip));
        }
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
            // Only one widget answers to each name.
            const QList<QLabel*> found = window_->findChildren<QLabel*>(expected.name);
            QVERIFY2(found.size() == 1, expected.name);
            QCOMPARE(found.first()->text(), QString(expected.text));
            QCOMPARE(found.first()->toolTip(), QString(expected.tip));
        }
        QCOMPARE(window_->centre->newMsgLabel->toolTip(), QString("has new msg"));
        QVERIFY(window_->centre->newMsgLabel->isHidden());
        QCOMPARE(window_->centre->currentPageId(), int(CentreWidget::InternetPage));
        QCOMPARE(window_->tooltipLabel->text(), QString("Internet"));
    }

    // The page the buttons clicked in turn raise (-1: the page stays) and the
    // caption they show.
    void buttonsRaiseTheirPages_data() {
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("caption");
        QTest::newRow("messages") << "smsButton" << int(CentreWidget::SmsPage) << "Short Message";
        QTest::newRow("phonebook")
            << "phonebookButton" << int(CentreWidget::PhonebookPage) << "PhoneBook";
        QTest::newRow("settings") << "setButton" << int(CentreWidget::SettingsPage)
                                  << "Connection Settings";
        QTest::newRow("internet") << "homepageButton" << int(CentreWidget::InternetPage)
                                  << "Internet";
        QTest::newRow("SIM") << "simButton" << -1 << "Internet";
        QTest::newRow("security") << "SecurityButton" << -1 << "Security Settings";
        QTest::newRow("network") << "networkButton" << -1 << "Network Settings";
        QTest::newRow("message settings") << "messageButton" << -1 << "Message Settings";
        QTest::newRow("alerts") << "alertButton" << -1 << "Alert Settings";
        // The section shown at first can't be chosen again.
        QTest::newRow("connection") << "alertButton connectButton" << -1 << "Connection Settings";
        QTest::newRow("network, Cancel")
            << "networkButton netCancelButton" << -1 << "Connection Settings";
    }

    void buttonsRaiseTheirPages() {
        QFETCH(QString, buttons);
        QFETCH(int, page);
        QFETCH(QString, caption);
        const int before = window_->centre->currentPageId();
        for (const QString& button : buttons.split(' ')) {
            // The settings page's section buttons first: the internet page has a
            // "connectButton" too.
            auto* clicked = window_->setting->findChild<MyButton*>(button);
            QTest::mouseClick(clicked ? clicked : window_->findChild<MyButton*>(button),
                              Qt::LeftButton);
        }
        QCOMPARE(window_->centre->currentPageId(), page < 0 ? before : page);
        QCOMPARE(window_->tooltipLabel->text(), caption);
        // The tab of the page in view, and only it, stays pressed.
        const std::pair<const char*, int> tabs[] = {
            {"homepageButton", CentreWidget::InternetPage},
            {"smsButton", CentreWidget::SmsPage},
            {"phonebookButton", CentreWidget::PhonebookPage},
            {"setButton", CentreWidget::SettingsPage},
            {"helpButton", -1}};
        for (const auto& [name, id] : tabs)
            QCOMPARE(window_->centre->findChild<MyButton*>(name)->isSelected(),
                     id == window_->centre->currentPageId());
    }

    void defaultProfileOnlyWhileDisconnected() {
        // The default-profile button is offered while not connected; the page
        // takes the connection's state when it opens.
        window_->setting->setConnectionState(ConnectionState::Connected);
        QVERIFY(!window_->setting->setdefaultButton->isEnabled());
        window_->slotClickSetButton();
        QVERIFY(window_->setting->setdefaultButton->isEnabled());
    }

    // The envelope shows while any message is unread, also right after a start
    // with unread messages in the store, and opens the PC inbox.
    void newMessageIndicatorFollowsTheUnreadMessages() {
        SmsData& store = window_->inbox->store();
        SM_PARAM_DECODE unread;
        unread.contentStr = "unread";
        unread.state = "new";
        const int id = store.appendSmsItem(unread, "inbox");
        QVERIFY(store.saveDom());
        window_->inbox->countUnread();
        QVERIFY(!window_->centre->newMsgLabel->isHidden());

        // Started anew over the same store.
        delete window_;
        window_ =
            new WTMainWindow(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
        QVERIFY(!window_->centre->newMsgLabel->isHidden());
        QSignalSpy inbox(window_->shortmessage, &CShortMsg::showInbox);
        QTest::mouseClick(window_->centre->newMsgLabel, Qt::LeftButton);
        QCOMPARE(inbox.count(), 1);
        QCOMPARE(window_->centre->currentPageId(), int(CentreWidget::SmsPage));

        QVERIFY(window_->inbox->store().setSmsState("inbox", id, "read"));
        window_->inbox->countUnread();
        QVERIFY(window_->centre->newMsgLabel->isHidden());
    }

    void phonebookAndMessagePageAreRouted() {
        emit window_->phonebook->sendsms("0701234567");
        QCOMPARE(window_->centre->currentPageId(), int(CentreWidget::SmsPage));
        emit window_->sendToPhonebook("0701234567");
        QCOMPARE(window_->centre->currentPageId(), int(CentreWidget::PhonebookPage));
        QCOMPARE(window_->tooltipLabel->text(), QString("PhoneBook"));
    }

    void savingMessageNumberNeedsOneSelectedMessage() {
        QSignalSpy sent(window_, &WTMainWindow::sendToPhonebook);
        MessageBoxes boxes;
        window_->SMSToPhonebook();
        SmsList listed;
        for (int id = 0; id < 2; ++id)
            std::strcpy(listed[id].TPA, "070123456");
        window_->shortmessage->showDataInTable(listed);
        window_->shortmessage->smsTable->selectAll();
        window_->SMSToPhonebook();
        QCOMPARE(boxes.texts(),
                 QStringList(
                     {MessageBoxes::squeezed("Please select SMS first!"),
                      MessageBoxes::squeezed("Cann't save multiple SMS records simultaneously!")}));
        QCOMPARE(sent.count(), 0);
    }

    void dragMovesWindowWithLeftButtonOnly() {
        window_->move(100, 100);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        TopBarWidget* bar = window_->topbar;
        const QPoint start = window_->pos();

        drag(bar, Qt::RightButton, QPoint(200, 10), QPoint(260, 40));
        QCOMPARE(window_->pos(), start);
        drag(bar, Qt::LeftButton, QPoint(200, 10), QPoint(260, 40));
        QCOMPARE(window_->pos(), start + QPoint(60, 30));
    }

    void minimiseAndClose() {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        window_->topbar->slotClickMinimizeButton();
        QVERIFY(window_->windowState() & Qt::WindowMinimized);

        QPointer<WTMainWindow> window(window_);
        window_->topbar->slotClickCloseButton();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
        window_ = nullptr;
    }

    // While connected the connection sign moves, and its tip says so.
    void dataAnimation() {
        CentreWidget* centre = window_->centre;
        centre->dataConnectStop(); // without an animation
        QCOMPARE(centre->isConnectLabel->toolTip(), QString("Data Not Connected"));
        centre->dataConnectAnimated();
        QCOMPARE(centre->isConnectLabel->toolTip(), QString("Data Connected"));
        const QImage first = centre->isConnectLabel->pixmap().toImage();
        centre->slotDataConnectAnimated();
        QVERIFY(centre->isConnectLabel->pixmap().toImage() != first);
        centre->dataConnectStop();
        QCOMPARE(centre->isConnectLabel->toolTip(), QString("Data Not Connected"));
    }

    void helpWithoutHelpFilesWarns() {
        const QString saved = QDir::currentPath();
        QDir(env_->dataPath("help")).removeRecursively();
        QDir::setCurrent(env_->base());
        MessageBoxes boxes;
        window_->slotClickHelpButton();
        QDir::setCurrent(saved);
        QVERIFY(boxes.shown("open file operation error!"));
    }

    void informationPanelOpensOnRightClick() {
        QVERIFY(!window_->link->hasPort()); // no modem: the modem lines stay empty
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        QTest::mouseClick(window_->centre, Qt::LeftButton, {}, QPoint(300, 430));
        QVERIFY(!window_->infoPopup);

        QTest::mouseClick(window_->centre, Qt::RightButton, {}, QPoint(300, 430));
        QVERIFY(window_->infoPopup);
        QDialog* panel = window_->infoPopup;
        QCOMPARE(panel->findChild<QLabel*>("name")->text(), QString("Velto Modem Connection"));
        QVERIFY(
            panel->findChild<QLabel*>("softversion")->text().startsWith("PC Software Version: "));
        for (const char* name : {"firmware", "imei", "isdn"})
            QVERIFY(panel->findChild<QLabel*>(name)->text().isEmpty());

        // The next press anywhere on the window closes it.
        QTest::mouseClick(window_->centre, Qt::LeftButton, {}, QPoint(300, 430));
        QVERIFY(!window_->infoPopup);
    }

    // The splash gives way to the window.
    void windowAppearsAfterSplash() {
        QPointer<QSplashScreen> splash = new QSplashScreen(QPixmap(resFile("startingWindow.jpg")));
        splash->show();
        window_->wait2secsToShow(splash);
        QVERIFY(!window_->isVisible() && splash);
        QTRY_VERIFY_WITH_TIMEOUT(window_->isVisible(), 3000);
        QVERIFY(!splash);
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
