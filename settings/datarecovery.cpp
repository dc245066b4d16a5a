#include "settings/datarecovery.h"

#include "app/atomicfile.h"
#include "app/globals.h"
#include "settings/backup.h"
#include "settings/settingsfiles.h"

void recoverDataFolder() {
    QStringList written = {QStringLiteral("smsparts.xml"), QStringLiteral(".restore-journal"),
                           QStringLiteral("traffichistory")};
    for (const QString& name : Backup::memberNames())
        written << name << '.' + name + ".restore-new" << '.' + name + ".restore-old";
    removeInterruptedWrites(dataFile(QString()), written);
    Backup::finishInterruptedRestore();
    clearStaleSettingsLocks();
}
