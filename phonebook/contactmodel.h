#pragma once

// The contact table's data: the contacts of the tree item shown, with the
// user's row selection kept as a check mark per row, and the proxy that
// filters them by the search text and sorts them by a column.

#include "phonebook/contact.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QList>
#include <QSortFilterProxyModel>

class ContactTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        CheckColumn,
        NameColumn,
        MobileColumn,
        HomeColumn,
        OfficeColumn,
        GroupColumn,
        IdColumn, // hidden: the contact's id
        ColumnCount
    };

    explicit ContactTableModel(QObject* parent = nullptr);

    // Shows `contacts` (in this order), none selected.
    void setContacts(const QList<Contact>& contacts);
    const Contact& contactAt(int row) const { return rows_.at(row).contact; }
    // The name as shown (decoded with the coding of its store).
    const QString& nameAt(int row) const { return rows_.at(row).name; }
    // The row of a contact, -1 when it is not shown.
    int rowOf(int id, bool isSim) const;

    bool isChecked(int row) const { return rows_.at(row).checked; }
    void setChecked(int row, bool checked);
    // The same for many rows, told to the views once.
    void setChecked(const QList<int>& rows, bool checked);
    void toggle(int row) { setChecked(row, !isChecked(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The shown name of a contact of either store.
    static QString shownName(const Contact& c);

private:
    struct Row {
        Contact contact;
        QString name;
        bool checked = false;
    };
    QList<Row> rows_;
};

// The rows whose name or telephone numbers hold the search text, sorted by
// the column the user chose. Names match whatever the case, and whatever
// the accents unless the search text has some.
class ContactFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ContactFilterModel(QObject* parent = nullptr);

    void setSearchText(const QString& text);
    const QString& searchText() const { return search_; }

    ContactTableModel* contacts() const;
    // Source rows of the rows shown, in shown order; `checkedOnly` keeps the
    // selected ones.
    QList<int> shownRows(bool checkedOnly) const;
    // Marks every shown row as selected or not.
    void checkAllShown(bool checked);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString search_;
    QString foldedSearch_;
    bool searchAccents_ = false;
    // Names in the order of the user's language, whatever their case.
    QCollator collator_;
};
