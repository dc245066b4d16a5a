#pragma once

// The first-byte limit for links to the modem simulator in tests whose
// subject is not that limit: the simulator is a process of its own and, on a
// loaded machine or under the sanitizers, may wait for the CPU longer than a
// card takes to answer.
inline constexpr int SIM_FIRST_BYTE_MS = 1000;
