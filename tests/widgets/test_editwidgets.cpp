#include "tests/widgets/modalhelper.h"
#include "widgets/editwidgets.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest>

namespace {

// Opens the widget's context menu and returns the texts and enabled states
// of its entries, then closes it.
QStringList contextEntries(QWidget* widget) {
    QStringList entries;
    QTimer::singleShot(50, [&entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        entries << menu->objectName();
        for (QAction* action : menu->actions())
            entries << action->text() + (action->isEnabled() ? "" : " (off)") + " " +
                           action->shortcut().toString();
        menu->close();
    });
    // A scroll area takes mouse context menus on its viewport.
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    QWidget* target = area ? area->viewport() : widget;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
    return entries;
}

} // namespace

class TestEditWidgets : public QObject {
    Q_OBJECT
private slots:
    void asciiLimitIs160();
    void nonAsciiLimitIs70();
    void cursorStaysWhereItWas();
    void contextMenusHaveCopyAndPaste();
};

void TestEditWidgets::asciiLimitIs160() {
    MyTextEdit edit(nullptr, "smsEdit");
    QCOMPARE(edit.objectName(), QString("smsEdit"));
    edit.setPlainText(QString(160, 'a'));
    QCOMPARE(edit.toPlainText().size(), 160);
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText("b"); // the 161st character
    QCOMPARE(edit.toPlainText(), QString(160, 'a'));
    QCOMPARE(MyTextEdit::limitFor("plain"), 160);
}

void TestEditWidgets::nonAsciiLimitIs70() {
    MyTextEdit edit;
    const QString seventy = QString(69, 'a') + QChar(0x00E9);
    edit.setPlainText(seventy);
    QCOMPARE(edit.toPlainText(), seventy);
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(QString(QChar(0x4E2D))); // the 71st, not ASCII
    QCOMPARE(edit.toPlainText(), seventy);

    // A long ASCII text loses everything past 70 once a non-ASCII
    // character comes in.
    edit.setPlainText(QString(100, 'x'));
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(QString(QChar(0x00FC)));
    QCOMPARE(edit.toPlainText(), QString(70, 'x'));
}

void TestEditWidgets::cursorStaysWhereItWas() {
    MyTextEdit edit;
    edit.setPlainText(QString(160, 'a'));
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(10);
    edit.setTextCursor(cursor);
    edit.insertPlainText("X"); // typed at position 10, cursor now 11
    QCOMPARE(edit.toPlainText().size(), 160);
    QCOMPARE(edit.toPlainText().at(10), QChar('X'));
    QCOMPARE(edit.textCursor().position(), 11);

    // A cursor beyond the cut ends up at the end of the kept text.
    edit.setPlainText(QString(150, 'a'));
    edit.moveCursor(QTextCursor::End);
    edit.insertPlainText(QString(30, 'b'));
    QCOMPARE(edit.toPlainText().size(), 160);
    QCOMPARE(edit.textCursor().position(), 160);
}

void TestEditWidgets::contextMenusHaveCopyAndPaste() {
    QApplication::clipboard()->setText("0123");
    MyinputLineEdit line(nullptr, "PINLineedit");
    line.setText("1234");
    line.selectAll();
    line.show();
    QCOMPARE(contextEntries(&line),
             QStringList({"contextmenu", "Copy " + QKeySequence(QKeySequence::Copy).toString(),
                          "Paste " + QKeySequence(QKeySequence::Paste).toString()}));

    // A password field does not copy its text; a browser does not paste.
    line.setEchoMode(QLineEdit::Password);
    QVERIFY(contextEntries(&line).at(1).startsWith("Copy (off)"));

    MyTextBrowser browser(nullptr, "msgBrowser");
    browser.setPlainText("hello");
    browser.selectAll();
    browser.show();
    const QStringList entries = contextEntries(&browser);
    QCOMPARE(entries.size(), 3);
    QVERIFY(entries.at(1).startsWith("Copy "));
    QVERIFY(!entries.at(1).contains("(off)"));
    QVERIFY(entries.at(2).startsWith("Paste (off)"));
}

QTEST_MAIN(TestEditWidgets)
#include "test_editwidgets.moc"
