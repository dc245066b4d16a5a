#pragma once

// Answers the program's message boxes for a GUI test (header only: include
// it in tests that link the widgets).

#include "widgets/mymessagebox.h"

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QStringList>
#include <QTextEdit>
#include <QTimer>

// While it lives, every MyMessageBox that opens is recorded and answered:
// accepted ("Ok", "Yes") unless `answerNo` is set.
class MessageBoxes {
public:
    explicit MessageBoxes(bool answerNo = false) : answerNo_(answerNo) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start();
    }

    // The texts of the boxes so far, with all white space removed (the box
    // breaks its text into lines).
    const QStringList& texts() const { return texts_; }
    bool shown(const QString& text) const { return texts_.contains(squeezed(text)); }
    static QString squeezed(QString text) { return text.remove(QRegularExpression("\\s")); }

private:
    void answer() {
        auto* box = qobject_cast<MyMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QString text;
        if (auto* edit = box->findChild<QTextEdit*>("msgEdit"))
            text = edit->toPlainText();
        for (QLabel* label : box->findChildren<QLabel*>())
            if (label->objectName().startsWith("textLine"))
                text += label->text();
        texts_ << squeezed(text);
        if (answerNo_ && box->msgType == MyMessageBox::Query)
            box->reject();
        else
            box->accept();
    }

    QTimer timer_;
    QStringList texts_;
    bool answerNo_;
};
