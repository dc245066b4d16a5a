#pragma once

// Reading one message at a place of a card storage, with that storage
// selected first, for every flow that reads a place it knows by its index.

#include "modem/serialthread.h"

// Selects `storage` and reads the message at `index`. A storage that can't
// be selected now gives a failed read (neither a message nor an empty
// place): the read is never made at the same index of another storage.
void readStoredMessage(SerialThread& link, const AtCaller& caller, MessageStorage storage,
                       int index, AtDone<MessageRead> done);
