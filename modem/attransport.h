#pragma once

// The modem's AT port: the one owner of its descriptor. It opens and
// configures the tty, writes what it is given without ever blocking (what
// the port doesn't take at once is written when it can), and reads whatever
// the modem sends the moment it arrives, woken by the port. What it reads
// goes through the framing (atframing.h) and comes out as notices and whole
// lines.
//
// It lives on the application's thread and is used from there only.

#include "modem/atframing.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

class AtTransport : public QObject {
    Q_OBJECT
public:
    explicit AtTransport(QObject* parent = nullptr);
    ~AtTransport() override;

    // Opens and configures a tty of the modem (115200 8N1, raw, RTS/CTS and
    // XON/XOFF, non-blocking); it becomes the port. -1 with errno set.
    int open(const QString& device);
    // Closes the port; what wasn't written yet is dropped.
    void close();
    // The port's descriptor, -1 when there is none.
    int fd() const { return fd_; }

    // Writes `bytes` now or, as far as the port doesn't take them at once,
    // when it can. False without a port.
    bool write(QByteArrayView bytes);

    AtFraming& framing() { return framing_; }

signals:
    // Bytes came from the modem; their notices and lines follow.
    void bytesArrived();
    void notice(const QByteArray& text);
    void line(const QByteArray& text);
    // What has come of a line whose end hasn't (a "> " prompt, say).
    void partialLine(const QByteArray& text);
    // The port hung up or failed: the card went away. It stays open (and
    // silent) until closed. Emitted from the event loop.
    void lost();

private:
    void readReady();
    void writeReady();
    void fail(const char* what);

    int fd_ = -1;
    bool failed_ = false; // the port hung up or failed
    AtFraming framing_;
    QByteArray output_; // bytes the port didn't take yet
    QSocketNotifier* reader_ = nullptr;
    QSocketNotifier* writer_ = nullptr;
};
