#include "mainwindow/operatorselection.h"

#include "modem/serialthread.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

namespace {

// The "UMTS preferred" mode preference that a search needs.
constexpr int SearchModePreference = 1;

QString tr(const char* text) {
    return QCoreApplication::translate("ManualSelect", text);
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

OperatorSelection::OperatorSelection(SerialThread& link, QObject* parent)
    : QObject(parent), link_(link) {}

void OperatorSelection::search(std::function<void(QList<OperatorEntry>)> done) {
    if (link_.dialect != Dialect::Maker) {
        // Another maker's card searches in whatever mode it is in.
        link_.getNetworkList(this, [done](std::optional<QList<OperatorEntry>> operators) {
            done(operators.value_or(QList<OperatorEntry>()));
        });
        return;
    }
    link_.getNetworkSelectionMode(this, [this, done](int mode) {
        // Once the preference is borrowed, the search and the user's own
        // preference back run under the link: closing the dialog that asked
        // must not leave the card with the search's preference.
        const bool borrowed = mode != SearchModePreference && mode > 0;
        SerialThread* link = &link_;
        if (borrowed)
            link_.setNetworkSelectionMode(link, SearchModePreference, nullptr);
        link_.getNetworkList(link, [link, selection = QPointer<OperatorSelection>(this), done,
                                    borrowed, mode](std::optional<QList<OperatorEntry>> operators) {
            if (borrowed)
                link->setNetworkSelectionMode(link, mode, nullptr);
            if (selection)
                done(operators.value_or(QList<OperatorEntry>()));
        });
    });
}

void OperatorSelection::select(const OperatorEntry& entry, std::function<void(Result)> done) {
    if (entry.stat == 3) {
        QTimer::singleShot(0, this, [done] { done(Result::Forbidden); });
        return;
    }
    link_.setManualNetworkMode(this, entry.numeric, entry.act, [done](bool registered) {
        done(registered ? Result::Registered : Result::Refused);
    });
}
