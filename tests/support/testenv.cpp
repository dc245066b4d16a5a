#include "tests/support/testenv.h"

#include "app/globals.h"
#include "app/systempaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

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

TestEnv::TestEnv() : savedBase_(basePath), savedRoot_(SystemPaths::root()) {
    const QString builtBase = QCoreApplication::applicationDirPath();
    copyTree(builtBase + "/Data", base() + "/Data");
    QFile::link(builtBase + "/res", base() + "/res");
    QDir().mkpath(root());
    basePath = base();
    SystemPaths::setRoot(root());
}

TestEnv::~TestEnv() {
    basePath = savedBase_;
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
