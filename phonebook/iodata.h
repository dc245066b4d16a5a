#pragma once

// The phonebook's contacts and groups. PC contacts and groups live in
// Data/contact.xml and, once loaded, in the maps below, changed in step with
// the file; SIM contacts are read from and written to the SIM through the
// modem link. The maps are shared by every page that shows contacts.

#include "phonebook/contact.h"
#include "phonebook/xmlparser.h"

#include <QMap>
#include <QObject>
#include <QStringList>

#include <functional>

class SerialThread;

class IOData {
public:
    static constexpr int MAX_PC_CONTACTS = 1000;
    static constexpr int LAST_PC_ID = 2000;

    // Loads the PC contacts and groups from the file. SIM contacts are read
    // and written through `link` (none: no SIM phonebook).
    explicit IOData(SerialThread* link = nullptr);

    // The SIM contacts are read and written through the link: the
    // completions run later, from the event loop.

    // Replaces the SIM map by the SIM phonebook; false, with the map as it
    // was, when the card could not read it.
    void readFromSim(std::function<void(bool)> done);
    // The SIM phonebook was read since the SIM map was last cleared: only
    // then are its free locations known, and a new SIM contact is stored.
    bool simRead() const { return simRead_; }
    // Reads the PC contacts and groups from the file again (a backup was
    // restored over it); the SIM map and the commands under way stay.
    void reloadPc();
    // Gives PC contact `c` an id and stores it in the file, written when
    // `save`. 1 when stored; -1 when the store is full, the file has no
    // place for contacts, or `c` is a SIM contact.
    int insertContact(Contact* c, bool save);
    // Gives `c` an id and stores it where it belongs: on the SIM (its name
    // already coded for the card; refused until the SIM was read), or in the
    // PC file as insertContact does. `done` receives whether it was stored,
    // and the contact with its id.
    void storeContact(Contact c, bool save, std::function<void(bool, Contact)> done);
    // The lowest free id: 1 to twice the SIM capacity for a SIM contact, 1 to
    // 2000 for a PC contact; one past the range, and false, when all are taken.
    bool buildContact(Contact& c);
    // Deletes `c` from the SIM or the PC (file written when `save`); false
    // when the card refused, the contact was not there, or the file not
    // written.
    void delContact(const Contact& c, bool save, std::function<void(bool)> done);
    // A PC contact changed: `now` takes the old id and goes last in the file.
    // Written when `save`.
    bool modifyContact(Contact* old, Contact* now, bool save = true);
    // Writes SIM contact `c` over the location of its id; false, with the
    // map as it was, when the card refused or there is no such contact.
    void replaceSimContact(const Contact& c, std::function<void(bool)> done);
    // Locations of the SIM phonebook (0: none known).
    int simPhonebookCapacity() const;
    // Octets a name takes at most on the SIM (0: not known; see simalpha.h).
    int simNameLimit() const;

    // The name shown for a number: the first PC contact (in id order) with it
    // as mobile, home or office number, else the first SIM contact with it;
    // exact comparison. Empty when none.
    static QString getNameFromPhone(const QString& number);

    Contact getContactById(int id, bool isSim) const;
    void returnPcContactByGroup(QMap<int, Contact>& out, const QString& group) const;
    QMap<int, Contact> getAllPcContactMap() const { return pcContactMap; }
    QMap<int, Contact> getAllSimContactMap() const { return simContactMap; }
    QStringList getAllGroup() const { return pcGroup; }
    int countOfPcContact() const { return static_cast<int>(pcContactMap.size()); }
    int countOfSimContact() const { return static_cast<int>(simContactMap.size()); }
    int countOfGroup() const { return static_cast<int>(pcGroup.size()); }
    void cleanSimMap() {
        simContactMap.clear();
        simRead_ = false;
    }
    bool saveXmlFile() { return parser.saveDom(); }

    bool hasGroup(const QString& name) const { return pcGroup.contains(name); }
    // A new group goes last. Writes the file.
    void insertGroup(const QString& name);
    // Deletes the group and every PC contact in it. Writes the file; false
    // when the file could not be written (the maps keep the change).
    bool delGroup(const QString& name);
    // Renames `old` to `now` when `old` exists and `now` does not: the group
    // goes last and its contacts move with it. Writes the file once; false
    // when there was nothing to rename or the file could not be written (the
    // maps keep the change).
    bool modifyGroup(const QString& old, const QString& now);

    static QMap<int, Contact> pcContactMap;
    static QMap<int, Contact> simContactMap;
    // How the names of simContactMap are coded: UCS2 (the newer card
    // generation), else ASCII or "80"-prefixed UCS2 (see coder.h).
    static bool simNamesUcs2;
    static QStringList pcGroup;

private:
    XmlParser parser;
    SerialThread* link_;
    bool simRead_ = false;
    // The context of its commands: gone with the data, so that no completion
    // reaches a deleted store.
    QObject commands_;
};
