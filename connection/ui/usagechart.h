#pragma once

#include "connection/traffichistory.h"

#include <QList>
#include <QWidget>

// A bar for each day's data (sent and received together), oldest on the
// left, today on the right; the tooltip of a bar names its day and amount.
class UsageChart : public QWidget {
    Q_OBJECT
public:
    explicit UsageChart(QWidget* parent = nullptr);

    void setDays(const QList<DayUsage>& days);
    const QList<DayUsage>& days() const { return days_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The day under x, -1 for none.
    int dayAt(int x) const;

    QList<DayUsage> days_;
};
