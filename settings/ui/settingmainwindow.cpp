#include "settings/ui/settingmainwindow.h"

#include "widgets/mybutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace {

template <class W> W* hiddenChild(QWidget* parent, const char* name) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->hide();
    return widget;
}

} // namespace

CSetting::CSetting(QWidget* parent, const char* name) : QWidget(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    connectButton = new MyButton(this, "connectButton");
    SecurityButton = new MyButton(this, "SecurityButton");
    networkButton = new MyButton(this, "networkButton");
    messageButton = new MyButton(this, "messageButton");
    alertButton = new MyButton(this, "alertButton");
    setdefaultButton = new MyButton(this, "setdefaultButton");
    changePINButton = new MyButton(this, "changePINButton");
    applyButton = new MyButton(this, "applyButton");
    cancelButton = new MyButton(this, "cancelButton");
    for (MyButton* button :
         {connectButton, SecurityButton, networkButton, messageButton, alertButton,
          setdefaultButton, changePINButton, applyButton, cancelButton})
        button->hide();
    conLineedit = hiddenChild<QLineEdit>(this, "conLineedit");
    PINEnableCheckBox = hiddenChild<QCheckBox>(this, "PINEnableCheckBox");
    networkButtongroup = hiddenChild<QGroupBox>(this, "networkButtongroup");
    modeButtongroup = hiddenChild<QGroupBox>(this, "modeButtongroup");
    smscenterLineedit = hiddenChild<QLineEdit>(this, "smscenterLineedit");
    smsLocaComboBox = hiddenChild<QComboBox>(this, "smsLocaComboBox");
}

void CSetting::slotClickedListItem() {}

void CSetting::connnectButton_clicked() {}

void CSetting::setNetworkSelection(int mode) {
    Q_UNUSED(mode);
}
