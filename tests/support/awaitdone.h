#pragma once

// Waits for the completion of an asynchronous call (a command on the modem
// link, or a flow of them), for tests and tools that drive one step at a
// time.
//
//   const std::optional<bool> stored = awaitDone<bool>(
//       [&](auto done) { link.insertContact(&link, 4, "+4930123", "0041", done); });

#include <QTest>

#include <functional>
#include <memory>
#include <optional>

// Runs `call` with a completion and processes events until it ran; the value
// it was given, or nothing when it didn't run within `timeoutMs`.
template <typename T>
std::optional<T> awaitDone(const std::function<void(std::function<void(T)>)>& call,
                           int timeoutMs = 30000) {
    // Shared with the completion, which may still come after a time-out.
    auto result = std::make_shared<std::optional<T>>();
    call([result](T value) { *result = std::move(value); });
    if (!QTest::qWaitFor([&result] { return result->has_value(); }, timeoutMs))
        return std::nullopt;
    return *result;
}
