#pragma once

#include "connection/profilerecord.h"

#include <QString>

// The rules of the profile dialog and of the profile list, as plain
// functions the widgets apply.

// Which widgets of the profile dialog can be edited. Each address flag
// covers the field and its label.
struct ConfigEnableState {
    bool nameField = false;
    bool dialNumber = false;
    bool saveUserName = false;
    bool askUserName = false;
    bool userName = false;     // user name label and field
    bool password = false;     // password label and field
    bool radioButtons = false; // DNS, APN, PDP, PDP type and authentication choices
    bool apnField = false;
    bool dnsFields = false; // preferred and alternate DNS
    bool pdpField = false;
    bool okButton = false;
};

// How the exclusive "obtain / use" radio pairs show a record: when both
// flags are set the "use" button wins, as it is set last.
bool obtainSelected(bool obtain, bool use);

// What the rules need besides the profile: which profile dials, and whether
// a connection is up (the default profile can't change then).
struct ProfileContext {
    QString defaultProfile;
    bool connected = false;
};

// True when the profile `name` may only be viewed: the built-in profile,
// the default profile while connected, and a profile whose "delete Enable"
// value `deleteEnable` says "cannot".
bool isReadOnlyProfile(const QString& name, const ProfileContext& context,
                       const QString& deleteEnable = QString());

// The dialog as it is built for `name` (empty for a new profile), showing
// `shown`. The name can be typed for a new profile only.
ConfigEnableState initConf(const QString& name, const ProfileRecord& shown,
                           const ProfileContext& context);
// The dialog after `shown` has been loaded for `name`; the name field keeps
// its state `nameFieldEnabled`.
ConfigEnableState configview(const QString& name, const ProfileRecord& shown, bool nameFieldEnabled,
                             const ProfileContext& context);

// One text field of the dialog as the validation sees it.
struct ConfigFormField {
    QString text;
    bool enabled = false;
};

struct ConfigForm {
    ConfigFormField name;
    ConfigFormField dialNumber;
    ConfigFormField userName;
    ConfigFormField password;
    ConfigFormField apn;
    ConfigFormField preferredDns;
    ConfigFormField alternateDns;
    ConfigFormField pdp;
};

// Checks the enabled fields before saving; the first failure's message, or
// an empty string when the profile may be saved.
QString savedCheck(const ConfigForm& form);

// The list page's buttons for the selected profile.
struct ProfileListActions {
    bool viewOnly = false; // the edit button reads "View"
    bool deleteEnabled = true;
};
// `deleteEnable` is the profile's "delete Enable" value.
ProfileListActions listActionsFor(const QString& name, const QString& deleteEnable,
                                  const ProfileContext& context);

// False for the built-in and the default profile, which cannot be deleted.
bool canDeleteProfile(const QString& name, const QString& defaultProfile);

// The list row to select after row `deleted` of `countBefore` rows was
// removed; -1 when the list is now empty.
int rowAfterDelete(int deleted, int countBefore);
