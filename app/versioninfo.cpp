#include "app/versioninfo.h"

#include "app/globals.h"

#include <QFile>
#include <QTextStream>

QString readVersionInfo() {
    QFile file(dataFile("version.txt"));
    QString version;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf8);
        version = in.readLine();
        file.close();
    }
    if (version.isEmpty()) {
        // Opening write-only once creates the missing file (and empties a
        // file whose first line was blank), as later starts expect it there.
        if (file.open(QIODevice::WriteOnly))
            file.close();
        return QString("");
    }
    return version;
}
