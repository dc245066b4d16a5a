#pragma once

#include <QObject>
#include <QString>

// Desktop notifications through the freedesktop.org notification service
// (org.freedesktop.Notifications on the session bus). The call goes out
// without waiting for an answer, so a desktop without the service, or
// without a session bus, shows nothing and never holds the program up.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Shows `summary` with `body` under the program's name and icon.
    virtual void notify(const QString& summary, const QString& body);
};
