#include "connection/profilerules.h"

#include "connection/profilestore.h"

#include <QCoreApplication>

#include <algorithm>

bool obtainSelected(bool obtain, bool use) {
    return obtain && !use;
}

bool isReadOnlyProfile(const QString& name, const ProfileContext& context,
                       const QString& deleteEnable) {
    if (name.isEmpty())
        return false; // a new profile
    return name == ProfileFormat::builtinName() ||
           (name == context.defaultProfile && context.connected) ||
           deleteEnable.contains(QLatin1String("cannot"));
}

namespace {

ConfigEnableState editable(const ProfileRecord& shown, bool nameFieldEnabled) {
    ConfigEnableState s;
    s.nameField = nameFieldEnabled;
    s.dialNumber = true;
    s.saveUserName = true;
    s.askUserName = shown.saveUserName;
    s.userName = shown.saveUserName;
    s.password = shown.saveUserName;
    s.radioButtons = true;
    s.apnField = !obtainSelected(shown.obtainApn, shown.useApn);
    s.dnsFields = !obtainSelected(shown.obtainDns, shown.useDns);
    s.pdpField = !obtainSelected(shown.obtainPdp, shown.usePdp);
    s.okButton = true;
    return s;
}

ConfigEnableState readOnly(bool nameFieldEnabled) {
    ConfigEnableState s;
    s.nameField = nameFieldEnabled;
    return s;
}

} // namespace

// Only a new profile gets a name: an existing one is saved in place under
// its own name.
ConfigEnableState initConf(const QString& name, const ProfileRecord& shown,
                           const ProfileContext& context) {
    return isReadOnlyProfile(name, context) ? readOnly(false) : editable(shown, name.isEmpty());
}

ConfigEnableState configview(const QString& name, const ProfileRecord& shown, bool nameFieldEnabled,
                             const ProfileContext& context) {
    return isReadOnlyProfile(name, context, shown.deleteEnable) ? readOnly(nameFieldEnabled)
                                                                : editable(shown, nameFieldEnabled);
}

QString savedCheck(const ConfigForm& form) {
    if (form.name.enabled) {
        QString error;
        if (!ProfileStore::checkRepeat(form.name.text, &error))
            return error;
        // A name of blanks only would be stored as an empty name.
        if (form.name.text.trimmed().isEmpty())
            return QCoreApplication::translate("ProfileRules", "The Config Filename is empty!");
    }
    struct Required {
        const ConfigFormField& field;
        const char* empty;
        const char* invalid; // null: any text will do
    };
    const Required checks[] = {
        {form.dialNumber, QT_TRANSLATE_NOOP("ProfileRules", "The Dial Number is empty!"), nullptr},
        {form.userName, QT_TRANSLATE_NOOP("ProfileRules", "The User Name is empty!"), nullptr},
        {form.password, QT_TRANSLATE_NOOP("ProfileRules", "The Password is empty!"), nullptr},
        {form.apn, QT_TRANSLATE_NOOP("ProfileRules", "The APN is empty!"), nullptr},
        {form.preferredDns, QT_TRANSLATE_NOOP("ProfileRules", "The Preferred DNS is empty!"),
         QT_TRANSLATE_NOOP("ProfileRules", "Invalid Preferred DNS!Please check it!")},
        {form.alternateDns, QT_TRANSLATE_NOOP("ProfileRules", "The Alternate DNS is empty!"),
         QT_TRANSLATE_NOOP("ProfileRules", "Invalid Alternate DNS!Please check it!")},
        {form.pdp, QT_TRANSLATE_NOOP("ProfileRules", "The PDP is empty!"),
         QT_TRANSLATE_NOOP("ProfileRules", "Invalid PDP!Please check it!")},
    };
    for (const Required& check : checks) {
        if (!check.field.enabled)
            continue;
        if (check.field.text.isEmpty())
            return QCoreApplication::translate("ProfileRules", check.empty);
        if (check.invalid && !ipValidate(check.field.text))
            return QCoreApplication::translate("ProfileRules", check.invalid);
    }
    // The separator inside a value, or a value ending in "-|" (which the
    // separator after it completes into one), would split the fields line
    // and shift every later field of the record; a line end or another
    // control character would cut the record's line.
    for (const ConfigFormField* field :
         {&form.name, &form.dialNumber, &form.userName, &form.password, &form.apn,
          &form.preferredDns, &form.alternateDns, &form.pdp}) {
        if (!field->enabled)
            continue;
        if (field->text.contains(ProfileFormat::Separator) || field->text.endsWith(u"-|"))
            return QCoreApplication::translate(
                "ProfileRules", "The text \"-|-\" can't be used in a field! Please revise!");
        if (std::any_of(field->text.cbegin(), field->text.cend(),
                        [](QChar c) { return c.category() == QChar::Other_Control; }))
            return QCoreApplication::translate(
                "ProfileRules", "Control characters can't be used in a field! Please revise!");
    }
    return QString();
}

ProfileListActions listActionsFor(const QString& name, const QString& deleteEnable,
                                  const ProfileContext& context) {
    ProfileListActions actions;
    if (name == ProfileFormat::builtinName() || deleteEnable.contains(QLatin1String("cannot"))) {
        actions.viewOnly = true;
        actions.deleteEnabled = false;
    } else if (name == context.defaultProfile && context.connected) {
        actions.viewOnly = true;
    }
    return actions;
}

bool canDeleteProfile(const QString& name, const QString& defaultProfile) {
    return name != ProfileFormat::builtinName() && name != defaultProfile;
}

int rowAfterDelete(int deleted, int countBefore) {
    if (countBefore <= 1)
        return -1;
    if (deleted <= 0)
        return 0;
    return deleted >= countBefore - 1 ? countBefore - 2 : deleted;
}
