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

} // namespace

class TestMyButton : public QObject {
    Q_OBJECT
private slots:
    // The image a button shows and the clicks it gives, after what the user
    // (and the program) did to it. A button has four images (rest, pointer
    // over, pressed, disabled), or three without the pointer image, or only
    // rest and pressed.
    void imageFollowsThePointer_data() {
        QTest::addColumn<int>("images");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("cursor"); // "" when it does not matter
        const auto row = [](const char* name, int images, const char* steps, const char* shown,
                            int clicks, const char* cursor) {
            QTest::newRow(name) << images << QString(steps) << QString(shown) << clicks
                                << QString(cursor);
        };
        row("at rest", 4, "", "normal", 0, "");
        row("pointer over", 4, "enter", "focusIn", 0, "hand");
        row("pressed", 4, "enter press", "pressed", 0, "hand");
        row("released on it", 4, "enter press release", "focusIn", 1, "hand");
        row("pointer gone", 4, "enter leave", "normal", 0, "arrow");
        row("released outside", 4, "press releaseOutside", "normal", 0, "");
        row("released on the edge", 4, "press releaseEdge", "normal", 1, "");
        row("disabled", 4, "disable enter", "invalid", 0, "");
        row("enabled again", 4, "disable enable", "normal", 0, "");
        row("shown as unavailable", 4, "invalid", "invalid", 0, "");
        row("shown as available", 4, "invalid normal", "normal", 0, "");
        row("no pointer image", 2, "enter", "normal", 0, "");
        row("two images, pressed", 2, "enter press", "pressed", 0, "");
        row("two images, released", 2, "press release", "normal", 1, "");
        row("three images, unavailable", 3, "invalid", "invalid", 0, "");
        // A missing rest image leaves what is shown.
        row("null rest image", 3, "invalid nullRest", "invalid", 0, "");
    }
    void imageFollowsThePointer() {
        QFETCH(int, images);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        QFETCH(int, clicks);
        QFETCH(QString, cursor);
        const QMap<QString, QPixmap> pixmaps = {{"normal", filled(Qt::blue)},
                                                {"focusIn", filled(Qt::cyan)},
                                                {"pressed", filled(Qt::darkBlue)},
                                                {"invalid", filled(Qt::gray)}};
        MyButton button(nullptr, "okButton");
        if (images == 4)
            button.setMultiPixmap(pixmaps["normal"], pixmaps["focusIn"], pixmaps["pressed"],
                                  pixmaps["invalid"]);
        else if (images == 3)
            button.setMultiPixmap(pixmaps["normal"], pixmaps["pressed"], pixmaps["invalid"]);
        else
            button.setMultiPixmap(pixmaps["normal"], pixmaps["pressed"]);
        button.resize(40, 20);
        button.show();
        QSignalSpy clicked(&button, &QPushButton::clicked);
        const QPoint middle(20, 10);
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step == "enter") {
                QEnterEvent event(middle, middle, button.mapToGlobal(QPointF(middle)));
                QApplication::sendEvent(&button, &event);
            } else if (step == "leave") {
                QEvent event(QEvent::Leave);
                QApplication::sendEvent(&button, &event);
            } else if (step == "press") {
                QTest::mousePress(&button, Qt::LeftButton, {}, middle);
            } else if (step == "release") {
                QTest::mouseRelease(&button, Qt::LeftButton, {}, middle);
            } else if (step == "releaseOutside") {
                QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 10));
            } else if (step == "releaseEdge") {
                QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(1, 10));
            } else if (step == "disable" || step == "enable") {
                button.setEnabled(step == "enable");
            } else if (step == "invalid") {
                button.setInvalidBGPixmap();
            } else if (step == "normal") {
                button.setNormalBGPixmap();
            } else if (step == "nullRest") {
                button.setNormalPixmap(QPixmap());
            }
        }
        QString showing = "another image";
        for (auto it = pixmaps.cbegin(); it != pixmaps.cend(); ++it)
            if (it->cacheKey() == button.currentPixmap().cacheKey())
                showing = it.key();
        QCOMPARE(showing, shown);
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(button.focusPolicy(), Qt::NoFocus); // Enter never clicks a button by surprise
        if (!cursor.isEmpty())
            QCOMPARE(button.cursor().shape(),
                     cursor == "hand" ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
};

QTEST_MAIN(TestMyButton)
#include "test_mybutton.moc"
