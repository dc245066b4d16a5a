#include "phonebook/ui/mytable.h"

#include "phonebook/contactmodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

// Draws the rows the model marks as selected with the selection colours.
class CheckedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QModelIndex check = index.siblingAtColumn(ContactTableModel::CheckColumn);
        if (check.data(Qt::CheckStateRole).toInt() == Qt::Checked)
            option->state |= QStyle::State_Selected;
        else
            option->state &= ~QStyle::State_Selected;
        option->state &= ~QStyle::State_HasFocus;
    }
};

} // namespace

MyTable::MyTable(QWidget* parent, const char* name) : QTableView(parent) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setItemDelegate(new CheckedRowDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setSortingEnabled(true);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(false);
}

void MyTable::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    connect(model, &QAbstractItemModel::modelReset, this, &MyTable::emitSize);
    connect(model, &QAbstractItemModel::layoutChanged, this, &MyTable::emitSize);
    connect(model, &QAbstractItemModel::rowsInserted, this, &MyTable::emitSize);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &MyTable::emitSize);
}

void MyTable::emitSize() {
    emit reSize(model() ? model()->rowCount() : 0);
}

void MyTable::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        setCurrentIndex(index);
    if (event->button() == Qt::LeftButton && index.isValid())
        emit rowToggled(index.row());
    event->accept();
}

void MyTable::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void MyTable::mouseReleaseEvent(QMouseEvent* event) {
    // The press decided; the check box must not toggle the row again.
    event->accept();
}

void MyTable::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        // The first press of the double click toggled the row: undo that.
        emit rowToggled(index.row());
        emit rowActivated(index.row());
    }
    event->accept();
}

void MyTable::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
        emit rowToggled(currentIndex().row());
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        emit rowActivated(currentIndex().row());
        return;
    }
    QTableView::keyPressEvent(event);
}

void MyTable::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index = indexAt(event->pos());
    emit contextMenuAt(index.isValid() ? index.row() : -1, event->globalPos());
}
