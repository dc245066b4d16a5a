#include "mainwindow/ui/resetpin.h"

#include "widgets/editwidgets.h"
#include "widgets/mymessagebox.h"

#include <QLabel>

ResetPIN::ResetPIN(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f)
    : PinDialogBase(parent, name, modal, f, 200) {
    PINLabel = addLabel("PINLabel", tr("Please enter new PIN!"), 32);
    PINLineedit = addField("PINLineedit", 54);
    PINAgainLabel = addLabel("PINAgainLabel", tr("Please enter new PIN again!"), 86);
    PINAgainLineedit = addField("PINAgainLineedit", 108);
    PINLineedit->setFocus();
}

bool ResetPIN::checkValid() {
    const QString pin = PINLineedit->text();
    const QString again = PINAgainLineedit->text();
    if (pin.isEmpty() || again.isEmpty()) {
        MyMessageBox::warning(this, tr("PIN is not entered!"));
        return false;
    }
    if (!checkLength(pin) || !checkLength(again))
        return false;
    if (pin.toLatin1() != again.toLatin1()) {
        MyMessageBox::warningWithEditer(this,
                                        tr("New PIN is not accord with last! please enter again!"));
        return false;
    }
    return true;
}
