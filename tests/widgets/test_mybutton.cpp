#include "tests/support/testenv.h"
#include "widgets/mybutton.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {

QPixmap filled(const QColor& color) {
    QPixmap pixmap(40, 20);
    pixmap.fill(color);
    return pixmap;
}

bool shows(const MyButton& button, const QPixmap& pixmap) {
    return button.currentPixmap().cacheKey() == pixmap.cacheKey();
}

void enter(MyButton& button) {
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), button.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&button, &event);
}

void leave(MyButton& button) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&button, &event);
}

} // namespace

class TestMyButton : public QObject {
    Q_OBJECT
private slots:
    void imagesFollowThePointer();
    void releaseOutsideShowsRestAndDoesNotClick();
    void releaseOnTheEdgeClicksButShowsRest();
    void disabledButtonShowsInvalidImage();
    void twoAndThreeImageForms();
    void loadsImagesFromResFolder();

private:
    TestEnv env_;
    const QPixmap normal_ = filled(Qt::blue);
    const QPixmap focusIn_ = filled(Qt::cyan);
    const QPixmap pressed_ = filled(Qt::darkBlue);
    const QPixmap invalid_ = filled(Qt::gray);
};

void TestMyButton::imagesFollowThePointer() {
    MyButton button(nullptr, "okButton");
    QCOMPARE(button.objectName(), QString("okButton"));
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
    button.setMultiPixmap(normal_, focusIn_, pressed_, invalid_);
    button.resize(40, 20);
    button.show();
    QVERIFY(shows(button, normal_));

    enter(button);
    QVERIFY(shows(button, focusIn_));
    QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);

    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(shows(button, pressed_));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(shows(button, focusIn_));

    leave(button);
    QVERIFY(shows(button, normal_));
    QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
}

void TestMyButton::releaseOutsideShowsRestAndDoesNotClick() {
    MyButton button;
    button.setMultiPixmap(normal_, focusIn_, pressed_, invalid_);
    button.resize(40, 20);
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 10));
    QCOMPARE(clicked.count(), 0);
    QVERIFY(shows(button, normal_));
}

void TestMyButton::releaseOnTheEdgeClicksButShowsRest() {
    MyButton button;
    button.setMultiPixmap(normal_, focusIn_, pressed_, invalid_);
    button.resize(40, 20);
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(1, 10));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(shows(button, normal_));
}

void TestMyButton::disabledButtonShowsInvalidImage() {
    MyButton button;
    button.setMultiPixmap(normal_, focusIn_, pressed_, invalid_);
    button.setEnabled(false);
    QVERIFY(shows(button, invalid_));
    enter(button);
    QVERIFY(shows(button, invalid_));
    button.setEnabled(true);
    QVERIFY(shows(button, normal_));
    button.setInvalidBGPixmap();
    QVERIFY(shows(button, invalid_));
    button.setNormalBGPixmap();
    QVERIFY(shows(button, normal_));
}

void TestMyButton::twoAndThreeImageForms() {
    MyButton two;
    two.setMultiPixmap(normal_, pressed_);
    enter(two); // no focus-in image: the rest image stays
    QVERIFY(shows(two, normal_));
    two.slotPressedButton();
    QVERIFY(shows(two, pressed_));
    two.slotReleasedButton();
    QVERIFY(shows(two, normal_));

    MyButton three;
    three.setMultiPixmap(normal_, pressed_, invalid_);
    three.setInvalidBGPixmap();
    QVERIFY(shows(three, invalid_));

    // A null rest image leaves the current one.
    three.setNormalPixmap(QPixmap());
    QVERIFY(shows(three, invalid_));
}

void TestMyButton::loadsImagesFromResFolder() {
    MyButton button;
    button.setMultiPixmap("icons/sms1.png", "icons/sms3.png", "icons/sms2.png", "icons/sms0.png");
    QVERIFY(!button.currentPixmap().isNull());
    QCOMPARE(button.sizeHint(), button.currentPixmap().size());
}

QTEST_MAIN(TestMyButton)
#include "test_mybutton.moc"
