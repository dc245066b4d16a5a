#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QLabel;
class MyButton;

// The main window's own title bar: icon, title, minimise and close buttons.
// Dragging it with the left button moves the whole window.
class TopBarWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int barHeight = 34;

    explicit TopBarWidget(QWidget* parent = nullptr, const char* name = nullptr,
                          Qt::WindowFlags f = {});

    void setMinimizeButton(const QPixmap& pixmap);
    void setCloseButton(const QPixmap& pixmap);
    // Moves the window the bar belongs to (not the bar inside it).
    void move(int x, int y);

public slots:
    void slotClickMinimizeButton();
    void slotClickCloseButton();
    void languageChange();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap background_;
    QLabel* icon_;
    QLabel* title_;
    MyButton* minimizeButton_;
    MyButton* closeButton_;
    QPoint pressPoint_;   // global position of the press
    QPoint windowOrigin_; // window position at the press
    QPoint lastMovePoint_;
};
