#pragma once

// Which of a card's serial ports take AT commands: each port is opened, sent
// a short "AT" and closed again, all of them at once. A port that has said
// nothing within the first-byte limit is taken as silent; one that has begun
// to answer gets a little longer to say "OK".

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class PortProbe : public QObject {
    Q_OBJECT
public:
    explicit PortProbe(QObject* parent = nullptr);
    ~PortProbe() override;

    // Probes `ports`; `done` receives, from the event loop, those that
    // answered "OK", in the order given. A probe under way is given up.
    void probe(const QStringList& ports, int firstByteMs, std::function<void(QStringList)> done);
    bool running() const { return running_; }

    // How long a port that has begun to answer may take to say "OK".
    static constexpr int kAnswerMs = 1000;

private:
    struct Port;
    void read(Port& port);
    void silenceTimeout();
    void finishIfDecided();

    std::vector<std::unique_ptr<Port>> ports_;
    std::function<void(QStringList)> done_;
    bool running_ = false;
    class QTimer* firstByte_;
    class QTimer* answer_;
};
