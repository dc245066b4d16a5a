#pragma once

#include <QLabel>

// A label that reports a mouse press: the home page's new-message indicator.
// An animation set on it plays only while it is shown.
class CMyLabel : public QLabel {
    Q_OBJECT
public:
    explicit CMyLabel(QWidget* parent = nullptr, const char* name = nullptr,
                      Qt::WindowFlags f = {});

signals:
    void clickedSmsLabel();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};
