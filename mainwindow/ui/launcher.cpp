#include "mainwindow/ui/launcher.h"

#include "app/globals.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

bool startFirstProgram(const QStringList& programs, const QString& argument) {
    for (const QString& program : programs)
        if (QProcess::startDetached(program, {argument}))
            return true;
    return false;
}

QString launchDataFile(const QString& name) {
    const QString local = QDir::current().absoluteFilePath("Data/" + name);
    if (QFileInfo::exists(local))
        return local;
    return dataFile(name);
}

QStringList browserPrograms() {
    return {launchDataFile("launchFirefox.sh"), "mozilla", "netscape", "opera"};
}

QStringList pdfViewerPrograms() {
    return {"acroread", "evince", "ooffice"};
}

bool openWebSite() {
    return startFirstProgram(browserPrograms(), makerWebAddress);
}
