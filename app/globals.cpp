#include "app/globals.h"

QString basePath;

QString dataFile(const QString& name) {
    return basePath + "/Data/" + name;
}

QString resFile(const QString& name) {
    return basePath + "/res/" + name;
}
