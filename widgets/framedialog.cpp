#include "widgets/framedialog.h"

#include "app/globals.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor bodyColor(255, 255, 255);
const QColor footerColor(243, 246, 250);
const QColor lineColor(221, 227, 234);
const QColor borderColor(201, 211, 223);
constexpr int logoWidth = 26; // the logo at the left of the bar image
} // namespace

FrameDialog::FrameDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f)
    : QDialog(parent, f | Qt::Dialog | Qt::FramelessWindowHint),
      bar_(resFile("messageBox/barMessageBOX238x23.bmp")) {
    // The bar image is the logo on a plain colour, which fills the rest.
    if (!bar_.isNull())
        barColor_ = bar_.toImage().pixelColor(bar_.width() / 2, TitleHeight / 2);
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setFont(QFont("Liberation Sans", 9));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bodyColor);
    pal.setColor(QPalette::WindowText, QColor(31, 41, 55));
    setPalette(pal);

    titleLabel = new QLabel(this);
    titleLabel->setObjectName("titleLabel");
    QFont titleFont("Liberation Sans");
    titleFont.setPointSize(9);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    QPalette titlePal = titleLabel->palette();
    titlePal.setColor(QPalette::WindowText, Qt::white);
    titleLabel->setPalette(titlePal);

    closeButton = new MyButton(this, "closeButton");
    closeButton->setNormalPixmap(QPixmap(resFile("messageBox/close.bmp")));
    closeButton->setToolTip(tr("Close"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

MyButton* FrameDialog::addFooterButton(const char* name, const QString& text, int x) {
    auto* button = new MyButton(this, name);
    button->setActionLook();
    button->setText(text);
    button->setGeometry(x, height() - footerHeight_ + (footerHeight_ - 26) / 2, 80, 26);
    return button;
}

void FrameDialog::setFooterHeight(int height) {
    footerHeight_ = height;
    update();
}

void FrameDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), bodyColor);
    if (footerHeight_ > 0) {
        const QRect footer(0, height() - footerHeight_, width(), footerHeight_);
        painter.fillRect(footer, footerColor);
        painter.fillRect(QRect(0, footer.top(), width(), 1), lineColor);
    }
    painter.setPen(borderColor);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!bar_.isNull()) {
        painter.fillRect(QRect(0, 0, width(), TitleHeight), barColor_);
        painter.drawPixmap(0, 0, bar_, 0, 0, logoWidth, TitleHeight);
    }
}

// Each time it opens, the dialog sits in the middle of the window it belongs to.
void FrameDialog::showEvent(QShowEvent* event) {
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        const QRect area(owner->mapToGlobal(QPoint(0, 0)), owner->size());
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

void FrameDialog::resizeEvent(QResizeEvent* event) {
    titleLabel->setGeometry(logoWidth + 2, 0, width() - 2 * logoWidth - 4, TitleHeight);
    closeButton->setGeometry(width() - 21, 3, 17, 17);
    QDialog::resizeEvent(event);
}

void FrameDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange)
        titleLabel->setText(windowTitle());
    QDialog::changeEvent(event);
}

void FrameDialog::mousePressEvent(QMouseEvent* event) {
    dragging_ = event->button() == Qt::LeftButton && event->position().y() < TitleHeight;
    dragOffset_ = event->position().toPoint();
    QDialog::mousePressEvent(event);
}

void FrameDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - dragOffset_);
    QDialog::mouseMoveEvent(event);
}

void FrameDialog::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}
