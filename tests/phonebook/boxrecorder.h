#pragma once

// Answers every message box that opens with its first button ("Ok", "Yes")
// and keeps its text, so that a test can drive the page's slots that ask or
// report.

#include "widgets/mymessagebox.h"

#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTextEdit>
#include <QTimer>

class BoxRecorder {
public:
    BoxRecorder() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<MyMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QString text;
            if (auto* edit = box->findChild<QTextEdit*>("msgEdit"))
                text = edit->toPlainText();
            for (int i = 0; auto* line = box->findChild<QLabel*>(QString("textLine%1").arg(i)); ++i)
                text += line->text();
            texts.append(text);
            if (answerNo)
                box->slotClickCancel();
            else
                box->slotClickOk();
        });
        timer_.start();
    }

    QStringList texts;
    bool answerNo = false;

private:
    QTimer timer_;
};
