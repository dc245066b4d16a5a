#include "sms/ui/search.h"

#include "app/globals.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "sms/contactpickmodel.h"
#include "sms/ui/shorttable.h"
#include "widgets/mybutton.h"
#include "widgets/scrollbarstyle.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSortFilterProxyModel>

namespace {

constexpr int dialogWidth = 576;
constexpr int dialogHeight = 336;
constexpr int titleHeight = 28;
constexpr int tableWidth = 244;
constexpr int tableHeight = 196;

const char* const kStyle = R"(
CSearchContact { background: #FFFFFF; border: 1px solid #C9D3DF; }
QLabel#titleLabel { background: #1F2937; color: white; font-weight: bold; padding-left: 10px; }
QLabel { color: #1F2937; }
QTableView { border: 1px solid #DDE3EA; gridline-color: #DDE3EA;
             selection-background-color: #CFE0FA; selection-color: #1F2937;
             alternate-background-color: #F3F6FA; }
QHeaderView::section { background: #F3F6FA; color: #374151; border: none;
                       border-bottom: 1px solid #DDE3EA; padding: 3px 4px; }
QComboBox { border: 1px solid #C9D3DF; border-radius: 4px; padding: 2px 6px; background: white; }
QComboBox:disabled { color: #6B7280; background: #F3F6FA; }
QComboBox QAbstractItemView { background: white; color: #1F2937; border: 1px solid #C9D3DF;
                              selection-background-color: #CFE0FA; selection-color: #1F2937; }
)";

// The contacts of one store with their names decoded.
QList<PickedContact> contactsOf(bool sim) {
    QList<PickedContact> contacts;
    const QMap<int, Contact>& map = sim ? IOData::simContactMap : IOData::pcContactMap;
    for (const Contact& c : map) {
        QString name;
        decode(name, c.getName(), sim ? IOData::simNamesUcs2 : true);
        contacts.append({name, c.getPhone()});
    }
    return contacts;
}

MyButton* dialogButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new MyButton(parent, name);
    button->setMultiPixmap(QPixmap(resFile("buttons/buttons12.png")),
                           QPixmap(resFile("buttons/buttons14.png")),
                           QPixmap(resFile("buttons/buttons13.png")));
    button->setForeground(Qt::white);
    button->setText(text);
    return button;
}

CShortTable* pickTable(ContactPickModel* model, QWidget* parent, const char* name) {
    auto* table = new CShortTable(model, parent, name);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setColumnWidth(ContactPickModel::CheckColumn, 26);
    table->setColumnWidth(ContactPickModel::NameColumn, 92);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->horizontalHeader()->setSectionResizeMode(ContactPickModel::CheckColumn,
                                                    QHeaderView::Fixed);
    return table;
}

} // namespace

CSearchContact::CSearchContact(QWidget* parent, const char* name)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), left_(new ContactPickModel(this)),
      right_(new ContactPickModel(this)) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFixedSize(dialogWidth, dialogHeight);
    setStyleSheet(QString(kStyle) + kScrollBarStyle);
    setFont(QFont("Liberation Sans", 9));

    title_ = new QLabel(this);
    title_->setObjectName("titleLabel");
    title_->setGeometry(0, 0, dialogWidth, titleHeight);
    auto* close = new MyButton(this, "closeBtn");
    close->setNormalPixmap(QPixmap(resFile("messageBox/close.bmp")));
    close->setGeometry(dialogWidth - 23, 5, 17, 17);
    connect(close, &QPushButton::clicked, this, &CSearchContact::cancelClicked);

    storeLabel_ = new QLabel(this);
    storeLabel_->setGeometry(16, 40, 80, 24);
    comboBox1 = new QComboBox(this);
    comboBox1->setObjectName("comboBox1");
    comboBox1->setGeometry(96, 40, 110, 24);
    comboBox1->addItem(tr("PC"));
    comboBox1->setEnabled(false);
    connect(comboBox1, &QComboBox::textActivated, this, &CSearchContact::slotSaveChange);

    textLabel1 = new QLabel(this);
    textLabel1->setObjectName("textLabel1");
    textLabel1->setGeometry(16, 72, tableWidth, 20);
    textLabel1_2 = new QLabel(this);
    textLabel1_2->setObjectName("textLabel1_2");
    textLabel1_2->setGeometry(dialogWidth - 16 - tableWidth, 72, tableWidth, 20);

    table1 = pickTable(left_, this, "table1");
    table1->setGeometry(16, 94, tableWidth, tableHeight);
    table1_2 = pickTable(right_, this, "table1_2");
    table1_2->setGeometry(dialogWidth - 16 - tableWidth, 94, tableWidth, tableHeight);

    torightButton = dialogButton(this, "torightButton", QString::fromUtf8("\u25B6"));
    torightButton->setGeometry((dialogWidth - 40) / 2, 150, 40, 24);
    toleftButton = dialogButton(this, "toleftButton", QString::fromUtf8("\u25C0"));
    toleftButton->setGeometry((dialogWidth - 40) / 2, 184, 40, 24);

    okButton = dialogButton(this, "okButton", {});
    okButton->setGeometry(dialogWidth - 16 - 72 - 10 - 72, dialogHeight - 36, 72, 24);
    cancelButton = dialogButton(this, "cancelButton", {});
    cancelButton->setGeometry(dialogWidth - 16 - 72, dialogHeight - 36, 72, 24);

    connect(torightButton, &QPushButton::clicked, this, &CSearchContact::TorightClicked);
    connect(toleftButton, &QPushButton::clicked, this, &CSearchContact::ToleftClicked);
    connect(okButton, &QPushButton::clicked, this, &CSearchContact::okClicked);
    connect(cancelButton, &QPushButton::clicked, this, &CSearchContact::cancelClicked);
    connect(table1, &CShortTable::rowDoubleClicked, this, &CSearchContact::DoubleClicked);
    connect(table1_2, &CShortTable::rowDoubleClicked, this, &CSearchContact::DoubleClickedright);
    connect(table1, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        tableclicked(table1->sourceRow(index.row()), index.column(), Qt::LeftButton, {});
    });
    connect(table1_2, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        table1_2clicked(table1_2->sourceRow(index.row()), index.column(), Qt::LeftButton, {});
    });

    languageChange();
    updateLeftTable(false);
}

void CSearchContact::languageChange() {
    title_->setText(tr("Select Recipients"));
    storeLabel_->setText(tr("Phonebook:"));
    textLabel1->setText(tr("Contact(s)"));
    textLabel1_2->setText(tr("Selected contact(s)"));
    okButton->setText(tr("OK"));
    cancelButton->setText(tr("Cancel"));
    torightButton->setToolTip(tr("Add the checked contacts"));
    toleftButton->setToolTip(tr("Remove the checked contacts"));
}

void CSearchContact::setSimAvailable(bool available) {
    const int sim = comboBox1->findText(tr("SIM"));
    if (available && sim < 0)
        comboBox1->addItem(tr("SIM"));
    if (!available && sim >= 0) {
        if (comboBox1->currentIndex() == sim) {
            comboBox1->setCurrentIndex(0);
            updateLeftTable(false);
        }
        comboBox1->removeItem(sim);
    }
    comboBox1->setEnabled(available);
}

int CSearchContact::leftRowCount() const {
    return left_->rowCount();
}

int CSearchContact::rightRowCount() const {
    return right_->rowCount();
}

void CSearchContact::updateLeftTable(bool sim) {
    left_->setContacts(contactsOf(sim));
}

void CSearchContact::slotSaveChange(const QString& store) {
    updateLeftTable(store != tr("PC"));
}

void CSearchContact::moveRows(CShortTable* fromTable, ContactPickModel* from, ContactPickModel* to,
                              int only) {
    QList<int> rows;
    if (only >= 0) {
        rows << only;
    } else {
        for (int row : fromTable->sourceRowsInViewOrder()) {
            if (from->isChecked(row))
                rows << row;
        }
    }
    to->append(from->take(rows));
}

void CSearchContact::TorightClicked() {
    moveRows(table1, left_, right_);
}

void CSearchContact::ToleftClicked() {
    moveRows(table1_2, right_, left_);
}

void CSearchContact::DoubleClicked(int row) {
    if (row >= 0)
        moveRows(table1, left_, right_, row);
}

void CSearchContact::DoubleClickedright(int row) {
    if (row >= 0)
        moveRows(table1_2, right_, left_, row);
}

// A press on a row's name or number toggles its check box (the box itself
// toggles on its own).
void CSearchContact::tableclicked(int row, int col, int, const QPoint&) {
    if (row >= 0 && col != ContactPickModel::CheckColumn)
        left_->setChecked(row, !left_->isChecked(row));
}

void CSearchContact::table1_2clicked(int row, int col, int, const QPoint&) {
    if (row >= 0 && col != ContactPickModel::CheckColumn)
        right_->setChecked(row, !right_->isChecked(row));
}

void CSearchContact::okClicked() {
    QStringList numbers;
    for (int row : table1_2->sourceRowsInViewOrder())
        numbers << right_->contact(row).number;
    emit okclick(numbers.join(';'));
}

void CSearchContact::cancelClicked() {
    emit closesearch();
}

void CSearchContact::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cancelClicked();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSearchContact::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < titleHeight) {
        dragging_ = true;
        dragOffset_ = event->position().toPoint();
    }
    QDialog::mousePressEvent(event);
}

void CSearchContact::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - dragOffset_);
    QDialog::mouseMoveEvent(event);
}

void CSearchContact::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QDialog::mouseReleaseEvent(event);
}
