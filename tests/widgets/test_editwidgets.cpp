#include "widgets/editwidgets.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest>

namespace {

// Opens the widget's context menu and returns its entries as "text
// shortcut", with " (off)" after the text of a disabled one, then closes it.
QStringList contextEntries(QWidget* widget) {
    QStringList entries;
    QTimer::singleShot(50, [&entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
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
    // A message holds 160 ASCII characters or 70 of any others: typing past
    // the limit is cut off there, and the cursor stays where the user typed.
    void typingStopsAtTheLimit_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor"); // -1: at the end
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        const QString a160(160, 'a');
        const QString seventy = QString(69, 'a') + QChar(0x00E9);
        QTest::newRow("161st ASCII character") << a160 << -1 << "b" << a160 << 160;
        QTest::newRow("typed in the middle")
            << a160 << 10 << "X" << QString(10, 'a') + "X" + QString(149, 'a') << 11;
        QTest::newRow("71st with a non-ASCII one")
            << seventy << -1 << QString(QChar(0x4E2D)) << seventy << 70;
        QTest::newRow("a non-ASCII character cuts a long ASCII text to 70")
            << QString(100, 'x') << -1 << QString(QChar(0x00FC)) << QString(70, 'x') << 70;
        QTest::newRow("pasted past the limit") << QString(150, 'a') << -1 << QString(30, 'b')
                                               << QString(150, 'a') + QString(10, 'b') << 160;
    }
    void typingStopsAtTheLimit() {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);
        MyTextEdit edit;
        edit.setPlainText(before);
        QTextCursor at = edit.textCursor();
        at.setPosition(cursor < 0 ? int(before.size()) : cursor);
        edit.setTextCursor(at);
        edit.insertPlainText(typed);
        QCOMPARE(edit.toPlainText(), after);
        QCOMPARE(edit.textCursor().position(), cursorAfter);
    }

    // A password field does not copy its text; a browser does not paste.
    void contextMenus_data() {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QStringList>("entries");
        const QString copy = QKeySequence(QKeySequence::Copy).toString();
        const QString paste = QKeySequence(QKeySequence::Paste).toString();
        QTest::newRow("line edit") << "line" << QStringList{"Copy " + copy, "Paste " + paste};
        QTest::newRow("password field")
            << "password" << QStringList{"Copy (off) " + copy, "Paste " + paste};
        QTest::newRow("text browser")
            << "browser" << QStringList{"Copy " + copy, "Paste (off) " + paste};
    }
    void contextMenus() {
        QFETCH(QString, widget);
        QFETCH(QStringList, entries);
        QApplication::clipboard()->setText("0123");
        MyinputLineEdit line(nullptr, "PINLineedit");
        line.setText("1234");
        line.selectAll();
        if (widget == "password")
            line.setEchoMode(QLineEdit::Password);
        MyTextBrowser browser(nullptr, "msgBrowser");
        browser.setPlainText("hello");
        browser.selectAll();
        QWidget* shown = widget == "browser" ? static_cast<QWidget*>(&browser) : &line;
        shown->show();
        QCOMPARE(contextEntries(shown), entries);
    }
};

QTEST_MAIN(TestEditWidgets)
#include "test_editwidgets.moc"
