// The PIN and new-PIN dialogs: what they accept and what they refuse.

#include "mainwindow/ui/checkpin.h"
#include "mainwindow/ui/resetpin.h"
#include "tests/support/testenv.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QApplication>
#include <QLabel>
#include <QTextEdit>
#include <QTimer>
#include <QValidator>
#include <QtTest>

class TestPinDialogs : public QObject {
    Q_OBJECT
private slots:
    void checkPinRefusesShortEmptyAndNonDigitEntries();
    void resetPinNeedsTwoEqualEntries();

private:
    // Presses OK; every message box it opens is recorded and closed.
    QStringList pressOk(PinDialogBase* dialog);
};

QStringList TestPinDialogs::pressOk(PinDialogBase* dialog) {
    QStringList boxes;
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<MyMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QString text;
        if (auto* edit = box->findChild<QTextEdit*>("msgEdit"))
            text = edit->toPlainText();
        else
            for (QLabel* label : box->findChildren<QLabel*>())
                if (label->objectName() != "titleBar" && label->objectName() != "titleLabel")
                    text += label->text();
        boxes << text.simplified();
        box->accept();
    });
    closer.start();
    dialog->OKButton->click();
    return boxes;
}

void TestPinDialogs::checkPinRefusesShortEmptyAndNonDigitEntries() {
    TestEnv env;
    CheckPIN dialog(nullptr, "CheckPIN");
    dialog.show();
    QCOMPARE(dialog.objectName(), QString("CheckPIN"));
    QCOMPARE(dialog.textLabel1->text(), QString("Please enter PIN!"));
    QVERIFY(dialog.PINLineedit->validator());
    QCOMPARE(dialog.PINLineedit->validator()->objectName(), QString("IntValidator"));
    QCOMPARE(dialog.PINLineedit->echoMode(), QLineEdit::Password);

    QCOMPARE(pressOk(&dialog), QStringList({"PIN is not entered!"}));
    QVERIFY(dialog.isVisible());

    QTest::keyClicks(dialog.PINLineedit, "12a3");
    QCOMPARE(dialog.PINLineedit->text(), QString("123"));
    QCOMPARE(pressOk(&dialog), QStringList({"Length of PIN/PUK must be between 4 and 8!"}));
    QVERIFY(dialog.isVisible());

    QTest::keyClicks(dialog.PINLineedit, "456789");
    QCOMPARE(dialog.PINLineedit->text(), QString("12345678")); // a ninth digit can't be typed
    QVERIFY(pressOk(&dialog).isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());

    CheckPIN cancelled;
    cancelled.show();
    cancelled.CancelButton->click();
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
}

void TestPinDialogs::resetPinNeedsTwoEqualEntries() {
    TestEnv env;
    ResetPIN dialog;
    dialog.show();
    QCOMPARE(dialog.objectName(), QString("ResetPIN"));
    QCOMPARE(dialog.PINLabel->text(), QString("Please enter new PIN!"));
    QCOMPARE(dialog.PINAgainLabel->text(), QString("Please enter new PIN again!"));

    QTest::keyClicks(dialog.PINLineedit, "4321");
    QCOMPARE(pressOk(&dialog), QStringList({"PIN is not entered!"}));

    QTest::keyClicks(dialog.PINAgainLineedit, "4322");
    QCOMPARE(pressOk(&dialog),
             QStringList({"New PIN is not accord with last! please enter again!"}));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.PINLineedit->text(), QString("4321"));
    QCOMPARE(dialog.PINAgainLineedit->text(), QString("4322"));

    dialog.PINAgainLineedit->clear();
    QTest::keyClicks(dialog.PINAgainLineedit, "432");
    QCOMPARE(pressOk(&dialog), QStringList({"Length of PIN/PUK must be between 4 and 8!"}));

    QTest::keyClicks(dialog.PINAgainLineedit, "1");
    QVERIFY(pressOk(&dialog).isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestPinDialogs)
#include "test_pindialogs.moc"
