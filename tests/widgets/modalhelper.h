#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `action` on the next modal dialog that opens (polling every 10 ms),
// so that a test can answer a box that blocks in exec().
inline void whenModalOpens(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

// Drags the pointer on `widget` from `from` to `to` with `button` held.
inline void drag(QWidget* widget, Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(widget, button, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, button,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QTest::mouseRelease(widget, button, {}, to);
}
