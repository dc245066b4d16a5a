<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AlertPlayer</name>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>The internet connection is up.</source>
        <translation>Die Internetverbindung steht.</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>The internet connection has ended.</source>
        <translation>Die Internetverbindung wurde beendet.</translation>
    </message>
    <message>
        <source>New message</source>
        <translation>Neue Nachricht</translation>
    </message>
    <message>
        <source>Data limit</source>
        <translation>Datenlimit</translation>
    </message>
    <message>
        <source>%1 % of this month&apos;s data limit is used.</source>
        <translation>%1 % des Datenlimits dieses Monats sind verbraucht.</translation>
    </message>
    <message>
        <source>Data limit reached</source>
        <translation>Datenlimit erreicht</translation>
    </message>
    <message>
        <source>This month&apos;s data limit is used up: the connection was ended.</source>
        <translation>Das Datenlimit dieses Monats ist verbraucht: Die Verbindung wurde beendet.</translation>
    </message>
    <message>
        <source>This month&apos;s data limit is used up.</source>
        <translation>Das Datenlimit dieses Monats ist verbraucht.</translation>
    </message>
    <message>
        <source>New message from %1</source>
        <translation>Neue Nachricht von %1</translation>
    </message>
</context>
<context>
    <name>Backup</name>
    <message>
        <source>The backup file can&apos;t be read!</source>
        <translation>Die Sicherungsdatei kann nicht gelesen werden!</translation>
    </message>
    <message>
        <source>The file is not a backup of this program!</source>
        <translation>Die Datei ist keine Sicherung dieses Programms!</translation>
    </message>
    <message>
        <source>The backup was made by a newer version of this program and can&apos;t be used!</source>
        <translation>Die Sicherung stammt von einer neueren Version dieses Programms und kann nicht verwendet werden!</translation>
    </message>
    <message>
        <source>The backup file is damaged or incomplete!</source>
        <translation>Die Sicherungsdatei ist beschädigt oder unvollständig!</translation>
    </message>
    <message>
        <source>Backup failed! %1 can&apos;t be read.</source>
        <translation>Sicherung fehlgeschlagen! %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Backup failed! The backup file can&apos;t be written.</source>
        <translation>Sicherung fehlgeschlagen! Die Sicherungsdatei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Resume failed! Nothing was changed.</source>
        <translation>Wiederherstellung fehlgeschlagen! Es wurde nichts geändert.</translation>
    </message>
</context>
<context>
    <name>CSearchContact</name>
    <message>
        <source>Select Recipients</source>
        <translation>Empfänger wählen</translation>
    </message>
    <message>
        <source>Phonebook:</source>
        <translation>Telefonbuch:</translation>
    </message>
    <message>
        <source>Contact(s)</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <source>Selected contact(s)</source>
        <translation>Ausgewählte Kontakte</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add the checked contacts</source>
        <translation>Markierte Kontakte hinzufügen</translation>
    </message>
    <message>
        <source>Remove the checked contacts</source>
        <translation>Markierte Kontakte entfernen</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
</context>
<context>
    <name>CSetting</name>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Backup files (*.dat)</source>
        <translation>Sicherungsdateien (*.dat)</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>The messages, contacts, connection records and settings on this PC will be replaced by those of the backup. Continue?</source>
        <translation>Die Nachrichten, Kontakte, Verbindungsprofile und Einstellungen auf diesem PC werden durch die der Sicherung ersetzt. Fortfahren?</translation>
    </message>
    <message>
        <source>Backup successful!</source>
        <translation>Sicherung erfolgreich!</translation>
    </message>
    <message>
        <source>Resume successful!</source>
        <translation>Wiederherstellung erfolgreich!</translation>
    </message>
    <message>
        <source>Settings successful!</source>
        <translation>Einstellungen gespeichert!</translation>
    </message>
    <message>
        <source>Settings could not be saved!</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden!</translation>
    </message>
    <message>
        <source>Choose a sound</source>
        <translation>Klang wählen</translation>
    </message>
    <message>
        <source>Sounds (*.wav *.mp3 *.ogg *.oga *.flac *.mid *.wma);;All files (*)</source>
        <translation>Klänge (*.wav *.mp3 *.ogg *.oga *.flac *.mid *.wma);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Please select a config file first!</source>
        <translation>Bitte zuerst ein Profil auswählen!</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item?</source>
        <translation>Den ausgewählten Eintrag wirklich löschen?</translation>
    </message>
    <message>
        <source>Data load failed!</source>
        <translation>Laden der Daten fehlgeschlagen!</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansehen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>The file is the default config file, can&apos;t be deleted!</source>
        <translation>Dies ist das Standardprofil und kann nicht gelöscht werden!</translation>
    </message>
    <message>
        <source>sorry,delete operation failed</source>
        <translation>Löschen leider fehlgeschlagen</translation>
    </message>
    <message>
        <source>Connection Settings</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Security Settings</source>
        <translation>Sicherheit</translation>
    </message>
    <message>
        <source>Network Settings</source>
        <translation>Netz</translation>
    </message>
    <message>
        <source>Message Settings</source>
        <translation>Nachrichten</translation>
    </message>
    <message>
        <source>Alert Settings</source>
        <translation>Signaltöne</translation>
    </message>
    <message>
        <source>Default Connection</source>
        <translation>Standardverbindung</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Als Standard</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>PIN Enable</source>
        <translation>PIN-Abfrage aktiv</translation>
    </message>
    <message>
        <source>Revise PIN</source>
        <translation>PIN ändern</translation>
    </message>
    <message>
        <source>Backup PhoneBook,Internet connection records and SMS</source>
        <translation>Telefonbuch, Verbindungsprofile und SMS sichern</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Network Selection</source>
        <translation>Netzwahl</translation>
    </message>
    <message>
        <source>Automatically</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Search for the networks and choose one</source>
        <translation>Netze suchen und eines auswählen</translation>
    </message>
    <message>
        <source>Mode preference</source>
        <translation>Bevorzugter Modus</translation>
    </message>
    <message>
        <source>UMTS preferred</source>
        <translation>UMTS bevorzugt</translation>
    </message>
    <message>
        <source>GPRS/EDGE preferred</source>
        <translation>GPRS/EDGE bevorzugt</translation>
    </message>
    <message>
        <source>UMTS Only</source>
        <translation>Nur UMTS</translation>
    </message>
    <message>
        <source>GPRS/EDGE Only</source>
        <translation>Nur GPRS/EDGE</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>4G only</source>
        <translation>Nur 4G</translation>
    </message>
    <message>
        <source>4G preferred</source>
        <translation>4G bevorzugt</translation>
    </message>
    <message>
        <source>3G only</source>
        <translation>Nur 3G</translation>
    </message>
    <message>
        <source>2G only</source>
        <translation>Nur 2G</translation>
    </message>
    <message>
        <source>Message Center</source>
        <translation>SMS-Zentrale</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>(U)SIM Card</source>
        <translation>(U)SIM-Karte</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>Location of Saving New SMS</source>
        <translation>Speicherort neuer SMS</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12 Stunden</translation>
    </message>
    <message>
        <source>A day</source>
        <translation>1 Tag</translation>
    </message>
    <message>
        <source>A week</source>
        <translation>1 Woche</translation>
    </message>
    <message>
        <source>The longest period</source>
        <translation>Maximal</translation>
    </message>
    <message>
        <source>Validity Period</source>
        <translation>Gültigkeit</translation>
    </message>
    <message>
        <source>Delivery Report</source>
        <translation>Zustellbericht</translation>
    </message>
    <message>
        <source>Turn ON</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Connect alert</source>
        <translation>Ton beim Verbinden</translation>
    </message>
    <message>
        <source>Disconnect alert</source>
        <translation>Ton beim Trennen</translation>
    </message>
    <message>
        <source>Incoming SMS alert</source>
        <translation>Ton bei neuer SMS</translation>
    </message>
    <message>
        <source>Sound file</source>
        <translation>Klangdatei</translation>
    </message>
    <message>
        <source>Browser...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Show these events as desktop notifications</source>
        <translation>Diese Ereignisse als Desktop-Benachrichtigung zeigen</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Beim Schließen des Fensters im Infobereich weiterlaufen</translation>
    </message>
    <message>
        <source>Monthly data limit</source>
        <translation>Monatliches Datenlimit</translation>
    </message>
    <message>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>Kein Limit</translation>
    </message>
    <message>
        <source>The day of the month your billing period starts</source>
        <translation>Der Tag des Monats, an dem Ihr Abrechnungszeitraum beginnt</translation>
    </message>
    <message>
        <source>Disconnect at the limit</source>
        <translation>Beim Limit trennen</translation>
    </message>
    <message>
        <source>from day</source>
        <translation>ab Tag</translation>
    </message>
    <message>
        <source>An alert without a sound file stays off.</source>
        <translation>Ein Hinweiston ohne Tondatei bleibt aus.</translation>
    </message>
    <message>
        <source>open file operation error!</source>
        <translation>Fehler beim Öffnen der Datei!</translation>
    </message>
    <message>
        <source>Not installed</source>
        <translation>Nicht installiert</translation>
    </message>
    <message>
        <source>Dial with</source>
        <translation>Einwahl mit</translation>
    </message>
    <message>
        <source>wvdial</source>
        <translation>wvdial</translation>
    </message>
    <message>
        <source>pppd and a chat script</source>
        <translation>pppd und einem Chat-Skript</translation>
    </message>
</context>
<context>
    <name>CShortMsg</name>
    <message>
        <source>New Message</source>
        <translation>Neue SMS</translation>
    </message>
    <message>
        <source>Inbox</source>
        <translation>Eingang</translation>
    </message>
    <message>
        <source>Outbox</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Drafts</source>
        <translation>Entwürfe</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Speicherort</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>SIM card</source>
        <translation>SIM-Karte</translation>
    </message>
    <message>
        <source>Modem</source>
        <translation>Modem</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Short Messages</source>
        <translation>Kurznachrichten</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Weiterleiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Save Number</source>
        <translation>Nr. speichern</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Number:</source>
        <translation>Nummer:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>An:</translation>
    </message>
    <message>
        <source>Numbers, separated by ;</source>
        <translation>Nummern, durch ; getrennt</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message>
        <source>Write your message here</source>
        <translation>Nachricht hier eingeben</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 on the %2 (%3)</source>
        <translation>%1 – %2 (%3)</translation>
    </message>
    <message>
        <source> SIM: %1 Item(s)</source>
        <translation> SIM: %1 Einträge</translation>
    </message>
    <message>
        <source>Message in InBox Pc: %1 Item(s)</source>
        <translation>Eingang PC: %1 Einträge</translation>
    </message>
    <message>
        <source>Message in OutBox Pc: %1 Item(s)</source>
        <translation>Ausgang PC: %1 Einträge</translation>
    </message>
    <message>
        <source>Message in DraftBox Pc: %1 Item(s)</source>
        <translation>Entwürfe PC: %1 Einträge</translation>
    </message>
    <message>
        <source>Datebase capacity:1500 Item(s)</source>
        <translation>Kapazität: 1500 Einträge</translation>
    </message>
    <message>
        <source>no record!</source>
        <translation>Kein Eintrag!</translation>
    </message>
    <message>
        <source>select operation error!</source>
        <translation>Fehler bei der Auswahl!</translation>
    </message>
    <message>
        <source>Cann&apos;t read multiple SMS records simultaneously!</source>
        <translation>Es kann nur eine SMS auf einmal gelesen werden!</translation>
    </message>
    <message>
        <source>Please select a SMS first</source>
        <translation>Bitte zuerst eine SMS auswählen</translation>
    </message>
    <message>
        <source>Cann&apos;t reply multiple SMS records simulataneously!</source>
        <translation>Es kann nur auf eine SMS auf einmal geantwortet werden!</translation>
    </message>
    <message>
        <source>Please select SMS first!</source>
        <translation>Bitte zuerst eine SMS auswählen!</translation>
    </message>
    <message>
        <source>Cann&apos;t forward multiple SMS records simulataneously!</source>
        <translation>Es kann nur eine SMS auf einmal weitergeleitet werden!</translation>
    </message>
    <message>
        <source>You haven&apos;t select any item,please select one of all at least!</source>
        <translation>Sie haben nichts ausgewählt. Bitte mindestens einen Eintrag auswählen!</translation>
    </message>
    <message>
        <source>Do you want to delete the item that you have selected?</source>
        <translation>Die ausgewählten Einträge löschen?</translation>
    </message>
    <message>
        <source>Delete finished</source>
        <translation>Löschen abgeschlossen</translation>
    </message>
    <message>
        <source>Delete Operation error</source>
        <translation>Fehler beim Löschen</translation>
    </message>
    <message>
        <source>Delete finished %1 items</source>
        <translation>%1 Einträge gelöscht</translation>
    </message>
    <message>
        <source>Delete finished %1 items, unfinished %2 items</source>
        <translation>%1 Einträge gelöscht, %2 nicht gelöscht</translation>
    </message>
    <message>
        <source>delete finished %1 items, unfinished %2 items</source>
        <translation>%1 Einträge gelöscht, %2 nicht gelöscht</translation>
    </message>
    <message>
        <source>Delete Operation finished</source>
        <translation>Löschen abgeschlossen</translation>
    </message>
    <message>
        <source>The message file could not be written.</source>
        <translation>Die Nachrichtendatei konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Do you want to move the item that you have selected?</source>
        <translation>Die ausgewählten Einträge verschieben?</translation>
    </message>
    <message>
        <source>Move finished</source>
        <translation>Verschieben abgeschlossen</translation>
    </message>
    <message>
        <source>Move failed</source>
        <translation>Verschieben fehlgeschlagen</translation>
    </message>
    <message>
        <source>Move %1 finished,%2 unfinished</source>
        <translation>%1 verschoben, %2 nicht verschoben</translation>
    </message>
    <message>
        <source>SMS length exceed!</source>
        <translation>Die SMS ist zu lang!</translation>
    </message>
    <message>
        <source>Info: %1 /%2</source>
        <translation>Info: %1 /%2</translation>
    </message>
    <message>
        <source>The phone number is null!</source>
        <translation>Die Telefonnummer fehlt!</translation>
    </message>
    <message>
        <source>The content is null!</source>
        <translation>Der Text fehlt!</translation>
    </message>
    <message>
        <source>Sorry, You cann&apos;t send more than 10 sms</source>
        <translation>Es können höchstens 10 SMS auf einmal gesendet werden</translation>
    </message>
    <message>
        <source>No SMS centre number is known: enter it in the message settings.</source>
        <translation>Keine Nummer der SMS-Zentrale bekannt: Bitte in den Nachrichteneinstellungen eingeben.</translation>
    </message>
    <message>
        <source>Sending...</source>
        <translation>Senden...</translation>
    </message>
    <message>
        <source>Send Success %1,failed %2</source>
        <translation>%1 gesendet, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>the phone num cann&apos;t be null</source>
        <translation>Die Telefonnummer darf nicht leer sein</translation>
    </message>
    <message>
        <source>not stored with the message</source>
        <translation>nicht mit der Nachricht gespeichert</translation>
    </message>
    <message>
        <source>Save as draft?</source>
        <translation>Als Entwurf speichern?</translation>
    </message>
    <message>
        <source>The SIM card has no room for it.</source>
        <translation>Auf der SIM-Karte ist kein Platz dafür.</translation>
    </message>
    <message>
        <source>The SIM card refused it.</source>
        <translation>Die SIM-Karte hat sie abgelehnt.</translation>
    </message>
    <message>
        <source>The SIM card did not answer; a copy stays on the PC.</source>
        <translation>Die SIM-Karte antwortete nicht; eine Kopie bleibt auf dem PC.</translation>
    </message>
    <message>
        <source>The message is not kept in the form the SIM card stores.</source>
        <translation>Die Nachricht liegt nicht in der Form vor, in der die SIM-Karte sie speichert.</translation>
    </message>
</context>
<context>
    <name>CentreWidget</name>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Phonebook</source>
        <translation>Telefonbuch</translation>
    </message>
    <message>
        <source>PhoneBook</source>
        <translation>Telefonbuch</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Web Site</source>
        <translation>Webseite</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Startseite</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>No Service</source>
        <translation>Kein Netz</translation>
    </message>
    <message>
        <source>Network Type</source>
        <translation>Netztyp</translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Netzbetreiber</translation>
    </message>
    <message>
        <source>has new msg</source>
        <translation>Neue SMS</translation>
    </message>
    <message>
        <source>Data Not Connected</source>
        <translation>Keine Datenverbindung</translation>
    </message>
    <message>
        <source>No (U)SIM</source>
        <translation>Keine (U)SIM</translation>
    </message>
    <message>
        <source>Tolva Be Not Detected</source>
        <translation>Tolva nicht erkannt</translation>
    </message>
    <message>
        <source>Data Connected</source>
        <translation>Datenverbindung aktiv</translation>
    </message>
</context>
<context>
    <name>CheckPIN</name>
    <message>
        <source>Please enter PIN!</source>
        <translation>Bitte PIN eingeben!</translation>
    </message>
</context>
<context>
    <name>CommonConfig</name>
    <message>
        <source>Internet Connection</source>
        <translation>Internetverbindung</translation>
    </message>
    <message>
        <source>Velto Modem Connection is already running.</source>
        <translation>Velto Modem Connection läuft bereits.</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Config File</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Save User name and Password</source>
        <translation>Benutzername und Kennwort speichern</translation>
    </message>
    <message>
        <source>Ask for User name and Password</source>
        <translation>Nach Benutzername und Kennwort fragen</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kennwort</translation>
    </message>
    <message>
        <source>Config Filename</source>
        <translation>Profilname</translation>
    </message>
    <message>
        <source>Dial Number</source>
        <translation>Rufnummer</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>PPP</source>
        <translation>PPP</translation>
    </message>
    <message>
        <source>PAP</source>
        <translation>PAP</translation>
    </message>
    <message>
        <source>CHAP</source>
        <translation>CHAP</translation>
    </message>
    <message>
        <source>PDP Type</source>
        <translation>PDP-Typ</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Authentifizierung</translation>
    </message>
    <message>
        <source>Obtain DNS address automatically</source>
        <translation>DNS-Adresse automatisch beziehen</translation>
    </message>
    <message>
        <source>Use the following DNS address</source>
        <translation>Folgende DNS-Adressen verwenden</translation>
    </message>
    <message>
        <source>Preferred DNS</source>
        <translation>Bevorzugter DNS</translation>
    </message>
    <message>
        <source>Alternate DNS</source>
        <translation>Alternativer DNS</translation>
    </message>
    <message>
        <source>Obtain APN address automatically</source>
        <translation>APN automatisch beziehen</translation>
    </message>
    <message>
        <source>Use the following APN address</source>
        <translation>Folgenden APN verwenden</translation>
    </message>
    <message>
        <source>APN</source>
        <translation>APN</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Netzbetreiber</translation>
    </message>
    <message>
        <source>Obtain PDP address automatically</source>
        <translation>PDP-Adresse automatisch beziehen</translation>
    </message>
    <message>
        <source>Use the following PDP address</source>
        <translation>Folgende PDP-Adresse verwenden</translation>
    </message>
    <message>
        <source>PDP</source>
        <translation>PDP</translation>
    </message>
    <message>
        <source>DNS</source>
        <translation>DNS</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ConnectionController</name>
    <message>
        <source>Save wvdial config data failed!</source>
        <translation>Die Einwahldaten konnten nicht gespeichert werden!</translation>
    </message>
    <message>
        <source>Read default wvdial config data failed!</source>
        <translation>Die Standard-Einwahldaten konnten nicht gelesen werden!</translation>
    </message>
    <message>
        <source>Fail to connect! Link ppp0 was&apos;n built !</source>
        <translation>Verbindung fehlgeschlagen! Die Verbindung ppp0 wurde nicht aufgebaut!</translation>
    </message>
    <message>
        <source>Fail to connect! Can&apos;t get dns!</source>
        <translation>Verbindung fehlgeschlagen! Kein DNS-Server erhalten!</translation>
    </message>
    <message>
        <source>Fail to connect! DNS isn&apos;t valid !</source>
        <translation>Verbindung fehlgeschlagen! Der DNS-Server ist ungültig!</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Connection is failed!</source>
        <translation>Verbindung fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Recover wvdial config data failed!</source>
        <translation>Die Einwahldaten konnten nicht wiederhergestellt werden!</translation>
    </message>
    <message>
        <source>State: Connecting.</source>
        <translation>Status: Verbinden.</translation>
    </message>
    <message>
        <source>State: Connecting. .</source>
        <translation>Status: Verbinden. .</translation>
    </message>
    <message>
        <source>State: Connecting. . .</source>
        <translation>Status: Verbinden. . .</translation>
    </message>
    <message>
        <source>State: Connecting. . . .</source>
        <translation>Status: Verbinden. . . .</translation>
    </message>
    <message>
        <source>State: Disconnecting.</source>
        <translation>Status: Trennen.</translation>
    </message>
    <message>
        <source>State: Disconnecting. .</source>
        <translation>Status: Trennen. .</translation>
    </message>
    <message>
        <source>State: Disconnecting. . .</source>
        <translation>Status: Trennen. . .</translation>
    </message>
    <message>
        <source>State: Disconnecting. . . .</source>
        <translation>Status: Trennen. . . .</translation>
    </message>
    <message>
        <source>State: Initializing</source>
        <translation>Status: Initialisieren</translation>
    </message>
    <message>
        <source>State: Initializing.</source>
        <translation>Status: Initialisieren.</translation>
    </message>
    <message>
        <source>State: Initializing. .</source>
        <translation>Status: Initialisieren. .</translation>
    </message>
    <message>
        <source>State: Initializing. . .</source>
        <translation>Status: Initialisieren. . .</translation>
    </message>
    <message>
        <source>State: Initializing. . . .</source>
        <translation>Status: Initialisieren. . . .</translation>
    </message>
    <message>
        <source>State: Connected</source>
        <translation>Status: Verbunden</translation>
    </message>
    <message>
        <source>State: Disconnected</source>
        <translation>Status: Getrennt</translation>
    </message>
    <message>
        <source>Amount Data of Transported: </source>
        <translation>Gesendete Daten: </translation>
    </message>
    <message>
        <source>Amount Data of Received: </source>
        <translation>Empfangene Daten: </translation>
    </message>
    <message>
        <source>Connected Time: </source>
        <translation>Verbindungsdauer: </translation>
    </message>
    <message>
        <source>Today: %1    This month: %2</source>
        <translation>Heute: %1    Dieser Monat: %2</translation>
    </message>
    <message>
        <source> of %1</source>
        <translation> von %1</translation>
    </message>
    <message>
        <source>This month&apos;s data limit of %1 is reached: the connection was ended.</source>
        <translation>Das Datenlimit von %1 für diesen Monat ist erreicht: Die Verbindung wurde beendet.</translation>
    </message>
    <message>
        <source>This month&apos;s data limit of %1 is reached, and the connection would be ended at once. To connect, raise the limit or switch off &quot;Disconnect at the limit&quot; in the network settings.</source>
        <translation>Das Datenlimit von %1 für diesen Monat ist erreicht, die Verbindung würde sofort wieder beendet. Um zu verbinden, erhöhen Sie das Limit oder schalten Sie „Beim Limit trennen“ in den Netzwerkeinstellungen aus.</translation>
    </message>
    <message>
        <source>The connection&apos;s helper could not be run: it is missing, or the system did not authorise it.</source>
        <translation>Das Hilfsprogramm der Verbindung konnte nicht ausgeführt werden: Es fehlt, oder das System hat es nicht zugelassen.</translation>
    </message>
    <message>
        <source>Another connection is being made or is up. Connect again once it has ended.</source>
        <translation>Eine andere Verbindung wird gerade aufgebaut oder besteht. Verbinden Sie erneut, sobald sie beendet ist.</translation>
    </message>
    <message>
        <source>Invalid Preferred DNS!Please check it!</source>
        <translation>Ungültiger bevorzugter DNS! Bitte prüfen!</translation>
    </message>
    <message>
        <source>Invalid Alternate DNS!Please check it!</source>
        <translation>Ungültiger alternativer DNS! Bitte prüfen!</translation>
    </message>
    <message>
        <source>Neither wvdial nor pppd is installed: there is nothing to dial with.</source>
        <translation>Weder wvdial noch pppd ist installiert: Es gibt nichts, womit gewählt werden kann.</translation>
    </message>
    <message>
        <source>State: No modem found</source>
        <translation>Status: Kein Modem gefunden</translation>
    </message>
</context>
<context>
    <name>ContactImport</name>
    <message>
        <source>(no name)</source>
        <translation>(ohne Namen)</translation>
    </message>
    <message>
        <source>no name</source>
        <translation>kein Name</translation>
    </message>
    <message>
        <source>no usable telephone number</source>
        <translation>keine verwendbare Telefonnummer</translation>
    </message>
    <message>
        <source>already in the phonebook</source>
        <translation>bereits im Telefonbuch</translation>
    </message>
    <message>
        <source>the SIM card is full</source>
        <translation>die SIM-Karte ist voll</translation>
    </message>
    <message>
        <source>the PC phonebook is full</source>
        <translation>das PC-Telefonbuch ist voll</translation>
    </message>
    <message>
        <source>the SIM card refused it</source>
        <translation>die SIM-Karte hat ihn abgelehnt</translation>
    </message>
    <message numerus="yes">
        <source>%n number(s)</source>
        <translation>
            <numerusform>%n Nummer</numerusform>
            <numerusform>%n Nummern</numerusform>
        </translation>
    </message>
    <message>
        <source>the e-mail address</source>
        <translation>die E-Mail-Adresse</translation>
    </message>
    <message>
        <source>without </source>
        <translation>ohne </translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>The phonebook file could not be written.</source>
        <translation>Die Telefonbuchdatei konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>ContactPickModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Mobile Phone</source>
        <translation>Mobiltelefon</translation>
    </message>
</context>
<context>
    <name>ContactTableModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>MobilePhone</source>
        <translation>Mobil</translation>
    </message>
    <message>
        <source>HomePhone</source>
        <translation>Privat</translation>
    </message>
    <message>
        <source>OfficePhone</source>
        <translation>Geschäftlich</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>ID</translation>
    </message>
</context>
<context>
    <name>ContactView</name>
    <message>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Mobile phone</source>
        <translation>Mobiltelefon</translation>
    </message>
    <message>
        <source>Home phone</source>
        <translation>Telefon privat</translation>
    </message>
    <message>
        <source>Office phone</source>
        <translation>Telefon geschäftlich</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Save position</source>
        <translation>Speicherort</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>(U)SIM card</source>
        <translation>(U)SIM-Karte</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
</context>
<context>
    <name>DeliveryReport</name>
    <message>
        <source>network congestion</source>
        <translation>Netz überlastet</translation>
    </message>
    <message>
        <source>recipient busy</source>
        <translation>Empfänger besetzt</translation>
    </message>
    <message>
        <source>no response from the recipient</source>
        <translation>keine Antwort vom Empfänger</translation>
    </message>
    <message>
        <source>service rejected</source>
        <translation>Dienst abgelehnt</translation>
    </message>
    <message>
        <source>quality of service not available</source>
        <translation>Dienstgüte nicht verfügbar</translation>
    </message>
    <message>
        <source>error in the recipient&apos;s phone</source>
        <translation>Fehler im Telefon des Empfängers</translation>
    </message>
    <message>
        <source>remote procedure error</source>
        <translation>Fehler beim Empfänger</translation>
    </message>
    <message>
        <source>incompatible destination</source>
        <translation>Ziel nicht kompatibel</translation>
    </message>
    <message>
        <source>rejected by the recipient</source>
        <translation>vom Empfänger abgelehnt</translation>
    </message>
    <message>
        <source>number not obtainable</source>
        <translation>Nummer nicht erreichbar</translation>
    </message>
    <message>
        <source>no interworking available</source>
        <translation>kein Übergang ins Zielnetz</translation>
    </message>
    <message>
        <source>validity period expired</source>
        <translation>Gültigkeitsdauer abgelaufen</translation>
    </message>
    <message>
        <source>deleted by the sender</source>
        <translation>vom Absender gelöscht</translation>
    </message>
    <message>
        <source>deleted by the service centre</source>
        <translation>von der Kurzmitteilungszentrale gelöscht</translation>
    </message>
    <message>
        <source>message does not exist</source>
        <translation>Mitteilung existiert nicht</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>delivered %1</source>
        <translation>zugestellt %1</translation>
    </message>
    <message>
        <source>sent, still trying: %1</source>
        <translation>gesendet, wird weiter versucht: %1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>sent, awaiting report</source>
        <translation>gesendet, Bericht ausstehend</translation>
    </message>
</context>
<context>
    <name>DeviceInfoPanel</name>
    <message>
        <source>PC Software Version: </source>
        <translation>PC-Softwareversion: </translation>
    </message>
    <message>
        <source>Firmware Version: </source>
        <translation>Firmwareversion: </translation>
    </message>
    <message>
        <source>IMEI: </source>
        <translation>IMEI: </translation>
    </message>
    <message>
        <source>ISDN: </source>
        <translation>Rufnummer: </translation>
    </message>
</context>
<context>
    <name>FrameDialog</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>No web browser could be started. Please open %1 yourself.</source>
        <translation>Es konnte kein Webbrowser gestartet werden. Bitte öffnen Sie %1 selbst.</translation>
    </message>
</context>
<context>
    <name>ManualSearch</name>
    <message>
        <source>Searching,please wait...</source>
        <translation>Suche läuft, bitte warten...</translation>
    </message>
    <message>
        <source>Selecting,please wait...</source>
        <translation>Auswahl läuft, bitte warten...</translation>
    </message>
</context>
<context>
    <name>ManualSelect</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Available</source>
        <translation>Verfügbar</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Aktuell</translation>
    </message>
    <message>
        <source>Forbidden</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>ManualSelect</source>
        <translation>Manuelle Netzwahl</translation>
    </message>
    <message>
        <source>Operator Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Operator Name</source>
        <translation>Netzbetreiber</translation>
    </message>
    <message>
        <source>Numeric Symbol</source>
        <translation>Netzkennung</translation>
    </message>
    <message>
        <source>Networks Type</source>
        <translation>Netztyp</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Searching for networks...</source>
        <translation>Netze werden gesucht...</translation>
    </message>
    <message>
        <source>No networks found.</source>
        <translation>Keine Netze gefunden.</translation>
    </message>
    <message>
        <source>1 network found.</source>
        <translation>1 Netz gefunden.</translation>
    </message>
    <message>
        <source>%1 networks found.</source>
        <translation>%1 Netze gefunden.</translation>
    </message>
    <message>
        <source>Please select an operator!</source>
        <translation>Bitte einen Netzbetreiber auswählen!</translation>
    </message>
    <message>
        <source>Can not select the forbidden status operator!</source>
        <translation>Ein gesperrter Netzbetreiber kann nicht gewählt werden!</translation>
    </message>
    <message>
        <source>Manually select net succeeded!</source>
        <translation>Netz erfolgreich manuell gewählt!</translation>
    </message>
    <message>
        <source>Manually select net failed!</source>
        <translation>Manuelle Netzwahl fehlgeschlagen!</translation>
    </message>
</context>
<context>
    <name>ModemStartup</name>
    <message>
        <source>(U)sim isn&apos;t normal state!</source>
        <translation>Die (U)SIM ist nicht betriebsbereit!</translation>
    </message>
</context>
<context>
    <name>MyMessageBox</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>NewContact</name>
    <message>
        <source>New Contact</source>
        <translation>Neuer Kontakt</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>(U)SIM card</source>
        <translation>(U)SIM-Karte</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Name *</source>
        <translation>Name *</translation>
    </message>
    <message>
        <source>Mobile phone *</source>
        <translation>Mobiltelefon *</translation>
    </message>
    <message>
        <source>Home phone</source>
        <translation>Telefon privat</translation>
    </message>
    <message>
        <source>Office phone</source>
        <translation>Telefon geschäftlich</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>Save position</source>
        <translation>Speicherort</translation>
    </message>
    <message>
        <source>Fields with * must be filled.</source>
        <translation>Felder mit * sind Pflichtfelder.</translation>
    </message>
    <message>
        <source>Edit Contact</source>
        <translation>Kontakt bearbeiten</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Email address  is invalid</source>
        <translation>Die E-Mail-Adresse ist ungültig</translation>
    </message>
</context>
<context>
    <name>OldRootData</name>
    <message>
        <source>The earlier version of this program kept its messages, contacts, connection profiles, settings and data use in the administrator&apos;s folder. Move them here now? An administrator&apos;s password is needed for it.</source>
        <translation>Die frühere Version dieses Programms hat ihre Nachrichten, Kontakte, Verbindungsprofile, Einstellungen und den Datenverbrauch im Ordner des Administrators gespeichert. Jetzt hierher übernehmen? Dazu ist das Passwort eines Administrators nötig.</translation>
    </message>
    <message>
        <source>The data could not be moved; it stays where it was, and you will be asked again at the next start.</source>
        <translation>Die Daten konnten nicht übernommen werden; sie bleiben, wo sie waren, und beim nächsten Start wird erneut gefragt.</translation>
    </message>
    <message>
        <source>The messages, contacts, connection profiles, settings and data use of the earlier version are here now.</source>
        <translation>Die Nachrichten, Kontakte, Verbindungsprofile, Einstellungen und der Datenverbrauch der früheren Version sind jetzt hier.</translation>
    </message>
</context>
<context>
    <name>PartStore</name>
    <message>
        <source>[part %1 of %2 missing]</source>
        <translation>[Teil %1 von %2 fehlt]</translation>
    </message>
</context>
<context>
    <name>PhoneBook</name>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>New Contact</source>
        <translation>Neuer Kontakt</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Edit the selected contact</source>
        <translation>Ausgewählten Kontakt bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete the selected contacts</source>
        <translation>Ausgewählte Kontakte löschen</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Write a message to the selected contacts</source>
        <translation>SMS an die ausgewählten Kontakte schreiben</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy the selected contacts</source>
        <translation>Ausgewählte Kontakte kopieren</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Cut the selected contacts</source>
        <translation>Ausgewählte Kontakte ausschneiden</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Paste the contacts into the chosen folder</source>
        <translation>Kontakte in den gewählten Ordner einfügen</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Save the selected or shown contacts as text or vCard</source>
        <translation>Ausgewählte oder angezeigte Kontakte als Text oder vCard speichern</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Add the contacts of a vCard file to the chosen folder</source>
        <translation>Kontakte einer vCard-Datei in den gewählten Ordner aufnehmen</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Search name or number</source>
        <translation>Name oder Nummer suchen</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
    <message>
        <source>PC capacity : </source>
        <translation>PC-Kapazität: </translation>
    </message>
    <message>
        <source>(U)SIM card capacity : </source>
        <translation>(U)SIM-Kapazität: </translation>
    </message>
    <message>
        <source>Contacts sum : </source>
        <translation>Kontakte gesamt: </translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansehen</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>SMS senden</translation>
    </message>
    <message>
        <source>Send Message to Folder</source>
        <translation>SMS an Ordner senden</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Undo Select All</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>Neue Gruppe</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>Gruppe umbenennen</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Gruppe löschen</translation>
    </message>
    <message>
        <source>reading the SIM card...</source>
        <translation>SIM-Karte wird gelesen...</translation>
    </message>
    <message>
        <source> SIM&apos;s  card is full,you can&apos;t add a new contact!</source>
        <translation>Die SIM-Karte ist voll, es kann kein neuer Kontakt hinzugefügt werden!</translation>
    </message>
    <message>
        <source>saving...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>The SIM card did not take the contact.</source>
        <translation>Die SIM-Karte hat den Kontakt nicht angenommen.</translation>
    </message>
    <message>
        <source> PC&apos;s  card is full,you can&apos;t add a new contact!</source>
        <translation>Das PC-Telefonbuch ist voll, es kann kein neuer Kontakt hinzugefügt werden!</translation>
    </message>
    <message>
        <source>The contact could not be saved on the PC.</source>
        <translation>Der Kontakt konnte nicht auf dem PC gespeichert werden.</translation>
    </message>
    <message>
        <source>Do you want to delete the item that you have selected?</source>
        <translation>Die ausgewählten Einträge löschen?</translation>
    </message>
    <message>
        <source>deleting...</source>
        <translation>Löschen...</translation>
    </message>
    <message>
        <source>You have deleted %1 contacts!</source>
        <translation>%1 Kontakte gelöscht!</translation>
    </message>
    <message numerus="yes">
        <source>%n contact(s) could not be deleted.</source>
        <translation>
            <numerusform>%n Kontakt konnte nicht gelöscht werden.</numerusform>
            <numerusform>%n Kontakte konnten nicht gelöscht werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>The phonebook holds at most 20 groups.</source>
        <translation>Das Telefonbuch fasst höchstens 20 Gruppen.</translation>
    </message>
    <message>
        <source>the name of the group can&apos;t be empty!!</source>
        <translation>Der Gruppenname darf nicht leer sein!</translation>
    </message>
    <message>
        <source>The group exists,please rename it!</source>
        <translation>Die Gruppe existiert bereits, bitte anders benennen!</translation>
    </message>
    <message>
        <source>Sure to delete group: &apos;</source>
        <translation>Gruppe &apos;</translation>
    </message>
    <message>
        <source>&apos; and all contacts in it?</source>
        <translation>&apos; und alle Kontakte darin wirklich löschen?</translation>
    </message>
    <message>
        <source> Some  information  of  the  contact  will  be  lost!</source>
        <translation>Einige Angaben des Kontakts gehen verloren!</translation>
    </message>
    <message>
        <source>pasting...</source>
        <translation>Einfügen...</translation>
    </message>
    <message>
        <source>The SIM&apos;s phonebook is full ,you have add %1 contacts.%2 contacts failed to add!</source>
        <translation>Das SIM-Telefonbuch ist voll: %1 Kontakte hinzugefügt, %2 nicht hinzugefügt!</translation>
    </message>
    <message>
        <source>The PC&apos;s phonebook is full ,you have add %1 contacts.%2 contacts failed to add!</source>
        <translation>Das PC-Telefonbuch ist voll: %1 Kontakte hinzugefügt, %2 nicht hinzugefügt!</translation>
    </message>
    <message>
        <source>Not every contact could be stored: %1 added, %2 not added.</source>
        <translation>Nicht alle Kontakte konnten gespeichert werden: %1 hinzugefügt, %2 nicht hinzugefügt.</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>vCard files (*.vcf)</source>
        <translation>vCard-Dateien (*.vcf)</translation>
    </message>
    <message>
        <source>Export Contacts</source>
        <translation>Kontakte exportieren</translation>
    </message>
    <message>
        <source>File %1 already exists.
Doyou want to overwrite it?</source>
        <translation>Die Datei %1 existiert bereits.
Soll sie überschrieben werden?</translation>
    </message>
    <message>
        <source>The file %1 could not be written.</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Import Contacts</source>
        <translation>Kontakte importieren</translation>
    </message>
    <message>
        <source>vCard files (*.vcf *.vcard);;All files (*)</source>
        <translation>vCard-Dateien (*.vcf *.vcard);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The file %1 could not be read.</source>
        <translation>Die Datei %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file holds no contacts.</source>
        <translation>Die Datei enthält keine Kontakte.</translation>
    </message>
    <message>
        <source>importing...</source>
        <translation>Importieren...</translation>
    </message>
    <message numerus="yes">
        <source>%n contact(s) imported.</source>
        <translation>
            <numerusform>%n Kontakt importiert.</numerusform>
            <numerusform>%n Kontakte importiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not imported:</source>
        <translation>Nicht importiert:</translation>
    </message>
    <message>
        <source>Imported in part:</source>
        <translation>Teilweise importiert:</translation>
    </message>
    <message>
        <source>The phonebook file could not be written.</source>
        <translation>Die Telefonbuchdatei konnte nicht geschrieben werden.</translation>
    </message>
    <message numerus="yes">
        <source>%n name(s) are longer than the SIM card keeps and would be shortened. Go on?</source>
        <translation>
            <numerusform>%n Name ist länger, als die SIM-Karte speichert, und würde gekürzt. Fortfahren?</numerusform>
            <numerusform>%n Namen sind länger, als die SIM-Karte speichert, und würden gekürzt. Fortfahren?</numerusform>
        </translation>
    </message>
    <message>
        <source>The SIM card keeps this name only as &quot;%1&quot;. Save it shortened?</source>
        <translation>Die SIM-Karte speichert diesen Namen nur als &quot;%1&quot;. Gekürzt speichern?</translation>
    </message>
    <message numerus="yes">
        <source>%n contact(s) saved in %1.</source>
        <translation>
            <numerusform>%n Kontakt in %1 gespeichert.</numerusform>
            <numerusform>%n Kontakte in %1 gespeichert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n name(s) shortened to what the SIM card keeps.</source>
        <translation>
            <numerusform>%n Name auf die auf der SIM-Karte mögliche Länge gekürzt.</numerusform>
            <numerusform>%n Namen auf die auf der SIM-Karte mögliche Länge gekürzt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The contacts on the SIM card have not been read yet. Please try again later.</source>
        <translation>Die Kontakte auf der SIM-Karte wurden noch nicht gelesen. Bitte versuchen Sie es später erneut.</translation>
    </message>
</context>
<context>
    <name>PinDialogBase</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>PIN is not entered!</source>
        <translation>Keine PIN eingegeben!</translation>
    </message>
    <message>
        <source>Length of PIN/PUK must be between 4 and 8!</source>
        <translation>PIN/PUK muss 4 bis 8 Ziffern lang sein!</translation>
    </message>
</context>
<context>
    <name>PinFlows</name>
    <message>
        <source>PIN is incorrect!</source>
        <translation>PIN ist falsch!</translation>
    </message>
    <message>
        <source>Please enter PIN!</source>
        <translation>Bitte PIN eingeben!</translation>
    </message>
    <message>
        <source>PIN is locked!</source>
        <translation>PIN ist gesperrt!</translation>
    </message>
    <message>
        <source>Please enter the PUK!</source>
        <translation>Bitte PUK eingeben!</translation>
    </message>
    <message>
        <source>(U)SIM is failure!</source>
        <translation>(U)SIM-Fehler!</translation>
    </message>
    <message>
        <source>PUK is incorrect!</source>
        <translation>PUK ist falsch!</translation>
    </message>
    <message>
        <source>No PIN is entered! PIN enable settings unsuccessful!</source>
        <translation>Keine PIN eingegeben! PIN-Abfrage nicht geändert!</translation>
    </message>
    <message>
        <source>Settings successful!</source>
        <translation>Einstellungen gespeichert!</translation>
    </message>
    <message>
        <source>Please set PIN enable!</source>
        <translation>Bitte zuerst die PIN-Abfrage einschalten!</translation>
    </message>
    <message>
        <source>PIN changes cancel!</source>
        <translation>PIN-Änderung abgebrochen!</translation>
    </message>
    <message>
        <source>Please input new PIN</source>
        <translation>Bitte neue PIN eingeben</translation>
    </message>
    <message>
        <source>New PIN is cancelled!</source>
        <translation>Neue PIN abgebrochen!</translation>
    </message>
    <message>
        <source>Please input new PIN again</source>
        <translation>Bitte neue PIN wiederholen</translation>
    </message>
    <message>
        <source>Different input of PIN code! Please input again!</source>
        <translation>Die PINs stimmen nicht überein! Bitte erneut eingeben!</translation>
    </message>
    <message>
        <source>New PIN has been enabled!</source>
        <translation>Die neue PIN ist aktiv!</translation>
    </message>
    <message>
        <source>PIN is incorrect!PUK is locked!</source>
        <translation>PIN ist falsch! PUK ist gesperrt!</translation>
    </message>
    <message>
        <source>The card didn&apos;t answer.</source>
        <translation>Die Karte hat nicht geantwortet.</translation>
    </message>
</context>
<context>
    <name>ProfileRules</name>
    <message>
        <source>The Config Filename is empty!</source>
        <translation>Der Profilname fehlt!</translation>
    </message>
    <message>
        <source>The Dial Number is empty!</source>
        <translation>Die Rufnummer fehlt!</translation>
    </message>
    <message>
        <source>The User Name is empty!</source>
        <translation>Der Benutzername fehlt!</translation>
    </message>
    <message>
        <source>The Password is empty!</source>
        <translation>Das Kennwort fehlt!</translation>
    </message>
    <message>
        <source>The APN is empty!</source>
        <translation>Der APN fehlt!</translation>
    </message>
    <message>
        <source>The Preferred DNS is empty!</source>
        <translation>Der bevorzugte DNS fehlt!</translation>
    </message>
    <message>
        <source>Invalid Preferred DNS!Please check it!</source>
        <translation>Ungültiger bevorzugter DNS! Bitte prüfen!</translation>
    </message>
    <message>
        <source>The Alternate DNS is empty!</source>
        <translation>Der alternative DNS fehlt!</translation>
    </message>
    <message>
        <source>Invalid Alternate DNS!Please check it!</source>
        <translation>Ungültiger alternativer DNS! Bitte prüfen!</translation>
    </message>
    <message>
        <source>The PDP is empty!</source>
        <translation>Die PDP-Adresse fehlt!</translation>
    </message>
    <message>
        <source>Invalid PDP!Please check it!</source>
        <translation>Ungültige PDP-Adresse! Bitte prüfen!</translation>
    </message>
    <message>
        <source>The text &quot;-|-&quot; can&apos;t be used in a field! Please revise!</source>
        <translation>Der Text &quot;-|-&quot; darf in keinem Feld vorkommen! Bitte ändern!</translation>
    </message>
    <message>
        <source>Control characters can&apos;t be used in a field! Please revise!</source>
        <translation>Steuerzeichen sind in einem Feld nicht erlaubt! Bitte korrigieren!</translation>
    </message>
</context>
<context>
    <name>ProfileStore</name>
    <message>
        <source>Can not open the file!</source>
        <translation>Die Datei kann nicht geöffnet werden!</translation>
    </message>
    <message>
        <source>open file operation error!</source>
        <translation>Fehler beim Öffnen der Datei!</translation>
    </message>
    <message>
        <source>the record is not exist!</source>
        <translation>Der Eintrag existiert nicht!</translation>
    </message>
    <message>
        <source>initialize file operation error!</source>
        <translation>Fehler beim Anlegen der Datei!</translation>
    </message>
    <message>
        <source>initialize Default Data error!</source>
        <translation>Fehler beim Anlegen der Standarddaten!</translation>
    </message>
    <message>
        <source>initialize operation error!!</source>
        <translation>Fehler bei der Initialisierung!</translation>
    </message>
    <message>
        <source>open file error!</source>
        <translation>Fehler beim Öffnen der Datei!</translation>
    </message>
    <message>
        <source>Duplicate Config Filename! Please revise!</source>
        <translation>Profilname bereits vergeben! Bitte ändern!</translation>
    </message>
    <message>
        <source>read default record error!</source>
        <translation>Fehler beim Lesen des Standardprofils!</translation>
    </message>
    <message>
        <source>init Conlist operation error!</source>
        <translation>Fehler beim Laden der Profilliste!</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
</context>
<context>
    <name>ResetPIN</name>
    <message>
        <source>Please enter new PIN!</source>
        <translation>Bitte neue PIN eingeben!</translation>
    </message>
    <message>
        <source>Please enter new PIN again!</source>
        <translation>Bitte neue PIN wiederholen!</translation>
    </message>
    <message>
        <source>PIN is not entered!</source>
        <translation>Keine PIN eingegeben!</translation>
    </message>
    <message>
        <source>New PIN is not accord with last! please enter again!</source>
        <translation>Die PINs stimmen nicht überein! Bitte erneut eingeben!</translation>
    </message>
</context>
<context>
    <name>ServiceCodesDialog</name>
    <message>
        <source>Service codes</source>
        <translation>Servicecodes</translation>
    </message>
    <message>
        <source>for example *100#</source>
        <translation>zum Beispiel *100#</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Enter a service code of your network, such as *100#.</source>
        <translation>Geben Sie einen Servicecode Ihres Netzes ein, etwa *100#.</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Waiting for the network&apos;s answer...</source>
        <translation>Warten auf die Antwort des Netzes...</translation>
    </message>
    <message>
        <source>The network waits for your reply.</source>
        <translation>Das Netz wartet auf Ihre Antwort.</translation>
    </message>
    <message>
        <source>Reply:</source>
        <translation>Antwort:</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Abgebrochen.</translation>
    </message>
    <message>
        <source>the number of your choice</source>
        <translation>die Nummer Ihrer Wahl</translation>
    </message>
</context>
<context>
    <name>SmsTableModel</name>
    <message>
        <source>PhoneNumber</source>
        <translation>Telefonnummer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>Datum/Zeit</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>new</source>
        <translation>neu</translation>
    </message>
    <message>
        <source>read</source>
        <translation>gelesen</translation>
    </message>
    <message>
        <source>send</source>
        <translation>gesendet</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>unsent</source>
        <translation>nicht gesendet</translation>
    </message>
</context>
<context>
    <name>StatusMonitor</name>
    <message>
        <source>No Service</source>
        <translation>Kein Netz</translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Limited Service</source>
        <translation>Eingeschränkter Dienst</translation>
    </message>
</context>
<context>
    <name>TopBarWidget</name>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Fenster zeigen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
</context>
<context>
    <name>UssdSession</name>
    <message>
        <source>Only digits, &quot;*&quot;, &quot;#&quot; and &quot;+&quot; can be used, at most %1 of them.</source>
        <translation>Nur Ziffern, „*“, „#“ und „+“ sind möglich, höchstens %1 Zeichen.</translation>
    </message>
    <message>
        <source>The network hasn&apos;t answered yet.</source>
        <translation>Das Netz hat noch nicht geantwortet.</translation>
    </message>
    <message>
        <source>No card is connected.</source>
        <translation>Es ist keine Karte angeschlossen.</translation>
    </message>
    <message>
        <source>The card refused the service code.</source>
        <translation>Die Karte hat den Servicecode abgelehnt.</translation>
    </message>
    <message>
        <source>The card refused the service code: %1</source>
        <translation>Die Karte hat den Servicecode abgelehnt: %1</translation>
    </message>
    <message>
        <source>The card didn&apos;t answer.</source>
        <translation>Die Karte hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>The network ended the session.</source>
        <translation>Das Netz hat die Sitzung beendet.</translation>
    </message>
    <message>
        <source>Another program on the card answered the request.</source>
        <translation>Ein anderes Programm auf der Karte hat die Anfrage beantwortet.</translation>
    </message>
    <message>
        <source>The network doesn&apos;t offer this service code.</source>
        <translation>Das Netz bietet diesen Servicecode nicht an.</translation>
    </message>
    <message>
        <source>The network didn&apos;t answer in time.</source>
        <translation>Das Netz hat nicht rechtzeitig geantwortet.</translation>
    </message>
</context>
<context>
    <name>WTDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>WTMainWindow</name>
    <message>
        <source>Connect to </source>
        <translation>Verbinden mit </translation>
    </message>
    <message>
        <source>The last connection was not closed properly. Its dialer settings have been restored.</source>
        <translation>Die letzte Verbindung wurde nicht richtig beendet. Ihre Einwahleinstellungen wurden wiederhergestellt.</translation>
    </message>
    <message>
        <source>The last connection was not closed properly, and its dialer settings could not be restored.</source>
        <translation>Die letzte Verbindung wurde nicht richtig beendet, und ihre Einwahleinstellungen konnten nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Can not open the file!</source>
        <translation>Die Datei kann nicht geöffnet werden!</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Short Message</source>
        <translation>Kurznachricht</translation>
    </message>
    <message>
        <source>PhoneBook</source>
        <translation>Telefonbuch</translation>
    </message>
    <message>
        <source>Connection Settings</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>open file operation error!</source>
        <translation>Fehler beim Öffnen der Datei!</translation>
    </message>
    <message>
        <source>Security Settings</source>
        <translation>Sicherheit</translation>
    </message>
    <message>
        <source>Network Settings</source>
        <translation>Netz</translation>
    </message>
    <message>
        <source>Message Settings</source>
        <translation>Nachrichten</translation>
    </message>
    <message>
        <source>Alert Settings</source>
        <translation>Signaltöne</translation>
    </message>
    <message>
        <source>Cann&apos;t save multiple SMS records simultaneously!</source>
        <translation>Es kann nur eine SMS auf einmal gespeichert werden!</translation>
    </message>
    <message>
        <source>Please select SMS first!</source>
        <translation>Bitte zuerst eine SMS auswählen!</translation>
    </message>
    <message>
        <source>Plese select a message has sending number !</source>
        <translation>Bitte eine SMS mit Absendernummer auswählen!</translation>
    </message>
    <message>
        <source>ModemManager leaves this card alone while this program uses it.</source>
        <translation>ModemManager lässt diese Karte in Ruhe, solange dieses Programm sie verwendet.</translation>
    </message>
    <message>
        <source>(U)SIM Card is full, please delete some items</source>
        <translation>Die (U)SIM-Karte ist voll, bitte einige Einträge löschen</translation>
    </message>
    <message>
        <source>No Service</source>
        <translation>Kein Netz</translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>Data Not Connected</source>
        <translation>Keine Datenverbindung</translation>
    </message>
    <message>
        <source>Tolva Be Not Detected</source>
        <translation>Tolva nicht erkannt</translation>
    </message>
    <message>
        <source>No (U)SIM</source>
        <translation>Keine (U)SIM</translation>
    </message>
    <message>
        <source>ModemManager has %1 open, so this program can&apos;t use the card. Stop it (systemctl stop ModemManager), or unplug the card and plug it in again.</source>
        <translation>ModemManager hält %1 offen, daher kann dieses Programm die Karte nicht verwenden. Beenden Sie ihn (systemctl stop ModemManager) oder stecken Sie die Karte ab und wieder an.</translation>
    </message>
    <message>
        <source>ModemManager</source>
        <translation>ModemManager</translation>
    </message>
    <message>
        <source>Network Type</source>
        <translation>Netztyp</translation>
    </message>
    <message>
        <source>Tolva Online</source>
        <translation>Tolva online</translation>
    </message>
    <message>
        <source>(U)SIM Validate Canceled</source>
        <translation>(U)SIM-Prüfung abgebrochen</translation>
    </message>
    <message>
        <source>(U)SIM Ready</source>
        <translation>(U)SIM bereit</translation>
    </message>
    <message>
        <source>Service Type</source>
        <translation>Dienstart</translation>
    </message>
    <message>
        <source>Connected to </source>
        <translation>Verbunden mit </translation>
    </message>
    <message>
        <source>Please wait a minute.... </source>
        <translation>Bitte einen Moment warten.... </translation>
    </message>
    <message>
        <source>Please wait a minute.    </source>
        <translation>Bitte einen Moment warten.    </translation>
    </message>
    <message>
        <source>Please wait a minute..   </source>
        <translation>Bitte einen Moment warten..   </translation>
    </message>
    <message>
        <source>Please wait a minute...  </source>
        <translation>Bitte einen Moment warten...  </translation>
    </message>
    <message>
        <source>Please wait a minute.....</source>
        <translation>Bitte einen Moment warten.....</translation>
    </message>
    <message>
        <source>SIM PUK</source>
        <translation>SIM-PUK</translation>
    </message>
    <message>
        <source>SIM PIN</source>
        <translation>SIM-PIN</translation>
    </message>
    <message>
        <source>New PIN</source>
        <translation>Neue PIN</translation>
    </message>
    <message>
        <source>%1 works only as a network interface (QMI, MBIM or NCM), without the serial ports through which this program drives modems. NetworkManager with ModemManager drives it: connect it in the desktop&apos;s network settings or with nmcli.</source>
        <translation>%1 arbeitet nur als Netzwerkschnittstelle (QMI, MBIM oder NCM), ohne die seriellen Anschlüsse, über die dieses Programm Modems steuert. NetworkManager mit ModemManager steuert es: Verbinden Sie es in den Netzwerkeinstellungen des Desktops oder mit nmcli.</translation>
    </message>
    <message>
        <source>%1 works as a network card of its own, like a router on USB, without the serial ports through which this program drives modems. Connect it on the stick&apos;s own web page in a browser; NetworkManager uses it as a wired connection.</source>
        <translation>%1 arbeitet als eigene Netzwerkkarte, wie ein Router am USB, ohne die seriellen Anschlüsse, über die dieses Programm Modems steuert. Verbinden Sie es auf der eigenen Webseite des Sticks im Browser; NetworkManager verwendet es als kabelgebundene Verbindung.</translation>
    </message>
    <message>
        <source>Network only</source>
        <translation>Nur Netzwerk</translation>
    </message>
    <message>
        <source>Disc mode</source>
        <translation>Disk-Modus</translation>
    </message>
    <message>
        <source>%1 still shows its disc (CD-ROM) instead of its modem ports. It is being switched to its modem mode with usb_modeswitch.</source>
        <translation>%1 zeigt noch seine Disk (CD-ROM) statt seiner Modem-Anschlüsse. Er wird mit usb_modeswitch in den Modem-Modus umgeschaltet.</translation>
    </message>
    <message>
        <source>%1 still shows its disc (CD-ROM) instead of its modem ports. Install the packages usb-modeswitch and usb-modeswitch-data, which switch such sticks to their modem mode, then unplug the stick and plug it in again.</source>
        <translation>%1 zeigt noch seine Disk (CD-ROM) statt seiner Modem-Anschlüsse. Installieren Sie die Pakete usb-modeswitch und usb-modeswitch-data, die solche Sticks in den Modem-Modus umschalten, ziehen Sie den Stick dann ab und stecken Sie ihn wieder ein.</translation>
    </message>
    <message>
        <source>%1 still shows its disc (CD-ROM) instead of its modem ports, and it was not switched to its modem mode: the authorisation was refused or usb_modeswitch failed. Unplug the stick and plug it in again to try once more.</source>
        <translation>%1 zeigt noch seine Disk (CD-ROM) statt seiner Modem-Anschlüsse und wurde nicht in den Modem-Modus umgeschaltet: Die Berechtigung wurde verweigert oder usb_modeswitch ist gescheitert. Ziehen Sie den Stick ab und stecken Sie ihn wieder ein, um es noch einmal zu versuchen.</translation>
    </message>
</context>
<context>
    <name>WirelessWindow</name>
    <message>
        <source>Internet Connection</source>
        <translation>Internetverbindung</translation>
    </message>
    <message>
        <source>State: Initializing.....</source>
        <translation>Status: Initialisieren.....</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Startseite</translation>
    </message>
    <message>
        <source>Service codes...</source>
        <translation>Servicecodes...</translation>
    </message>
    <message>
        <source>The last 30 days</source>
        <translation>Die letzten 30 Tage</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>PC Software Version: </source>
        <translation>PC-Softwareversion: </translation>
    </message>
    <message>
        <source>Initializing...</source>
        <translation>Initialisierung...</translation>
    </message>
</context>
</TS>
