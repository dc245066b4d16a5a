#include "widgets/mybutton.h"

#include "app/commonconfig.h"
#include "app/globals.h"

#include <QBitmap>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QtDebug>

MyButton::MyButton(QWidget* parent, const char* name)
    : QPushButton(parent),
      textColor_(comcfg.buttonTextColor.isValid() ? comcfg.buttonTextColor : QColor(Qt::black)),
      hoverTextColor_(comcfg.buttonHoverTextColor.isValid() ? comcfg.buttonHoverTextColor
                                                            : textColor_) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFont(QFont("Liberation Sans", font().pointSize()));
    setFocusPolicy(Qt::NoFocus);
    applyTextColor(textColor_);
    setMouseTracking(true);
    connect(this, &QPushButton::clicked, this, &MyButton::slotClickedButton);
    connect(this, &QPushButton::pressed, this, &MyButton::slotPressedButton);
    connect(this, &QPushButton::released, this, &MyButton::slotReleasedButton);
}

void MyButton::setNormalPixmap(const QPixmap& pixmap) {
    normal_ = pixmap;
    if (!normal_.isNull())
        showPixmap(isEnabled() || invalid_.isNull() ? normal_ : invalid_);
}

void MyButton::setFocusInPixmap(const QPixmap& pixmap) {
    focusIn_ = pixmap;
}
void MyButton::setFocusOutPixmap(const QPixmap& pixmap) {
    focusOut_ = pixmap;
}

void MyButton::setInvalidPixmap(const QPixmap& pixmap) {
    invalid_ = pixmap;
    if (!isEnabled() && !invalid_.isNull())
        showPixmap(invalid_);
}

void MyButton::setMultiPixmap(const QPixmap& normal, const QPixmap& pressed) {
    setFocusOutPixmap(pressed);
    setNormalPixmap(normal);
}

void MyButton::setMultiPixmap(const QPixmap& normal, const QPixmap& pressed,
                              const QPixmap& invalid) {
    setFocusOutPixmap(pressed);
    setInvalidPixmap(invalid);
    setNormalPixmap(normal);
}

void MyButton::setMultiPixmap(const QPixmap& normal, const QPixmap& focusIn, const QPixmap& pressed,
                              const QPixmap& invalid) {
    setFocusInPixmap(focusIn);
    setMultiPixmap(normal, pressed, invalid);
}

void MyButton::setMultiPixmap(const QString& normal, const QString& focusIn, const QString& pressed,
                              const QString& invalid) {
    setMultiPixmap(QPixmap(resFile(normal)), QPixmap(resFile(focusIn)), QPixmap(resFile(pressed)),
                   QPixmap(resFile(invalid)));
}

void MyButton::setNormalBGPixmap() {
    if (!restPixmap().isNull())
        showPixmap(restPixmap());
}

void MyButton::setSelected(bool selected) {
    selected_ = selected;
    if (isEnabled())
        setNormalBGPixmap();
}

const QPixmap& MyButton::restPixmap() const {
    return selected_ && !focusOut_.isNull() ? focusOut_ : normal_;
}

void MyButton::setInvalidBGPixmap() {
    if (!invalid_.isNull())
        showPixmap(invalid_);
}

void MyButton::setTransparence() {
    if (!current_.isNull() && current_.hasAlphaChannel())
        setMask(current_.mask());
}

void MyButton::setBackground(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Button, color);
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

void MyButton::setForeground(const QColor& color) {
    textColor_ = color;
    applyTextColor(color);
}

void MyButton::setHoverForeground(const QColor& color) {
    hoverTextColor_ = color;
}

void MyButton::setActionLook() {
    setMultiPixmap(QPixmap(resFile("buttons/buttons9.png")),
                   QPixmap(resFile("buttons/buttons10.png")),
                   QPixmap(resFile("buttons/buttons11.png")));
    setForeground(Qt::white);
    setHoverForeground(Qt::white);
}

void MyButton::setTextAlignment(Qt::Alignment alignment) {
    textAlignment_ = alignment;
    update();
}

QSize MyButton::sizeHint() const {
    return normal_.isNull() ? QPushButton::sizeHint() : normal_.deviceIndependentSize().toSize();
}

void MyButton::slotClickedButton() {}

void MyButton::slotPressedButton() {
    if (!focusOut_.isNull())
        showPixmap(focusOut_);
}

void MyButton::slotReleasedButton() {
    setNormalBGPixmap();
}

void MyButton::paintEvent(QPaintEvent* event) {
    if (current_.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), current_);
    if (!text().isEmpty()) {
        // A text longer than the image (a translation, say) is drawn in a
        // smaller size, down to three quarters of the button's, then elided,
        // rather than cut off at both ends.
        const QRect area = rect().adjusted(2, 2, -2, -2);
        QString shown = text();
        shown.remove(QRegularExpression("&(?!&)"));
        QFont fitted = font();
        const qreal smallest = fitted.pointSizeF() * 0.75;
        while (QFontMetricsF(fitted).horizontalAdvance(shown) > area.width() &&
               fitted.pointSizeF() - 0.5 >= smallest)
            fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
        painter.setFont(fitted);
        painter.setPen(palette().color(QPalette::ButtonText));
        if (QFontMetricsF(fitted).horizontalAdvance(shown) > area.width())
            painter.drawText(area, int(textAlignment_),
                             QFontMetrics(fitted).elidedText(shown, Qt::ElideRight, area.width()));
        else
            painter.drawText(area, int(textAlignment_) | Qt::TextShowMnemonic, text());
    }
}

void MyButton::enterEvent(QEnterEvent* event) {
    applyTextColor(hoverTextColor_);
    setCursor(Qt::PointingHandCursor);
    if (isEnabled() && !focusIn_.isNull())
        showPixmap(focusIn_);
    QPushButton::enterEvent(event);
}

void MyButton::leaveEvent(QEvent* event) {
    applyTextColor(textColor_);
    setCursor(Qt::ArrowCursor);
    if (isEnabled())
        setNormalBGPixmap();
    QPushButton::leaveEvent(event);
}

void MyButton::mousePressEvent(QMouseEvent* event) {
    slotPressedButton();
    QPushButton::mousePressEvent(event);
}

void MyButton::mouseReleaseEvent(QMouseEvent* event) {
    setNormalBGPixmap();
    const QPoint pos = event->position().toPoint();
    // A clicked() handler may run a modal dialog or delete this button.
    QPointer<MyButton> self(this);
    QPushButton::mouseReleaseEvent(event);
    if (!self)
        return;
    const bool wellInside =
        pos.x() > 1 && pos.y() > 1 && pos.x() < width() - 2 && pos.y() < height() - 2;
    if (wellInside && isEnabled() && !focusIn_.isNull())
        showPixmap(focusIn_);
}

void MyButton::focusInEvent(QFocusEvent* event) {
    qDebug("MyButton::focusInEvent_________enter________\n");
    QPushButton::focusInEvent(event);
}

void MyButton::focusOutEvent(QFocusEvent* event) {
    qDebug("MyButton::focusOutEvent_________enter________\n");
    QPushButton::focusOutEvent(event);
}

// A disabled button shows its disabled image, an enabled one its rest image.
void MyButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled())
            setNormalBGPixmap();
        else
            setInvalidBGPixmap();
    }
    QPushButton::changeEvent(event);
}

void MyButton::showPixmap(const QPixmap& pixmap) {
    current_ = pixmap;
    update();
}

void MyButton::applyTextColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, color);
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}
