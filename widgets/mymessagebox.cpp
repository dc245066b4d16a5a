#include "widgets/mymessagebox.h"

#include "app/commonconfig.h"
#include "app/globals.h"
#include "widgets/linebreak.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTextEdit>
#include <QtDebug>

namespace {

constexpr int boxWidth = 238;
constexpr int boxHeight = 150;
constexpr int titleHeight = 23;
constexpr int textWidth = 160;
constexpr int buttonWidth = 72;
constexpr int buttonHeight = 24;
constexpr int buttonY = 116;
// Where the background's footer band starts: the text stays above it.
constexpr int footerY = 106;
constexpr int lineHeight = 18;

const char* iconFile(MyMessageBox::Kind kind) {
    switch (kind) {
    case MyMessageBox::Warning:
        return "messageBox/msg_warning.png";
    case MyMessageBox::Query:
        return "messageBox/msg_query.png";
    case MyMessageBox::Plain:
        break;
    }
    return "messageBox/msg_information.png";
}

} // namespace

MyMessageBox::MyMessageBox(QWidget* parent, const QString& caption, const QString& text,
                           bool withEditor, int button0, int button1, const char* name, bool modal)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), text_(text), withEditor_(withEditor) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    setWindowTitle(caption.isEmpty() ? comcfg.windowTitle : caption);
    init(button0, button1);
}

void MyMessageBox::init(int button0, int button1) {
    setFixedSize(boxWidth, boxHeight);
    msgType = Plain;

    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QPixmap(resFile("messageBox/part5MessageBox.jpg")));
    pal.setColor(QPalette::WindowText, QColor(31, 41, 55));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* bar = new QLabel(this);
    bar->setObjectName("titleBar");
    bar->setPixmap(QPixmap(resFile("messageBox/barMessageBOX238x23.bmp")));
    bar->setGeometry(0, 0, boxWidth, titleHeight);

    auto* title = new QLabel(windowTitle(), this);
    title->setObjectName("titleLabel");
    title->setGeometry(28, 0, boxWidth - 56, titleHeight);
    QFont titleFont("Liberation Sans");
    titleFont.setPointSize(9);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QPalette titlePal = title->palette();
    titlePal.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(titlePal);

    if (withEditor_) {
        auto* edit = new QTextEdit(this);
        edit->setObjectName("msgEdit");
        edit->setReadOnly(true);
        edit->setFrameShape(QFrame::NoFrame);
        edit->setPlainText(text_);
        edit->setGeometry(62, 26, boxWidth - 62 - 8, footerY - 26 - 4);
        edit->viewport()->setAutoFillBackground(false);
        edit->setAutoFillBackground(false);
    }

    auto* close = new MyButton(this, "closeBtn");
    close->setNormalPixmap(QPixmap(resFile("messageBox/close.bmp")));
    close->setGeometry(boxWidth - 21, 3, 17, 17);
    close->setToolTip(tr("Close"));
    connect(close, &QPushButton::clicked, this, &MyMessageBox::slotCloseMessageBox);

    if (button0 == NoButton)
        return;
    const QPixmap normal(resFile("buttons/buttons12.png"));
    const QPixmap pressed(resFile("buttons/buttons14.png"));
    const QPixmap invalid(resFile("buttons/buttons13.png"));
    auto makeButton = [&](const char* name, const QString& label, int x) {
        auto* button = new MyButton(this, name);
        button->setMultiPixmap(normal, pressed, invalid);
        button->setText(label);
        button->setGeometry(x, buttonY, buttonWidth, buttonHeight);
        return button;
    };
    if (button1 == NoButton) {
        auto* ok = makeButton("pb0", buttonText(Ok), (boxWidth - buttonWidth) / 2);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &MyMessageBox::slotClickOk);
        return;
    }
    const int gap = 14;
    const int left = (boxWidth - 2 * buttonWidth - gap) / 2;
    auto* first = makeButton("pb0", buttonText(button0), left);
    auto* second = makeButton("pb1", buttonText(button1), left + buttonWidth + gap);
    first->setDefault(true);
    connect(first, &QPushButton::clicked, this, &MyMessageBox::slotClickOk);
    connect(second, &QPushButton::clicked, this, &MyMessageBox::slotClickCancel);
}

QString MyMessageBox::buttonText(int code) {
    switch (code) {
    case Ok:
        return tr("Ok");
    case Cancel:
        return tr("Cancel");
    case Yes:
        return tr("Yes");
    case No:
        return tr("No");
    case Abort:
        return tr("Abort");
    default:
        return {};
    }
}

void MyMessageBox::slotClickOk() {
    qDebug("____MyMessageBox::slotClickOk()____");
    accept();
}

void MyMessageBox::slotClickCancel() {
    qDebug("____MyMessageBox::slotClickCancel()____");
    reject();
}

void MyMessageBox::slotCloseMessageBox() {
    if (msgType == Plain || msgType == Warning)
        accept();
    else if (msgType == Query)
        reject();
}

void MyMessageBox::mousePressEvent(QMouseEvent* event) {
    dragging_ = event->button() == Qt::LeftButton && event->position().y() < titleHeight;
    dragOffset_ = event->position().toPoint();
    QDialog::mousePressEvent(event);
}

void MyMessageBox::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - dragOffset_);
    QDialog::mouseMoveEvent(event);
}

void MyMessageBox::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}

int MyMessageBox::run(QWidget* parent, const QString& text, Kind kind, bool withEditor) {
    const bool isQuery = kind == Query;
    // Deleted by the guard below, or with its parent if that goes first.
    QPointer<MyMessageBox> box = new MyMessageBox(parent, QString(), text, withEditor,
                                                  isQuery ? Yes : Ok, isQuery ? No : NoButton);
    QFont font("Liberation Sans");
    font.setPointSize(10);
    box->setFont(font);
    box->msgType = kind;

    auto* icon = new QLabel(box);
    icon->setObjectName("iconLabel");
    icon->setPixmap(QPixmap(resFile(iconFile(kind))));
    icon->setGeometry(withEditor ? 30 : 15, 25, 25, 25);

    if (!withEditor) {
        const QStringList lines = lineStr2Multiline(text, textWidth, QFontMetrics(box->font()));
        for (int i = 0; i < lines.size(); ++i) {
            auto* line = new QLabel(lines.at(i), box);
            line->setObjectName(QString("textLine%1").arg(i));
            line->setGeometry(48, 28 + lineHeight * i, textWidth, lineHeight);
            line->setAttribute(Qt::WA_TranslucentBackground);
        }
    }

    const bool accepted = box->exec() == QDialog::Accepted;
    delete box;
    const int reply = isQuery ? (accepted ? Yes : No) : (accepted ? 1 : 2);
    if (isQuery || (kind == Plain && !withEditor))
        qDebug("____reply = %d____", reply);
    return reply;
}

int MyMessageBox::information(QWidget* parent, const QString& text) {
    return run(parent, text, Plain, false);
}

int MyMessageBox::warning(QWidget* parent, const QString& text) {
    return run(parent, text, Warning, false);
}

int MyMessageBox::query(QWidget* parent, const QString& text) {
    return run(parent, text, Query, false);
}

int MyMessageBox::informationWithEditer(QWidget* parent, const QString& text) {
    return run(parent, text, Plain, true);
}

int MyMessageBox::warningWithEditer(QWidget* parent, const QString& text) {
    return run(parent, text, Warning, true);
}

int MyMessageBox::queryWithEditer(QWidget* parent, const QString& text) {
    return run(parent, text, Query, true);
}
