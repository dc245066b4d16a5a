#pragma once

#include <QDialog>

class QTextEdit;
class MyButton;

// A small frameless dialog with a text field and "OK"/"Cancel" buttons.
class WTDialog : public QDialog {
    Q_OBJECT
public:
    explicit WTDialog(QWidget* parent = nullptr, const char* name = "WTDialog", bool modal = false,
                      Qt::WindowFlags f = {});

    QTextEdit* msgEdit;
    MyButton* OKbutton;
    MyButton* cancelButton;
};
