#include "mainwindow/ui/wtmainwindowbase.h"

WTMainWindowBase::WTMainWindowBase(QWidget* parent, const char* name, Qt::WindowFlags f)
    : QWidget(parent, f) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFixedSize(windowWidth, windowHeight);
    setBaseSize(windowWidth, windowHeight);
}
