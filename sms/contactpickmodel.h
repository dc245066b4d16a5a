#pragma once

// One table of the recipient picker: contacts with a check box, a name and
// a mobile number.

#include <QAbstractTableModel>
#include <QList>
#include <QString>

struct PickedContact {
    QString name;
    QString number;
};

class ContactPickModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CheckColumn = 0, NameColumn, NumberColumn, ColumnCount };

    explicit ContactPickModel(QObject* parent = nullptr);

    // Replaces the rows, all unchecked.
    void setContacts(const QList<PickedContact>& contacts);
    // Appends rows, unchecked.
    void append(const QList<PickedContact>& contacts);
    // Removes the rows `rows` (model rows, any order) and returns them in
    // the order given.
    QList<PickedContact> take(const QList<int>& rows);

    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    PickedContact contact(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row {
        PickedContact contact;
        bool checked = false;
    };
    QList<Row> rows_;
};
