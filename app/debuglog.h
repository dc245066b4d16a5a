#pragma once

#include <QtGlobal>

class QMessageLogContext;
class QString;

// Optional in-memory debug log: install with qInstallMessageHandler. Debug
// messages are kept, each followed by "\r\n"; warnings are ignored; a fatal
// message aborts.
void myMessageOutput(QtMsgType type, const QMessageLogContext& context, const QString& text);

// Writes everything kept so far to the program folder's Data/debug.log and closes the
// in-memory log.
void outputLog2File();
