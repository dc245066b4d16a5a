// The information panel, a message box and the PIN dialog over the home page.
//
//   velto_uishots OUTDIR
// writes OUTDIR/infopanel.png, OUTDIR/messagebox.png and OUTDIR/pin.png.

#include "app/globals.h"
#include "mainwindow/ui/checkpin.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "tools/screenshots/shots.h"
#include "widgets/mymessagebox.h"

#include <QMouseEvent>
#include <QTimer>

namespace {

void rightClick(QWidget* window, const QPoint& at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, window->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    setProgramFolders(QCoreApplication::applicationDirPath());
    const std::optional<QDir> out = Shots::begin(app, "uishots");
    if (!out)
        return 2;

    WTMainWindow window(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
    Shots::showCentred(window);
    Shots::settle(800);

    bool ok = true;
    rightClick(&window, QPoint(320, 460));
    Shots::settle(600);
    ok = Shots::grab(window, out->filePath("infopanel.png")) && ok;
    rightClick(&window, QPoint(320, 460)); // closes it
    Shots::settle(300);

    CheckPIN pin(&window, "CheckPIN", true);
    pin.setTitle(QObject::tr("SIM PIN"));
    pin.open();
    Shots::settle(600);
    ok = Shots::grab(window, out->filePath("pin.png")) && ok;
    pin.reject();
    Shots::settle(300);

    QTimer::singleShot(700, [&] {
        ok = Shots::grab(window, out->filePath("messagebox.png")) && ok;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    MyMessageBox::query(&window, QObject::tr("Delete the selected messages from the SIM card?"));
    return ok ? 0 : 1;
}
