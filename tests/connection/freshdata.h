#pragma once

#include "tests/support/testenv.h"

#include <QFile>

// The test's Data folder is a copy of the build's, which holds the user's
// profiles and settings once the program has run there: start without them.
inline void removeUserData(const TestEnv& env) {
    for (const char* name : {"totalRecord.conf", "defaultRecord.conf", "networksetconfigrc",
                             "messagesetconfigrc", "alertsetconfigrc"})
        QFile::remove(env.dataPath(QString::fromLatin1(name)));
}
