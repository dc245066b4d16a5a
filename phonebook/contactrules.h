#pragma once

// The rules of the contact form and of the group list: what a name, a number
// and an e-mail address may be, how many groups there are, and how a new
// group is named.

#include <QString>
#include <QStringList>

namespace ContactRules {

// Characters the name field takes for a new name. The PC keeps a name
// whole; how much of it the SIM holds depends on the card (simalpha.h).
inline constexpr int kMaxNameLength = 40;
// Characters of a telephone number field.
inline constexpr int kMaxNumberLength = 40;
// Groups the PC phonebook holds.
inline constexpr int kMaxGroups = 20;

// The pattern a whole number must match: digits, "*", "#" and "+".
QString numberPattern();
bool isValidNumber(const QString& number);
// An address of the form name@domain.tld (tld of 2 to 4 letters); the whole
// text must match.
bool isValidEmail(const QString& email);
enum class FormCheck { Ok, MissingField, BadEmail };
// The checks of the form's OK: name and mobile number are needed, an e-mail
// address must be valid when given.
FormCheck checkForm(const QString& name, const QString& mobile, const QString& email);

// The name offered for a new group: "GROUP", or when a group of that name
// exists (compared in upper case) the first free "GROUP n", n from 0 to 18.
// Empty when all of them are taken.
QString proposeGroupName(const QStringList& groups);

enum class Rename { Ok, Empty, Unchanged, Exists };
// Whether group `old` may be called `now` (already trimmed).
Rename checkRename(const QStringList& groups, const QString& old, const QString& now);

} // namespace ContactRules
