#pragma once

// What the screenshot programs share: each puts the main window on the
// (virtual) screen, brings it into a state a user would see, and saves the
// window's rectangle of the screen as a PNG in the folder it is given
// (scripts/screenshots runs them and cuts the rounded corners).

#include <QApplication>
#include <QDir>
#include <QString>
#include <optional>

class WTMainWindow;

namespace Shots {

// Sets the look the README's pictures have (Fusion, the appearance file, the
// system's language) and returns the output folder of `velto_<name> OUTDIR`;
// prints the usage and returns nothing when it is missing.
std::optional<QDir> begin(QApplication& app, const char* name);

// The main window, frameless as the program shows it, in the middle of the screen.
void showCentred(WTMainWindow& window);

// Lets the event loop run for `ms` so that the window draws.
void settle(int ms);

// Saves the screen's area under `window` to `path`.
bool grab(const QWidget& window, const QString& path);

} // namespace Shots
