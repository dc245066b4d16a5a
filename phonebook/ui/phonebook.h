#pragma once

#include "phonebook/contactimport.h"

#include "phonebook/contact.h"
#include "phonebook/contactexport.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <memory>

class ContactFilterModel;
class ContactTableModel;
class ContactView;
class IOData;
class MyTable;
class NewContact;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class SerialThread;
struct ContactTarget;

// The phonebook page: the group tree (the PC with its groups, and the SIM
// while one is present), the contacts of the chosen item with a search
// field, and the forms to make, edit and view a contact. Contacts are copied,
// cut and pasted between the PC, its groups and the SIM, exported to a text
// or vCard file, imported from vCards, and handed to the message page.
class PhoneBook : public QWidget {
    Q_OBJECT
public:
    // Pages of the page's own stack.
    enum StackPage { TablePage = 0, FormPage = 1, ViewPage = 2 };
    // Kinds of tree item.
    enum ItemKind { PcItem = 1, GroupItem = 2, SimItem = 3 };

    // SIM contacts are read and written through `link` (none: PC only).
    explicit PhoneBook(QWidget* parent = nullptr, const char* name = nullptr,
                       SerialThread* link = nullptr);
    ~PhoneBook() override;

    // Opens the new-contact form, cleared, with `mobileNumber` filled in.
    void showNewContactForm(const QString& mobileNumber);
    bool hasSIM() const { return hasSim_; }

    // The contacts the actions apply to: the selected rows that are shown.
    QList<Contact> selectedContacts() const;
    // Every contact shown, in shown order.
    QList<Contact> shownContacts() const;
    // The tree item shown: its kind and, for a group, its name.
    ItemKind currentKind() const;
    QString currentGroup() const;
    // Selects the PC item, a group or the SIM item.
    void selectItem(ItemKind kind, const QString& group = {});
    bool hasClipboard() const { return !clipboard_.isEmpty(); }

    // Writes the selected contacts (every shown one when none is selected) to
    // `path`; false when the file could not be written.
    bool exportTo(const QString& path, ExportFormat format);
    // Imports the vCards in `path` into the chosen tree item and reports.
    void importFrom(const QString& path);

    QTreeWidget* groupView;
    MyTable* contactBook;
    ContactTableModel* contactModel;
    ContactFilterModel* contactFilter;
    QStackedWidget* phoneStack;
    NewContact* newContact;
    ContactView* contactView;
    QLineEdit* searchEdit;
    QLabel* pcCapacityLabel;
    QLabel* simCapacityLabel;
    QLabel* sumLabel;
    QLabel* busyLabel;
    QPushButton* newButton;
    QPushButton* editButton;
    QPushButton* deleteButton;
    QPushButton* smsButton;
    QPushButton* copyButton;
    QPushButton* cutButton;
    QPushButton* pasteButton;
    QPushButton* exportButton;
    QPushButton* importButton;

signals:
    // Asks for a new message to these numbers (";" between them).
    void sendsms(QString numbers);

public slots:
    void newClicked();
    void makeNewContact();
    void btViewChicked();
    void edit();
    void btDeleteChicked();
    void btSMSclicked();
    void groupSMSclicked();
    void saveAs();
    void importClicked();
    void searchClicked();
    void searchStrChanged(const QString& text);
    void makeNewGroup();
    void reNameGroupClicked();
    void editGroupName(QTreeWidgetItem* item, int column);
    void deleteGroup();
    void copyContact();
    void cutContact();
    void past();
    void selectAll();
    void undoSelectAll();
    void groupSelectedChange(QTreeWidgetItem* item);
    void listView_RightClicked(const QPoint& pos);
    void tableItemChanged(int row);
    void headerReleased(int column);
    void SumTips(int rows);
    void RefreshPhone();
    // Reads the PC contacts and groups from their file again (a backup was
    // restored over it); the SIM's contacts stay as read, and work with the
    // card under way ends as it would have.
    void reloadPcStore();
    void updateSIM();
    void setHasSIM(bool hasSim);
    void backToPhoneBook(int page = TablePage);
    void checkButtonEnable();

private:
    void buildTree();
    void refreshTable();
    void refreshLabels();
    void showMenu(const QPoint& globalPos);
    ContactTarget currentTarget() const;
    // Asks before `names` names are shortened to what the SIM holds; true
    // when there are none or the user agrees.
    bool confirmShortening(int names);
    // Runs a longer piece of work with the page locked and `text` shown; a
    // SIM state that arrives meanwhile is applied afterwards.
    void busy(const QString& text, std::function<void(std::function<void()>)> work);
    // Store `c` (a new contact, or `old` changed) and call `stored` with it
    // once it is; a refusal is told to the user.
    void addNewContact(Contact c, std::function<void(const Contact&)> stored);
    void updateContact(const Contact& old, Contact now, std::function<void(const Contact&)> stored);
    void pasted(const ContactTarget& target, const PasteReport& report);
    void imported(const ImportReport& report);
    void applySimState(bool hasSim);

    SerialThread* link_;
    std::unique_ptr<IOData> data_;
    QTreeWidgetItem* pcItem_ = nullptr;
    QTreeWidgetItem* simItem_ = nullptr;
    QList<Contact> clipboard_;
    bool clipboardCut_ = false;
    bool hasSim_ = false;
    bool working_ = false;
    int pendingSim_ = -1; // SIM state told while working: -1 none, 0 absent, 1 present
    bool buildingTree_ = false;
};
