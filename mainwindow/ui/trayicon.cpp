#include "mainwindow/ui/trayicon.h"

#include "app/globals.h"

#include <QAction>
#include <QMenu>
#include <QPainter>

TrayIcon::TrayIcon(QObject* parent) : QSystemTrayIcon(parent) {
    auto* menu = new QMenu;
    connect(this, &QObject::destroyed, menu, &QObject::deleteLater);
    connectAction_ = menu->addAction(tr("Connect"), this, &TrayIcon::connectToggled);
    connectAction_->setObjectName("trayConnectAction");
    showAction_ = menu->addAction(tr("Show window"), this, &TrayIcon::showRequested);
    showAction_->setObjectName("trayShowAction");
    menu->addSeparator();
    quitAction_ = menu->addAction(tr("Quit"), this, &TrayIcon::quitRequested);
    quitAction_->setObjectName("trayQuitAction");
    setContextMenu(menu);
    connect(this, &QSystemTrayIcon::activated, this, [this](ActivationReason reason) {
        if (reason == Trigger)
            emit toggleRequested();
    });
    refresh();
}

void TrayIcon::setSignalImage(const QString& image) {
    if (signalImage_ == image)
        return;
    signalImage_ = image;
    refresh();
}

void TrayIcon::setOperator(const QString& name) {
    if (operator_ == name)
        return;
    operator_ = name;
    refresh();
}

void TrayIcon::setConnected(bool connected) {
    if (connected_ == connected)
        return;
    connected_ = connected;
    refresh();
}

void TrayIcon::setConnectEnabled(bool enabled) {
    connectAction_->setEnabled(enabled);
}

void TrayIcon::refresh() {
    // The bars on a square, with a green dot in the corner while connected.
    const QPixmap bars(resFile("component/" + signalImage_));
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!bars.isNull()) {
        const QPixmap scaled = bars.scaled(32, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawPixmap((32 - scaled.width()) / 2, 32 - scaled.height(), scaled);
    }
    if (connected_) {
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(22, 163, 74));
        painter.drawEllipse(QRectF(19, 1, 12, 12));
    }
    painter.end();
    setIcon(QIcon(icon));

    const QString state = connected_ ? tr("Connected") : tr("Disconnected");
    setToolTip(operator_.isEmpty()
                   ? QString("Velto Modem Connection\n%1").arg(state)
                   : QString("Velto Modem Connection\n%1 - %2").arg(operator_, state));
    connectAction_->setText(connected_ ? tr("Disconnect") : tr("Connect"));
}
