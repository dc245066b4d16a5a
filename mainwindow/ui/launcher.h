#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The maker's web site, opened by the home page's "Home Page" button and the
// operator button of the internet page.
inline constexpr char makerWebAddress[] = "https://www.velto-modem.example/";

// Starts the first of `programs` that can be started, each with `argument`,
// detached from this process. False when none could be started.
bool startFirstProgram(const QStringList& programs, const QString& argument);

// The browsers tried for a web page or an HTML file, in order: the launch
// script "Data/launchFirefox.sh", then "mozilla", "netscape", "opera".
QStringList browserPrograms();
// The viewers tried for the PDF help: "acroread", "evince", "ooffice".
QStringList pdfViewerPrograms();

// Where a data file of the help or the launch script lies: "Data/<name>" in
// the working directory, or beside the executable when it is not there.
QString launchDataFile(const QString& name);

// Opens `target` (a web address or a file) with the desktop's program for
// it, else with the first of `fallbacks` that starts. False when nothing
// started.
bool openWithDesktop(const QString& target, const QStringList& fallbacks);

// Opens the maker's web site; when no browser can be started, tells the
// user so, with the address to open by hand.
void openWebSite(QWidget* parent);
