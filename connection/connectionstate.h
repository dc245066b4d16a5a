#pragma once

// The life of a data connection, as the internet page, the status area and
// the settings page see it.
enum class ConnectionState { Disconnected, Connecting, Connected, Disconnecting };

// A connection is being made or taken down: the connect button waits.
inline bool isBusy(ConnectionState state) {
    return state == ConnectionState::Connecting || state == ConnectionState::Disconnecting;
}
