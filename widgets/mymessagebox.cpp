#include "widgets/mymessagebox.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

MyMessageBox::MyMessageBox(QWidget* parent, const QString& text) : QDialog(parent) {
    setFixedSize(238, 150);
    auto* layout = new QVBoxLayout(this);
    auto* edit = new QTextEdit(this);
    edit->setObjectName("msgEdit");
    edit->setReadOnly(true);
    edit->setPlainText(text);
    auto* ok = new QPushButton(tr("Ok"), this);
    ok->setObjectName("pb0");
    layout->addWidget(edit);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int MyMessageBox::informationWithEditer(QWidget* parent, const QString& text) {
    MyMessageBox box(parent, text);
    box.setModal(true);
    return box.exec() == QDialog::Accepted ? 1 : 2;
}
