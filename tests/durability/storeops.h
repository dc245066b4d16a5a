#pragma once

// The writes of the user's stores that the durability checks interrupt or
// starve: each runs the program's own store code on the data folder below
// the program folder, as the pages do.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace StoreOps {

// Fills the data folder below the program folder with stores of realistic size
// (3 × `scale` received messages and contacts, a score of profiles, the
// three settings files, a part of a long message) and writes, beside the
// data folder, the backup that the restore operation puts back (a different
// set of stores). `scale` is 20 or more.
void seed(int scale = 100);

// What an operation reported.
struct Outcome {
    bool ok = false;
    QString message; // the text the page shows when the write failed
};

using Write = std::function<Outcome()>;

struct Operation {
    const char* name;
    // Loads the stores the operation works on, as the pages do when they
    // open, and returns the write itself, so that it can be timed and
    // interrupted on its own.
    Write (*prepare)();
    // True when the operation writes files that don't depend on each other,
    // so that each of them on its own is either before or after.
    bool filesIndependent = false;
};

const QList<Operation>& operations();
const Operation* find(const QString& name);

// What the program does at its next start before the stores read their
// files: finish or drop an interrupted restore, bring the dialling record in
// line with its profile, clear the leftovers of interrupted writes.
void nextStart();

// Replaces the folder `to` with a copy of the files below `from`; false when
// a file could not be copied.
bool copyFolder(const QString& from, const QString& to);

// The bytes of every file in the data folder, by name.
QMap<QString, QByteArray> snapshot();

// Problems with the store files of the data folder as the program's readers
// see them (missing or unparsable); empty when each reads cleanly.
QStringList readProblems();

} // namespace StoreOps
