#pragma once

#include "app/cmdline.h"

class QApplication;

// Everything `main` does after creating the application object: style,
// appearance file, base path, translation, version, the first-argument rule,
// the single-instance lock, then the windows and the event loop. Returns the
// process's exit code.
int runStartup(QApplication& app, const CommandLine& cmd);
