#include "app/commonconfig.h"

#include "app/globals.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextStream>
#include <QtDebug>

CommonConfig comcfg;

namespace {

// Decimal conversion that gives 0 for a line that is not a number.
int toInt(const QString& line) {
    return line.trimmed().toInt();
}

int channel(const QString& line) {
    return qBound(0, toInt(line), 255);
}

QString readText(QTextStream& in) {
    QString value;
    readsecondline(&in, &value);
    return value;
}

int readInt(QTextStream& in) {
    return toInt(readText(in));
}

QColor readColor(QTextStream& in) {
    QString value = readText(in);
    int r = 0, g = 0, b = 0;
    readrgb(&in, &value, r, g, b);
    return QColor(r, g, b);
}

QBrush readBrush(QTextStream& in) {
    QBrush brush(readColor(in));
    const QString imagePath = in.readLine();
    const QImage pattern = imagePath.isEmpty() ? QImage() : QImage(imagePath);
    if (!pattern.isNull()) {
        const QColor color = brush.color();
        brush.setTextureImage(pattern);
        brush.setColor(color);
    }
    return brush;
}

} // namespace

void readsecondline(QTextStream* in, QString* value) {
    in->readLine(); // label line, free text for whoever edits the file
    *value = in->readLine();
}

void readrgb(QTextStream* in, QString* value, int& r, int& g, int& b) {
    r = channel(*value);
    *value = in->readLine();
    g = channel(*value);
    *value = in->readLine();
    b = channel(*value);
}

QString configText(const QString& text) {
    // The shipped file's translatable texts, for the catalogues.
    [[maybe_unused]] static const char* const shipped[] = {
        QT_TRANSLATE_NOOP("CommonConfig", "Internet Connection"),
        QT_TRANSLATE_NOOP("CommonConfig", "Velto Modem Connection is already running.")};
    return QCoreApplication::translate("CommonConfig", text.toUtf8().constData());
}

QString configFilePath() {
    const QString local = QStringLiteral("Data/config");
    if (QFileInfo::exists(local))
        return local;
    if (!programFolder().isEmpty())
        return dataFile("config");
    if (!QCoreApplication::instance())
        return local;
    return QCoreApplication::applicationDirPath() + "/Data/config";
}

void readConfig(CommonConfig& cfg) {
    readConfigFile(cfg, configFilePath());
}

void readConfigFile(CommonConfig& cfg, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning("read file error!");
        return;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);

    cfg.windowTitle = readText(in);
    cfg.statusLabelY = readInt(in);
    cfg.homeLabelColor1 = readColor(in);
    cfg.homeLabelColor2 = readColor(in);
    cfg.homeLabelColor3 = readColor(in);
    cfg.operatorDialogBg = readColor(in);
    cfg.dialogTextColor = readColor(in);
    cfg.profileDialogImage = readText(in);
    cfg.profileDialogColor = readColor(in);
    cfg.buttonTextColor = readColor(in);
    cfg.buttonHoverTextColor = readColor(in);
    cfg.unusedColor11 = readColor(in);
    cfg.connectionCaption = readText(in);
    cfg.connectionImage = readText(in);
    cfg.connectionTextColor = readColor(in);
    cfg.unusedColor15 = readColor(in);
    cfg.unusedBrush16 = readBrush(in);
    cfg.unusedColor17 = readColor(in);
    cfg.unusedBrush18 = readBrush(in);
    cfg.unusedColor19 = readColor(in);
    cfg.unusedBrush20 = readBrush(in);
    cfg.connectionTextColor2 = readColor(in);
    cfg.connectionTextColor3 = readColor(in);
    cfg.mainWindowColor1 = readColor(in);
    cfg.mainWindowColor2 = readColor(in);
    cfg.profileDialogColor2 = readColor(in);
    cfg.showBrandButton = readInt(in);
    cfg.useCmnetApn = readInt(in);
    cfg.builtinProfileName = readText(in);
    cfg.splashInitBg = readColor(in);
    cfg.splashInitText = readColor(in);
    cfg.connectionTextColor4 = readColor(in);
    cfg.smsTextColor = readColor(in);
    cfg.phonebookDialogTextColor = readColor(in);
    cfg.unusedText34 = readText(in);
    cfg.alreadyRunningText = readText(in);
    cfg.builtinDialNumber = readText(in);
    cfg.builtinApn = readText(in);
    cfg.builtinUserName = readText(in);
    cfg.builtinPassword = readText(in);
}
