#include "tests/monitor/recordingview.h"

#include <QTimer>

const ModemStatus& RecordingView::status() const {
    static const ModemStatus none;
    return statuses.isEmpty() ? none : statuses.last();
}

QStringList RecordingView::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages)
        texts << m.second;
    return texts;
}

void RecordingView::showStatus(const ModemStatus& status) {
    statuses.append(status);
    if (connection && (!status.card || status.sim != ModemStatus::Sim::Ready))
        connection->safeKillWvdail();
}

void RecordingView::askPin(const QString& name, const QString& prompt, PinAnswer answer) {
    asked << name + ": " + prompt;
    open_ = std::move(answer);
    QTimer::singleShot(0, [this] {
        if (!open_)
            return;
        if (onAsk)
            onAsk(asked.last().section(':', 0, 0));
        if (!open_)
            return; // rejected meanwhile
        std::optional<QString> text;
        if (!answers.empty()) {
            text = answers.front();
            answers.pop_front();
        }
        std::exchange(open_, nullptr)(text);
    });
}

void RecordingView::rejectPinDialog() {
    if (!open_)
        return;
    ++rejects;
    std::exchange(open_, nullptr)(std::nullopt);
}
