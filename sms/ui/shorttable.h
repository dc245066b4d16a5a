#pragma once

#include <QTableView>

class QAbstractItemModel;
class QSortFilterProxyModel;

// A table over a model through a sorting proxy: a click on a column header
// sorts by it, and a sort always moves whole rows. Rows are selected whole.
class CShortTable : public QTableView {
    Q_OBJECT
public:
    CShortTable(QAbstractItemModel* model, QWidget* parent, const char* name);

    // The model rows of the selected rows, in the order shown.
    QList<int> selectedSourceRows() const;
    // The model row shown at view row `row` (-1 when none).
    int sourceRow(int row) const;
    // The model row of the current row (-1 when none).
    int currentSourceRow() const;
    // The model rows in the order shown.
    QList<int> sourceRowsInViewOrder() const;

    QSortFilterProxyModel* proxy() const { return proxy_; }

signals:
    // A double click on a row, with its model row.
    void rowDoubleClicked(int sourceRow);
    // A press on a row, with its model row.
    void rowPressed(int sourceRow);

private:
    QSortFilterProxyModel* proxy_;
};
