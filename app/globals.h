#pragma once

#include <QString>

// The folder whose Data/ holds the program's data files, read and written:
// the executable's folder when a build runs in place, the user's data folder
// when the program is installed (app/programlayout.h).
extern QString basePath;
// The folder holding res/, the images; empty means basePath.
extern QString resourcePath;

// Full path of a file in the program's data folder: basePath + "/Data/" + name.
QString dataFile(const QString& name);
// Full path of an image below res/: resourcePath (or basePath) + "/res/" + name.
QString resFile(const QString& name);
