#pragma once

#include <QDialog>
#include <QString>

// The program's only message box. Information and warning boxes return 1 when
// accepted and 2 otherwise; query boxes return 3 for "Yes" and 4 for "No".
class MyMessageBox : public QDialog {
    Q_OBJECT
public:
    MyMessageBox(QWidget* parent, const QString& text);

    static int informationWithEditer(QWidget* parent, const QString& text);
};
