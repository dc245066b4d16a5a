#include "app/globals.h"

QString basePath;
QString resourcePath;

QString dataFile(const QString& name) {
    return basePath + "/Data/" + name;
}

QString resFile(const QString& name) {
    return (resourcePath.isEmpty() ? basePath : resourcePath) + "/res/" + name;
}
