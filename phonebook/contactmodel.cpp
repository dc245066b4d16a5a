#include "phonebook/contactmodel.h"

#include "phonebook/coder.h"
#include "phonebook/iodata.h"

ContactTableModel::ContactTableModel(QObject* parent) : QAbstractTableModel(parent) {}

QString ContactTableModel::shownName(const Contact& c) {
    QString name;
    decode(name, c.getName(), c.getIsSim() ? IOData::simNamesUcs2 : true);
    return name;
}

void ContactTableModel::setContacts(const QList<Contact>& contacts) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(contacts.size());
    for (const Contact& c : contacts)
        rows_.append({c, shownName(c), false});
    endResetModel();
}

int ContactTableModel::rowOf(int id, bool isSim) const {
    for (int row = 0; row < rows_.size(); ++row) {
        const Contact& c = rows_.at(row).contact;
        if (c.getId() == id && c.getIsSim() == isSim)
            return row;
    }
    return -1;
}

void ContactTableModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rows_.size() || rows_[row].checked == checked)
        return;
    rows_[row].checked = checked;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void ContactTableModel::setChecked(const QList<int>& rows, bool checked) {
    bool changed = false;
    for (int row : rows) {
        if (row >= 0 && row < rows_.size() && rows_[row].checked != checked) {
            rows_[row].checked = checked;
            changed = true;
        }
    }
    if (changed)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int ContactTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ContactTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ContactTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Row& row = rows_.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == CheckColumn)
        return row.checked ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const Contact& c = row.contact;
    switch (index.column()) {
    case NameColumn:
        return row.name;
    case MobileColumn:
        return c.getPhone();
    case HomeColumn:
        return c.getHomePhone();
    case OfficeColumn:
        return c.getOfficePhone();
    case GroupColumn:
        return c.getGroup();
    case IdColumn:
        return c.getId();
    default:
        return {};
    }
}

bool ContactTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != CheckColumn || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return tr("Name");
    case MobileColumn:
        return tr("MobilePhone");
    case HomeColumn:
        return tr("HomePhone");
    case OfficeColumn:
        return tr("OfficePhone");
    case GroupColumn:
        return tr("Groups");
    case IdColumn:
        return tr("Id");
    default:
        return QString();
    }
}

Qt::ItemFlags ContactTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled;
    if (index.column() == CheckColumn)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

ContactFilterModel::ContactFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

ContactTableModel* ContactFilterModel::contacts() const {
    return qobject_cast<ContactTableModel*>(sourceModel());
}

QList<int> ContactFilterModel::shownRows(bool checkedOnly) const {
    QList<int> rows;
    const ContactTableModel* model = contacts();
    for (int r = 0; r < rowCount(); ++r) {
        const int source = mapToSource(index(r, 0)).row();
        if (!checkedOnly || model->isChecked(source))
            rows.append(source);
    }
    return rows;
}

void ContactFilterModel::checkAllShown(bool checked) {
    contacts()->setChecked(shownRows(false), checked);
}

namespace {

// `text` as the search compares it: case folded and, unless `accents`,
// without the marks that accented letters decompose into.
QString folded(const QString& text, bool accents) {
    if (accents)
        return text.toCaseFolded();
    QString bare = text.normalized(QString::NormalizationForm_D);
    bare.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return bare.toCaseFolded();
}

} // namespace

void ContactFilterModel::setSearchText(const QString& text) {
    if (text == search_)
        return;
    search_ = text;
    // Typed accents are meant: "Müller" finds only "Müller", "muller" both.
    searchAccents_ = folded(text, false) != folded(text, true);
    foldedSearch_ = folded(text, searchAccents_);
    invalidateFilter();
}

bool ContactFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (search_.isEmpty())
        return true;
    const ContactTableModel* model = contacts();
    const Contact& c = model->contactAt(sourceRow);
    return folded(model->nameAt(sourceRow), searchAccents_).contains(foldedSearch_) ||
           c.getPhone().contains(search_) || c.getHomePhone().contains(search_) ||
           c.getOfficePhone().contains(search_);
}

bool ContactFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    if (left.column() == ContactTableModel::CheckColumn) {
        const ContactTableModel* model = contacts();
        return model->isChecked(left.row()) < model->isChecked(right.row());
    }
    if (left.column() == ContactTableModel::IdColumn)
        return left.data().toInt() < right.data().toInt();
    return collator_.compare(left.data().toString(), right.data().toString()) < 0;
}
