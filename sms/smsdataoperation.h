#pragma once

// The messages kept on the PC: one XML file, Data/sms.xml, with the boxes
// "inbox", "outbox" and "draftbox". The file is read once; every operation
// works on the tree in memory and, when asked to save, rewrites the file
// from it.
//
// Under the document element, its last child holds the boxes; a box holds
// one "smsitem" per message, whose children are, in this order: "id",
// "tp_smsc", "tp_da", "tp_pid", "tp_dcs", "tp_scts", "tp_ud", "index",
// "contentstr", "length", "pduSrc", "state", and for a sent message that asked
// for delivery reports "delivery" (see deliveryreport.h). A message that
// arrived or was sent in several parts is one item with the whole text; its
// "pduSrc" holds the parts' PDUs separated by ",".

#include "sms/pducodec.h"
#include "app/xmlstorefile.h"

#include <QList>
#include <QMap>
#include <QString>

class SmsData {
public:
    // Reads the file; a missing one is created with three empty boxes, an
    // unparsable one is moved aside.
    SmsData();

    // Reads the file anew (another one was put in its place), as the
    // constructor does; the store keeps its identity.
    void reload();
    // How many times the file was read. Ids of messages are valid only
    // between two reads: a flow that holds ids across the event loop
    // compares this before it uses them.
    int loads() const { return loads_; }

    // Adds every message of `box` to `map` under its id; the number found.
    int getPcAllSmsItem(QMap<int, SM_PARAM_DECODE>& map, const QString& box);
    // Number of messages in `box`.
    int countOf(const QString& box) const;
    // Fills `rec` from message `id` of `box`. 0 when the box holds no
    // messages, otherwise 1 (also when `id` is not there; `rec` is unchanged).
    int selectSmsItem(SM_PARAM_DECODE& rec, const QString& box, int id);
    // Appends `rec` to `box` under the lowest id free in `map` (the box's
    // listing), which then holds it too. Writes the file when `save`. Returns 1.
    int insertSmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec, const QString& box,
                      bool save);
    // Appends `rec` to `box` under the lowest id free in the box, without
    // writing; the id, or -1 when the box is missing.
    int appendSmsItem(const SM_PARAM_DECODE& rec, const QString& box);
    // Removes message `id` from `box`; writes the file when `save`, found or
    // not. 0 when the box holds no messages, otherwise 1.
    int delSmsItem(int id, const QString& box, bool save);
    // Removes the messages `ids` of `box` in one pass; the number removed.
    int delSmsItems(const QList<int>& ids, const QString& box);
    // Replaces message `id` of `box` by `rec`, which goes to the end of the box
    // under a new id from `map`. The file is written once. Returns 1, or 0
    // when the file could not be written (the tree keeps the change).
    int modifySmsItem(QMap<int, SM_PARAM_DECODE>& map, SM_PARAM_DECODE& rec, int id,
                      const QString& box);
    // Gives message `id` of `box` the state word `state` where it stands.
    // False when there is no such message.
    bool setSmsState(const QString& box, int id, const QString& state);
    // Gives message `id` of `box` the delivery of its parts where it stands.
    // False when there is no such message.
    bool setSmsDelivery(const QString& box, int id, const QList<PartDelivery>& parts);
    // The ids of `box` in the order of the file, oldest first.
    QList<int> idsInOrder(const QString& box) const;

    // The lowest id from 0 to 2500 not used in `map` (2501 when all are).
    static int getNoUsedId(QMap<int, SM_PARAM_DECODE>* map);

    // Rewrites the file from the tree. False when it could not be written
    // (the tree keeps the change).
    bool saveDom();

private:
    XmlNode* container();
    const XmlNode* container() const;
    XmlNode* findBox(const QString& box);
    const XmlNode* findBox(const QString& box) const;
    // The box to insert into (made when the container is empty), or null.
    XmlNode* boxForInsert(const QString& box);
    static void appendItem(XmlNode& box, const SM_PARAM_DECODE& rec, int id);
    // Sets the leaf `field` of message `id` of `box`, appending it when missing.
    bool setField(const QString& box, int id, const QString& field, const QString& value);

    XmlStoreFile file_;
    XmlNode root_;
    int loads_ = 1;
};
