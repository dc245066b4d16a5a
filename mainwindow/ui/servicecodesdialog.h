#pragma once

#include "mainwindow/ussdsession.h"
#include "widgets/framedialog.h"

class QLabel;
class QLineEdit;
class QTextBrowser;
class MyButton;
class SerialThread;

// "Service codes": the user sends a code such as *100#, reads the network's
// answer and, when the network shows a menu, answers it in the same session.
// The conversation runs in a UssdSession; the dialog shows it.
class ServiceCodesDialog : public FrameDialog {
    Q_OBJECT
public:
    ServiceCodesDialog(QWidget* parent, SerialThread* link);

    UssdSession& session() { return session_; }

    QLabel* statusLabel;
    QTextBrowser* conversationView;
    QLabel* codeLabel;
    QLineEdit* codeEdit;
    MyButton* sendButton;
    MyButton* cancelSessionButton;
    MyButton* closeButton;

protected:
    void reject() override;

private:
    void send();
    void showAnswer(const QString& text, bool replyExpected);
    void showFailure(const QString& message);
    void showState(UssdSession::State state);
    void append(const QString& text, const QString& style);

    UssdSession session_;
};
