#pragma once

#include <QString>

// The folder whose Data/ holds the program's data files, read and written:
// the executable's folder when a build runs in place, the user's data folder
// when the program is installed (app/programlayout.h). `resources` holds res/,
// the images; empty means the same folder. Set once at start-up (tests and
// tools point it at a folder of their own).
void setProgramFolders(const QString& base, const QString& resources = QString());
QString programFolder();

// Full path of a file in the program's data folder: programFolder() + "/Data/" + name.
QString dataFile(const QString& name);
// Full path of an image below res/ of the resource folder (or the program folder).
QString resFile(const QString& name);
