#include "tests/support/testenv.h"

#include "app/globals.h"
#include "app/systempaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + '/' + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
        QFile(target).setPermissions(QFile(source).permissions() | QFileDevice::WriteOwner);
    }
}

} // namespace

TestEnv::TestEnv() : savedBase_(programFolder()), savedRoot_(SystemPaths::root()) {
    const QString builtBase = QCoreApplication::applicationDirPath();
    copyTree(builtBase + "/Data", base() + "/Data");
    QFile::link(builtBase + "/res", base() + "/res");
    QDir().mkpath(root());
    setProgramFolders(base());
    SystemPaths::setRoot(root());
}

TestEnv::~TestEnv() {
    if (cardPort_ >= 0)
        ::close(cardPort_);
    setProgramFolders(savedBase_);
    SystemPaths::setRoot(savedRoot_);
}

QString TestEnv::root() const {
    return dir_.path() + "/root";
}
QString TestEnv::base() const {
    return dir_.path() + "/base";
}
QString TestEnv::rootPath(const QString& absolute) const {
    return root() + absolute;
}
QString TestEnv::dataPath(const QString& name) const {
    return base() + "/Data/" + name;
}

void TestEnv::writeRootFile(const QString& absolute, const QByteArray& contents) const {
    const QString path = rootPath(absolute);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
}

QByteArray TestEnv::readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TestEnv::binary(const QString& name) {
    return QCoreApplication::applicationDirPath() + '/' + name;
}

QString TestEnv::source(const QString& relative) {
    return QStringLiteral(VELTO_SOURCE_DIR) + '/' + relative;
}

bool TestEnv::prepareDialerRoot() {
    if (QProcess::execute(source("scripts/demo-root"),
                          {root(), QCoreApplication::applicationDirPath()}) != 0)
        return false;
    if (cardPort_ < 0)
        cardPort_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    return cardPort_ >= 0 && grantpt(cardPort_) == 0 && unlockpt(cardPort_) == 0 &&
           QFile::link(QString::fromLocal8Bit(ptsname(cardPort_)), cardPort());
}
