#include "mainwindow/ui/checkpin.h"

#include "app/globals.h"
#include "widgets/editwidgets.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>

namespace {
constexpr int dialogWidth = 238;
constexpr int titleHeight = 23;
constexpr int margin = 20;
constexpr int buttonWidth = 72;
constexpr int buttonHeight = 24;
constexpr int pinMaxLength = 8;
} // namespace

PinDialogBase::PinDialogBase(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f,
                             int height)
    : QDialog(parent, f | Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(" ");
    setFixedSize(dialogWidth, height);

    QPalette pal = palette();
    pal.setBrush(QPalette::Window,
                 QPixmap(resFile("messageBox/part5MessageBox.jpg"))
                     .scaled(dialogWidth, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pal.setColor(QPalette::WindowText, QColor(31, 41, 55));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* bar = new QLabel(this);
    bar->setObjectName("titleBar");
    bar->setPixmap(QPixmap(resFile("loginMask/TopBar.jpg")));
    bar->setGeometry(0, 0, dialogWidth, titleHeight);
    title_ = new QLabel(bar);
    title_->setObjectName("titleLabel");
    title_->setGeometry(26, 0, dialogWidth - 52, titleHeight);
    QPalette titlePal = title_->palette();
    titlePal.setColor(QPalette::WindowText, Qt::white);
    title_->setPalette(titlePal);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);

    auto* close = new MyButton(this, "closeButton");
    close->setNormalPixmap(QPixmap(resFile("loginMask/close.bmp")));
    close->setGeometry(dialogWidth - 21, 3, 17, 17);
    close->setToolTip(tr("Close"));
    connect(close, &QPushButton::clicked, this, &PinDialogBase::slotClickCloseButton);

    const QPixmap image(resFile("buttons/buttons5.jpg"));
    const int buttonY = height - buttonHeight - 12;
    const int gap = 14;
    const int left = (dialogWidth - 2 * buttonWidth - gap) / 2;
    OKButton = new MyButton(this, "OKButton");
    OKButton->setMultiPixmap(image, image);
    OKButton->setText(tr("OK"));
    OKButton->setGeometry(left, buttonY, buttonWidth, buttonHeight);
    OKButton->setDefault(true);
    CancelButton = new MyButton(this, "CancelButton");
    CancelButton->setMultiPixmap(image, image);
    CancelButton->setText(tr("Cancel"));
    CancelButton->setGeometry(left + buttonWidth + gap, buttonY, buttonWidth, buttonHeight);
    connect(OKButton, &QPushButton::clicked, this, &PinDialogBase::OKButton_clicked);
    connect(CancelButton, &QPushButton::clicked, this, &PinDialogBase::CancelButton_clicked);
}

void PinDialogBase::setTitle(const QString& title) {
    title_->setText(title);
    setWindowTitle(title);
}

QLabel* PinDialogBase::addLabel(const char* name, const QString& text, int y) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(margin, y, dialogWidth - 2 * margin, 20);
    return label;
}

MyinputLineEdit* PinDialogBase::addField(const char* name, int y) {
    auto* field = new MyinputLineEdit(this, name);
    field->setGeometry(margin, y, dialogWidth - 2 * margin, 24);
    field->setMaxLength(pinMaxLength);
    field->setEchoMode(QLineEdit::Password);
    auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]{0,8}"), field);
    digits->setObjectName("IntValidator");
    field->setValidator(digits);
    return field;
}

bool PinDialogBase::checkLength(const QString& pin) {
    if (pin.isEmpty()) {
        MyMessageBox::warning(this, tr("PIN is not entered!"));
        return false;
    }
    if (pin.length() < 4 || pin.length() > pinMaxLength) {
        MyMessageBox::warningWithEditer(this, tr("Length of PIN/PUK must be between 4 and 8!"));
        return false;
    }
    return true;
}

void PinDialogBase::OKButton_clicked() {
    if (checkValid())
        accept();
}

void PinDialogBase::CancelButton_clicked() {
    done(Rejected);
}

void PinDialogBase::slotClickCloseButton() {
    done(Rejected);
}

// Return and Enter go through the checks like the OK button.
void PinDialogBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OKButton_clicked();
        return;
    }
    QDialog::keyPressEvent(event);
}

CheckPIN::CheckPIN(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f)
    : PinDialogBase(parent, name, modal, f, 150) {
    textLabel1 = addLabel("textLabel1", tr("Please enter PIN!"), 36);
    PINLineedit = addField("PINLineedit", 62);
    PINLineedit->setFocus();
}

bool CheckPIN::checkValid() {
    return checkLength(PINLineedit->text());
}
