#pragma once

#include <QColor>
#include <QDialog>
#include <QPixmap>
#include <QPoint>

class QLabel;
class MyButton;

// A frameless dialog drawn like the program's message box, at any size: a
// blue title bar with the logo, the caption and a close button, a white body
// inside a grey line, and a grey strip at the bottom for the buttons. The
// title bar moves the dialog; the close button rejects it.
class FrameDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int TitleHeight = 23;

    FrameDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f = {});

    // Height of the grey strip at the bottom (0: none).
    void setFooterHeight(int height);
    // A blue button of the strip at the bottom, 80 × 26, centred in its
    // height, its left edge at `x`. Set the dialog's size and strip first.
    MyButton* addFooterButton(const char* name, const QString& text, int x);

    QLabel* titleLabel;
    MyButton* closeButton;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap bar_;
    QColor barColor_;
    int footerHeight_ = 0;
    bool dragging_ = false;
    QPoint dragOffset_;
};
