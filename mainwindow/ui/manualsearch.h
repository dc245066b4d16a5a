#pragma once

#include "widgets/framedialog.h"

class QLabel;
class QMovie;

// The small wait dialog shown while the operators are searched for (mode 0)
// or one is being registered on (any other mode): a text and an animation,
// shown while the card works. It can't be closed meanwhile: the card's
// answer can't be called back.
class ManualSearch : public FrameDialog {
    Q_OBJECT
public:
    ManualSearch(QWidget* parent, const char* name, int mode, bool modal = true,
                 Qt::WindowFlags f = {});

    // Shows the dialog until end().
    void begin();
    void end();

    QLabel* topbar;
    QLabel* movie;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    QMovie* animation_;
    bool working_ = false;
};
