#pragma once

#include <QLoggingCategory>

// Diagnostics of the status monitor and the PIN flows ("velto.monitor").
Q_DECLARE_LOGGING_CATEGORY(lcMonitor)
