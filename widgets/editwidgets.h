#pragma once

#include <QLineEdit>
#include <QTextBrowser>
#include <QTextEdit>

// A line edit whose context menu offers only "Copy" and "Paste".
class MyinputLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MyinputLineEdit(QWidget* parent = nullptr, const char* name = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// A text browser whose context menu offers only "Copy" and "Paste".
class MyTextBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit MyTextBrowser(QWidget* parent = nullptr, const char* name = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// A plain-text field that holds at most one short message: 160 characters,
// or 70 as soon as one character is outside ASCII. Text beyond the limit is
// cut off and the cursor stays where it was.
class MyTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit MyTextEdit(QWidget* parent = nullptr, const char* name = nullptr);

    // The limit for `text`: 70 when it holds a character above code 127, else 160.
    static int limitFor(const QString& text);

public slots:
    void slotOverflow();
};
