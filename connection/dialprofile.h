#pragma once

#include "helper/dialrequest.h"

#include <QString>
#include <optional>

// The helper's request for dialling the default profile (the fields line of
// Data/defaultRecord.conf) on the card's data port `port` with `dialer`.
// Nothing when the default record can't be read or has no fields line.
std::optional<DialRequest> defaultProfileRequest(const QString& port, Dialer dialer);

// The dialer to use: the one the connection settings name ("wvdial" or
// "pppd") when it is installed; otherwise wvdial where it is installed, as
// always, and pppd where it isn't.
Dialer chosenDialer(const QString& setting);
