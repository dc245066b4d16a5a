#include "app/commonconfig.h"
#include "app/globals.h"
#include "connection/ui/config.h"
#include "mainwindow/ui/checkpin.h"
#include "mainwindow/ui/deviceinfopanel.h"
#include "mainwindow/ui/manualsearch.h"
#include "mainwindow/ui/manualselect.h"
#include "mainwindow/ui/resetpin.h"
#include "mainwindow/ui/wtdialog.h"
#include "mainwindow/ui/wtmainwindow.h"
#include "phonebook/ui/newcontact.h"
#include "sms/ui/search.h"
#include "tests/support/testenv.h"
#include "tests/widgets/modalhelper.h"
#include "widgets/mymessagebox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>
#include <memory>

namespace {

const QString kOpen = QStringLiteral("\u27e6");
const QString kClose = QStringLiteral("\u27e7");

// Marks every text that asks for a translation, so that a text shown without
// one stands out.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char*, int) const override {
        return source && *source ? kOpen + QString::fromUtf8(source) + kClose : QString();
    }
    bool isEmpty() const override { return false; }
};

// Names shown as they are in every language: the product's, and the
// built-in connection profile's (in the internet page's caption).
QStringList allowedNames() {
    return {"Velto Modem Connection", comcfg.builtinProfileName};
}

// What is left of a shown text once its translated parts are taken out must
// be data: numbers, punctuation, or a name of the allow-list.
bool escapes(const QString& shown) {
    QString rest = shown;
    static const QRegularExpression marked(QStringLiteral("\u27e6[^\u27e7]*\u27e7"));
    rest.remove(marked);
    for (const QString& allowed : allowedNames())
        rest.remove(allowed);
    static const QRegularExpression letter("\\p{L}");
    return rest.contains(letter);
}

QString plain(const QString& text) {
    if (!Qt::mightBeRichText(text))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

// Every visible text of `top` and its children that escaped the translator,
// as "object: text".
QStringList untranslatedTexts(QWidget* top) {
    QStringList found;
    const auto check = [&found](const QObject* owner, const QString& kind, const QString& text) {
        if (escapes(plain(text)))
            found << owner->metaObject()->className() + QString(" ") + owner->objectName() + " " +
                         kind + ": " + text;
    };
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        if (w->isWindow())
            check(w, "title", w->windowTitle());
        check(w, "tooltip", w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            check(w, "text", label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            check(w, "text", button->text());
        else if (auto* box = qobject_cast<QGroupBox*>(w))
            check(w, "title", box->title());
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            check(w, "placeholder", edit->placeholderText());
        else if (auto* edit = qobject_cast<QTextEdit*>(w))
            check(w, "placeholder", edit->placeholderText());
        else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                check(w, "item", combo->itemText(i));
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                check(w, "tab", tabs->tabText(i));
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            if (QAbstractItemModel* model = header->model())
                for (int i = 0; i < header->count(); ++i)
                    check(w, "header", model->headerData(i, header->orientation()).toString());
        }
        for (const QAction* action : w->actions()) {
            check(action, "action", action->text());
            check(action, "tooltip", action->toolTip());
        }
    }
    return found;
}

} // namespace

class TestVisibleTexts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QCoreApplication::installTranslator(&marker_)); }
    void init() {
        env_ = std::make_unique<TestEnv>();
        readConfig(comcfg);
    }
    void cleanup() { env_.reset(); }
    void pagesAndDialogsShowOnlyTranslatedTexts();
    void messageBoxesTranslateCaptionsAndButtons();

private:
    MarkingTranslator marker_;
    std::unique_ptr<TestEnv> env_;
};

void TestVisibleTexts::pagesAndDialogsShowOnlyTranslatedTexts() {
    WTMainWindow window(nullptr, "wtmainwindowbase", Qt::Window | Qt::FramelessWindowHint);
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.emplace_back(new Config(&window, "newConfig", true, {}, QString()));
    dialogs.emplace_back(new CheckPIN(&window, "checkPIN", true));
    dialogs.emplace_back(new ResetPIN(&window, "ResetPIN", true));
    dialogs.emplace_back(new DeviceInfoPanel(&window, window.link));
    dialogs.emplace_back(new ManualSearch(&window, "search", 0, true));
    dialogs.emplace_back(new ManualSearch(&window, "select", 1, true));
    dialogs.emplace_back(new ManualSelect(&window, "select", true, {}, *window.link));
    dialogs.emplace_back(new WTDialog(&window));
    dialogs.emplace_back(new CSearchContact(&window, "search"));
    dialogs.emplace_back(new NewContact(nullptr, "newContact"));

    QStringList found = untranslatedTexts(&window);
    for (const auto& dialog : dialogs)
        found += untranslatedTexts(dialog.get());
    QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
}

void TestVisibleTexts::messageBoxesTranslateCaptionsAndButtons() {
    for (const auto& show : {&MyMessageBox::information, &MyMessageBox::warning,
                             &MyMessageBox::query, &MyMessageBox::queryWithEditer}) {
        QStringList found;
        whenModalOpens([&found](QWidget* box) {
            found = untranslatedTexts(box);
            box->close();
        });
        show(nullptr, QObject::tr("A question?"));
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }
}

QTEST_MAIN(TestVisibleTexts)
#include "test_visibletexts.moc"
