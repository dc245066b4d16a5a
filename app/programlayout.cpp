#include "app/programlayout.h"

#include "app/atomicfile.h"
#include "app/userfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

namespace {

bool isUserFile(const QString& name) {
    return std::any_of(std::begin(kUserDataFiles), std::end(kUserDataFiles),
                       [&](const char* userFile) { return name == QLatin1String(userFile); });
}

QByteArray readAll(const QString& path, bool* ok) {
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

} // namespace

ProgramLayout programLayout(const QString& executableDir, const QString& dataHome,
                            const QString& home) {
    const QDir exe(executableDir);
    const QString shared = QDir::cleanPath(executableDir + "/../share/velto");
    const bool installed = exe.dirName() == "bin" && QFileInfo(shared + "/Data").isDir() &&
                           !QFileInfo(executableDir + "/Data").exists();
    if (!installed)
        return {executableDir, executableDir, QString()};
    const QString dataRoot =
        QDir::isAbsolutePath(dataHome) ? dataHome : QDir::cleanPath(home + "/.local/share");
    return {QDir::cleanPath(dataRoot + "/velto"), shared, shared + "/Data"};
}

bool prepareUserData(const ProgramLayout& layout, QString* error) {
    if (layout.shippedData.isEmpty())
        return true;
    const QString target = layout.base + "/Data";
    if (!QDir().mkpath(target)) {
        *error = QString("cannot create %1").arg(target);
        return false;
    }
    QDirIterator it(layout.shippedData, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(layout.shippedData).relativeFilePath(source);
        const QString copy = target + '/' + relative;
        const bool exists = QFileInfo::exists(copy);
        if (exists && isUserFile(it.fileName()))
            continue;
        bool ok = false;
        const QByteArray shipped = readAll(source, &ok);
        if (!ok) {
            *error = QString("cannot read %1").arg(source);
            return false;
        }
        if (exists && readAll(copy, &ok) == shipped && ok)
            continue;
        const QFileDevice::Permissions permissions =
            QFile::permissions(source) | QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) ||
            !writeFileAtomically(copy, shipped, permissions)) {
            *error = QString("cannot write %1").arg(copy);
            return false;
        }
    }
    return true;
}
