#pragma once

#include "widgets/framedialog.h"

#include <functional>

class QLabel;
class QMovie;

// The small wait dialog shown while the operators are searched for (mode 0)
// or one is being registered on (any other mode): a text and an animation.
// The work runs while it shows; the window stays live, because waiting for
// the modem keeps the event loop turning. It can't be closed meanwhile: the
// modem's answer can't be called back.
class ManualSearch : public FrameDialog {
    Q_OBJECT
public:
    ManualSearch(QWidget* parent, const char* name, int mode, bool modal = true,
                 Qt::WindowFlags f = {});

    // Shows the dialog, runs `work`, and closes the dialog.
    void run(const std::function<void()>& work);

    QLabel* topbar;
    QLabel* movie;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    QMovie* animation_;
    bool working_ = false;
};
