#include "modem/messagesetup.h"

#include <initializer_list>

namespace {

// The first of `preferred` that `offered` holds; "" for none.
QByteArray firstOf(const QStringList& offered, std::initializer_list<const char*> preferred) {
    for (const char* name : preferred) {
        if (offered.contains(QLatin1String(name)))
            return name;
    }
    return {};
}

QByteArray selection(const QByteArray& read, const QByteArray& write, const QByteArray& receive) {
    return '"' + read + "\",\"" + write + "\",\"" + receive + '"';
}

MessageStores storesFrom(const StorageChoices& offered) {
    const auto& [read, write, receive] = offered;
    // Arrivals go where they can be read again. "MT" holds the SIM's
    // messages too: it is taken only where nothing else will do, so that
    // the SIM's messages are not listed, and taken in, as the memory's.
    QByteArray arrivals;
    for (const char* name : {"ME", "SM", "MT"}) {
        if (arrivals.isEmpty() && receive.contains(QLatin1String(name)) &&
            read.contains(QLatin1String(name)))
            arrivals = name;
    }
    const QByteArray memory = arrivals == "MT" ? arrivals : firstOf(read, {"ME"});
    const QByteArray written =
        write.contains(QString::fromLatin1(memory)) ? memory : firstOf(write, {"ME", "MT", "SM"});
    MessageStores stores;
    stores.modem = memory.isEmpty() || arrivals.isEmpty() || written.isEmpty()
                       ? QByteArray()
                       : selection(memory, written, arrivals);
    const QByteArray simWritten = firstOf(write, {"SM", "ME", "MT"});
    stores.sim = !read.contains(u"SM") || arrivals.isEmpty() || simWritten.isEmpty()
                     ? QByteArray()
                     : selection("SM", simWritten, arrivals);
    stores.reports = read.contains(u"SR") ? R"("SR")" : QByteArray();
    return stores;
}

// The first of `preferred` that the card takes for field `i`; a field it
// gave no values for takes the first preferred one.
int valueFor(const IndicationChoices& offered, qsizetype i, std::initializer_list<int> preferred) {
    for (const int value : preferred) {
        if (offered.value(i).isEmpty() || offered[i].contains(value))
            return value;
    }
    return offered[i].first();
}

} // namespace

MessageSetup chooseMessageSetup(const std::optional<StorageChoices>& storages,
                                const std::optional<IndicationChoices>& indications) {
    MessageSetup setup;
    const bool known = storages && !(*storages)[0].isEmpty() && !(*storages)[2].isEmpty();
    if (known)
        setup.stores = storesFrom(*storages);
    const bool reportStore = !setup.stores.reports.isEmpty();
    const IndicationChoices offered =
        indications && !indications->isEmpty() ? *indications : IndicationChoices(5);
    // Announcements are kept while the card is busy and sent after (mode 2);
    // a message is announced once stored (mt 1; 3 hands only class 3 over
    // whole), or handed over whole (2) where that is all the card does; no
    // cell broadcasts; status reports stored where there is room for them.
    const int values[] = {
        valueFor(offered, 0, {2, 1, 3}),
        valueFor(offered, 1, {1, 3, 2}),
        valueFor(offered, 2, {0}),
        reportStore ? valueFor(offered, 3, {2, 1, 0}) : valueFor(offered, 3, {1, 0}),
        valueFor(offered, 4, {0, 1}),
    };
    for (qsizetype i = 0; i < qMin<qsizetype>(offered.size(), 5); ++i)
        setup.indications += (i ? "," : "") + QByteArray::number(values[i]);
    return setup;
}
