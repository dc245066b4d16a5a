#pragma once

#include <QTableView>

// The contact table. A left press on a row selects it or takes it out of the
// selection again (the model keeps the selection as the rows' check marks,
// and selected rows are drawn highlighted); a right press asks for the
// context menu; dragging selects nothing. Space toggles the current row.
// Whenever the number of rows shown changes, reSize tells it.
class MyTable : public QTableView {
    Q_OBJECT
public:
    explicit MyTable(QWidget* parent = nullptr, const char* name = nullptr);

    void setModel(QAbstractItemModel* model) override;

signals:
    void reSize(int rows);
    // A left press toggled the selection of this proxy row.
    void rowToggled(int row);
    void rowActivated(int row);
    void contextMenuAt(int row, const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void emitSize();
};
