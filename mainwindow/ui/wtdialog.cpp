#include "mainwindow/ui/wtdialog.h"

#include "app/globals.h"
#include "widgets/mybutton.h"

#include <QTextEdit>

WTDialog::WTDialog(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f)
    : QDialog(parent, f | Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QString::fromLatin1(name ? name : "WTDialog"));
    setModal(modal);
    setFixedSize(238, 150);
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QPixmap(resFile("messageBox/part5MessageBox.jpg")));
    setPalette(pal);
    setAutoFillBackground(true);

    msgEdit = new QTextEdit(this);
    msgEdit->setObjectName("msgEdit");
    msgEdit->setGeometry(12, 12, 214, 88);

    const QPixmap normal(resFile("buttons/buttons12.png"));
    const QPixmap pressed(resFile("buttons/buttons14.png"));
    const QPixmap invalid(resFile("buttons/buttons13.png"));
    OKbutton = new MyButton(this, "OKbutton");
    OKbutton->setMultiPixmap(normal, pressed, invalid);
    OKbutton->setText(tr("OK"));
    OKbutton->setGeometry(40, 116, 72, 24);
    cancelButton = new MyButton(this, "cancelButton");
    cancelButton->setMultiPixmap(normal, pressed, invalid);
    cancelButton->setText(tr("Cancel"));
    cancelButton->setGeometry(126, 116, 72, 24);
    connect(OKbutton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}
