#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class SerialThread;

// The device information panel: product name, software version and, when a
// modem answers, its firmware, IMEI and own number. Any press closes it.
class DeviceInfoPanel : public QDialog {
    Q_OBJECT
public:
    static constexpr int panelWidth = 388;
    static constexpr int panelHeight = 246;

    // `link` answers the modem queries (none: only the program's lines).
    DeviceInfoPanel(QWidget* parent, SerialThread* link);

    // Asks the modem for firmware, IMEI and own number and shows them. The
    // queries keep the event loop running, so the panel may be closed (and
    // deleted) meanwhile; callers must not touch it afterwards.
    void queryModem();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* addLine(const char* name, int y, const QString& text);
    static void setLine(QLabel* label, const QString& prefix, const QString& value);

    // One modem reply through `query`, "" when no modem answers.

    QPointer<SerialThread> link_;
    QLabel* firmwareLabel_;
    QLabel* imeiLabel_;
    QLabel* isdnLabel_;
};
