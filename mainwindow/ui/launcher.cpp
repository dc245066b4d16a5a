#include "mainwindow/ui/launcher.h"

#include "app/globals.h"
#include "widgets/mymessagebox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

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

bool openWithDesktop(const QString& target, const QStringList& fallbacks) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(target)) ||
           startFirstProgram(fallbacks, target);
}

void openWebSite(QWidget* parent) {
    if (!openWithDesktop(QString::fromLatin1(makerWebAddress), browserPrograms()))
        MyMessageBox::warning(parent,
                              QCoreApplication::translate("Launcher", "No web browser could be "
                                                                      "started. Please open %1 "
                                                                      "yourself.")
                                  .arg(QString::fromLatin1(makerWebAddress)));
}
