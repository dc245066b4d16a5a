#include "sms/contactpickmodel.h"

#include <algorithm>

ContactPickModel::ContactPickModel(QObject* parent) : QAbstractTableModel(parent) {}

void ContactPickModel::setContacts(const QList<PickedContact>& contacts) {
    beginResetModel();
    rows_.clear();
    for (const PickedContact& c : contacts)
        rows_.append({c, false});
    endResetModel();
}

void ContactPickModel::append(const QList<PickedContact>& contacts) {
    if (contacts.isEmpty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(contacts.size()) - 1);
    for (const PickedContact& c : contacts)
        rows_.append({c, false});
    endInsertRows();
}

QList<PickedContact> ContactPickModel::take(const QList<int>& rows) {
    QList<PickedContact> taken;
    for (int row : rows) {
        if (row >= 0 && row < rows_.size())
            taken << rows_.at(row).contact;
    }
    // Bottom to top, so that the rows still to remove keep their numbers.
    QList<int> order = rows;
    std::sort(order.begin(), order.end(), std::greater<int>());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (int row : order) {
        if (row < 0 || row >= rows_.size())
            continue;
        beginRemoveRows({}, row, row);
        rows_.removeAt(row);
        endRemoveRows();
    }
    return taken;
}

bool ContactPickModel::isChecked(int row) const {
    return row >= 0 && row < rows_.size() && rows_.at(row).checked;
}

void ContactPickModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rows_.size() || rows_.at(row).checked == checked)
        return;
    rows_[row].checked = checked;
    const QModelIndex cell = index(row, CheckColumn);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

PickedContact ContactPickModel::contact(int row) const {
    return row >= 0 && row < rows_.size() ? rows_.at(row).contact : PickedContact{};
}

int ContactPickModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ContactPickModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ContactPickModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row& row = rows_.at(index.row());
    if (index.column() == CheckColumn)
        return role == Qt::CheckStateRole ? QVariant(row.checked ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    // Display, tool tip and the sorting role all show the text.
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::UserRole)
        return {};
    return index.column() == NameColumn ? row.contact.name : row.contact.number;
}

bool ContactPickModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != CheckColumn || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ContactPickModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == CheckColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ContactPickModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == NameColumn)
        return tr("Name");
    if (section == NumberColumn)
        return tr("Mobile Phone");
    return {};
}
