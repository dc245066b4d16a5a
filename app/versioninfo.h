#pragma once

#include <QString>

// First line of the program folder's Data/version.txt. When the file is missing or
// its first line is empty, an empty file is left behind and "" returned.
QString readVersionInfo();
