#pragma once

#include "mainwindow/operatorselection.h"
#include "widgets/framedialog.h"

#include <QList>

class QLabel;
class QTableWidget;
class MyButton;
class SerialThread;

// Operator selection by hand: lists the networks the modem sees (searching
// as soon as the dialog shows, and again on "Refresh") and registers on the
// one chosen.
class ManualSelect : public FrameDialog {
    Q_OBJECT
public:
    // Table columns.
    enum Column { ImageColumn, StatusColumn, NameColumn, NumericColumn, TypeColumn };

    ManualSelect(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f,
                 SerialThread& link);

    // Registers on the operator of `row`; the user is told how it went.
    void selectNetworkMode(int row);
    // The operators of the last search.
    const QList<OperatorEntry>& operators() const { return operators_; }

    // The result of the last registration; cleared by every new dialog.
    static bool selectSuccess;

    QTableWidget* table;
    MyButton* refreshButton;
    MyButton* selectButton;
    MyButton* exitExit;
    QLabel* titlelabel;
    QLabel* sarnLabel;
    QLabel* statusLabel;

public slots:
    void refresh();
    void select();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateTable();
    void setButtonsBusy(bool busy);

    OperatorSelection selection_;
    QList<OperatorEntry> operators_;
    bool searched_ = false;
};
