#pragma once

#include <QString>

// The network, message and alert settings, each kept in its own INI file in
// the data folder through QSettings (which writes a new file and renames it
// over the old one, so a crash never leaves half a file). A key that is
// missing or not a number reads as 0; the member initialisers are the values
// a new file is written with.

struct NetworkSettings {
    int networkSlect = 0;  // 0 automatic, 1 manual operator selection
    int modePerferred = 0; // 0 UMTS preferred, 1 GPRS/EDGE preferred, 2 UMTS only, 3 GPRS/EDGE only
    int monthlyLimitMB = 0;  // the data of a billing period; 0: no limit
    int billingDay = 1;      // the day of the month a billing period starts (1-31)
    int limitDisconnect = 0; // 1: the connection ends at the limit
    bool operator==(const NetworkSettings&) const = default;
};

struct MessageSettings {
    QString smsCenter;    // service centre number
    int smsLoca = 0;      // 0 "Default", 1 "(U)SIM Card", 2 "PC"
    int validPeriod = 3;  // 0 "12 hours", 1 "A day", 2 "A week", 3 "The longest period"
    int deliveReport = 1; // 0 on, 1 off
    bool operator==(const MessageSettings&) const = default;
};

struct AlertSettings {
    QString conAlert; // sound files
    QString disconAlert;
    QString smsAlert;
    int connectMute = 0; // 1 when the alert is switched on
    int disconnectMute = 0;
    int smsMute = 0;
    int desktopNotices = 1; // 1: the same events raise desktop notifications
    int closeToTray = 0;    // 1: closing the window keeps the program in the tray
    bool operator==(const AlertSettings&) const = default;
};

QString networkSettingsFile(); // Data/networksetconfigrc
QString messageSettingsFile(); // Data/messagesetconfigrc
QString alertSettingsFile();   // Data/alertsetconfigrc

NetworkSettings readNetworkSettings();
// The dialer chosen in the connection settings, kept in the network
// settings file: "wvdial" or "pppd"; empty for the machine's default.
QString readDialerChoice();
bool writeDialerChoice(const QString& dialer);
MessageSettings readMessagesSettings();
AlertSettings readAlertSettings();

// Each returns false when the file could not be written. Lines of the old
// file that can't be parsed are left out of the new one.
bool writeNetworkSettings(const NetworkSettings& settings);
bool writeMessagesSettings(const MessageSettings& settings);
bool writeAlertSettings(const AlertSettings& settings);

// Writes the defaults of each settings file that does not exist.
void writeMissingSettingsFiles();

// Removes the lock files that a run ended while writing a settings file left
// behind (their owner is gone). Runs at start.
void clearStaleSettingsLocks();
