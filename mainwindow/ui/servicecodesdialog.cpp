#include "mainwindow/ui/servicecodesdialog.h"

#include "app/globals.h"
#include "modem/ussdtext.h"
#include "widgets/mybutton.h"
#include "widgets/scrollbarstyle.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTextBrowser>

namespace {

constexpr int dialogWidth = 480;
constexpr int dialogHeight = 360;
constexpr int footerHeight = 44;
constexpr int margin = 16;
constexpr int viewY = FrameDialog::TitleHeight + 52;
constexpr int inputY = dialogHeight - footerHeight - 40;

} // namespace

ServiceCodesDialog::ServiceCodesDialog(QWidget* parent, SerialThread* link)
    : FrameDialog(parent, "ServiceCodesDialog", true), session_(link) {
    setWindowTitle(tr("Service codes"));
    titleLabel->setText(tr("Service codes"));
    setFixedSize(dialogWidth, dialogHeight);
    setFooterHeight(footerHeight);

    auto* logo = new QLabel(this);
    logo->setPixmap(QPixmap(resFile("SarnLogo.png")));
    logo->setGeometry(dialogWidth - margin - 120, TitleHeight + 10, 120, 32);
    statusLabel = new QLabel(this);
    statusLabel->setObjectName("statusLabel");
    statusLabel->setGeometry(margin, TitleHeight + 12, dialogWidth - 3 * margin - 120, 36);
    statusLabel->setWordWrap(true);

    conversationView = new QTextBrowser(this);
    conversationView->setObjectName("conversationView");
    // Typing goes to the code; the answers can still be clicked and copied.
    conversationView->setFocusPolicy(Qt::ClickFocus);
    conversationView->setGeometry(margin, viewY, dialogWidth - 2 * margin, inputY - viewY - 10);
    conversationView->setStyleSheet(
        QString(
            "QTextBrowser { background: rgb(243,246,250); border: 1px solid rgb(218,223,230); }") +
        kScrollBarStyle);

    codeLabel = new QLabel(this);
    codeLabel->setObjectName("codeLabel");
    codeLabel->setGeometry(margin, inputY, 56, 28);
    codeEdit = new QLineEdit(this);
    codeEdit->setObjectName("codeEdit");
    codeEdit->setGeometry(margin + 60, inputY, dialogWidth - 2 * margin - 60 - 90, 28);
    codeEdit->setMaxLength(kUssdMaxLength);
    codeEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9*#+]*"), codeEdit));
    sendButton = addFooterButton("sendButton", tr("Send"), 0);
    sendButton->move(dialogWidth - margin - 80, inputY + 1);

    cancelSessionButton =
        addFooterButton("cancelSessionButton", tr("Cancel"), dialogWidth - margin - 170);
    closeButton = addFooterButton("closeButton", tr("Close"), dialogWidth - margin - 80);

    connect(sendButton, &QPushButton::clicked, this, &ServiceCodesDialog::send);
    connect(codeEdit, &QLineEdit::returnPressed, this, &ServiceCodesDialog::send);
    connect(codeEdit, &QLineEdit::textChanged, this, [this] {
        sendButton->setEnabled(!codeEdit->text().isEmpty() &&
                               session_.state() != UssdSession::State::Waiting);
    });
    connect(cancelSessionButton, &QPushButton::clicked, this, [this] {
        // The conversation keeps a line for the session the user ended.
        append(tr("Cancelled."), "color: rgb(107,114,128); font-style: italic;");
        session_.cancel();
    });
    connect(closeButton, &QPushButton::clicked, this, &ServiceCodesDialog::reject);
    connect(&session_, &UssdSession::answered, this, &ServiceCodesDialog::showAnswer);
    connect(&session_, &UssdSession::failed, this, &ServiceCodesDialog::showFailure);
    connect(&session_, &UssdSession::stateChanged, this, &ServiceCodesDialog::showState);
    showState(UssdSession::State::Idle);
    codeEdit->setFocus();
}

void ServiceCodesDialog::reject() {
    session_.cancel();
    FrameDialog::reject();
}

void ServiceCodesDialog::send() {
    const QString text = codeEdit->text();
    if (text.isEmpty() || session_.state() == UssdSession::State::Waiting)
        return;
    append(text, "color: rgb(30,111,217); font-weight: bold; margin-top: 6px;");
    codeEdit->clear();
    session_.send(text);
}

void ServiceCodesDialog::showAnswer(const QString& text, bool replyExpected) {
    append(text, "color: rgb(31,41,55);");
    if (replyExpected)
        codeEdit->setFocus();
}

void ServiceCodesDialog::showFailure(const QString& message) {
    append(message, "color: rgb(185,28,28);");
}

void ServiceCodesDialog::showState(UssdSession::State state) {
    switch (state) {
    case UssdSession::State::Idle:
        statusLabel->setText(tr("Enter a service code of your network, such as *100#."));
        codeLabel->setText(tr("Code:"));
        codeEdit->setPlaceholderText(tr("for example *100#"));
        sendButton->setText(tr("Send"));
        break;
    case UssdSession::State::Waiting:
        statusLabel->setText(tr("Waiting for the network's answer..."));
        break;
    case UssdSession::State::Menu:
        statusLabel->setText(tr("The network waits for your reply."));
        codeLabel->setText(tr("Reply:"));
        codeEdit->setPlaceholderText(tr("the number of your choice"));
        sendButton->setText(tr("Reply"));
        break;
    }
    cancelSessionButton->setEnabled(state != UssdSession::State::Idle);
    sendButton->setEnabled(state != UssdSession::State::Waiting && !codeEdit->text().isEmpty());
}

void ServiceCodesDialog::append(const QString& text, const QString& style) {
    QString html = text.toHtmlEscaped();
    html.replace("\r\n", "<br>").replace('\n', "<br>").replace('\r', "<br>");
    conversationView->append(QString("<div style=\"%1\">%2</div>").arg(style, html));
}
