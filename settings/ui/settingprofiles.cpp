// The connection section of the settings page: the profile list.

#include "settings/ui/settingmainwindow.h"

#include "connection/connectionglobals.h"
#include "connection/profilerules.h"
#include "connection/profilestore.h"
#include "connection/ui/config.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QLineEdit>
#include <QListWidget>

void CSetting::initConlist() {
    conListBox->clear();
    QStringList names;
    QString error;
    if (!ProfileStore::profileNames(&names, &error))
        MyMessageBox::warning(this, error);
    conListBox->addItems(names);
    conLineedit->setText(ProfileStore::resolveDefaultProfile());
    markDefault();
    const QList<QListWidgetItem*> shown =
        conListBox->findItems(conLineedit->text(), Qt::MatchExactly);
    if (!shown.isEmpty())
        selectProfile(conListBox->row(shown.first()));
}

// The default profile stands out in bold.
void CSetting::markDefault() {
    for (int row = 0; row < conListBox->count(); ++row) {
        QListWidgetItem* item = conListBox->item(row);
        QFont font = conListBox->font();
        font.setBold(item->text() == conLineedit->text());
        item->setFont(font);
    }
}

QString CSetting::selectedProfile() const {
    const QList<QListWidgetItem*> selected = conListBox->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void CSetting::selectProfile(int row) {
    if (row < 0 || row >= conListBox->count())
        return;
    conListBox->setCurrentRow(row);
    conListBox->scrollToItem(conListBox->item(row));
}

bool CSetting::checkSelectItem() {
    if (!selectedProfile().isEmpty())
        return true;
    MyMessageBox::information(this, tr("Please select a config file first!"));
    return false;
}

bool CSetting::isDelete() {
    return MyMessageBox::queryWithEditer(this, tr("Are you sure to delete the selected item?")) ==
           MyMessageBox::Yes;
}

void CSetting::slotClickedListItem() {
    const QString name = selectedProfile();
    deleteButton->setEnabled(true);
    if (name.isEmpty() || !config)
        return;
    if (!config->loadText(name))
        MyMessageBox::warning(this, tr("Data load failed!"));
    const ProfileListActions actions = listActionsFor(name);
    editButton->setText(actions.viewOnly ? tr("View") : tr("Edit"));
    deleteButton->setEnabled(actions.deleteEnabled);
}

void CSetting::addConfigDialog() {
    Config dialog(this, "newConfig", true, {}, QString());
    if (dialog.exec() == QDialog::Accepted && !newConfigDialgName.isEmpty()) {
        conListBox->addItem(newConfigDialgName);
        selectProfile(conListBox->count() - 1);
    }
    newConfigDialgName.clear();
}

void CSetting::editConfigDialog() {
    if (!checkSelectItem())
        return;
    // Read again: the record or the connection state may have changed since
    // the profile was selected.
    if (!config->loadText(selectedProfile()))
        return;
    config->exec();
    newConfigDialgName.clear();
}

void CSetting::delConfigDialog() {
    const QString name = selectedProfile();
    if (!name.isEmpty() && !canDeleteProfile(name)) {
        MyMessageBox::warning(this, tr("The file is the default config file, can't be deleted!"));
        return;
    }
    if (!checkSelectItem() || !isDelete())
        return;
    const int row = conListBox->currentRow();
    const int count = conListBox->count();
    QString error;
    if (!ProfileStore::delText(name, &error)) {
        MyMessageBox::warning(this, tr("sorry,delete operation failed"));
        return;
    }
    delete conListBox->takeItem(row);
    selectProfile(rowAfterDelete(row, count));
}

void CSetting::setDefault() {
    if (!checkSelectItem())
        return;
    const QString name = selectedProfile();
    QString error;
    if (!ProfileStore::saveDefaultData(name, &error)) {
        MyMessageBox::warning(this, error);
        return;
    }
    conLineedit->setText(name);
    defConfFile = name;
    markDefault();
    slotClickedListItem();
    emit sigSetDefaultConnctLabel();
}
