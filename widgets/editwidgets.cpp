#include "widgets/editwidgets.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

namespace {

void setName(QWidget* widget, const char* name) {
    if (name)
        widget->setObjectName(QString::fromLatin1(name));
}

// The two-entry menu of the editing widgets, shown at the pointer.
template <class Edit>
void showCopyPasteMenu(Edit* edit, bool hasSelection, bool editable, const QPoint& globalPos) {
    QMenu menu(edit);
    menu.setObjectName("contextmenu");
    QAction* copy = menu.addAction(QObject::tr("Copy"), QKeySequence::Copy, edit, &Edit::copy);
    QAction* paste = menu.addAction(QObject::tr("Paste"), QKeySequence::Paste, edit, &Edit::paste);
    copy->setEnabled(hasSelection);
    paste->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    menu.exec(globalPos);
}

} // namespace

MyinputLineEdit::MyinputLineEdit(QWidget* parent, const char* name) : QLineEdit(parent) {
    setName(this, name);
}

void MyinputLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    // A password field never hands its text to the clipboard.
    showCopyPasteMenu(this, hasSelectedText() && echoMode() == Normal, !isReadOnly(),
                      event->globalPos());
}

MyTextBrowser::MyTextBrowser(QWidget* parent, const char* name) : QTextBrowser(parent) {
    setName(this, name);
}

void MyTextBrowser::contextMenuEvent(QContextMenuEvent* event) {
    showCopyPasteMenu(this, textCursor().hasSelection(), !isReadOnly(), event->globalPos());
}

MyTextEdit::MyTextEdit(QWidget* parent, const char* name) : QTextEdit(parent) {
    setName(this, name);
    setAcceptRichText(false);
    connect(this, &QTextEdit::textChanged, this, &MyTextEdit::slotOverflow);
}

int MyTextEdit::limitFor(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 127)
            return 70;
    return 160;
}

void MyTextEdit::slotOverflow() {
    const QString text = toPlainText();
    const int limit = limitFor(text);
    if (text.size() <= limit)
        return;
    const int position = textCursor().position();
    setPlainText(text.left(limit));
    QTextCursor cursor = textCursor();
    cursor.setPosition(qMin(position, limit));
    setTextCursor(cursor);
}
