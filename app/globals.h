#pragma once

#include <QString>

// Directory of the executable; every data file lies below it in Data/ or res/.
extern QString basePath;

// Full path of a file in the program's data folder: basePath + "/Data/" + name.
QString dataFile(const QString& name);
// Full path of an image below res/: basePath + "/res/" + name.
QString resFile(const QString& name);
