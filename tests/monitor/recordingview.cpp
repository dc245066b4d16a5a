#include "tests/monitor/recordingview.h"

#include "modem/serialthread.h"
#include "sms/deliveryreport.h"

QStringList RecordingView::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages)
        texts << m.second;
    return texts;
}

SmsData& RecordingView::pcStore() {
    if (!store)
        store = std::make_unique<SmsData>();
    return *store;
}

bool RecordingView::InsertSave(const QString& reply, int index, const QString& state) {
    return storeArrivedMessage(pcStore(), reply, index, state);
}

void RecordingView::takeStatusReport(const QString& pdu) {
    reports.append(pdu);
    recordStatusReport(pcStore(), pdu);
}

int RecordingView::getSimAllSmsItem(int store, int stat) {
    const QString reply = serialthread->getSmsContent(stat, store);
    StorageLists& lists = store == 1 ? simLists : meLists;
    return parseListReply(reply, lists.in, lists.out, lists.draft, "new", "read");
}

std::optional<QString> RecordingView::askPin(const QString& name, const QString& prompt) {
    return ask(name, prompt);
}

std::optional<QString> RecordingView::ask(const QString& name, const QString& prompt) {
    asked << name + ": " + prompt;
    if (onAsk)
        onAsk(name);
    if (answers.empty())
        return std::nullopt;
    const std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
}
