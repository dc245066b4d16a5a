#pragma once

class QWidget;

// At the first start as a user after the upgrade from the version that ran
// as root: asks whether to move the data that version kept in root's home,
// and moves it through the helper (which asks for an administrator's
// password). Runs before the stores read their files, while only the
// splash screen shows; it waits for the helper with the event loop turning.
void offerOldRootData(QWidget* parent);
