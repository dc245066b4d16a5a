#pragma once

#include <QWidget>

// The main window's base: a plain widget of the fixed size 640 x 480.
class WTMainWindowBase : public QWidget {
    Q_OBJECT
public:
    static constexpr int windowWidth = 640;
    static constexpr int windowHeight = 480;

    explicit WTMainWindowBase(QWidget* parent = nullptr, const char* name = nullptr,
                              Qt::WindowFlags f = {});
};
