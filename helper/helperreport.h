#pragma once

// What the helper tells the window, one line each on its standard output:
//
//   dialing <pid>          connect: the dialer runs
//   ended exit <n>         connect: the dialer ended with status n
//   ended signal <n>       connect: the dialer ended from signal n
//   restored               connect, restore: every file is back
//   nothing                restore: there was nothing to put back; hangup: no dialer
//   signalled              hangup: the dialer was told to end
//   failed backup          connect: a file could not be backed up (nothing dialled)
//   failed write           connect: a file could not be written (nothing dialled)
//   failed start           connect: the dialer could not be started
//   failed restore         connect, restore: a file could not be put back
//   refused <field>        connect: the request's field was not acceptable
//   busy                   connect, restore: another connection holds the dialer
//   old-data               old-data: the data follows (see oldRootData)
//
// The window reads them with readHelperReport.

#include <QByteArray>
#include <QString>

struct HelperReport {
    enum Kind {
        Unknown,
        Dialing,
        EndedExit,
        EndedSignal,
        Restored,
        Nothing,
        Signalled,
        FailedBackup,
        FailedWrite,
        FailedStart,
        FailedRestore,
        Refused,
        Busy,
    };
    Kind kind = Unknown;
    int number = 0; // the pid, exit status or signal
    QString field;  // the field refused
};

HelperReport readHelperReport(const QByteArray& line);
QByteArray helperReportLine(HelperReport::Kind kind, int number = 0, const QString& field = {});
