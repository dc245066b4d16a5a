#pragma once

// Puts right what a run that ended in the middle of a write left in the data
// folder, before the stores read their files: the new files of interrupted
// atomic writes, a restore of a backup (finished or dropped), the lock files
// of the settings files.
void recoverDataFolder();
