#include "app/globals.h"

namespace {
struct ProgramFolders {
    QString base;
    QString resources;
};

ProgramFolders& folders() {
    static ProgramFolders folders;
    return folders;
}
} // namespace

void setProgramFolders(const QString& base, const QString& resources) {
    folders() = {base, resources};
}

QString programFolder() {
    return folders().base;
}

QString dataFile(const QString& name) {
    return folders().base + "/Data/" + name;
}

QString resFile(const QString& name) {
    const ProgramFolders& f = folders();
    return (f.resources.isEmpty() ? f.base : f.resources) + "/res/" + name;
}
