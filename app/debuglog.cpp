#include "app/debuglog.h"

#include "app/globals.h"

#include <QBuffer>
#include <QFile>
#include <cstdlib>

namespace {

QBuffer& logBuffer() {
    static QBuffer buffer;
    static bool opened = buffer.open(QIODevice::WriteOnly);
    Q_UNUSED(opened);
    return buffer;
}

} // namespace

void myMessageOutput(QtMsgType type, const QMessageLogContext&, const QString& text) {
    switch (type) {
    case QtDebugMsg:
        if (logBuffer().isOpen()) {
            logBuffer().write(text.toLocal8Bit());
            logBuffer().write("\r\n");
        }
        break;
    case QtFatalMsg:
        std::abort();
    default:
        break;
    }
}

void outputLog2File() {
    QFile file(dataFile("debug.log"));
    // Truncate: a shorter log must not keep the tail of an older, longer one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(logBuffer().data());
        file.close();
    }
    logBuffer().close();
}
