#include "app/commonconfig.h"
#include "tests/support/testenv.h"
#include "tests/widgets/modalhelper.h"
#include "widgets/linebreak.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QLabel>
#include <QTextEdit>
#include <QtTest>

namespace {

using BoxFunction = int (*)(QWidget*, const QString&);

enum class Close { FirstButton, SecondButton, CloseButton, Escape };

void answer(QWidget* box, Close how) {
    switch (how) {
    case Close::FirstButton:
        QTest::mouseClick(box->findChild<MyButton*>("pb0"), Qt::LeftButton);
        break;
    case Close::SecondButton:
        QTest::mouseClick(box->findChild<MyButton*>("pb1"), Qt::LeftButton);
        break;
    case Close::CloseButton:
        QTest::mouseClick(box->findChild<MyButton*>("closeBtn"), Qt::LeftButton);
        break;
    case Close::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
    }
}

// Runs one box and closes it `how`; also records what the box looked like.
struct Seen {
    QStringList buttons;
    bool hasEditor = false;
    QString editorText;
    QStringList lines;
    QSize size;
};

int runBox(BoxFunction function, const QString& text, Close how, Seen* seen = nullptr) {
    whenModalOpens([how, seen](QWidget* box) {
        if (seen) {
            seen->size = box->size();
            for (const char* name : {"pb0", "pb1"})
                if (auto* button = box->findChild<MyButton*>(name))
                    seen->buttons << button->text();
            if (auto* edit = box->findChild<QTextEdit*>("msgEdit")) {
                seen->hasEditor = true;
                seen->editorText = edit->toPlainText();
            }
            for (int i = 0; i < 4; ++i)
                if (auto* line = box->findChild<QLabel*>(QString("textLine%1").arg(i)))
                    seen->lines << line->text();
        }
        answer(box, how);
    });
    return function(nullptr, text);
}

// Width of a text as the line breaker counts it: the sum of its characters.
int charSum(const QString& text, const QFontMetrics& fm) {
    int sum = 0;
    for (const QChar c : text)
        sum += fm.horizontalAdvance(c);
    return sum;
}

QFontMetrics boxMetrics() {
    QFont font("Liberation Sans");
    font.setPointSize(10);
    return QFontMetrics(font);
}

} // namespace

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void returnCodes_data();
    void returnCodes();
    void labelBoxShowsTextInLines();
    void editorBoxShowsTextInField();
    void titleBarMovesTheBox();
    void lineBreaking();
    void lineBreakingStopsAtFourLines();
    void lineBreakingWithoutSpaces();
    void lineBreakingWideCharacterStillProgresses();

private:
    TestEnv env_;
};

void TestMessageBox::returnCodes_data() {
    QTest::addColumn<void*>("function");
    QTest::addColumn<int>("how");
    QTest::addColumn<int>("expected");
    const struct {
        const char* name;
        BoxFunction function;
        bool isQuery;
    } kinds[] = {
        {"information", &MyMessageBox::information, false},
        {"warning", &MyMessageBox::warning, false},
        {"query", &MyMessageBox::query, true},
        {"informationWithEditer", &MyMessageBox::informationWithEditer, false},
        {"warningWithEditer", &MyMessageBox::warningWithEditer, false},
        {"queryWithEditer", &MyMessageBox::queryWithEditer, true},
    };
    for (const auto& kind : kinds) {
        void* f = reinterpret_cast<void*>(kind.function);
        const QByteArray name(kind.name);
        QTest::newRow(name + " first button")
            << f << int(Close::FirstButton) << (kind.isQuery ? 3 : 1);
        QTest::newRow(name + " close button")
            << f << int(Close::CloseButton) << (kind.isQuery ? 4 : 1);
        QTest::newRow(name + " escape") << f << int(Close::Escape) << (kind.isQuery ? 4 : 2);
        if (kind.isQuery)
            QTest::newRow(name + " second button") << f << int(Close::SecondButton) << 4;
    }
}

void TestMessageBox::returnCodes() {
    QFETCH(void*, function);
    QFETCH(int, how);
    QFETCH(int, expected);
    QCOMPARE(runBox(reinterpret_cast<BoxFunction>(function), "Are you sure?", Close(how)),
             expected);
}

void TestMessageBox::labelBoxShowsTextInLines() {
    Seen seen;
    QCOMPARE(runBox(&MyMessageBox::query, "Delete the message?", Close::FirstButton, &seen), 3);
    QCOMPARE(seen.size, QSize(238, 150));
    QCOMPARE(seen.buttons, QStringList({"Yes", "No"}));
    QVERIFY(!seen.hasEditor);
    QCOMPARE(seen.lines, QStringList({"Delete the message?"}));

    Seen warning;
    runBox(&MyMessageBox::warning, "Please select SMS first!", Close::FirstButton, &warning);
    QCOMPARE(warning.buttons, QStringList({"Ok"}));
}

void TestMessageBox::editorBoxShowsTextInField() {
    Seen seen;
    const QString text = "Velto Modem Connection is already running.";
    runBox(&MyMessageBox::informationWithEditer, text, Close::FirstButton, &seen);
    QVERIFY(seen.hasEditor);
    QCOMPARE(seen.editorText, text);
    QVERIFY(seen.lines.isEmpty());
    QCOMPARE(seen.buttons, QStringList({"Ok"}));
}

void TestMessageBox::titleBarMovesTheBox() {
    QPoint moved;
    QPoint start;
    whenModalOpens([&](QWidget* box) {
        start = box->pos();
        const auto drag = [box](QPoint from, QPoint to) {
            QTest::mousePress(box, Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, to, box->mapToGlobal(to), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &move);
            QTest::mouseRelease(box, Qt::LeftButton, {}, to);
        };
        drag(QPoint(100, 10), QPoint(130, 50)); // on the title bar
        moved = box->pos();
        drag(QPoint(100, 80), QPoint(150, 120)); // below it: stays
        QCOMPARE(box->pos(), moved);
        answer(box, Close::FirstButton);
    });
    MyMessageBox::information(nullptr, "Settings successful!");
    QCOMPARE(moved - start, QPoint(30, 40));
}

void TestMessageBox::lineBreaking() {
    const QFontMetrics fm = boxMetrics();
    QVERIFY(lineStr2Multiline(QString(), 160, fm).isEmpty());
    QCOMPARE(lineStr2Multiline("Settings successful!", 160, fm),
             QStringList({"Settings successful!"}));

    // Two lines, broken between words: every line fits (its trailing space
    // aside), nothing is lost and nothing added.
    const QString two = "Cann't save multiple SMS records simultaneously!";
    const QStringList lines = lineStr2Multiline(two, 160, fm);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.join(QString()), two);
    QVERIFY(lines.first().endsWith(' '));
    for (const QString& line : lines)
        QVERIFY(charSum(line.trimmed(), fm) <= 160);
    // The first line takes as many words as fit.
    const QString nextWord = lines.at(1).section(' ', 0, 0);
    QVERIFY(charSum(lines.first() + nextWord, fm) > 160);
}

void TestMessageBox::lineBreakingStopsAtFourLines() {
    const QFontMetrics fm = boxMetrics();
    const QString text = QString("The quick brown fox jumps over the lazy dog. ").repeated(6);
    const QStringList lines = lineStr2Multiline(text, 160, fm);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines.last().endsWith("..."));
    const QString last = lines.last().chopped(3);
    QVERIFY(charSum(last, fm) <= 120);
    QVERIFY(text.startsWith(lines.mid(0, 3).join(QString()) + last));
    for (const QString& line : lines.mid(0, 3))
        QVERIFY(line.endsWith(' '));

    // A rest that fits in 120 pixels is kept whole on the fourth line.
    const QString digits = QString("0123456789").repeated(20);
    const QString threeLines = lineStr2Multiline(digits, 160, fm).mid(0, 3).join(QString());
    const QStringList exact = lineStr2Multiline(threeLines + "42", 160, fm);
    QCOMPARE(exact.size(), 4);
    QCOMPARE(exact.last(), QString("42"));
}

void TestMessageBox::lineBreakingWithoutSpaces() {
    const QFontMetrics fm = boxMetrics();
    const QString digits = QString("0123456789").repeated(5);
    const QStringList lines = lineStr2Multiline(digits, 160, fm);
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.join(QString()), digits);
    for (const QString& line : lines)
        QVERIFY(charSum(line, fm) <= 160);
}

void TestMessageBox::lineBreakingWideCharacterStillProgresses() {
    // A line narrower than a single character must not loop forever.
    const QStringList lines = lineStr2Multiline("WWWW", 2, boxMetrics());
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.mid(0, 3), QStringList({"W", "W", "W"}));
}

QTEST_MAIN(TestMessageBox)
#include "test_messagebox.moc"
