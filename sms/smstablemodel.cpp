#include "sms/smstablemodel.h"

#include "sms/deliveryreport.h"

#include <cstring>

QString formatMessageTime(const QString& stamp) {
    static const char* const separators[] = {"", "-", "-", " ", ":", ":"};
    QString shown;
    for (int i = 0; i < 6; ++i) {
        const QString part = stamp.mid(2 * i, 2);
        if (part.isEmpty())
            break;
        shown += QLatin1String(separators[i]) + part;
    }
    return shown;
}

QString SmsTableModel::shownState(const QString& state) {
    // The stored state words, shown in the user's language.
    static const char* const words[] = {QT_TR_NOOP("new"), QT_TR_NOOP("read"), QT_TR_NOOP("send"),
                                        QT_TR_NOOP("failed"), QT_TR_NOOP("unsent")};
    for (const char* word : words)
        if (state == QLatin1String(word))
            return tr(word);
    return state;
}

SmsTableModel::SmsTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SmsTableModel::setMessages(const SmsList& messages,
                                const std::function<QString(const QString&)>& nameOf) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(messages.size());
    for (auto it = messages.constBegin(); it != messages.constEnd(); ++it) {
        const SM_PARAM_DECODE& rec = it.value();
        const QString number = QString::fromLatin1(rec.TPA, strnlen(rec.TPA, sizeof rec.TPA));
        const QString stamp =
            QString::fromLatin1(rec.TP_SCTS, strnlen(rec.TP_SCTS, sizeof rec.TP_SCTS));
        // A sent message that asked for reports shows where its delivery stands.
        const QString state = rec.delivery.isEmpty() || rec.state != QLatin1String("send")
                                  ? shownState(rec.state)
                                  : deliveryStateText(rec.delivery);
        rows_.append({it.key(), number, nameOf ? nameOf(number) : QString(),
                      formatMessageTime(stamp), stamp, state});
    }
    endResetModel();
}

void SmsTableModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int SmsTableModel::idAt(int row) const {
    return row >= 0 && row < rows_.size() ? rows_.at(row).id : -1;
}

QString SmsTableModel::numberAt(int row) const {
    return row >= 0 && row < rows_.size() ? rows_.at(row).number : QString();
}

int SmsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SmsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SmsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row& row = rows_.at(index.row());
    if (role == SortRole) {
        if (index.column() == IdColumn)
            return row.id;
        if (index.column() == TimeColumn)
            return row.stamp;
    } else if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    switch (index.column()) {
    case IdColumn:
        return QString::number(row.id);
    case NumberColumn:
        return row.number;
    case NameColumn:
        return row.name;
    case TimeColumn:
        return row.time;
    case StateColumn:
        return row.state;
    default:
        return {};
    }
}

QVariant SmsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NumberColumn:
        return tr("PhoneNumber");
    case NameColumn:
        return tr("Name");
    case TimeColumn:
        return tr("Date/Time");
    case StateColumn:
        return tr("State");
    default:
        return {};
    }
}
