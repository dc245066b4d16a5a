#include "mainwindow/ui/cmylabel.h"

#include <QMouseEvent>
#include <QMovie>

CMyLabel::CMyLabel(QWidget* parent, const char* name, Qt::WindowFlags f) : QLabel(parent, f) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setCursor(Qt::PointingHandCursor);
}

void CMyLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit clickedSmsLabel();
}

void CMyLabel::showEvent(QShowEvent* event) {
    if (movie())
        movie()->start();
    QLabel::showEvent(event);
}

void CMyLabel::hideEvent(QHideEvent* event) {
    if (movie())
        movie()->stop();
    QLabel::hideEvent(event);
}
