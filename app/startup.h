#pragma once

#include "app/cmdline.h"

#include <functional>

class QApplication;
class QSplashScreen;
class QWidget;

// Builds the program's main window, hidden, and has it appear 2 s later,
// closing `splash` then.
using MainWindowFactory = std::function<QWidget*(QSplashScreen* splash)>;

// Everything `main` does after creating the application object: style,
// appearance file, base path, translation, version, the first-argument rule,
// the single-instance lock, then the splash screen, the main window from
// `createWindow` and the event loop. Returns the process's exit code.
int runStartup(QApplication& app, const CommandLine& cmd, const MainWindowFactory& createWindow);
