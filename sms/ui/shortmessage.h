#pragma once

#include <QWidget>

class QTableWidget;
class MyButton;
class WTMainWindow;

// The message page: boxes of the PC, the SIM and the modem memory.
class CShortMsg : public QWidget {
    Q_OBJECT
public:
    // Columns of "smsTable".
    enum Column { IdColumn = 0, NumberColumn = 1, NameColumn = 2, TimeColumn = 3, StateColumn = 4 };

    CShortMsg(QWidget* parent, const char* name, WTMainWindow* mainWindow);

    // Number of messages of the box being shown (rows past it are empty).
    int shownBoxCount() const;
    // Number of the message open in the reading view, "" when none.
    QString readingNumber() const;

    QTableWidget* smsTable;
    MyButton* saveBt_whenBosomBox;
    MyButton* saveBt_whenReadMsg;

signals:
    void clicked();
    void showInbox();

public slots:
    // Opens a new message to `numbers` (asked for by the phonebook).
    void phonebook_smsclicked(QString numbers);

private:
    WTMainWindow* mainWindow_;
};
