#include "connection/privilegedhelper.h"

#include "app/systempaths.h"

#include <QProcess>
#include <QtDebug>
#include <memory>

const HelperReport* HelperOutcome::find(HelperReport::Kind kind) const {
    for (const HelperReport& report : reports) {
        if (report.kind == kind)
            return &report;
    }
    return nullptr;
}

PrivilegedHelper::PrivilegedHelper(QObject* parent) : QObject(parent) {}

PrivilegedHelper::~PrivilegedHelper() {
    // Destroying a running QProcess kills it and waits for it; a helper that
    // pkexec runs as root can be neither, and the connection's helper must
    // outlive the window anyway.
    for (QProcess* process : findChildren<QProcess*>()) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->disconnect();
        process->setParent(nullptr);
    }
}

QStringList PrivilegedHelper::commandLine(const QStringList& arguments) {
    return SystemPaths::helperCommand(arguments);
}

void PrivilegedHelper::run(const QStringList& arguments, Handler done, const QByteArray& input) {
    auto* process = new QProcess(this);
    if (done == &PrivilegedHelper::connectionEnded)
        connection_ = process;
    auto outcome = std::make_shared<HelperOutcome>();
    const auto readReports = [this, process, outcome] {
        while (process->canReadLine()) {
            const HelperReport report = readHelperReport(process->readLine(256));
            if (report.kind == HelperReport::Unknown)
                continue;
            outcome->ran = true;
            outcome->reports.append(report);
        }
    };
    connect(process, &QProcess::readyReadStandardOutput, this, readReports);
    // The dialer's own messages come on the helper's error channel.
    connect(process, &QProcess::readyReadStandardError, this, [process] {
        for (const QByteArray& line : process->readAllStandardError().split('\n'))
            if (!line.trimmed().isEmpty())
                qDebug("helper: %s", line.constData());
    });
    const auto finish = [this, process, outcome, readReports, done] {
        readReports();
        if (!outcome->ran)
            qWarning("the helper did not run (status %d)", process->exitCode());
        if (process == connection_)
            connection_ = nullptr;
        process->disconnect(this);
        process->deleteLater();
        (this->*done)(*outcome);
    };
    connect(process, &QProcess::finished, this, finish);
    connect(process, &QProcess::errorOccurred, this,
            [process, finish](QProcess::ProcessError error) {
                if (error != QProcess::FailedToStart)
                    return;
                qWarning() << "the helper can't be started:" << process->errorString();
                finish();
            });
    const QStringList command = commandLine(arguments);
    process->start(command.first(), command.mid(1));
    if (process->state() != QProcess::NotRunning) {
        process->write(input);
        process->closeWriteChannel();
    }
}

void PrivilegedHelper::startConnection(const DialRequest& request) {
    run({QStringLiteral("connect")}, &PrivilegedHelper::connectionEnded, dialRequestText(request));
}

bool PrivilegedHelper::connectionRunning() const {
    return connection_ != nullptr;
}

void PrivilegedHelper::hangUp(bool force) {
    QStringList arguments{QStringLiteral("hangup")};
    if (force)
        arguments << QStringLiteral("--force");
    run(arguments, &PrivilegedHelper::hungUp);
}

void PrivilegedHelper::restoreLeftover() {
    run({QStringLiteral("restore")}, &PrivilegedHelper::leftoverRestored);
}
