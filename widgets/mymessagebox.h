#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

// The program's only message box: 238 x 150, frameless with its own title
// bar and close button, an icon, the text in up to four lines (or in a text
// field for the "WithEditer" forms) and one or two buttons.
//
// information/warning (and their WithEditer forms) return 1 when accepted
// ("Ok" or the close button) and 2 otherwise (Escape); query returns 3 for
// "Yes" and 4 otherwise ("No", the close button, Escape).
class MyMessageBox : public QDialog {
    Q_OBJECT
public:
    // Button codes.
    enum { NoButton = 0, Ok = 1, Cancel = 2, Yes = 3, No = 4, Abort = 5 };
    // Kinds of box, which decide what the close button means.
    enum Kind { Plain = 0, Warning = 1, Query = 2 };

    MyMessageBox(QWidget* parent, const QString& caption, const QString& text, bool withEditor,
                 int button0, int button1, const char* name = nullptr, bool modal = true);

    static int information(QWidget* parent, const QString& text);
    static int warning(QWidget* parent, const QString& text);
    static int query(QWidget* parent, const QString& text);
    static int informationWithEditer(QWidget* parent, const QString& text);
    static int warningWithEditer(QWidget* parent, const QString& text);
    static int queryWithEditer(QWidget* parent, const QString& text);

    // The kind of this box (set by the static functions).
    int msgType = Plain;

public slots:
    void slotClickOk();
    void slotClickCancel();
    void slotCloseMessageBox();

protected:
    // The title bar moves the box.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void init(int button0, int button1);
    static int run(QWidget* parent, const QString& text, Kind kind, bool withEditor);
    static QString buttonText(int code);

    QString text_;
    bool withEditor_ = false;
    bool dragging_ = false;
    QPoint dragOffset_; // pointer position within the box while dragging
};
