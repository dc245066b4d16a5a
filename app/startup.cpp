#include "app/startup.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "app/heartbeat.h"
#include "app/programlayout.h"
#include "app/singleinstance.h"
#include "app/systempaths.h"
#include "app/uilanguage.h"
#include "app/versioninfo.h"
#include "widgets/mymessagebox.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QSplashScreen>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>

namespace {

// A line of text on the splash screen, in point size 8, sized to its text.
void addSplashLabel(QWidget* splash, const char* name, const QString& text, int y,
                    const QColor& foreground, const QColor& background) {
    auto* label = new QLabel(text, splash);
    label->setObjectName(name);
    label->setFont(QFont("Liberation Sans", 8));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, foreground);
    pal.setColor(QPalette::Window, background);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
    label->move(4, y);
    label->adjustSize();
}

// Shows the splash screen, builds the main window (hidden, centred on the
// desktop; it appears 2 s later) and runs the event loop.
int showWindowsAndRun(QApplication& app, const QString& version,
                      const MainWindowFactory& createWindow) {
    auto* splash = new QSplashScreen(QPixmap(resFile("startingWindow.jpg")));
    splash->setObjectName("splash");
    const QColor bandText(0, 0, 0);
    const QColor band(95, 148, 224);
    addSplashLabel(splash, "name", "Velto Modem Connection", 190, bandText, band);
    addSplashLabel(splash, "softversion",
                   QCoreApplication::translate("main", "PC Software Version: ") + version, 205,
                   bandText, band);
    addSplashLabel(splash, "init", QCoreApplication::translate("main", "Initializing..."), 220,
                   comcfg.splashInitText.isValid() ? comcfg.splashInitText : bandText,
                   comcfg.splashInitBg.isValid() ? comcfg.splashInitBg : band);
    splash->show();

    QWidget* window = createWindow(splash);
    const QRect desktop = app.primaryScreen()->geometry();
    window->move((desktop.width() - window->width()) / 2,
                 (desktop.height() - window->height()) / 2);
    // Long test runs ask for a record of event-loop stalls.
    startHeartbeat(&app, qEnvironmentVariable("VELTO_HEARTBEAT"));
    return app.exec();
}

} // namespace

int runStartup(QApplication& app, const CommandLine& cmd, const MainWindowFactory& createWindow) {
    // The classic look has no Qt 6 counterpart; Fusion renders the same everywhere.
    app.setStyle(QStyleFactory::create("Fusion"));

    const ProgramLayout layout =
        programLayout(QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_DATA_HOME"),
                      QDir::homePath());
    setProgramFolders(layout.base, layout.resources);
    QString dataError;
    if (!prepareUserData(layout, &dataError))
        std::fprintf(stderr, "velto: the data folder %s is not usable: %s\n",
                     qPrintable(layout.base), qPrintable(dataError));
    readConfig(comcfg);
    SystemPaths::setRoot(cmd.root);

    installTranslations(app, programFolder() + "/Data");

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
        MyMessageBox::informationWithEditer(nullptr, configText(comcfg.alreadyRunningText));
        return 0;
    }
    return showWindowsAndRun(app, version, createWindow);
}
