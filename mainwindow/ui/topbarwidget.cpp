#include "mainwindow/ui/topbarwidget.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QtDebug>

TopBarWidget::TopBarWidget(QWidget* parent, const char* name, Qt::WindowFlags f)
    : QWidget(parent, f), background_(resFile("base/top_copy.png")) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFixedHeight(barHeight);

    icon_ = new QLabel(this);
    icon_->setObjectName("icon");
    // The bar's icon is looked up beside the working directory first, as the
    // classic program did, and otherwise beside the executable.
    QPixmap iconPixmap("./res/icon.jpg");
    if (iconPixmap.isNull())
        iconPixmap = QPixmap(resFile("icon.jpg"));
    icon_->setPixmap(iconPixmap);
    icon_->setGeometry(10, (barHeight - 20) / 2, 20, 20);

    title_ = new QLabel(this);
    title_->setObjectName("titleLabel");
    QFont titleFont("Liberation Sans");
    titleFont.setPointSize(10);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    QPalette pal = title_->palette();
    pal.setColor(QPalette::WindowText, QColor(243, 246, 250));
    title_->setPalette(pal);
    title_->setGeometry(38, 0, 400, barHeight);
    // Presses on the title go to the bar, so that it can be dragged.
    title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    icon_->setAttribute(Qt::WA_TransparentForMouseEvents);

    minimizeButton_ = new MyButton(this, "minimizeButton");
    closeButton_ = new MyButton(this, "closeButton");
    setMinimizeButton(QPixmap(resFile("minimize_butt.bmp")));
    setCloseButton(QPixmap(resFile("close_butt.bmp")));
    connect(minimizeButton_, &QPushButton::clicked, this, &TopBarWidget::slotClickMinimizeButton);
    connect(closeButton_, &QPushButton::clicked, this, &TopBarWidget::slotClickCloseButton);
    languageChange();
}

void TopBarWidget::setMinimizeButton(const QPixmap& pixmap) {
    minimizeButton_->setNormalPixmap(pixmap);
    minimizeButton_->setGeometry(640 - 2 * 28 - 10, (barHeight - 24) / 2, 28, 24);
}

void TopBarWidget::setCloseButton(const QPixmap& pixmap) {
    closeButton_->setNormalPixmap(pixmap);
    closeButton_->setGeometry(640 - 28 - 8, (barHeight - 24) / 2, 28, 24);
}

void TopBarWidget::languageChange() {
    title_->setText(comcfg.windowTitle);
    minimizeButton_->setToolTip(tr("Minimize"));
    closeButton_->setToolTip(tr("Close"));
}

void TopBarWidget::move(int x, int y) {
    window()->move(x, y);
}

void TopBarWidget::slotClickMinimizeButton() {
    qDebug("TopBarWidget::slotClickMinimizeButton===> enter \n");
    if (window()->isMinimized()) {
        qDebug("TopBarWidget::slotClickMinimizeButton===> isMinimized \n");
        return;
    }
    window()->showMinimized();
}

void TopBarWidget::slotClickCloseButton() {
    window()->setAttribute(Qt::WA_DeleteOnClose);
    window()->close();
}

void TopBarWidget::mousePressEvent(QMouseEvent* event) {
    pressPoint_ = event->globalPosition().toPoint();
    windowOrigin_ = window()->pos();
    lastMovePoint_ = pressPoint_;
    // Other buttons pass on to the window (the right button opens its
    // information panel).
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        event->ignore();
}

void TopBarWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    lastMovePoint_ = event->globalPosition().toPoint();
    const QPoint target = windowOrigin_ + (lastMovePoint_ - pressPoint_);
    move(target.x(), target.y());
}

void TopBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), background_);
}
