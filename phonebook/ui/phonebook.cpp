#include "phonebook/ui/phonebook.h"

#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/contactimport.h"
#include "phonebook/contactmodel.h"
#include "phonebook/contactops.h"
#include "phonebook/contactrules.h"
#include "phonebook/iodata.h"
#include "phonebook/simalpha.h"
#include "phonebook/ui/contactview.h"
#include "phonebook/ui/mytable.h"
#include "phonebook/ui/newcontact.h"
#include "phonebook/ui/phonebookstyle.h"
#include "widgets/mymessagebox.h"
#include "widgets/scrollbarstyle.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

Q_LOGGING_CATEGORY(lcPhonebook, "velto.phonebook")

constexpr int kKindRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

QPushButton* toolButton(QWidget* parent, const char* name, const QString& text,
                        const QString& tip) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QLabel* statusLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

PhoneBook::PhoneBook(QWidget* parent, const char* name, SerialThread* link)
    : QWidget(parent), link_(link), data_(std::make_unique<IOData>(link)) {
    if (name)
        setObjectName(QString::fromLatin1(name));
    setStyleSheet(phonebookStyleSheet() + kScrollBarStyle);

    phoneStack = new QStackedWidget(this);
    phoneStack->setObjectName("phoneStack");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(phoneStack);

    // --- the table page -------------------------------------------------------
    auto* tablePage = new QWidget(phoneStack);
    tablePage->setObjectName("tablePage");
    newButton = toolButton(tablePage, "newButton", tr("New"), tr("New Contact"));
    editButton = toolButton(tablePage, "editButton", tr("Edit"), tr("Edit the selected contact"));
    deleteButton =
        toolButton(tablePage, "deleteButton", tr("Delete"), tr("Delete the selected contacts"));
    smsButton = toolButton(tablePage, "smsButton", tr("Message"),
                           tr("Write a message to the selected contacts"));
    copyButton = toolButton(tablePage, "copyButton", tr("Copy"), tr("Copy the selected contacts"));
    cutButton = toolButton(tablePage, "cutButton", tr("Cut"), tr("Cut the selected contacts"));
    pasteButton = toolButton(tablePage, "pasteButton", tr("Paste"),
                             tr("Paste the contacts into the chosen folder"));
    exportButton = toolButton(tablePage, "exportButton", tr("Export"),
                              tr("Save the selected or shown contacts as text or vCard"));
    importButton = toolButton(tablePage, "importButton", tr("Import"),
                              tr("Add the contacts of a vCard file to the chosen folder"));
    auto* tools = new QHBoxLayout;
    tools->setSpacing(4);
    for (QPushButton* b : {newButton, editButton, deleteButton, smsButton})
        tools->addWidget(b);
    tools->addSpacing(8);
    for (QPushButton* b : {copyButton, cutButton, pasteButton})
        tools->addWidget(b);
    tools->addSpacing(8);
    for (QPushButton* b : {exportButton, importButton})
        tools->addWidget(b);
    tools->addStretch();

    groupView = new QTreeWidget(tablePage);
    groupView->setObjectName("groupView");
    groupView->setHeaderLabel(tr("Folder"));
    groupView->setFixedWidth(116);
    groupView->setRootIsDecorated(true);
    groupView->setIndentation(14);
    groupView->setContextMenuPolicy(Qt::CustomContextMenu);
    groupView->setEditTriggers(QAbstractItemView::EditKeyPressed);

    searchEdit = new QLineEdit(tablePage);
    searchEdit->setObjectName("searchEdit");
    searchEdit->setPlaceholderText(tr("Search name or number"));
    searchEdit->setClearButtonEnabled(true);

    contactModel = new ContactTableModel(this);
    contactFilter = new ContactFilterModel(this);
    contactFilter->setSourceModel(contactModel);
    contactBook = new MyTable(tablePage, "contactBook");
    contactBook->setModel(contactFilter);
    contactBook->setSortingEnabled(false);
    QHeaderView* header = contactBook->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSectionsClickable(true);
    header->setMinimumSectionSize(24);
    contactBook->setColumnHidden(ContactTableModel::IdColumn, true);
    const std::pair<int, int> widths[] = {{ContactTableModel::CheckColumn, 24},
                                          {ContactTableModel::NameColumn, 96},
                                          {ContactTableModel::MobileColumn, 106},
                                          {ContactTableModel::HomeColumn, 82},
                                          {ContactTableModel::OfficeColumn, 82}};
    for (const auto& [column, width] : widths)
        contactBook->setColumnWidth(column, width);

    pcCapacityLabel = statusLabel(tablePage, "pcCapacityLabel");
    simCapacityLabel = statusLabel(tablePage, "simCapacityLabel");
    sumLabel = statusLabel(tablePage, "sumLabel");
    busyLabel = statusLabel(tablePage, "busyLabel");
    busyLabel->hide();

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(searchEdit);
    right->addWidget(contactBook);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(groupView);
    middle->addLayout(right);
    auto* labels = new QHBoxLayout;
    labels->setSpacing(18);
    labels->addWidget(pcCapacityLabel);
    labels->addWidget(simCapacityLabel);
    labels->addStretch();
    labels->addWidget(busyLabel);
    labels->addWidget(sumLabel);
    auto* tableLayout = new QVBoxLayout(tablePage);
    tableLayout->setContentsMargins(4, 4, 4, 0);
    tableLayout->setSpacing(6);
    tableLayout->addLayout(tools);
    tableLayout->addLayout(middle, 1);
    tableLayout->addLayout(labels);

    newContact = new NewContact(phoneStack, "newContact");
    contactView = new ContactView(phoneStack, "contactView");
    phoneStack->insertWidget(TablePage, tablePage);
    phoneStack->insertWidget(FormPage, newContact);
    phoneStack->insertWidget(ViewPage, contactView);

    // --- connections ----------------------------------------------------------
    connect(newButton, &QPushButton::clicked, this, &PhoneBook::newClicked);
    connect(editButton, &QPushButton::clicked, this, &PhoneBook::edit);
    connect(deleteButton, &QPushButton::clicked, this, &PhoneBook::btDeleteChicked);
    connect(smsButton, &QPushButton::clicked, this, &PhoneBook::btSMSclicked);
    connect(copyButton, &QPushButton::clicked, this, &PhoneBook::copyContact);
    connect(cutButton, &QPushButton::clicked, this, &PhoneBook::cutContact);
    connect(pasteButton, &QPushButton::clicked, this, &PhoneBook::past);
    connect(exportButton, &QPushButton::clicked, this, &PhoneBook::saveAs);
    connect(importButton, &QPushButton::clicked, this, &PhoneBook::importClicked);
    connect(searchEdit, &QLineEdit::textChanged, this, &PhoneBook::searchStrChanged);
    connect(searchEdit, &QLineEdit::returnPressed, this, &PhoneBook::searchClicked);
    connect(groupView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { groupSelectedChange(item); });
    connect(groupView, &QTreeWidget::itemChanged, this, &PhoneBook::editGroupName);
    connect(groupView, &QWidget::customContextMenuRequested, this,
            &PhoneBook::listView_RightClicked);
    connect(contactBook, &MyTable::rowToggled, this, &PhoneBook::tableItemChanged);
    connect(contactBook, &MyTable::rowActivated, this, [this](int row) {
        const int source = contactFilter->mapToSource(contactFilter->index(row, 0)).row();
        contactView->showContact(contactModel->contactAt(source));
        phoneStack->setCurrentIndex(ViewPage);
    });
    connect(contactBook, &MyTable::contextMenuAt, this, [this](int row, const QPoint& at) {
        if (row >= 0 && selectedContacts().isEmpty())
            tableItemChanged(row);
        showMenu(at);
    });
    connect(contactBook, &MyTable::reSize, this, &PhoneBook::SumTips);
    connect(header, &QHeaderView::sectionClicked, this, &PhoneBook::headerReleased);
    connect(contactModel, &QAbstractItemModel::dataChanged, this, &PhoneBook::checkButtonEnable);
    connect(newContact, &NewContact::accepted, this, &PhoneBook::makeNewContact);
    connect(newContact, &NewContact::canceled, this, [this] { backToPhoneBook(); });
    connect(contactView, &ContactView::done, this, [this] { backToPhoneBook(); });

    const auto shortcut = [this, tablePage](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, tablePage);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::New, &PhoneBook::newClicked);
    shortcut(QKeySequence::Copy, &PhoneBook::copyContact);
    shortcut(QKeySequence::Cut, &PhoneBook::cutContact);
    shortcut(QKeySequence::Paste, &PhoneBook::past);
    shortcut(QKeySequence::SelectAll, &PhoneBook::selectAll);
    shortcut(QKeySequence(Qt::Key_Delete), &PhoneBook::btDeleteChicked);
    shortcut(QKeySequence::Find, [this] { searchEdit->setFocus(); });

    RefreshPhone();
}

PhoneBook::~PhoneBook() {}

// --- what is shown ----------------------------------------------------------

PhoneBook::ItemKind PhoneBook::currentKind() const {
    const QTreeWidgetItem* item = groupView->currentItem();
    return item ? static_cast<ItemKind>(item->data(0, kKindRole).toInt()) : PcItem;
}

QString PhoneBook::currentGroup() const {
    const QTreeWidgetItem* item = groupView->currentItem();
    return item && currentKind() == GroupItem ? item->data(0, kNameRole).toString() : QString();
}

void PhoneBook::selectItem(ItemKind kind, const QString& group) {
    QTreeWidgetItem* item = pcItem_;
    if (kind == SimItem && simItem_)
        item = simItem_;
    for (int i = 0; kind == GroupItem && i < pcItem_->childCount(); ++i) {
        if (pcItem_->child(i)->data(0, kNameRole).toString() == group)
            item = pcItem_->child(i);
    }
    groupView->setCurrentItem(item);
}

QList<Contact> PhoneBook::selectedContacts() const {
    QList<Contact> out;
    for (int row : contactFilter->shownRows(true))
        out.append(contactModel->contactAt(row));
    return out;
}

QList<Contact> PhoneBook::shownContacts() const {
    QList<Contact> out;
    for (int row : contactFilter->shownRows(false))
        out.append(contactModel->contactAt(row));
    return out;
}

ContactTarget PhoneBook::currentTarget() const {
    ContactTarget target;
    target.sim = currentKind() == SimItem;
    target.group = currentGroup();
    target.simNameLimit = data_->simNameLimit();
    return target;
}

bool PhoneBook::confirmShortening(int names) {
    return names == 0 ||
           MyMessageBox::query(this, tr("%n name(s) are longer than the SIM card keeps and would "
                                        "be shortened. Go on?",
                                        nullptr, names)) == MyMessageBox::Yes;
}

void PhoneBook::buildTree() {
    const ItemKind kind = currentKind();
    const QString group = currentGroup();
    buildingTree_ = true;
    groupView->clear();
    pcItem_ = new QTreeWidgetItem(groupView, {tr("PC")});
    pcItem_->setData(0, kKindRole, PcItem);
    for (const QString& name : data_->getAllGroup()) {
        auto* item = new QTreeWidgetItem(pcItem_, {name});
        item->setData(0, kKindRole, GroupItem);
        item->setData(0, kNameRole, name);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    pcItem_->setExpanded(true);
    simItem_ = nullptr;
    if (hasSim_) {
        simItem_ = new QTreeWidgetItem(groupView, {tr("SIM")});
        simItem_->setData(0, kKindRole, SimItem);
    }
    selectItem(kind, group);
    buildingTree_ = false;
}

void PhoneBook::refreshTable() {
    QList<Contact> contacts;
    switch (currentKind()) {
    case PcItem:
        contacts = IOData::pcContactMap.values();
        break;
    case GroupItem: {
        QMap<int, Contact> inGroup;
        data_->returnPcContactByGroup(inGroup, currentGroup());
        contacts = inGroup.values();
        break;
    }
    case SimItem:
        contacts = IOData::simContactMap.values();
        break;
    }
    contactModel->setContacts(contacts);
    // A SIM contact has a name and a mobile number only.
    const bool sim = currentKind() == SimItem;
    for (int column : {ContactTableModel::HomeColumn, ContactTableModel::OfficeColumn,
                       ContactTableModel::GroupColumn})
        contactBook->setColumnHidden(column, sim);
    // The last column shown takes the width left.
    QHeaderView* header = contactBook->horizontalHeader();
    header->setSectionResizeMode(ContactTableModel::MobileColumn,
                                 sim ? QHeaderView::Stretch : QHeaderView::Interactive);
    header->setSectionResizeMode(ContactTableModel::GroupColumn,
                                 sim ? QHeaderView::Interactive : QHeaderView::Stretch);
}

void PhoneBook::refreshLabels() {
    pcCapacityLabel->setText(tr("PC capacity : ") + QString::number(data_->countOfPcContact()) +
                             "/" + QString::number(IOData::MAX_PC_CONTACTS));
    simCapacityLabel->setText(tr("(U)SIM card capacity : ") +
                              (hasSim_ ? QString::number(data_->countOfSimContact()) + "/" +
                                             QString::number(qMax(0, data_->simPhonebookCapacity()))
                                       : QStringLiteral("0/0")));
}

void PhoneBook::reloadPcStore() {
    // In place: the SIM work under way ends in the same store.
    data_->reloadPc();
    RefreshPhone();
}

void PhoneBook::RefreshPhone() {
    buildTree();
    refreshTable();
    refreshLabels();
    checkButtonEnable();
}

void PhoneBook::groupSelectedChange(QTreeWidgetItem* item) {
    if (buildingTree_ || !item)
        return;
    refreshTable();
    checkButtonEnable();
}

void PhoneBook::SumTips(int rows) {
    sumLabel->setText(tr("Contacts sum : ") + QString::number(rows));
}

void PhoneBook::checkButtonEnable() {
    const int selected = static_cast<int>(contactFilter->shownRows(true).size());
    const bool simTargetGone = currentKind() == SimItem && !hasSim_;
    editButton->setEnabled(selected == 1);
    for (QPushButton* b : {deleteButton, smsButton, copyButton, cutButton})
        b->setEnabled(selected > 0);
    pasteButton->setEnabled(!clipboard_.isEmpty() && !simTargetGone);
    exportButton->setEnabled(contactFilter->rowCount() > 0);
    importButton->setEnabled(!simTargetGone);
}

void PhoneBook::backToPhoneBook(int page) {
    phoneStack->setCurrentIndex(page);
    if (page == TablePage)
        contactBook->setFocus();
}

// --- selection, search and sorting -------------------------------------------

void PhoneBook::tableItemChanged(int row) {
    const QModelIndex index = contactFilter->index(row, 0);
    if (index.isValid())
        contactModel->toggle(contactFilter->mapToSource(index).row());
}

void PhoneBook::selectAll() {
    contactFilter->checkAllShown(true);
}

void PhoneBook::undoSelectAll() {
    contactFilter->checkAllShown(false);
}

void PhoneBook::searchClicked() {
    contactFilter->setSearchText(searchEdit->text());
    checkButtonEnable();
}

void PhoneBook::searchStrChanged(const QString&) {
    searchClicked();
}

void PhoneBook::headerReleased(int column) {
    QHeaderView* header = contactBook->horizontalHeader();
    const Qt::SortOrder order =
        contactFilter->sortColumn() == column && contactFilter->sortOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
    contactFilter->sort(column, order);
    header->setSortIndicator(column, order);
}

// --- menus ---------------------------------------------------------------------

void PhoneBook::listView_RightClicked(const QPoint& pos) {
    if (QTreeWidgetItem* item = groupView->itemAt(pos))
        groupView->setCurrentItem(item);
    showMenu(groupView->viewport()->mapToGlobal(pos));
}

void PhoneBook::showMenu(const QPoint& globalPos) {
    const int selected = static_cast<int>(selectedContacts().size());
    const bool group = currentKind() == GroupItem;
    QMenu menu(this);
    const auto add = [&menu, this](const QString& text, auto slot, bool enabled) {
        QAction* action = menu.addAction(text, this, slot);
        action->setEnabled(enabled);
    };
    add(tr("New Contact"), &PhoneBook::newClicked, true);
    add(tr("View"), &PhoneBook::btViewChicked, selected == 1);
    add(tr("Edit"), &PhoneBook::edit, selected == 1);
    add(tr("Delete"), &PhoneBook::btDeleteChicked, selected > 0);
    menu.addSeparator();
    add(tr("Send Message"), &PhoneBook::btSMSclicked, selected > 0);
    add(tr("Send Message to Folder"), &PhoneBook::groupSMSclicked, contactModel->rowCount() > 0);
    menu.addSeparator();
    add(tr("Copy"), &PhoneBook::copyContact, selected > 0);
    add(tr("Cut"), &PhoneBook::cutContact, selected > 0);
    add(tr("Paste"), &PhoneBook::past, pasteButton->isEnabled());
    menu.addSeparator();
    add(tr("Select all"), &PhoneBook::selectAll, contactFilter->rowCount() > 0);
    add(tr("Undo Select All"), &PhoneBook::undoSelectAll, selected > 0);
    menu.addSeparator();
    add(tr("New Group"), &PhoneBook::makeNewGroup,
        data_->countOfGroup() < ContactRules::kMaxGroups);
    add(tr("Rename Group"), &PhoneBook::reNameGroupClicked, group);
    add(tr("Delete Group"), &PhoneBook::deleteGroup, group);
    menu.exec(globalPos);
}

// --- work with the modem ----------------------------------------------------------

// The page is held while its work talks to the card; `work` is given the
// function that ends the hold once it is done.
void PhoneBook::busy(const QString& text, std::function<void(std::function<void()>)> work) {
    working_ = true;
    busyLabel->setText(text);
    busyLabel->show();
    phoneStack->setEnabled(false);
    work([page = QPointer<PhoneBook>(this)] {
        if (!page)
            return;
        page->phoneStack->setEnabled(true);
        page->busyLabel->hide();
        page->working_ = false;
        if (page->pendingSim_ >= 0) {
            const bool present = page->pendingSim_ == 1;
            page->pendingSim_ = -1;
            page->applySimState(present);
        }
    });
}

void PhoneBook::setHasSIM(bool hasSim) {
    if (working_) {
        pendingSim_ = hasSim ? 1 : 0;
        return;
    }
    // A SIM that was busy when the card was set up is asked for its type
    // again; once it answers, names travel in UCS2.
    if (hasSim && link_ && link_->usimType == SimType::Busy) {
        link_->getUSIM(this, [this](SimType type) {
            if (type != SimType::Busy)
                link_->setChset(this, "UCS2", nullptr);
        });
    }
    applySimState(hasSim);
}

void PhoneBook::applySimState(bool hasSim) {
    newContact->hasSIM(hasSim);
    if (hasSim == hasSim_) {
        // A SIM whose phonebook could not be read yet is read again.
        if (hasSim && !data_->simRead() && link_ && link_->simPhonebookSize > 0)
            QTimer::singleShot(0, this, &PhoneBook::updateSIM);
        return;
    }
    hasSim_ = hasSim;
    if (!hasSim) {
        data_->cleanSimMap();
        // The clipboard's SIM contacts are gone with the card.
        clipboard_.removeIf([](const Contact& c) { return c.getIsSim(); });
    } else {
        if (link_)
            IOData::simNamesUcs2 = link_->newPlatform;
        QTimer::singleShot(0, this, &PhoneBook::updateSIM);
    }
    RefreshPhone();
}

void PhoneBook::updateSIM() {
    if (!hasSim_ || !link_ || working_ || data_->simRead())
        return;
    busy(tr("reading the SIM card..."), [this](std::function<void()> finished) {
        const auto read = [this, finished] {
            IOData::simNamesUcs2 = link_->newPlatform;
            data_->readFromSim([this, finished](bool read) {
                if (!read)
                    qCWarning(lcPhonebook) << "the SIM phonebook could not be read";
                finished();
                RefreshPhone();
            });
        };
        if (link_->simPhonebookSize > 0)
            return read();
        link_->simCapacity(this, [this, read](int last) {
            link_->simPhonebookSize = qMax(0, last);
            read();
        });
    });
}

// --- contacts ---------------------------------------------------------------------

void PhoneBook::newClicked() {
    newContact->clear();
    newContact->hasSIM(hasSim_);
    newContact->setGroups(data_->getAllGroup(), currentGroup());
    newContact->setSIMMode(currentKind() == SimItem && hasSim_);
    phoneStack->setCurrentIndex(FormPage);
    newContact->lineEdit_Name->setFocus();
}

void PhoneBook::showNewContactForm(const QString& mobileNumber) {
    backToPhoneBook();
    newClicked();
    newContact->lineEdit_MobilePhone->setText(mobileNumber);
}

void PhoneBook::makeNewContact() {
    const bool sim = newContact->simMode();
    const bool editing = newContact->editMode();
    const Contact old =
        editing ? data_->getContactById(newContact->editId().toInt(), sim) : Contact();
    QString typed = newContact->lineEdit_Name->text().trimmed();
    // A name the SIM already holds is written back whole; a new or changed
    // one is shortened to what the card holds only when the user agrees.
    const bool unchanged = editing && typed == ContactTableModel::shownName(old);
    const QString fitted = sim && !unchanged ? fitSimName(typed, data_->simNameLimit()) : typed;
    if (fitted != typed) {
        if (MyMessageBox::query(this, tr("The SIM card keeps this name only as \"%1\". Save it "
                                         "shortened?")
                                          .arg(fitted)) != MyMessageBox::Yes)
            return;
        typed = fitted;
    }
    QString name;
    coding(name, typed, sim ? IOData::simNamesUcs2 : true);
    Contact c(sim, 0, name, newContact->lineEdit_MobilePhone->text());
    if (!sim) {
        c.setHomePhone(newContact->lineEdit_HomePhone->text());
        c.setOfficePhone(newContact->lineEdit_OfficePhone->text());
        c.setEmail(newContact->lineEdit_email->text().trimmed());
        c.setGroup(newContact->group());
    }
    const auto stored = [this](const Contact& c) {
        backToPhoneBook();
        RefreshPhone();
        const int row = contactModel->rowOf(c.getId(), c.getIsSim());
        if (row >= 0)
            contactBook->scrollTo(contactFilter->mapFromSource(contactModel->index(row, 1)));
    };
    if (editing)
        updateContact(old, c, stored);
    else
        addNewContact(c, stored);
}

void PhoneBook::addNewContact(Contact c, std::function<void(const Contact&)> stored) {
    if (c.getIsSim()) {
        if (!hasSim_ || data_->countOfSimContact() >= data_->simPhonebookCapacity()) {
            MyMessageBox::warning(this, tr(" SIM's  card is full,you can't add a new contact!"));
            return;
        }
        if (!data_->simRead()) {
            MyMessageBox::warning(
                this, tr("The contacts on the SIM card have not been read yet. Please try again "
                         "later."));
            return;
        }
        busy(tr("saving..."), [this, c, stored](std::function<void()> finished) {
            data_->storeContact(c, true, [this, stored, finished](bool ok, const Contact& kept) {
                finished();
                if (!ok)
                    MyMessageBox::warning(this, tr("The SIM card did not take the contact."));
                else
                    stored(kept);
            });
        });
        return;
    }
    if (data_->countOfPcContact() >= IOData::MAX_PC_CONTACTS) {
        MyMessageBox::warning(this, tr(" PC's  card is full,you can't add a new contact!"));
        return;
    }
    if (data_->insertContact(&c, false) != 1 || !data_->saveXmlFile()) {
        MyMessageBox::warning(this, tr("The contact could not be saved on the PC."));
        return;
    }
    stored(c);
}

void PhoneBook::updateContact(const Contact& old, Contact now,
                              std::function<void(const Contact&)> stored) {
    now.setId(old.getId());
    if (old.getIsSim()) {
        // Written over its own location, so a refused write leaves it as it was.
        busy(tr("saving..."), [this, now, stored](std::function<void()> finished) {
            data_->replaceSimContact(now, [this, now, stored, finished](bool ok) {
                finished();
                if (!ok)
                    MyMessageBox::warning(this, tr("The SIM card did not take the contact."));
                else
                    stored(now);
            });
        });
        return;
    }
    Contact before = old;
    if (!data_->modifyContact(&before, &now, true)) {
        MyMessageBox::warning(this, tr("The contact could not be saved on the PC."));
        return;
    }
    stored(now);
}

void PhoneBook::btViewChicked() {
    const QList<Contact> selected = selectedContacts();
    if (selected.size() != 1)
        return;
    contactView->showContact(selected.first());
    phoneStack->setCurrentIndex(ViewPage);
}

void PhoneBook::edit() {
    const QList<Contact> selected = selectedContacts();
    if (selected.size() != 1)
        return;
    const Contact& c = selected.first();
    newContact->clear();
    newContact->hasSIM(hasSim_);
    newContact->setGroups(data_->getAllGroup(), c.getGroup());
    newContact->setSIMMode(c.getIsSim());
    newContact->setEditMode(true, QString::number(c.getId()));
    newContact->setName(ContactTableModel::shownName(c));
    newContact->lineEdit_MobilePhone->setText(c.getPhone());
    newContact->lineEdit_HomePhone->setText(c.getHomePhone());
    newContact->lineEdit_OfficePhone->setText(c.getOfficePhone());
    newContact->lineEdit_email->setText(c.getEmail());
    phoneStack->setCurrentIndex(FormPage);
}

void PhoneBook::btDeleteChicked() {
    const QList<Contact> selected = selectedContacts();
    if (selected.isEmpty() ||
        MyMessageBox::query(this, tr("Do you want to delete the item that you have selected?")) !=
            MyMessageBox::Yes)
        return;
    busy(tr("deleting..."), [this, selected](std::function<void()> finished) {
        deleteContacts(*data_, selected, [this, selected, finished](const DeleteReport& report) {
            finished();
            RefreshPhone();
            MyMessageBox::information(this,
                                      tr("You have deleted %1 contacts!").arg(report.deleted));
            if (report.failed)
                MyMessageBox::warning(this, tr("%n contact(s) could not be deleted.", nullptr,
                                               static_cast<int>(selected.size()) - report.deleted));
        });
    });
}

void PhoneBook::btSMSclicked() {
    const QString numbers = messageNumbers(selectedContacts());
    if (!numbers.isEmpty())
        emit sendsms(numbers);
}

void PhoneBook::groupSMSclicked() {
    QList<Contact> all;
    for (int row = 0; row < contactModel->rowCount(); ++row)
        all.append(contactModel->contactAt(row));
    const QString numbers = messageNumbers(all);
    if (!numbers.isEmpty())
        emit sendsms(numbers);
}

// --- groups ---------------------------------------------------------------------

void PhoneBook::makeNewGroup() {
    if (data_->countOfGroup() >= ContactRules::kMaxGroups) {
        qCDebug(lcPhonebook) << "the list of group is out of 20!!";
        MyMessageBox::information(this, tr("The phonebook holds at most 20 groups."));
        return;
    }
    const QString name = ContactRules::proposeGroupName(data_->getAllGroup());
    if (name.isEmpty())
        return;
    data_->insertGroup(name);
    RefreshPhone();
    selectItem(GroupItem, name);
    groupView->editItem(groupView->currentItem(), 0);
}

void PhoneBook::reNameGroupClicked() {
    if (currentKind() == GroupItem)
        groupView->editItem(groupView->currentItem(), 0);
}

void PhoneBook::editGroupName(QTreeWidgetItem* item, int column) {
    if (buildingTree_ || !item || column != 0 || item->data(0, kKindRole).toInt() != GroupItem)
        return;
    const QString old = item->data(0, kNameRole).toString();
    const QString now = item->text(0).trimmed();
    const ContactRules::Rename check = ContactRules::checkRename(data_->getAllGroup(), old, now);
    if (check == ContactRules::Rename::Empty)
        MyMessageBox::warning(this, tr("the name of the group can't be empty!!"));
    else if (check == ContactRules::Rename::Exists)
        MyMessageBox::warning(this, tr("The group exists,please rename it!"));
    const QString shown = check == ContactRules::Rename::Ok ? now : old;
    if (check == ContactRules::Rename::Ok && !data_->modifyGroup(old, now))
        MyMessageBox::warning(this, tr("The phonebook file could not be written."));
    // The tree is rebuilt once the editor that sent this is done with the item.
    QTimer::singleShot(0, this, [this, shown] {
        RefreshPhone();
        selectItem(GroupItem, shown);
    });
}

void PhoneBook::deleteGroup() {
    const QString name = currentGroup();
    if (name.isEmpty() ||
        MyMessageBox::query(this, tr("Sure to delete group: '") + name +
                                      tr("' and all contacts in it?")) != MyMessageBox::Yes)
        return;
    if (!data_->delGroup(name))
        MyMessageBox::warning(this, tr("The phonebook file could not be written."));
    clipboard_.removeIf([](const Contact& c) {
        return !c.getIsSim() && !IOData::pcContactMap.contains(c.getId());
    });
    selectItem(PcItem);
    RefreshPhone();
}

// --- copy, cut and paste --------------------------------------------------------

void PhoneBook::copyContact() {
    clipboard_ = selectedContacts();
    clipboardCut_ = false;
    checkButtonEnable();
}

void PhoneBook::cutContact() {
    clipboard_ = selectedContacts();
    clipboardCut_ = true;
    checkButtonEnable();
}

void PhoneBook::past() {
    if (clipboard_.isEmpty() || !pasteButton->isEnabled())
        return;
    const ContactTarget target = currentTarget();
    const PasteLoss loss = pasteLoss(clipboard_, target);
    if (loss.droppedFields &&
        MyMessageBox::query(this, tr(" Some  information  of  the  contact  will  be  lost!")) !=
            MyMessageBox::Yes)
        return;
    if (!confirmShortening(loss.shortenedNames))
        return;
    busy(tr("pasting..."), [this, target](std::function<void()> finished) {
        pasteContacts(*data_, clipboard_, clipboardCut_, target,
                      [this, target, finished](const PasteReport& report) {
                          finished();
                          pasted(target, report);
                      });
    });
}

void PhoneBook::pasted(const ContactTarget& target, const PasteReport& report) {
    // What was cut and moved is gone from its place; the rest may go elsewhere.
    if (clipboardCut_)
        clipboard_ = clipboard_.mid(report.added);
    RefreshPhone();
    if (report.full) {
        const QString text =
            target.sim ? tr("The SIM's phonebook is full ,you have add %1 contacts.%2 contacts "
                            "failed to add!")
                       : tr("The PC's phonebook is full ,you have add %1 contacts.%2 contacts "
                            "failed to add!");
        MyMessageBox::information(this, text.arg(report.added).arg(report.notAdded));
    } else if (report.failed) {
        MyMessageBox::warning(this, tr("Not every contact could be stored: %1 added, %2 not added.")
                                        .arg(report.added)
                                        .arg(report.notAdded));
    }
}

// --- export and import ------------------------------------------------------------

bool PhoneBook::exportTo(const QString& path, ExportFormat format) {
    QList<Contact> contacts = selectedContacts();
    if (contacts.isEmpty())
        contacts = shownContacts();
    return exportContacts(path, contacts, format);
}

void PhoneBook::saveAs() {
    if (contactFilter->rowCount() == 0)
        return;
    const QString textFilter = tr("Text files (*.txt)");
    const QString vcardFilter = tr("vCard files (*.vcf)");
    QString chosen;
    QString path = QFileDialog::getSaveFileName(this, tr("Export Contacts"), ".",
                                                textFilter + ";;" + vcardFilter, &chosen,
                                                QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += chosen == vcardFilter ? ".vcf" : ".txt";
    if (QFile::exists(path) &&
        MyMessageBox::query(this, tr("File %1 already exists.\nDoyou want to overwrite it?")
                                      .arg(QDir::toNativeSeparators(path))) != MyMessageBox::Yes)
        return;
    const int count = static_cast<int>(
        (selectedContacts().isEmpty() ? shownContacts() : selectedContacts()).size());
    if (!exportTo(path, exportFormatFor(path)))
        MyMessageBox::warning(
            this, tr("The file %1 could not be written.").arg(QDir::toNativeSeparators(path)));
    else
        MyMessageBox::information(
            this, tr("%n contact(s) saved in %1.", nullptr, count).arg(QFileInfo(path).fileName()));
}

void PhoneBook::importClicked() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Import Contacts"), ".", tr("vCard files (*.vcf *.vcard);;All files (*)"));
    if (!path.isEmpty())
        importFrom(path);
}

void PhoneBook::importFrom(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        MyMessageBox::warning(
            this, tr("The file %1 could not be read.").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QList<VCard> cards = readVCards(file.readAll());
    if (cards.isEmpty()) {
        MyMessageBox::information(this, tr("The file holds no contacts."));
        return;
    }
    const ContactTarget target = currentTarget();
    if (target.sim) {
        QStringList names;
        for (const VCard& card : cards)
            names.append(card.name.simplified());
        if (!confirmShortening(namesTooLong(names, target.simNameLimit)))
            return;
    }
    busy(tr("importing..."), [this, cards, target](std::function<void()> finished) {
        importVCards(*data_, cards, target, [this, finished](const ImportReport& report) {
            finished();
            imported(report);
        });
    });
}

void PhoneBook::imported(const ImportReport& report) {
    RefreshPhone();
    QStringList lines{tr("%n contact(s) imported.", nullptr, report.added)};
    if (report.shortened > 0)
        lines.append(
            tr("%n name(s) shortened to what the SIM card keeps.", nullptr, report.shortened));
    if (!report.skipped.isEmpty())
        lines.append(tr("Not imported:") + "\n" + report.skipped.join('\n'));
    if (!report.notes.isEmpty())
        lines.append(tr("Imported in part:") + "\n" + report.notes.join('\n'));
    if (lines.size() == 1)
        MyMessageBox::information(this, lines.first());
    else
        MyMessageBox::informationWithEditer(this, lines.join("\n\n"));
}
