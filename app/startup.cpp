#include "app/startup.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "app/singleinstance.h"
#include "app/systempaths.h"
#include "app/versioninfo.h"
#include "widgets/mymessagebox.h"

#include <QApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <cstdio>

namespace {

// Shows the main window centred on the desktop.
int showWindowsAndRun(QApplication& app) {
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setObjectName("wtmainwindowbase");
    window.setFixedSize(640, 480);
    const QRect desktop = app.primaryScreen()->geometry();
    window.move((desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 2);
    window.show();
    return app.exec();
}

} // namespace

int runStartup(QApplication& app, const CommandLine& cmd) {
    // The classic look has no Qt 6 counterpart; Fusion renders the same everywhere.
    app.setStyle(QStyleFactory::create("Fusion"));

    readConfig(comcfg);
    basePath = QCoreApplication::applicationDirPath();
    SystemPaths::setRoot(cmd.root);
    fixedPorts = {cmd.atPort, cmd.modemPort.isEmpty() ? cmd.atPort : cmd.modemPort};

    auto* translator = new QTranslator(&app);
    if (translator->load("tradition", basePath + "/Data"))
        app.installTranslator(translator);

    const QString version = readVersionInfo();

    if (!cmd.error.isEmpty()) {
        std::fprintf(stderr, "%s\n%s", qPrintable(cmd.error),
                     qPrintable(helpText(QCoreApplication::applicationName())));
        return 2;
    }
    if (cmd.help) {
        std::printf("%s", qPrintable(helpText(QCoreApplication::applicationName())));
        return 0;
    }
    if (!cmd.rest.isEmpty()) {
        const QString& first = cmd.rest.first();
        if (first == "-v" || first == "-version")
            std::printf("%s\n", qPrintable(version));
        else
            std::printf("%s", qPrintable(invalidParameterText(first)));
        return 0;
    }

    if (already_running()) {
        MyMessageBox::informationWithEditer(nullptr, comcfg.alreadyRunningText);
        return 0;
    }
    return showWindowsAndRun(app);
}
