// Puts the main window, its information panel and a message box on the
// screen and saves what the screen shows, for the screenshots of the README
// (scripts/screenshots runs it on a virtual display).
//
//   velto_uishots OUTDIR
// writes OUTDIR/infopanel.png and OUTDIR/messagebox.png, each the window's
// rectangle of the screen.

#include "app/commonconfig.h"
#include "app/globals.h"
#include "app/uilanguage.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "widgets/mymessagebox.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>

namespace {

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

void rightClick(QWidget* window, const QPoint& at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, window->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velto_uishots OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    app.setStyle(QStyleFactory::create("Fusion"));
    basePath = QCoreApplication::applicationDirPath();
    readConfig(comcfg);
    installTranslations(app, basePath + "/Data"); // the system's language

    WTMainWindow window(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
    const QRect desktop = app.primaryScreen()->geometry();
    window.move((desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 2);
    window.show();
    settle(800);

    bool ok = true;
    rightClick(&window, QPoint(320, 460));
    settle(600);
    ok = grab(window, out.filePath("infopanel.png")) && ok;
    rightClick(&window, QPoint(320, 460)); // closes it
    settle(300);

    QTimer::singleShot(700, [&] {
        ok = grab(window, out.filePath("messagebox.png")) && ok;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    MyMessageBox::query(&window, QObject::tr("Delete the selected messages from the SIM card?"));
    return ok ? 0 : 1;
}
