#pragma once

// Exports contacts to a file the user chose: one tab-separated line per
// contact, or vCards that phones and address books import. The file is
// replaced in one step, so a failed write leaves an existing file as it was.

#include "phonebook/contact.h"

#include <QByteArray>
#include <QList>
#include <QString>

enum class ExportFormat { TabSeparated, VCard };

// The format for a file name: vCard for ".vcf" or ".vcard", else text.
ExportFormat exportFormatFor(const QString& path);

// PC contacts: name, mobile, home and office number and group; SIM contacts:
// name and mobile number; tab-separated, one line each ending in "\n". A tab
// or line break within a field becomes a space.
QByteArray tabSeparated(const QList<Contact>& contacts);
// One vCard 3.0 per contact: name, the numbers as cell, home and work, the
// e-mail address and the group as category.
QByteArray vCards(const QList<Contact>& contacts);

// Writes `contacts` to `path` in `format`; false, with the file as it was,
// when it could not be written.
bool exportContacts(const QString& path, const QList<Contact>& contacts, ExportFormat format);
