#include "mainwindow/ui/manualsearch.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "widgets/mybutton.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMovie>

ManualSearch::ManualSearch(QWidget* parent, const char* name, int mode, bool modal,
                           Qt::WindowFlags f)
    : FrameDialog(parent, name ? name : "ManualSearch", modal, f) {
    setWindowTitle(comcfg.windowTitle.isEmpty() ? QStringLiteral("Velto Modem Connection")
                                                : comcfg.windowTitle);
    setFixedSize(224, 146);
    closeButton->hide();

    movie = new QLabel(this);
    movie->setObjectName("movie");
    movie->setGeometry((width() - 48) / 2, TitleHeight + 18, 48, 48);
    animation_ = new QMovie(resFile(mode == 0 ? "network/search.gif" : "network/select.gif"),
                            QByteArray(), this);
    movie->setMovie(animation_);

    topbar = new QLabel(mode == 0 ? tr("Searching,please wait...") : tr("Selecting,please wait..."),
                        this);
    topbar->setObjectName("topbar");
    topbar->setAlignment(Qt::AlignCenter);
    topbar->setGeometry(8, TitleHeight + 76, width() - 16, 24);
}

void ManualSearch::begin() {
    working_ = true;
    animation_->start();
    show();
}

void ManualSearch::end() {
    animation_->stop();
    working_ = false;
    hide();
}

void ManualSearch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return;
    FrameDialog::keyPressEvent(event);
}

void ManualSearch::reject() {
    if (!working_)
        FrameDialog::reject();
}
