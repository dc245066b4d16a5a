#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class DesktopNotifier;
struct AlertSettings;

// Where alert sounds go: the sound system in the program, a stand-in in the
// tests. play() returns at once; a sound that turns out not to play is
// reported through failed(), now or later.
class AlertOutput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void play(const QString& path) = 0;

signals:
    void failed(const QString& path, const QString& reason);
};

// Plays the alert sounds chosen on the alert sub-page: when a connection is
// made, when it ends, and when a message arrives, each only while its check
// box is on. The same events raise a desktop notification while those are
// switched on (a message's once it is stored, with its sender and text). The choices are read from
// the alert settings at each event, so an applied change counts at once. A sound file that is
// missing or can't be played is logged once and otherwise ignored.
class AlertPlayer : public QObject {
    Q_OBJECT
public:
    // `notifier` may be null: sounds only.
    AlertPlayer(AlertOutput* output, DesktopNotifier* notifier, QObject* parent = nullptr);

public slots:
    void connected();
    // Only after connected(): a connection attempt that failed ends nothing.
    void disconnected();
    void messageArrived();
    // The message that arrived is in the inbox: its notification.
    void messageStored(const QString& from, const QString& text);
    // The month's data came near its limit, or to it (notifications only).
    void usageWarning(int percent);
    void limitReached(bool disconnecting);

private:
    void play(bool enabled, const QString& path);
    void notify(const AlertSettings& alerts, const QString& summary, const QString& body);
    void report(const QString& path, const QString& reason);

    AlertOutput* output_;
    DesktopNotifier* notifier_;
    QSet<QString> reported_;
    bool connected_ = false;
};
