#pragma once

#include <QList>
#include <QString>

struct DayUsage;

// What the connection controller needs from the internet page. The page
// implements it with its widgets; tests implement it with a recorder.
class ConnectionView {
public:
    virtual ~ConnectionView() = default;

    // The connect button: "Connect" or "Disconnect", and whether it can be clicked.
    virtual void setConnectButtonText(const QString& text) = 0;
    virtual void setConnectButtonEnabled(bool enabled) = 0;
    // The state line ("State: Connected", "State: Connecting. .", ...) and its image.
    virtual void setStateText(const QString& text) = 0;
    virtual void setStateImage(bool connected) = 0;
    // "Connect to <profile>?", hidden while connected.
    virtual void setCaptionVisible(bool visible) = 0;
    // Amounts sent and received and the connected time, or none of them.
    virtual void showTraffic(const QString& sent, const QString& received, const QString& time) = 0;
    virtual void hideTraffic() = 0;
    // The data used today and in the billing period, and the last 30 days.
    virtual void showUsage(const QString& summary, const QList<DayUsage>& days) = 0;

    enum class Box { Information, Warning };
    virtual void message(Box kind, const QString& text) = 0;
};
