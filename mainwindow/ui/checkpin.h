#pragma once

#include <QDialog>

class QLabel;
class MyButton;
class MyinputLineEdit;

// The frame of the PIN dialogs: background, title bar with a close button,
// "OK" and "Cancel" at the bottom, and digit-only password fields of at most
// eight characters.
class PinDialogBase : public QDialog {
    Q_OBJECT
public:
    MyButton* OKButton;
    MyButton* CancelButton;

    // The text on the title bar (and the window's title for the desktop).
    void setTitle(const QString& title);

public slots:
    void OKButton_clicked();
    void CancelButton_clicked();
    void slotClickCloseButton();

protected:
    PinDialogBase(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f, int height);

    virtual bool checkValid() = 0;
    QLabel* addLabel(const char* name, const QString& text, int y);
    MyinputLineEdit* addField(const char* name, int y);
    // The common length rule: false (after telling the user) when `pin` is
    // empty or not 4 to 8 characters long.
    bool checkLength(const QString& pin);
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* title_;
};

// Entry of a PIN or PUK. The callers set the prompt and read the field.
class CheckPIN : public PinDialogBase {
    Q_OBJECT
public:
    CheckPIN(QWidget* parent = nullptr, const char* name = "checkPIN", bool modal = true,
             Qt::WindowFlags f = {});

    QLabel* textLabel1;
    MyinputLineEdit* PINLineedit;

    bool checkValid() override;
};
