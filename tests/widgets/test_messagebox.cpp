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

// Closes a box with the button of that object name, or with Escape.
void answer(QWidget* box, const QString& how) {
    if (how == "escape")
        QTest::keyClick(box, Qt::Key_Escape);
    else
        QTest::mouseClick(box->findChild<MyButton*>(how), Qt::LeftButton);
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
    // What each kind of box shows and what its caller is told for each way
    // of closing it.
    void boxes_data() {
        QTest::addColumn<void*>("function");
        QTest::addColumn<bool>("isQuery");
        QTest::addColumn<bool>("inField"); // the text in a text field, not in lines
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        const struct {
            const char* name;
            BoxFunction function;
            bool isQuery;
            bool inField;
        } kinds[] = {
            {"information", &MyMessageBox::information, false, false},
            {"warning", &MyMessageBox::warning, false, false},
            {"query", &MyMessageBox::query, true, false},
            {"informationWithEditer", &MyMessageBox::informationWithEditer, false, true},
            {"warningWithEditer", &MyMessageBox::warningWithEditer, false, true},
            {"queryWithEditer", &MyMessageBox::queryWithEditer, true, true},
        };
        for (const auto& k : kinds) {
            void* f = reinterpret_cast<void*>(k.function);
            const auto row = [&](const char* how, int expected) {
                QTest::addRow("%s, %s", k.name, how)
                    << f << k.isQuery << k.inField << how << expected;
            };
            row("pb0", k.isQuery ? 3 : 1);
            row("closeBtn", k.isQuery ? 4 : 1);
            row("escape", k.isQuery ? 4 : 2);
            if (k.isQuery)
                row("pb1", 4);
        }
    }
    void boxes() {
        QFETCH(void*, function);
        QFETCH(bool, isQuery);
        QFETCH(bool, inField);
        QFETCH(QString, how);
        QFETCH(int, expected);
        const QString text = "Delete the message?";
        QStringList buttons, lines;
        QString field;
        whenModalOpens([&](QWidget* box) {
            for (const char* name : {"pb0", "pb1"})
                if (auto* button = box->findChild<MyButton*>(name))
                    buttons << button->text();
            if (auto* edit = box->findChild<QTextEdit*>("msgEdit"))
                field = edit->toPlainText();
            for (QLabel* line : box->findChildren<QLabel*>(QRegularExpression("^textLine")))
                lines << line->text();
            answer(box, how);
        });
        QCOMPARE(reinterpret_cast<BoxFunction>(function)(nullptr, text), expected);
        QCOMPARE(buttons, isQuery ? QStringList({"Yes", "No"}) : QStringList{"Ok"});
        QCOMPARE(field, inField ? text : QString());
        QCOMPARE(lines.join(QString()), inField ? QString() : text);
    }

    void titleBarMovesTheBox() {
        QPoint moved;
        QPoint start;
        whenModalOpens([&](QWidget* box) {
            start = box->pos();
            drag(box, Qt::LeftButton, QPoint(100, 10), QPoint(130, 50)); // on the title bar
            moved = box->pos();
            drag(box, Qt::LeftButton, QPoint(100, 80), QPoint(150, 120)); // below it: stays
            QCOMPARE(box->pos(), moved);
            answer(box, "pb0");
        });
        MyMessageBox::information(nullptr, "Settings successful!");
        QCOMPARE(moved - start, QPoint(30, 40));
    }

    // The box's text in lines: at most four, each within the width (a single
    // character wider than the line aside), broken after the last space
    // that fits; joined they give the text, or, for a text too long, its
    // start and "..." in a shorter fourth line.
    void lineBreaking_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("count");    // -1: more than one
        QTest::addColumn<QString>("last"); // null: not checked
        const QString digits = QString("0123456789").repeated(20);
        const QString threeLines = lineStr2Multiline(digits, 160, boxMetrics()).mid(0, 3).join("");
        QTest::newRow("no text") << QString() << 160 << 0 << QString();
        QTest::newRow("one line") << "Settings successful!" << 160 << 1 << QString();
        QTest::newRow("two lines between words")
            << "Cann't save multiple SMS records simultaneously!" << 160 << 2 << QString();
        QTest::newRow("more than four lines")
            << QString("The quick brown fox jumps over the lazy dog. ").repeated(6) << 160 << 4
            << QString();
        QTest::newRow("no spaces") << digits.left(50) << 160 << -1 << QString();
        QTest::newRow("a rest that fits stays whole") << threeLines + "42" << 160 << 4 << "42";
        // A line narrower than a single character must not loop forever.
        QTest::newRow("a character wider than the line") << "WWWW" << 2 << 4 << "...";
    }
    void lineBreaking() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, count);
        QFETCH(QString, last);
        const QFontMetrics fm = boxMetrics();
        const QStringList lines = lineStr2Multiline(text, width, fm);
        QVERIFY(count < 0 ? lines.size() > 1 && lines.size() <= 4 : lines.size() == count);
        if (!last.isNull())
            QCOMPARE(lines.last(), last);
        const bool cut = lines.join(QString()) != text;
        for (qsizetype i = 0; i < lines.size() - (cut ? 1 : 0); ++i) {
            const QString& line = lines.at(i);
            QVERIFY(line.size() == 1 || charSum(line.trimmed(), fm) <= width);
            if (i + 1 < lines.size() && line.endsWith(' ')) // the next word did not fit
                QVERIFY(charSum(line + lines.at(i + 1).section(' ', 0, 0), fm) > width);
        }
        if (cut) {
            QVERIFY(lines.size() == 4 && lines.last().endsWith("..."));
            const QString shown = lines.last().chopped(3);
            QVERIFY(charSum(shown, fm) <= qMax(0, width - 40));
            QVERIFY(text.startsWith(lines.mid(0, 3).join(QString()) + shown));
        }
    }

private:
    TestEnv env_; // the boxes' images
};

QTEST_MAIN(TestMessageBox)
#include "test_messagebox.moc"
