#pragma once

#include <QString>

// Process-wide state of the internet connection, shared by the profile
// dialog, the settings page, the connection page and the main window.

// Name of the default profile, the one used for dialling.
extern QString defConfFile;
// "delete Enable" and "IMSI" values of the profile loaded last.
extern QString delflagOfCurrentApn;
extern QString mccOfCurrentApn;
// Name of the profile the dialog has just saved; empty otherwise.
extern QString newConfigDialgName;
// 1 while the connection button offers "Connect", 0 while connected.
extern int connectOrDisconnectButton;
// 1 while a connection is being made or taken down.
extern int connecting;
