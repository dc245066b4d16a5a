// The connection section of the settings page: the profile list.

#include "settings/ui/settingmainwindow.h"

#include "app/systempaths.h"
#include "connection/dialprofile.h"
#include "connection/profilerules.h"
#include "connection/profilestore.h"
#include "connection/ui/config.h"
#include "settings/settingsfiles.h"
#include "widgets/mybutton.h"
#include "widgets/mymessagebox.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardItemModel>

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

void CSetting::showDialer() {
    auto* items = qobject_cast<QStandardItemModel*>(dialerComboBox->model());
    const QString programs[] = {SystemPaths::wvdialProgram(), SystemPaths::pppdProgram()};
    for (int row = 0; row < 2; ++row) {
        const bool installed = QFileInfo(programs[row]).isExecutable();
        items->item(row)->setEnabled(installed);
        items->item(row)->setToolTip(installed ? QString() : tr("Not installed"));
    }
    const QSignalBlocker quiet(dialerComboBox);
    dialerComboBox->setCurrentIndex(
        dialerComboBox->findData(dialerName(chosenDialer(readDialerChoice()))));
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

ProfileContext CSetting::profileContext() const {
    return {conLineedit->text(), connectionState_ == ConnectionState::Connected ||
                                     connectionState_ == ConnectionState::Disconnecting};
}

void CSetting::setConnectionState(ConnectionState state) {
    connectionState_ = state;
    setdefaultButton->setEnabled(state == ConnectionState::Disconnected);
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
    config->setContext(profileContext());
    if (!config->loadText(name))
        MyMessageBox::warning(this, tr("Data load failed!"));
    const ProfileListActions actions =
        listActionsFor(name, config->record().deleteEnable, profileContext());
    editButton->setText(actions.viewOnly ? tr("View") : tr("Edit"));
    deleteButton->setEnabled(actions.deleteEnabled);
}

void CSetting::addConfigDialog() {
    Config dialog(this, "newConfig", true, {}, QString(), profileContext());
    dialog.proposeFromSim(link_);
    if (dialog.exec() == QDialog::Accepted && !dialog.savedName().isEmpty()) {
        conListBox->addItem(dialog.savedName());
        selectProfile(conListBox->count() - 1);
    }
}

void CSetting::editConfigDialog() {
    if (!checkSelectItem())
        return;
    // Read again: the record or the connection state may have changed since
    // the profile was selected.
    config->setContext(profileContext());
    if (!config->loadText(selectedProfile()))
        return;
    config->exec();
}

void CSetting::delConfigDialog() {
    const QString name = selectedProfile();
    if (!name.isEmpty() && !canDeleteProfile(name, conLineedit->text())) {
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
    markDefault();
    slotClickedListItem();
    emit sigSetDefaultConnctLabel();
}
