#include "app/cmdline.h"
#include "app/startup.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "settings/ui/oldrootdataoffer.h"

#include <QApplication>
#include <QSplashScreen>

int main(int argc, char* argv[]) {
    // A text answer (version, help, invalid parameter) needs no display: on a
    // machine without one, use the offscreen platform for it.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    if (wantsTextAnswerOnly(parseCommandLine(raw)) && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    const CommandLine cmd = parseCommandLine(app.arguments().mid(1));
    return runStartup(app, cmd, [&cmd](QSplashScreen* splash) {
        // Before the stores read the user's files.
        offerOldRootData(splash);
        auto* window = new WTMainWindow(nullptr, "wtmainwindowbase",
                                        Qt::Window | Qt::FramelessWindowHint, fixedPortsOf(cmd));
        window->hide();
        window->wait2secsToShow(splash);
        return window;
    });
}
