#pragma once

#include "helper/dialrequest.h"
#include "helper/helperreport.h"

#include <QList>
#include <QObject>
#include <QStringList>

class QProcess;

// What one run of the helper said. `ran` is false when it never got to
// say anything: pkexec refused (no authorisation) or the helper is missing.
struct HelperOutcome {
    QList<HelperReport> reports;
    bool ran = false;

    // The first report of that kind; null when there is none.
    const HelperReport* find(HelperReport::Kind kind) const;
    bool has(HelperReport::Kind kind) const { return find(kind) != nullptr; }
};

// The window's side of the privileged helper (velto-helper). Each request
// runs the helper once: through pkexec, or directly when the program runs
// as root or against a private root, whose helper needs no rights. Nothing
// here waits: the outcomes come as signals.
class PrivilegedHelper : public QObject {
    Q_OBJECT
public:
    explicit PrivilegedHelper(QObject* parent = nullptr);
    // A connection's helper that still runs is left running: the link stays
    // up, and a later start of the program takes it down (restoreLeftover).
    ~PrivilegedHelper() override;

    // The helper writes the dialer's files from `request`, runs the dialer
    // and stays until it has ended and the files are back.
    void startConnection(const DialRequest& request);
    // A connection's helper runs.
    bool connectionRunning() const;
    // Asks the helper to end the connection's dialer: SIGTERM, or SIGKILL
    // when `force`.
    void hangUp(bool force);
    // Puts back what an earlier run's connection left: ends its dialer,
    // undoes its DNS servers and restores the dialer's files.
    void restoreLeftover();

    // The command line that runs the helper with `arguments`.
    static QStringList commandLine(const QStringList& arguments);

signals:
    void connectionEnded(const HelperOutcome& outcome);
    void hungUp(const HelperOutcome& outcome);
    void leftoverRestored(const HelperOutcome& outcome);

private:
    using Handler = void (PrivilegedHelper::*)(const HelperOutcome&);
    // Runs the helper; `done` gets what it said once it has ended.
    void run(const QStringList& arguments, Handler done, const QByteArray& input = {});

    QProcess* connection_ = nullptr;
};
