// Times the first lookup in the installed provider database (the file is
// read and indexed then) and a later lookup, over several runs; prints the
// median and the slowest. Run by hand: build/bin/bench_providers [runs]

#include "app/systempaths.h"
#include "connection/providerdatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    const QString path = SystemPaths::providerDatabase();
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s is missing (package mobile-broadband-provider-info)\n",
                     qPrintable(path));
        return 1;
    }
    std::vector<double> first, later;
    qsizetype found = 0;
    for (int run = 0; run < runs; ++run) {
        ProviderDatabase providers(path);
        QElapsedTimer timer;
        timer.start();
        found = providers.internetApns("262019876543210").size();
        first.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        providers.internetApns("310410123456789");
        later.push_back(timer.nsecsElapsed() / 1e6);
    }
    const auto row = [](const char* what, std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-34s median %7.3f ms   slowest %7.3f ms\n", what, ms[ms.size() / 2],
                    ms.back());
    };
    std::printf("%s (%lld bytes), %d runs; 262 01 has %lld internet APNs\n", qPrintable(path),
                static_cast<long long>(QFileInfo(path).size()), runs,
                static_cast<long long>(found));
    row("first lookup (reads the file)", first);
    row("later lookup", later);
    return 0;
}
