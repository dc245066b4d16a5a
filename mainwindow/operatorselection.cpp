#include "mainwindow/operatorselection.h"

#include "modem/serialthread.h"
#include "settings/networkchoice.h"
#include "settings/settingsfiles.h"

#include <QCoreApplication>
#include <QtDebug>

namespace {

// The "UMTS preferred" mode preference that a search needs.
constexpr int SearchModePreference = 1;

QString tr(const char* text) {
    return QCoreApplication::translate("ManualSelect", text);
}

void storeModeChoice(int modemMode) {
    const int choice = modeChoiceOf(modemMode);
    if (choice < 0)
        return;
    NetworkSettings settings = readNetworkSettings();
    settings.modePerferred = choice;
    writeNetworkSettings(settings);
}

} // namespace

QString operatorStatusText(int stat) {
    static const char* const texts[] = {QT_TRANSLATE_NOOP("ManualSelect", "Unknown"),
                                        QT_TRANSLATE_NOOP("ManualSelect", "Available"),
                                        QT_TRANSLATE_NOOP("ManualSelect", "Current"),
                                        QT_TRANSLATE_NOOP("ManualSelect", "Forbidden")};
    return stat >= 0 && stat <= 3 ? tr(texts[stat]) : QString();
}

QString operatorStatusImage(int stat) {
    return stat >= 0 && stat <= 3 ? QStringLiteral("network/StateImageList%1.png").arg(stat)
                                  : QString();
}

QString operatorName(const OperatorEntry& entry) {
    return entry.shortName.isEmpty() ? entry.longName : entry.shortName;
}

QString technologyText(int act) {
    switch (act) {
    case 0:
    case 1:
    case 3:
        return QStringLiteral("2G");
    case 2:
    case 4:
    case 5:
    case 6:
        return QStringLiteral("3G");
    case 7:
        return QStringLiteral("4G");
    default:
        return QString();
    }
}

OperatorSelection::OperatorSelection(SerialThread& link) : link_(link) {}

QList<OperatorEntry> OperatorSelection::search() {
    const int mode = link_.getNetworkSelectionMode();
    if (!remembered_) {
        savedMode_ = mode;
        remembered_ = true;
    }
    if (mode != SearchModePreference && link_.setNetworkSelectionMode(SearchModePreference) == 1)
        storeModeChoice(SearchModePreference);
    qDebug("enter refresh...");
    QByteArray reply(AT_REPLY_SIZE, '\0');
    const int result = link_.getNetworkList(reply.data(), static_cast<int>(reply.size()));
    qDebug("manual search = %d", result);
    if (result != 1)
        return {};
    return parseOperatorList(reply.constData());
}

OperatorSelection::Result OperatorSelection::select(const OperatorEntry& entry) {
    qDebug("enter selectNetworkMode...");
    if (entry.stat == 3)
        return Result::Forbidden;
    const QByteArray oper = "\"" + entry.numeric.toLatin1() + "\"";
    const QByteArray act = entry.act >= 0 ? QByteArray::number(entry.act) : QByteArray();
    qDebug("oper = %s, act = %s", oper.constData(), act.constData());
    if (link_.setManualNetworkMode("1", "2", oper.constData(), act.constData()) == 1)
        return Result::Registered;
    if (link_.setNetworkSelectionMode(savedMode_) == 1)
        storeModeChoice(savedMode_);
    return Result::Refused;
}
