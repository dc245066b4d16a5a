#include "tools/screenshots/shots.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "app/uilanguage.h"
#include "mainwindow/ui/wtmainwindow.h"

#include <QEventLoop>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>

namespace Shots {

std::optional<QDir> begin(QApplication& app, const char* name) {
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: velto_%s OUTDIR\n", name);
        return {};
    }
    app.setStyle(QStyleFactory::create("Fusion"));
    readConfig(comcfg);
    installTranslations(app, programFolder() + "/Data"); // the system's language
    return QDir(app.arguments().at(1));
}

void showCentred(WTMainWindow& window) {
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    window.move((desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 2);
    window.show();
}

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool grab(const QWidget& window, const QString& path) {
    const QRect area(window.mapToGlobal(QPoint(0, 0)), window.size());
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(path);
}

} // namespace Shots
