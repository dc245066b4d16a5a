#pragma once

#include <QLoggingCategory>

// Diagnostics of the modem link ("velto.modem"): commands sent, replies
// received, port scans. Silence with QT_LOGGING_RULES="velto.modem.debug=false".
Q_DECLARE_LOGGING_CATEGORY(lcModem)
