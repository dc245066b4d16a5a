#pragma once

// Runs the private root's copy of the privileged helper (it works below
// that root and needs no rights) and collects what it reports.

#include "app/systempaths.h"

#include <QByteArrayList>
#include <QProcess>
#include <QtTest>

struct HelperRun {
    QByteArrayList reports;
    int exitCode = -1;
};

inline HelperRun runHelper(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess helper;
    helper.start(SystemPaths::helperProgram(), arguments);
    helper.write(input);
    helper.closeWriteChannel();
    HelperRun run;
    if (!helper.waitForFinished(20000))
        return run;
    run.reports = helper.readAllStandardOutput().split('\n');
    run.reports.removeAll(QByteArray());
    run.exitCode = helper.exitCode();
    return run;
}
