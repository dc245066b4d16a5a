#pragma once

// The messages kept on the PC: one XML file, Data/sms.xml, with the boxes
// "inbox", "outbox" and "draftbox". The file is parsed once; every operation
// works on the document and, when asked to save, rewrites the file from it.

#include "app/domfile.h"
#include "sms/pducodec.h"

#include <QDomDocument>
#include <QMap>
#include <QString>

class SmsData {
public:
    // Reads the file; a missing one is created with three empty boxes, an
    // unparsable one is moved aside (see DomFile).
    SmsData();

    // Adds every message of `box` to `map` under its id; the number found.
    int getPcAllSmsItem(QMap<int, SM_PARAM_DECODE>& map, const QString& box);
    // Fills `rec` from message `id` of `box`. 0 when the box holds no
    // messages, otherwise 1 (also when `id` is not there; `rec` is unchanged).
    int selectSmsItem(SM_PARAM_DECODE& rec, const QString& box, int id);
    // Appends `rec` to `box` under the lowest id free in `map` (the box's
    // listing), which then holds it too. Writes the file when `save`. Returns 1.
    int insertSmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec, const QString& box,
                      bool save);
    // Removes message `id` from `box`; writes the file when `save`, found or
    // not. 0 when the box holds no messages, otherwise 1.
    int delSmsItem(int id, const QString& box, bool save);
    // Replaces message `id` of `box` by `rec`, which goes to the end of the box
    // under a new id from `map`. The file is written once. Returns 1.
    int modifySmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec, int id,
                      const QString& box);

    // The lowest id from 0 to 2500 not used in `map` (2501 when all are).
    static int getNoUsedId(QMap<int, SM_PARAM_DECODE>* map);

    // Rewrites the file from the document. False when it could not be written
    // (the document keeps the change).
    bool saveDom();
    void addNewSmsItemNode(QDomNode parent, const QString& name, const QString& text);

    // Message text as hexadecimal: two digits per character when all are
    // ASCII, else "80" and four digits per UTF-16 code unit; upper case.
    static QString coding(const QString& text);
    static QString decode(const QString& hex);

private:
    QDomElement container() const;
    QDomElement findBox(const QString& box) const;

    DomFile file_;
    QDomDocument doc_;
};
