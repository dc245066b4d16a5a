#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The client end of a simulated port, opened the way the program opens a
// card's ttyUSB port (raw, 115200 baud, XON/XOFF and RTS/CTS).
class PtyClient {
public:
    explicit PtyClient(const QString& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool write(const QByteArray& bytes);
    // Sends `line` + "\r\n" and reads until a final result code or the
    // message prompt arrives (or `timeoutMs` passes). Returns all bytes read.
    QByteArray command(const QByteArray& line, int timeoutMs = 3000);
    // command() without the echo of the line.
    QByteArray answer(const QByteArray& line, int timeoutMs = 3000);
    // Reads until `until` appears in what was read, or the time passes.
    QByteArray readUntil(const QByteArray& until, int timeoutMs);
    // Reads whatever arrives within `ms`.
    QByteArray readFor(int ms);

    static bool isFinal(const QByteArray& reply);

private:
    QByteArray read(const std::function<bool(const QByteArray&)>& done, int timeoutMs);

    int fd_ = -1;
};
