#pragma once

#include <QColor>
#include <QPixmap>
#include <QPushButton>

// A push button drawn from images: one for rest, one while the pointer is
// over it, one while it is pressed and one for the disabled look. Its text,
// if any, is drawn over the image in the button's text colour.
class MyButton : public QPushButton {
    Q_OBJECT
public:
    explicit MyButton(QWidget* parent = nullptr, const char* name = nullptr);

    void setNormalPixmap(const QPixmap& pixmap);
    void setFocusInPixmap(const QPixmap& pixmap);
    void setFocusOutPixmap(const QPixmap& pixmap);
    void setInvalidPixmap(const QPixmap& pixmap);
    // (normal, pressed); (normal, pressed, invalid); (normal, focus-in, pressed, invalid)
    void setMultiPixmap(const QPixmap& normal, const QPixmap& pressed);
    void setMultiPixmap(const QPixmap& normal, const QPixmap& pressed, const QPixmap& invalid);
    void setMultiPixmap(const QPixmap& normal, const QPixmap& focusIn, const QPixmap& pressed,
                        const QPixmap& invalid);
    // The same from image files below res/, e.g. "icons/sms1.png".
    void setMultiPixmap(const QString& normal, const QString& focusIn, const QString& pressed,
                        const QString& invalid);

    void setNormalBGPixmap();
    // A selected button (the tab of the page in view) rests on its pressed
    // image instead of its normal one.
    void setSelected(bool selected);
    bool isSelected() const { return selected_; }
    void setInvalidBGPixmap();
    // Restricts the button's shape to the opaque part of its current image.
    void setTransparence();

    void setBackground(const QColor& color);
    // Text colour at rest; `setHoverForeground` the one under the pointer.
    void setForeground(const QColor& color);
    void setHoverForeground(const QColor& color);
    void setTextAlignment(Qt::Alignment alignment);
    // The program's blue action button: its three images, white text.
    void setActionLook();

    // The image shown now (for tests and for painting).
    const QPixmap& currentPixmap() const { return current_; }
    QSize sizeHint() const override;

public slots:
    void slotClickedButton();
    void slotPressedButton();
    void slotReleasedButton();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showPixmap(const QPixmap& pixmap);
    const QPixmap& restPixmap() const;
    void applyTextColor(const QColor& color);

    QPixmap normal_;
    QPixmap focusIn_;
    QPixmap focusOut_;
    QPixmap invalid_;
    QPixmap current_;
    bool selected_ = false;
    QColor textColor_;
    QColor hoverTextColor_;
    Qt::Alignment textAlignment_ = Qt::AlignCenter;
};
