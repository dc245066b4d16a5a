#pragma once

#include "mainwindow/ui/checkpin.h"

// Entry of a new PIN, typed twice.
class ResetPIN : public PinDialogBase {
    Q_OBJECT
public:
    ResetPIN(QWidget* parent = nullptr, const char* name = "ResetPIN", bool modal = true,
             Qt::WindowFlags f = {});

    QLabel* PINLabel;
    QLabel* PINAgainLabel;
    MyinputLineEdit* PINLineedit;
    MyinputLineEdit* PINAgainLineedit;

    bool checkValid() override;
};
