// The PIN and new-PIN dialogs: what they accept and what they refuse.

#include "mainwindow/ui/checkpin.h"
#include "mainwindow/ui/resetpin.h"
#include "tests/support/messageboxes.h"
#include "tests/support/testenv.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QtTest>

namespace {

// Presses OK: the texts of the message boxes it opened, white space removed.
QStringList pressOk(PinDialogBase* dialog) {
    MessageBoxes boxes;
    dialog->OKButton->click();
    return boxes.texts();
}

QStringList said(const QString& text) {
    return {MessageBoxes::squeezed(text)};
}

} // namespace

class TestPinDialogs : public QObject {
    Q_OBJECT
private slots:
    void checkPinRefusesShortEmptyAndNonDigitEntries();
    void resetPinNeedsTwoEqualEntries();
};

void TestPinDialogs::checkPinRefusesShortEmptyAndNonDigitEntries() {
    TestEnv env;
    CheckPIN dialog(nullptr, "CheckPIN");
    dialog.show();
    QCOMPARE(dialog.textLabel1->text(), QString("Please enter PIN!"));
    QCOMPARE(dialog.PINLineedit->echoMode(), QLineEdit::Password);

    QCOMPARE(pressOk(&dialog), said("PIN is not entered!"));
    QVERIFY(dialog.isVisible());

    QTest::keyClicks(dialog.PINLineedit, "12a3");
    QCOMPARE(dialog.PINLineedit->text(), QString("123"));
    QCOMPARE(pressOk(&dialog), said("Length of PIN/PUK must be between 4 and 8!"));
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
    QCOMPARE(dialog.PINLabel->text(), QString("Please enter new PIN!"));
    QCOMPARE(dialog.PINAgainLabel->text(), QString("Please enter new PIN again!"));

    QTest::keyClicks(dialog.PINLineedit, "4321");
    QCOMPARE(pressOk(&dialog), said("PIN is not entered!"));

    QTest::keyClicks(dialog.PINAgainLineedit, "4322");
    QCOMPARE(pressOk(&dialog), said("New PIN is not accord with last! please enter again!"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.PINLineedit->text(), QString("4321"));
    QCOMPARE(dialog.PINAgainLineedit->text(), QString("4322"));

    dialog.PINAgainLineedit->clear();
    QTest::keyClicks(dialog.PINAgainLineedit, "432");
    QCOMPARE(pressOk(&dialog), said("Length of PIN/PUK must be between 4 and 8!"));

    QTest::keyClicks(dialog.PINAgainLineedit, "1");
    QVERIFY(pressOk(&dialog).isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestPinDialogs)
#include "test_pindialogs.moc"
