#pragma once

#include <QBrush>
#include <QColor>
#include <QString>

class QTextStream;

// Appearance values read once at start-up from "Data/config": colours, a few
// texts, three switches and the texts of the built-in connection profile.
// The comment of each field gives its entry number in the file.
class CommonConfig {
public:
    CommonConfig() = default;

    QString windowTitle;             // 0  main window title
    int statusLabelY = 0;            // 1  y of the home page status labels
    QColor homeLabelColor1;          // 2  home page label text colours
    QColor homeLabelColor2;          // 3
    QColor homeLabelColor3;          // 4
    QColor operatorDialogBg;         // 5  operator list dialog background, profile dialog
    QColor dialogTextColor;          // 6  operator list, profile dialog, information panel
    QString profileDialogImage;      // 7
    QColor profileDialogColor;       // 8
    QColor buttonTextColor;          // 9
    QColor buttonHoverTextColor;     // 10
    QColor unusedColor11;            // 11
    QString connectionCaption;       // 12 caption of the connection page
    QString connectionImage;         // 13
    QColor connectionTextColor;      // 14
    QColor unusedColor15;            // 15
    QBrush unusedBrush16;            // 16
    QColor unusedColor17;            // 17
    QBrush unusedBrush18;            // 18
    QColor unusedColor19;            // 19
    QBrush unusedBrush20;            // 20
    QColor connectionTextColor2;     // 21
    QColor connectionTextColor3;     // 22
    QColor mainWindowColor1;         // 23
    QColor mainWindowColor2;         // 24
    QColor profileDialogColor2;      // 25
    int showBrandButton = 0;         // 26 0 hides the operator-brand button
    int useCmnetApn = 0;             // 27 non-zero: "cmnet" when a profile has no APN
    QString builtinProfileName;      // 28
    QColor splashInitBg;             // 29
    QColor splashInitText;           // 30
    QColor connectionTextColor4;     // 31
    QColor smsTextColor;             // 32
    QColor phonebookDialogTextColor; // 33
    QString unusedText34;            // 34
    QString alreadyRunningText;      // 35 notice of the single-instance check
    QString builtinDialNumber;       // 36
    QString builtinApn;              // 37
    QString builtinUserName;         // 38
    QString builtinPassword;         // 39
};

// The process-wide appearance record.
extern CommonConfig comcfg;

// Where the appearance file is read from: "Data/config" in the working
// directory, or, when that does not exist, the one in the program's data
// folder (beside the executable while the program folder is unset).
QString configFilePath();

// Fills `cfg` from configFilePath(). A missing file leaves it as constructed.
void readConfig(CommonConfig& cfg);
// Reads the appearance file at `path` into `cfg`.
void readConfigFile(CommonConfig& cfg, const QString& path);

// A text of the appearance file as the user's language shows it: the texts
// the program ships with are translated, a text the user wrote stands as
// written.
QString configText(const QString& text);

// Reads a label line and a value line; keeps the value in `value`.
void readsecondline(QTextStream* in, QString* value);
// `value` holds the red line already read; reads green and blue.
void readrgb(QTextStream* in, QString* value, int& r, int& g, int& b);
