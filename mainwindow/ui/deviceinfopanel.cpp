#include "mainwindow/ui/deviceinfopanel.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "app/versioninfo.h"
#include "modem/serialthread.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QtDebug>

DeviceInfoPanel::DeviceInfoPanel(QWidget* parent, SerialThread* link)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), link_(link) {
    setObjectName("infoPopup");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(panelWidth, panelHeight);
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QPixmap(resFile("startingWindow.jpg")));
    pal.setColor(QPalette::WindowText,
                 comcfg.dialogTextColor.isValid() ? comcfg.dialogTextColor : QColor(Qt::black));
    setPalette(pal);
    setAutoFillBackground(true);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    // Five lines at the foot of the picture, the last one whole.
    const int step = QFontMetrics(small).height();
    const int top = panelHeight - 4 - 5 * step;
    addLine("name", top, "Velto Modem Connection");
    addLine("softversion", top + step, tr("PC Software Version: ") + readVersionInfo());

    firmwareLabel_ = addLine("firmware", top + 2 * step, {});
    imeiLabel_ = addLine("imei", top + 3 * step, {});
    isdnLabel_ = addLine("isdn", top + 4 * step, {});
}

void DeviceInfoPanel::queryModem() {
    if (!link_)
        return;
    link_->getGMR(this, [this](std::optional<QString> firmware) {
        setLine(firmwareLabel_, tr("Firmware Version: "), firmware.value_or(QString()));
    });
    link_->getIMEI(this, [this](const AtAnswer<QString>& imei) {
        // An equipment error instead of the number: the card has none to give.
        setLine(imeiLabel_, tr("IMEI: "),
                imei.result == FinalResult::CmeError ? QString("Not Found")
                                                     : imei.value.value_or(QString()));
    });
    link_->getISDN(this, [this](std::optional<QString> number) {
        setLine(isdnLabel_, tr("ISDN: "), number.value_or(QString()));
    });
}

QLabel* DeviceInfoPanel::addLine(const char* name, int y, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->move(4, y);
    label->adjustSize();
    return label;
}

void DeviceInfoPanel::setLine(QLabel* label, const QString& prefix, const QString& value) {
    label->setText(value.isEmpty() ? QString() : prefix + value);
    label->adjustSize();
}

void DeviceInfoPanel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    close();
}
