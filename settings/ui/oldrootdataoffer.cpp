#include "settings/ui/oldrootdataoffer.h"

#include "connection/privilegedhelper.h"
#include "settings/oldrootdata.h"
#include "widgets/mymessagebox.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>

namespace {

// The helper's output, or nothing when it did not run to its end.
std::optional<QByteArray> runHelper(const QStringList& arguments) {
    QProcess helper;
    QEventLoop wait;
    QObject::connect(&helper, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::errorOccurred, &wait, &QEventLoop::quit);
    const QStringList command = PrivilegedHelper::commandLine(arguments);
    helper.start(command.first(), command.mid(1));
    if (helper.state() != QProcess::NotRunning)
        wait.exec();
    if (helper.state() != QProcess::NotRunning || helper.exitStatus() != QProcess::NormalExit ||
        helper.exitCode() != 0)
        return std::nullopt;
    return helper.readAllStandardOutput();
}

} // namespace

void offerOldRootData(QWidget* parent) {
    if (!OldRootData::offered())
        return;
    const int answer = MyMessageBox::queryWithEditer(
        parent, QCoreApplication::translate(
                    "OldRootData",
                    "The earlier version of this program kept its messages, contacts, connection "
                    "profiles, settings and data use in the administrator's folder. Move them "
                    "here now? An administrator's password is needed for it."));
    if (answer != MyMessageBox::Yes) {
        OldRootData::markAnswered();
        return;
    }
    const std::optional<QByteArray> output = runHelper({QStringLiteral("old-data")});
    const std::optional<QList<Backup::Member>> files =
        output ? OldRootData::read(*output) : std::nullopt;
    QString error;
    if (!files || !OldRootData::install(*files, &error)) {
        MyMessageBox::warningWithEditer(
            parent, QCoreApplication::translate(
                        "OldRootData",
                        "The data could not be moved; it stays where it was, and you will be "
                        "asked again at the next start.") +
                        (error.isEmpty() ? QString() : "\n" + error));
        return;
    }
    OldRootData::markAnswered();
    // The administrator's folder is kept under another name: nothing is lost.
    runHelper({QStringLiteral("old-data"), QStringLiteral("moved")});
    MyMessageBox::informationWithEditer(
        parent, QCoreApplication::translate(
                    "OldRootData",
                    "The messages, contacts, connection profiles, settings and data use of the "
                    "earlier version are here now."));
}
