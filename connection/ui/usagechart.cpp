#include "connection/ui/usagechart.h"

#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

UsageChart::UsageChart(QWidget* parent) : QWidget(parent) {
    setObjectName("usageChart");
}

void UsageChart::setDays(const QList<DayUsage>& days) {
    days_ = days;
    update();
}

int UsageChart::dayAt(int x) const {
    if (days_.isEmpty() || x < 0 || x >= width())
        return -1;
    return x * static_cast<int>(days_.size()) / width();
}

void UsageChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect().adjusted(0, 0, 0, -1);
    painter.setPen(QColor(218, 223, 230));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    if (days_.isEmpty())
        return;
    qint64 most = 1;
    for (const DayUsage& day : days_)
        most = std::max(most, day.bytes());
    const double slot = area.width() / static_cast<double>(days_.size());
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < days_.size(); ++i) {
        const qint64 bytes = days_[i].bytes();
        if (bytes <= 0)
            continue;
        // A day with any use shows at least a sliver.
        const double height =
            std::max(2.0, area.height() * static_cast<double>(bytes) / static_cast<double>(most));
        const bool today = i == days_.size() - 1;
        painter.setBrush(today ? QColor(30, 111, 217) : QColor(147, 184, 236));
        painter.drawRoundedRect(QRectF(area.left() + i * slot + slot * 0.15, area.bottom() - height,
                                       slot * 0.7, height),
                                1.5, 1.5);
    }
}

bool UsageChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int i = dayAt(help->pos().x());
        if (i >= 0)
            QToolTip::showText(
                help->globalPos(),
                QString("%1: %2").arg(QLocale().toString(days_[i].day, QLocale::ShortFormat),
                                      byteText(days_[i].bytes())),
                this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
