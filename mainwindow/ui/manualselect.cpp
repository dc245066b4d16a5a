#include "mainwindow/ui/manualselect.h"

#include "app/globals.h"
#include "mainwindow/ui/manualsearch.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>

bool ManualSelect::selectSuccess = false;

namespace {

constexpr int dialogWidth = 480;
constexpr int dialogHeight = 344;
constexpr int footerHeight = 44;
constexpr int margin = 16;
constexpr int headerY = FrameDialog::TitleHeight + 52;
constexpr int tableY = headerY + 24;
// The last column takes what is left of the table's width.
constexpr int columnWidths[] = {24, 100, 124, 100, 100};

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

ManualSelect::ManualSelect(QWidget* parent, const char* name, bool modal, Qt::WindowFlags f,
                           SerialThread& link)
    : FrameDialog(parent, name, modal, f), selection_(link) {
    selectSuccess = false;
    setWindowTitle(tr("ManualSelect"));
    setFixedSize(dialogWidth, dialogHeight);
    setFooterHeight(footerHeight);
    titlelabel = titleLabel;
    titlelabel->setObjectName("titlelabel");

    sarnLabel = new QLabel(this);
    sarnLabel->setObjectName("sarnLabel");
    sarnLabel->setPixmap(QPixmap(resFile("SarnLogo.png")));
    sarnLabel->setGeometry(dialogWidth - margin - 120, TitleHeight + 10, 120, 32);
    statusLabel = new QLabel(this);
    statusLabel->setObjectName("statusLabel");
    statusLabel->setGeometry(margin, TitleHeight + 16, 300, 20);

    // The column captions sit on a strip above the table, whose own header is hidden.
    auto* strip = new QLabel(this);
    strip->setGeometry(margin, headerY, dialogWidth - 2 * margin, 24);
    strip->setAutoFillBackground(true);
    QPalette stripPal = strip->palette();
    stripPal.setColor(QPalette::Window, QColor(243, 246, 250));
    strip->setPalette(stripPal);
    const char* const captions[] = {QT_TR_NOOP("Operator Status"), QT_TR_NOOP("Operator Name"),
                                    QT_TR_NOOP("Numeric Symbol"), QT_TR_NOOP("Networks Type")};
    int x = margin;
    for (int i = 0; i < 4; ++i) {
        const int width = i == 0 ? columnWidths[0] + columnWidths[1] : columnWidths[i + 1];
        auto* label = new QLabel(tr(captions[i]), this);
        label->setObjectName(QString("tableField%1").arg(i + 1));
        label->setGeometry(x + 6, headerY, width - 6, 24);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        x += width;
    }

    table = new QTableWidget(0, 5, this);
    table->setObjectName("table");
    table->setGeometry(margin, tableY, dialogWidth - 2 * margin,
                       dialogHeight - footerHeight - tableY - 12);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setFrameShape(QFrame::NoFrame);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->setDefaultSectionSize(24);
    for (int c = 0; c < 5; ++c)
        table->setColumnWidth(c, columnWidths[c]);
    table->horizontalHeader()->setStretchLastSection(true);

    const int buttonsX = dialogWidth - margin - 3 * 80 - 2 * 10;
    refreshButton = addFooterButton("refreshButton", tr("Refresh"), buttonsX);
    selectButton = addFooterButton("selectButton", tr("Select"), buttonsX + 90);
    exitExit = addFooterButton("exitExit", tr("Exit"), buttonsX + 180);
    connect(exitExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(refreshButton, &QPushButton::clicked, this, &ManualSelect::refresh);
    connect(selectButton, &QPushButton::clicked, this, &ManualSelect::select);
    connect(table, &QTableWidget::cellDoubleClicked, this, &ManualSelect::select);
}

// The first search starts once the dialog is on the screen, so that the wait
// dialog has it to sit on.
void ManualSelect::showEvent(QShowEvent* event) {
    FrameDialog::showEvent(event);
    if (!searched_) {
        searched_ = true;
        QTimer::singleShot(0, this, &ManualSelect::refresh);
    }
}

void ManualSelect::setButtonsBusy(bool busy) {
    for (MyButton* button : {refreshButton, selectButton, exitExit})
        button->setEnabled(!busy);
}

void ManualSelect::refresh() {
    setButtonsBusy(true);
    statusLabel->setText(tr("Searching for networks..."));
    auto* wait = new ManualSearch(this, "search", 0, true);
    wait->begin();
    selection_.search([this, wait](const QList<OperatorEntry>& operators) {
        wait->end();
        wait->deleteLater();
        operators_ = operators;
        updateTable();
        const qsizetype found = operators_.size();
        statusLabel->setText(found == 0   ? tr("No networks found.")
                             : found == 1 ? tr("1 network found.")
                                          : tr("%1 networks found.").arg(found));
        setButtonsBusy(false);
    });
}

void ManualSelect::updateTable() {
    table->clearContents();
    table->setRowCount(static_cast<int>(operators_.size()));
    for (int row = 0; row < operators_.size(); ++row) {
        const OperatorEntry& op = operators_[row];
        auto* image = cell(QString(), Qt::AlignCenter);
        const QString imageFile = operatorStatusImage(op.stat);
        if (!imageFile.isEmpty())
            image->setIcon(QIcon(resFile(imageFile)));
        table->setItem(row, ImageColumn, image);
        table->setItem(row, StatusColumn, cell(operatorStatusText(op.stat)));
        table->setItem(row, NameColumn, cell(operatorName(op)));
        table->setItem(row, NumericColumn, cell(op.numeric));
        table->setItem(row, TypeColumn, cell(technologyText(op.act)));
    }
}

void ManualSelect::select() {
    qDebug("enter select...");
    const QList<QTableWidgetItem*> chosen = table->selectedItems();
    if (chosen.isEmpty()) {
        MyMessageBox::warning(this, tr("Please select an operator!"));
        return;
    }
    const int row = chosen.first()->row();
    qDebug(" select row = %d...", row);
    selectNetworkMode(row);
}

void ManualSelect::selectNetworkMode(int row) {
    if (row < 0 || row >= operators_.size())
        return;
    const OperatorEntry entry = operators_[row];
    if (entry.stat == 3) {
        MyMessageBox::informationWithEditer(this,
                                            tr("Can not select the forbidden status operator!"));
        return;
    }
    setButtonsBusy(true);
    auto* wait = new ManualSearch(this, "select", 1, true);
    wait->begin();
    selection_.select(entry, [this, wait](OperatorSelection::Result result) {
        wait->end();
        wait->deleteLater();
        setButtonsBusy(false);
        selectSuccess = result == OperatorSelection::Result::Registered;
        // From the event loop: the box waits for the user.
        QTimer::singleShot(0, this, [this] {
            MyMessageBox::information(this, selectSuccess ? tr("Manually select net succeeded!")
                                                          : tr("Manually select net failed!"));
        });
    });
}
