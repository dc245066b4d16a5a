#pragma once

#include <QString>

// Where the program finds its files.
//
// A build runs in place: Data/ and res/ lie beside the executable, and the
// program reads and writes there. An installed program (<prefix>/bin/velto
// with its shipped files in <prefix>/share/velto and no Data/ beside it)
// cannot write to its own folders: it reads its images from the shared folder
// and keeps the user's data in $XDG_DATA_HOME/velto (~/.local/share/velto),
// filled from the shipped Data/ on first start.
struct ProgramLayout {
    QString base;        // the program folder: the folder holding Data/, read and written
    QString resources;   // the folder holding res/
    QString shippedData; // the installed Data/ to fill the user's from; empty in place
};

// The layout for an executable in `executableDir`. `dataHome` is
// $XDG_DATA_HOME and `home` the home folder; a relative or empty `dataHome`
// counts as unset.
ProgramLayout programLayout(const QString& executableDir, const QString& dataHome,
                            const QString& home);

// Fills the user's Data/ from the shipped one: a missing file is copied; a
// file of the program (help, modem types, version, translations) is replaced
// when the shipped one differs, so that an upgrade reaches the user; a user
// file (messages, contacts, profiles, settings) that exists is never touched.
// Does nothing when running in place. False, with `error` set, when the
// folder or a file could not be written.
bool prepareUserData(const ProgramLayout& layout, QString* error);
