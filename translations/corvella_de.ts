<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Artwork</name>
    <message>
        <source>Questions or Comments? Write to corvella@example.org</source>
        <translation>Fragen oder Anregungen? Schreiben Sie an corvella@example.org</translation>
    </message>
    <message>
        <source>Corvella is protected by copyright. You may not copy it, share it or pass it on, in whole or in part, without the written permission of its authors.</source>
        <translation>Corvella ist urheberrechtlich geschützt. Ohne die schriftliche Erlaubnis der Autoren darf es weder ganz noch teilweise kopiert, geteilt oder weitergegeben werden.</translation>
    </message>
</context>
<context>
    <name>BackupRestore</name>
    <message>
        <source>Close all windows and backup database?</source>
        <translation>Alle Fenster schließen und die Datenbank sichern?</translation>
    </message>
    <message>
        <source>Backup Database</source>
        <translation>Datenbank sichern</translation>
    </message>
    <message>
        <source>Backup database?</source>
        <translation>Datenbank sichern?</translation>
    </message>
    <message>
        <source>Backup database</source>
        <translation>Datenbank sichern</translation>
    </message>
    <message>
        <source>Backing up database.</source>
        <translation>Die Datenbank wird gesichert.</translation>
    </message>
    <message>
        <source>Backup successful!</source>
        <translation>Sicherung erfolgreich!</translation>
    </message>
    <message>
        <source>Backup ERROR</source>
        <translation>FEHLER bei der Sicherung</translation>
    </message>
    <message>
        <source>Close all windows and restore database?</source>
        <translation>Alle Fenster schließen und die Datenbank wiederherstellen?</translation>
    </message>
    <message>
        <source>Restore Database</source>
        <translation>Datenbank wiederherstellen</translation>
    </message>
    <message>
        <source>Restore database?</source>
        <translation>Datenbank wiederherstellen?</translation>
    </message>
    <message>
        <source>Restore database</source>
        <translation>Datenbank wiederherstellen</translation>
    </message>
    <message>
        <source>

The database was not restored.</source>
        <translation>

Die Datenbank wurde nicht wiederhergestellt.</translation>
    </message>
    <message>
        <source>Are you sure that you want to restore?  This will destroy any changes in the current database since the last backup.</source>
        <translation>Möchten Sie die Datenbank wirklich wiederherstellen? Alle Änderungen seit der letzten Sicherung gehen dabei verloren.</translation>
    </message>
    <message>
        <source>Restoreing database.</source>
        <translation>Die Datenbank wird wiederhergestellt.</translation>
    </message>
    <message>
        <source>Restore successful!</source>
        <translation>Wiederherstellung erfolgreich!</translation>
    </message>
    <message>
        <source>Restore ERROR</source>
        <translation>FEHLER bei der Wiederherstellung</translation>
    </message>
    <message>
        <source>Backing up the database…</source>
        <translation>Die Datenbank wird gesichert…</translation>
    </message>
    <message>
        <source>Backup cancelled.</source>
        <translation>Sicherung abgebrochen.</translation>
    </message>
    <message>
        <source>Checking the backup…</source>
        <translation>Die Sicherung wird geprüft…</translation>
    </message>
    <message>
        <source>Restoring the database…</source>
        <translation>Die Datenbank wird wiederhergestellt…</translation>
    </message>
    <message>
        <source>Restore cancelled.</source>
        <translation>Wiederherstellung abgebrochen.</translation>
    </message>
</context>
<context>
    <name>BoundRecordSource</name>
    <message>
        <source>The record source is not open.</source>
        <translation>Die Datenquelle ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>There is no record being edited or added to store.</source>
        <translation>Es wird kein Datensatz bearbeitet oder hinzugefügt, der gespeichert werden könnte.</translation>
    </message>
    <message>
        <source>No current record.</source>
        <translation>Kein aktueller Datensatz.</translation>
    </message>
</context>
<context>
    <name>ChartData</name>
    <message>
        <source>3D Bar</source>
        <translation>3D-Balken</translation>
    </message>
    <message>
        <source>2D Bar</source>
        <translation>2D-Balken</translation>
    </message>
    <message>
        <source>3D Line</source>
        <translation>3D-Linie</translation>
    </message>
    <message>
        <source>2D Line</source>
        <translation>2D-Linie</translation>
    </message>
    <message>
        <source>3D Area</source>
        <translation>3D-Fläche</translation>
    </message>
    <message>
        <source>2D Area</source>
        <translation>2D-Fläche</translation>
    </message>
    <message>
        <source>3D Step</source>
        <translation>3D-Stufen</translation>
    </message>
    <message>
        <source>2D Step</source>
        <translation>2D-Stufen</translation>
    </message>
    <message>
        <source>3D Combination</source>
        <translation>3D-Kombination</translation>
    </message>
    <message>
        <source>2D Combination</source>
        <translation>2D-Kombination</translation>
    </message>
    <message>
        <source>Could not find the file &apos;%1&apos;.</source>
        <translation>Die Datei „%1“ wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>ChartImage</name>
    <message>
        <source>The chart could not be saved as %1.</source>
        <translation>Das Diagramm konnte nicht als %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>There is not enough memory for a picture of %1 x %2 pixels; please choose a smaller size.</source>
        <translation>Für ein Bild mit %1 × %2 Pixeln reicht der Speicher nicht; bitte wählen Sie eine kleinere Größe.</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Could not find the file &apos;%1&apos;.</source>
        <translation>Die Datei „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The database file %1 cannot be written: the file or its folder is read-only.</source>
        <translation>In die Datenbankdatei %1 kann nicht geschrieben werden: Die Datei oder ihr Ordner ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>The database file %1 is in use by another program. Try again in a moment.</source>
        <translation>Die Datenbankdatei %1 wird von einem anderen Programm benutzt. Versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <source>There is not enough space on the disk to store the record.</source>
        <translation>Auf dem Datenträger ist nicht genug Platz, um den Datensatz zu speichern.</translation>
    </message>
    <message>
        <source>The database file %1 cannot be opened.</source>
        <translation>Die Datenbankdatei %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>%1 is not a Corvella database, or it is damaged. To recover, put a backup in its place: start Corvella and choose File &gt; Restore before opening any window, or copy the backup over this file while Corvella is closed. A restore keeps the database it replaced as %2.before-restore.</source>
        <translation>%1 ist keine Corvella-Datenbank oder sie ist beschädigt. Setzen Sie zur Rettung eine Sicherung an ihre Stelle: Starten Sie Corvella und wählen Sie Datei &gt; Wiederherstellen, bevor Sie ein Fenster öffnen, oder kopieren Sie die Sicherung bei geschlossenem Corvella über diese Datei. Eine Wiederherstellung bewahrt die ersetzte Datenbank als %2.before-restore auf.</translation>
    </message>
    <message>
        <source>A disk error occurred while reading or writing %1.</source>
        <translation>Beim Lesen oder Schreiben von %1 ist ein Datenträgerfehler aufgetreten.</translation>
    </message>
    <message>
        <source>The database engine reported an error: %1</source>
        <translation>Die Datenbank meldet einen Fehler: %1</translation>
    </message>
</context>
<context>
    <name>CorvChart</name>
    <message>
        <source>Series %1</source>
        <translation>Reihe %1</translation>
    </message>
    <message>
        <source>Zoom: mouse wheel, or drag across the chart; double-click for the whole chart.
Keys: + and - zoom, Left and Right move, 0 or Home show all.</source>
        <translation>Zoomen: Mausrad, oder über das Diagramm ziehen; Doppelklick zeigt das ganze Diagramm.
Tasten: + und - zoomen, Links und Rechts verschieben, 0 oder Pos1 zeigen alles.</translation>
    </message>
</context>
<context>
    <name>CorvModule</name>
    <message>
        <source>Corvella, your complete aquarium information toolkit. Select an option from the menu.</source>
        <translation>Corvella, Ihr komplettes Aquarium-Informationssystem. Wählen Sie einen Punkt aus dem Menü.</translation>
    </message>
    <message>
        <source>Welcome to Corvella, your complete aquarium information toolkit. Select an option from the menu.</source>
        <translation>Willkommen bei Corvella, Ihrem kompletten Aquarium-Informationssystem. Wählen Sie einen Punkt aus dem Menü.</translation>
    </message>
    <message>
        <source>Corvella could not make your database %1 from the empty one it was installed with (%2). When a window needs the database, you will be asked where it is.</source>
        <translation>Corvella konnte Ihre Datenbank %1 nicht aus der mitgelieferten leeren Datenbank anlegen (%2). Sobald ein Fenster die Datenbank braucht, werden Sie gefragt, wo sie liegt.</translation>
    </message>
    <message>
        <source>Upgrading the database…</source>
        <translation>Die Datenbank wird aktualisiert…</translation>
    </message>
</context>
<context>
    <name>Criteria</name>
    <message>
        <source>Syntax error in the criteria &quot;%1&quot;: %2.</source>
        <translation>Syntaxfehler im Suchkriterium „%1“: %2.</translation>
    </message>
    <message>
        <source>the field name is not closed</source>
        <translation>der Feldname ist nicht abgeschlossen</translation>
    </message>
    <message>
        <source>a field name is expected</source>
        <translation>ein Feldname wird erwartet</translation>
    </message>
    <message>
        <source>&apos;=&apos; or LIKE is expected after the field name</source>
        <translation>nach dem Feldnamen wird „=“ oder LIKE erwartet</translation>
    </message>
    <message>
        <source>a text in apostrophes is expected</source>
        <translation>ein Text in Apostrophen wird erwartet</translation>
    </message>
    <message>
        <source>the text is not closed with an apostrophe</source>
        <translation>der Text ist nicht mit einem Apostroph abgeschlossen</translation>
    </message>
    <message>
        <source>unexpected characters after the text</source>
        <translation>unerwartete Zeichen nach dem Text</translation>
    </message>
    <message>
        <source>Invalid pattern: &apos;[&apos; without a closing &apos;]&apos; in &quot;%1&quot;.</source>
        <translation>Ungültiges Muster: „[“ ohne schließendes „]“ in „%1“.</translation>
    </message>
    <message>
        <source>Invalid pattern: the range %1-%2 runs backwards in &quot;%3&quot;.</source>
        <translation>Ungültiges Muster: Der Bereich %1-%2 läuft rückwärts in „%3“.</translation>
    </message>
</context>
<context>
    <name>DataControl</name>
    <message>
        <source>Unable to save the record: </source>
        <translation>Der Datensatz kann nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>a box holds something its field cannot store.</source>
        <translation>ein Eingabefeld enthält etwas, das sein Datenfeld nicht speichern kann.</translation>
    </message>
</context>
<context>
    <name>DatabaseFile</name>
    <message>
        <source>%1 already exists; it is left as it is.</source>
        <translation>%1 ist bereits vorhanden; die Datei bleibt unverändert.</translation>
    </message>
    <message>
        <source>Cannot create %1: the folder %2 does not exist.</source>
        <translation>%1 kann nicht angelegt werden: Der Ordner %2 existiert nicht.</translation>
    </message>
    <message>
        <source>Cannot create %1: %2 is not a folder.</source>
        <translation>%1 kann nicht angelegt werden: %2 ist kein Ordner.</translation>
    </message>
    <message>
        <source>The database schema is missing from the program.</source>
        <translation>Dem Programm fehlt das Datenbankschema.</translation>
    </message>
    <message>
        <source> in: </source>
        <translation> in: </translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot create %1: the file could not be put in place.</source>
        <translation>%1 kann nicht angelegt werden: Die Datei konnte nicht an ihren Platz gelegt werden.</translation>
    </message>
</context>
<context>
    <name>DatabaseLock</name>
    <message>
        <source>Corvella is already running with the database %1. Only one Corvella can use a database at a time: switch to the one that is running.</source>
        <translation>Corvella läuft bereits mit der Datenbank %1. Eine Datenbank kann immer nur von einem Corvella benutzt werden: Wechseln Sie zu dem, das bereits läuft.</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>FileCopy</name>
    <message>
        <source>There is not enough space on the disk to write %1.</source>
        <translation>Auf dem Datenträger ist nicht genug Platz, um %1 zu schreiben.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>A file cannot be copied onto itself.</source>
        <translation>Eine Datei kann nicht auf sich selbst kopiert werden.</translation>
    </message>
</context>
<context>
    <name>HelpBrowser</name>
    <message>
        <source>Corvella Help</source>
        <translation>Corvella-Hilfe</translation>
    </message>
    <message>
        <source>&lt;h2&gt;The help file cannot be opened&lt;/h2&gt;&lt;p&gt;Corvella&apos;s help book was not found at:&lt;/p&gt;&lt;p&gt;&lt;code&gt;%1&lt;/code&gt;&lt;/p&gt;&lt;p&gt;It is normally the file CORVELLA.HLP in Corvella&apos;s program folder. Its location is the &lt;code&gt;Filename&lt;/code&gt; key of the &lt;code&gt;[HelpFile]&lt;/code&gt; section of Corvella&apos;s settings.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Die Hilfedatei kann nicht geöffnet werden&lt;/h2&gt;&lt;p&gt;Das Hilfebuch von Corvella wurde nicht gefunden unter:&lt;/p&gt;&lt;p&gt;&lt;code&gt;%1&lt;/code&gt;&lt;/p&gt;&lt;p&gt;Normalerweise ist es die Datei CORVELLA.HLP im Programmordner von Corvella. Ihr Ort steht im Schlüssel &lt;code&gt;Filename&lt;/code&gt; des Abschnitts &lt;code&gt;[HelpFile]&lt;/code&gt; der Einstellungen von Corvella.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>JetSql</name>
    <message>
        <source>Characters found after the end of the SQL statement: &apos;%1&apos;.</source>
        <translation>Zeichen nach dem Ende der SQL-Anweisung: „%1“.</translation>
    </message>
    <message>
        <source>the end of the text</source>
        <translation>das Ende des Textes</translation>
    </message>
    <message>
        <source>Syntax error in the record source: expected %1 at %2.</source>
        <translation>Syntaxfehler in der Datenquelle: %1 erwartet bei %2.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: a NUL character at position %1.</source>
        <translation>Syntaxfehler in der Datenquelle: ein NUL-Zeichen an Position %1.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: a name in brackets is not closed.</source>
        <translation>Syntaxfehler in der Datenquelle: Ein Name in eckigen Klammern ist nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: invalid name in brackets.</source>
        <translation>Syntaxfehler in der Datenquelle: ungültiger Name in eckigen Klammern.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: &apos;%1&apos; is not a number.</source>
        <translation>Syntaxfehler in der Datenquelle: „%1“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: a text is not closed.</source>
        <translation>Syntaxfehler in der Datenquelle: Ein Text ist nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: invalid date literal.</source>
        <translation>Syntaxfehler in der Datenquelle: ungültiges Datum.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: unexpected character &apos;%1&apos;.</source>
        <translation>Syntaxfehler in der Datenquelle: unerwartetes Zeichen „%1“.</translation>
    </message>
    <message>
        <source>Syntax error in the record source: the expression is nested more than %1 levels deep.</source>
        <translation>Syntaxfehler in der Datenquelle: Der Ausdruck ist mehr als %1 Ebenen tief verschachtelt.</translation>
    </message>
</context>
<context>
    <name>KeyUpgrade</name>
    <message>
        <source> (in: </source>
        <translation> (in: </translation>
    </message>
    <message>
        <source>a table named %1 is in the way</source>
        <translation>eine Tabelle namens %1 steht im Weg</translation>
    </message>
    <message>
        <source>the %1 table declares its ID in a way this upgrade does not know</source>
        <translation>die Tabelle %1 deklariert ihre ID auf eine Weise, die diese Aktualisierung nicht kennt</translation>
    </message>
    <message>
        <source>the %1 table lost rows while it was rebuilt</source>
        <translation>die Tabelle %1 hat beim Neuaufbau Zeilen verloren</translation>
    </message>
    <message>
        <source>the %1 table was not rebuilt</source>
        <translation>die Tabelle %1 wurde nicht neu aufgebaut</translation>
    </message>
    <message>
        <source>Cannot upgrade %1: %2</source>
        <translation>%1 kann nicht aktualisiert werden: %2</translation>
    </message>
</context>
<context>
    <name>Paths</name>
    <message>
        <source>the file is already there</source>
        <translation>die Datei ist bereits vorhanden</translation>
    </message>
    <message>
        <source>%1: there is no such file</source>
        <translation>%1: Diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>%1: the folder cannot be made</source>
        <translation>%1: Der Ordner kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>RecordForm</name>
    <message>
        <source>Unable to find the CORVELLA.CVL file location</source>
        <translation>Der Speicherort der Datei CORVELLA.CVL wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Unexpected Error: </source>
        <translation>Unerwarteter Fehler: </translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Sort by:</source>
        <translation>Sortieren nach:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notizen:</translation>
    </message>
    <message>
        <source>Numeric Error</source>
        <translation>Zahlenfehler</translation>
    </message>
    <message>
        <source>Date Error</source>
        <translation>Datumsfehler</translation>
    </message>
    <message>
        <source>Unable to save the record: </source>
        <translation>Der Datensatz kann nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>Record: </source>
        <translation>Datensatz: </translation>
    </message>
    <message>
        <source> of </source>
        <translation> von </translation>
    </message>
    <message>
        <source>Data error: </source>
        <translation>Datenfehler: </translation>
    </message>
    <message>
        <source>Please enter a valid date (mm/dd/yyyy)!</source>
        <translation>Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)!</translation>
    </message>
    <message>
        <source>Please enter a valid %1!</source>
        <translation>Bitte geben Sie einen gültigen Wert für %1 ein!</translation>
    </message>
    <message>
        <source>A value of this record cannot be stored. Please check the fields.</source>
        <translation>Ein Wert dieses Datensatzes kann nicht gespeichert werden. Bitte prüfen Sie die Felder.</translation>
    </message>
    <message>
        <source>The record could not be saved.

</source>
        <translation>Der Datensatz konnte nicht gespeichert werden.

</translation>
    </message>
    <message>
        <source>

Do you want to discard your changes to this record?</source>
        <translation>

Möchten Sie Ihre Änderungen an diesem Datensatz verwerfen?</translation>
    </message>
    <message>
        <source>Record Not Saved</source>
        <translation>Datensatz nicht gespeichert</translation>
    </message>
    <message>
        <source>Unable to add a record: </source>
        <translation>Es kann kein Datensatz hinzugefügt werden: </translation>
    </message>
    <message>
        <source>Are you sure you want to delete the current record?</source>
        <translation>Möchten Sie den aktuellen Datensatz wirklich löschen?</translation>
    </message>
    <message>
        <source>Delete Record</source>
        <translation>Datensatz löschen</translation>
    </message>
</context>
<context>
    <name>RecordPrinting</name>
    <message>
        <source>Err(</source>
        <translation>Fehler(</translation>
    </message>
    <message>
        <source>Report File </source>
        <translation>Berichtsdatei </translation>
    </message>
    <message>
        <source> could not be opened</source>
        <translation> konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Data file </source>
        <translation>Datendatei </translation>
    </message>
</context>
<context>
    <name>RecordSet</name>
    <message>
        <source>a whole number</source>
        <translation>eine ganze Zahl</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>eine Zahl</translation>
    </message>
    <message>
        <source>an amount of money</source>
        <translation>einen Geldbetrag</translation>
    </message>
    <message>
        <source>a date (mm/dd/yyyy)</source>
        <translation>ein Datum (TT.MM.JJJJ)</translation>
    </message>
    <message>
        <source>Could not find the file &apos;%1&apos;.</source>
        <translation>Die Datei „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; does not exist in the database %2.</source>
        <translation>Die Tabelle „%1“ gibt es in der Datenbank %2 nicht.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; has no ID field.</source>
        <translation>Die Tabelle „%1“ hat kein ID-Feld.</translation>
    </message>
    <message>
        <source>The table &apos;%1&apos; has no field named &apos;%2&apos;.</source>
        <translation>Die Tabelle „%1“ hat kein Feld namens „%2“.</translation>
    </message>
    <message>
        <source>No current record.</source>
        <translation>Kein aktueller Datensatz.</translation>
    </message>
    <message>
        <source>There is no record at position %1.</source>
        <translation>An Position %1 gibt es keinen Datensatz.</translation>
    </message>
    <message>
        <source>Data type conversion error: &apos;%1&apos; cannot be stored in the field %2, which takes %3.</source>
        <translation>Fehler bei der Typumwandlung: „%1“ kann nicht im Feld %2 gespeichert werden, das %3 aufnimmt.</translation>
    </message>
    <message>
        <source>The field %1 takes at most %2 characters.</source>
        <translation>Das Feld %1 nimmt höchstens %2 Zeichen auf.</translation>
    </message>
    <message>
        <source>The record source is not open.</source>
        <translation>Die Datenquelle ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>The record was deleted by another window or program.</source>
        <translation>Der Datensatz wurde von einem anderen Fenster oder Programm gelöscht.</translation>
    </message>
    <message>
        <source>The record source has no field named &apos;%1&apos;.</source>
        <translation>Die Datenquelle hat kein Feld namens „%1“.</translation>
    </message>
</context>
<context>
    <name>ReferenceData</name>
    <message>
        <source>glossary terms</source>
        <translation>Glossarbegriffe</translation>
    </message>
    <message>
        <source>a backslash ends the field (write \\ for one)</source>
        <translation>ein umgekehrter Schrägstrich beendet das Feld (schreiben Sie \\ für einen)</translation>
    </message>
    <message>
        <source>unknown escape \%1</source>
        <translation>unbekannte Escape-Sequenz \%1</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, Zeile %2: %3</translation>
    </message>
    <message>
        <source>%1 is empty; it must start with the line of column names.</source>
        <translation>%1 ist leer; die Datei muss mit der Zeile der Spaltennamen beginnen.</translation>
    </message>
    <message>
        <source>the line is not valid UTF-8 text.</source>
        <translation>die Zeile ist kein gültiger UTF-8-Text.</translation>
    </message>
    <message>
        <source>the line holds the control character U+%1; write a line break as \n.</source>
        <translation>die Zeile enthält das Steuerzeichen U+%1; schreiben Sie einen Zeilenumbruch als \n.</translation>
    </message>
    <message>
        <source>the line is empty.</source>
        <translation>die Zeile ist leer.</translation>
    </message>
    <message>
        <source>the first line must name the columns %1, separated by tabs.</source>
        <translation>die erste Zeile muss die Spalten %1 nennen, durch Tabulatoren getrennt.</translation>
    </message>
    <message>
        <source>expected %1 fields separated by tabs, found %2.</source>
        <translation>%1 durch Tabulatoren getrennte Felder erwartet, %2 gefunden.</translation>
    </message>
    <message>
        <source>field %1 (%2): %3.</source>
        <translation>Feld %1 (%2): %3.</translation>
    </message>
    <message>
        <source>%1 is empty.</source>
        <translation>%1 ist leer.</translation>
    </message>
    <message>
        <source>%1 is longer than 254 characters.</source>
        <translation>%1 ist länger als 254 Zeichen.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; begins or ends with a space.</source>
        <translation>%1 „%2“ beginnt oder endet mit einem Leerzeichen.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is already on line %3.</source>
        <translation>%1 „%2“ steht bereits in Zeile %3.</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot add to the %1 table: %2</source>
        <translation>Zur Tabelle %1 kann nichts hinzugefügt werden: %2</translation>
    </message>
    <message>
        <source>Cannot add &quot;%1&quot; to the %2 table: %3</source>
        <translation>„%1“ kann nicht zur Tabelle %2 hinzugefügt werden: %3</translation>
    </message>
    <message>
        <source>%1 diseases</source>
        <translation>%1 Krankheiten</translation>
    </message>
    <message>
        <source>%1 glossary terms</source>
        <translation>%1 Glossarbegriffe</translation>
    </message>
    <message>
        <source>Added %1 to %2.</source>
        <translation>%1 zu %2 hinzugefügt.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>Nothing was added to %1.</source>
        <translation>Zu %1 wurde nichts hinzugefügt.</translation>
    </message>
    <message>
        <source>The %1 table already had %2 %3 and was left alone.</source>
        <translation>Die Tabelle %1 hatte bereits %2 %3 und blieb unverändert.</translation>
    </message>
    <message>
        <source>Nothing was added to %1: %2</source>
        <translation>Zu %1 wurde nichts hinzugefügt: %2</translation>
    </message>
</context>
<context>
    <name>ReportControl</name>
    <message>
        <source>The destination %1 is not known: 0 shows the report in a window, 1 prints it.</source>
        <translation>Das Ziel %1 ist unbekannt: 0 zeigt den Bericht in einem Fenster, 1 druckt ihn.</translation>
    </message>
    <message>
        <source>No printer is available.</source>
        <translation>Es ist kein Drucker verfügbar.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Preparing the report…</source>
        <translation>Der Bericht wird vorbereitet…</translation>
    </message>
</context>
<context>
    <name>ReportData</name>
    <message>
        <source>No data file was named.</source>
        <translation>Es wurde keine Datendatei angegeben.</translation>
    </message>
    <message>
        <source>The data file %1 does not exist.</source>
        <translation>Die Datendatei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The data file %1 cannot be read.</source>
        <translation>Die Datendatei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The data file %1 is not a Corvella database.</source>
        <translation>Die Datendatei %1 ist keine Corvella-Datenbank.</translation>
    </message>
    <message>
        <source>The data file %1 cannot be opened: %2</source>
        <translation>Die Datendatei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The data file %1 cannot be read: %2</source>
        <translation>Die Datendatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The data file %1 has no %2 table.</source>
        <translation>Die Datendatei %1 hat keine Tabelle %2.</translation>
    </message>
    <message>
        <source>The report orders by %1, a field the %2 table does not have.</source>
        <translation>Der Bericht sortiert nach %1, einem Feld, das die Tabelle %2 nicht hat.</translation>
    </message>
    <message>
        <source>The selection formula names the field {%1}, which the %2 table does not have.</source>
        <translation>Die Auswahlformel nennt das Feld {%1}, das die Tabelle %2 nicht hat.</translation>
    </message>
    <message>
        <source>The %1 table of the data file %2 cannot be read: %3</source>
        <translation>Die Tabelle %1 der Datendatei %2 kann nicht gelesen werden: %3</translation>
    </message>
    <message>
        <source>The %1 table of the data file %2 changed while it was read.</source>
        <translation>Die Tabelle %1 der Datendatei %2 hat sich beim Lesen geändert.</translation>
    </message>
</context>
<context>
    <name>ReportDocument</name>
    <message>
        <source>the output could not be started</source>
        <translation>die Ausgabe konnte nicht begonnen werden</translation>
    </message>
    <message>
        <source>a new page could not be started</source>
        <translation>eine neue Seite konnte nicht begonnen werden</translation>
    </message>
    <message>
        <source>the output could not be finished</source>
        <translation>die Ausgabe konnte nicht abgeschlossen werden</translation>
    </message>
    <message>
        <source>The file %1 cannot be written: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The file %1 cannot be written: %2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>ReportFormula</name>
    <message>
        <source>%1 is not expected here</source>
        <translation>%1 wird hier nicht erwartet</translation>
    </message>
    <message>
        <source>the end of the formula</source>
        <translation>das Ende der Formel</translation>
    </message>
    <message>
        <source>the field {%1}</source>
        <translation>das Feld {%1}</translation>
    </message>
    <message>
        <source>the text &apos;%1&apos;</source>
        <translation>der Text „%1“</translation>
    </message>
    <message>
        <source>the field name has no closing }</source>
        <translation>der Feldname hat keine schließende }</translation>
    </message>
    <message>
        <source>{} names no field</source>
        <translation>{} nennt kein Feld</translation>
    </message>
    <message>
        <source>the text has no closing %1</source>
        <translation>der Text hat kein schließendes %1</translation>
    </message>
    <message>
        <source>the date has no closing #</source>
        <translation>das Datum hat kein schließendes #</translation>
    </message>
    <message>
        <source>#%1# is not a date</source>
        <translation>#%1# ist kein Datum</translation>
    </message>
    <message>
        <source>the character &quot;%1&quot; is not expected here</source>
        <translation>das Zeichen „%1“ wird hier nicht erwartet</translation>
    </message>
    <message>
        <source>the formula nests brackets and &quot;not&quot; more than %1 deep</source>
        <translation>die Formel verschachtelt Klammern und „not“ mehr als %1 Ebenen tief</translation>
    </message>
    <message>
        <source>the bracket opened here is never closed</source>
        <translation>die hier geöffnete Klammer wird nie geschlossen</translation>
    </message>
    <message>
        <source>a field or a value is expected, not %1</source>
        <translation>ein Feld oder ein Wert wird erwartet, nicht %1</translation>
    </message>
    <message>
        <source>a value is expected after &quot;%1&quot;</source>
        <translation>nach „%1“ wird ein Wert erwartet</translation>
    </message>
    <message>
        <source>a comparison (=, &lt;&gt;, &lt;, &lt;=, &gt;, &gt;=) is expected before %1</source>
        <translation>vor %1 wird ein Vergleich (=, &lt;&gt;, &lt;, &lt;=, &gt;, &gt;=) erwartet</translation>
    </message>
    <message>
        <source>a comparison must name a field in braces</source>
        <translation>ein Vergleich muss ein Feld in geschweiften Klammern nennen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a word of the formula language; fields are written in braces, as {%1}</source>
        <translation>„%1“ ist kein Wort der Formelsprache; Felder stehen in geschweiften Klammern, etwa {%1}</translation>
    </message>
    <message>
        <source>&quot;.&quot; is not a number</source>
        <translation>„.“ ist keine Zahl</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number</source>
        <translation>„%1“ ist keine Zahl</translation>
    </message>
    <message>
        <source>&quot;)&quot; is expected before %1</source>
        <translation>vor %1 wird „)“ erwartet</translation>
    </message>
</context>
<context>
    <name>ReportJob</name>
    <message>
        <source>at character %1</source>
        <translation>bei Zeichen %1</translation>
    </message>
    <message>
        <source>at its end</source>
        <translation>an ihrem Ende</translation>
    </message>
    <message>
        <source>The selection formula %1 is not valid %2: %3.</source>
        <translation>Die Auswahlformel %1 ist ungültig %2: %3.</translation>
    </message>
</context>
<context>
    <name>ReportPreview</name>
    <message>
        <source>%1 - Print Preview</source>
        <translation>%1 – Druckvorschau</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print the report (Ctrl+P)</source>
        <translation>Den Bericht drucken (Strg+P)</translation>
    </message>
    <message>
        <source>Save as P&amp;DF...</source>
        <translation>Als P&amp;DF speichern...</translation>
    </message>
    <message>
        <source>Save the report as a PDF file (Ctrl+S)</source>
        <translation>Den Bericht als PDF-Datei speichern (Strg+S)</translation>
    </message>
    <message>
        <source>First Page</source>
        <translation>Erste Seite</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>Vorige Seite</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Page shown</source>
        <translation>Angezeigte Seite</translation>
    </message>
    <message>
        <source> of %1 </source>
        <translation> von %1 </translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>Last Page</source>
        <translation>Letzte Seite</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>Seitenbreite</translation>
    </message>
    <message>
        <source>Whole Page</source>
        <translation>Ganze Seite</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source> Use Save as PDF to keep the report as a file.</source>
        <translation> Mit „Als PDF speichern“ behalten Sie den Bericht als Datei.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)|*.pdf</source>
        <translation>PDF-Dateien (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>Saving %1…</source>
        <translation>%1 wird gespeichert…</translation>
    </message>
    <message>
        <source> of %1+ </source>
        <translation> von %1+ </translation>
    </message>
    <message>
        <source>Printing %1…</source>
        <translation>%1 wird gedruckt…</translation>
    </message>
</context>
<context>
    <name>ReportPrinters</name>
    <message>
        <source>No printer is available.</source>
        <translation>Es ist kein Drucker verfügbar.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>The report could not be printed on %1: %2.</source>
        <translation>Der Bericht konnte nicht auf %1 gedruckt werden: %2.</translation>
    </message>
    <message>
        <source>the printer</source>
        <translation>dem Drucker</translation>
    </message>
</context>
<context>
    <name>ReportTemplate</name>
    <message>
        <source>No tank</source>
        <translation>Kein Becken</translation>
    </message>
    <message>
        <source>Tank %1</source>
        <translation>Becken %1</translation>
    </message>
    <message>
        <source>%1 would print a value as markup; print it as text with %2name%3.</source>
        <translation>%1 würde einen Wert als Auszeichnung drucken; drucken Sie ihn als Text mit %2name%3.</translation>
    </message>
    <message>
        <source>its sections nest more than %1 deep.</source>
        <translation>ihre Abschnitte sind mehr als %1 Ebenen tief verschachtelt.</translation>
    </message>
    <message>
        <source>a section over the %1 lies inside another over the same %1.</source>
        <translation>ein Abschnitt über %1 liegt in einem anderen über dasselbe %1.</translation>
    </message>
    <message>
        <source>No report file was named.</source>
        <translation>Es wurde keine Berichtsdatei angegeben.</translation>
    </message>
    <message>
        <source>The report file %1 does not exist.</source>
        <translation>Die Berichtsdatei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The report file %1 cannot be read.</source>
        <translation>Die Berichtsdatei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The report file %1 is too large to be a report template.</source>
        <translation>Die Berichtsdatei %1 ist zu groß für eine Berichtsvorlage.</translation>
    </message>
    <message>
        <source>The report file %1 is not a valid report template: %2</source>
        <translation>Die Berichtsdatei %1 ist keine gültige Berichtsvorlage: %2</translation>
    </message>
    <message>
        <source>it must begin with a comment naming its table, such as {{! table: Journal }}.</source>
        <translation>sie muss mit einem Kommentar beginnen, der ihre Tabelle nennt, etwa {{! table: Journal }}.</translation>
    </message>
    <message>
        <source>its first comment is never closed.</source>
        <translation>ihr erster Kommentar wird nie geschlossen.</translation>
    </message>
    <message>
        <source>the orientation must be portrait or landscape, not &quot;%1&quot;.</source>
        <translation>die Ausrichtung muss portrait oder landscape sein, nicht „%1“.</translation>
    </message>
    <message>
        <source>the margins must be a number of millimetres from 0 to 50, not &quot;%1&quot;.</source>
        <translation>die Ränder müssen eine Zahl von Millimetern zwischen 0 und 50 sein, nicht „%1“.</translation>
    </message>
    <message>
        <source>its first comment names no table; add a line such as &quot;table: Journal&quot;.</source>
        <translation>ihr erster Kommentar nennt keine Tabelle; ergänzen Sie eine Zeile wie „table: Journal“.</translation>
    </message>
    <message>
        <source>The report file %1 makes a report too large to print (more than %2 million characters).</source>
        <translation>Die Berichtsdatei %1 ergibt einen Bericht, der zu groß zum Drucken ist (mehr als %2 Millionen Zeichen).</translation>
    </message>
    <message>
        <source>The report file %1 is not a valid report template: %2.</source>
        <translation>Die Berichtsdatei %1 ist keine gültige Berichtsvorlage: %2.</translation>
    </message>
    <message>
        <source>(too large)</source>
        <translation>(zu groß)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a table name.</source>
        <translation>„%1“ ist kein Tabellenname.</translation>
    </message>
</context>
<context>
    <name>Schema</name>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>the keys of %1 are never handed out again; every record kept its ID</source>
        <translation>die Schlüssel von %1 werden nie wieder vergeben; jeder Datensatz hat seine ID behalten</translation>
    </message>
    <message>
        <source> (in: </source>
        <translation> (in: </translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>%1 was made by a newer version of Corvella: it holds database version %2, and this version of Corvella reads database versions up to %3. The file was left as it is.</source>
        <translation>%1 wurde von einer neueren Version von Corvella angelegt: Sie enthält die Datenbankversion %2, und diese Version von Corvella liest Datenbankversionen bis %3. Die Datei blieb unverändert.</translation>
    </message>
    <message>
        <source>the file fails SQLite&apos;s integrity check (%1), so it was left as it is</source>
        <translation>die Datei besteht die Integritätsprüfung von SQLite nicht (%1) und blieb daher unverändert</translation>
    </message>
    <message>
        <source>the change could not be made</source>
        <translation>die Änderung konnte nicht vorgenommen werden</translation>
    </message>
    <message>
        <source>the changed tables fail SQLite&apos;s integrity check (%1)</source>
        <translation>die geänderten Tabellen bestehen die Integritätsprüfung von SQLite nicht (%1)</translation>
    </message>
    <message>
        <source>nothing was changed: %1</source>
        <translation>es wurde nichts geändert: %1</translation>
    </message>
    <message>
        <source>after the change the file fails SQLite&apos;s integrity check (%1)</source>
        <translation>nach der Änderung besteht die Datei die Integritätsprüfung von SQLite nicht (%1)</translation>
    </message>
    <message>
        <source>The schema version of %1 cannot be read: %2</source>
        <translation>Die Schemaversion von %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot upgrade %1 to database version %2: %3</source>
        <translation>%1 kann nicht auf Datenbankversion %2 aktualisiert werden: %3</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>In order to use Corvella, you must set up a default Tank. Please enter one now!</source>
        <translation>Um Corvella zu benutzen, müssen Sie ein Standardbecken anlegen. Bitte geben Sie jetzt eines ein!</translation>
    </message>
    <message>
        <source>No Default Tank</source>
        <translation>Kein Standardbecken</translation>
    </message>
</context>
<context>
    <name>Tables</name>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>Die Datei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 is not a Corvella database.</source>
        <translation>%1 ist keine Corvella-Datenbank.</translation>
    </message>
    <message>
        <source>%1 cannot be opened as a database.</source>
        <translation>%1 kann nicht als Datenbank geöffnet werden.</translation>
    </message>
    <message>
        <source>%1 is not a Corvella database, or it is damaged.</source>
        <translation>%1 ist keine Corvella-Datenbank oder sie ist beschädigt.</translation>
    </message>
    <message>
        <source>%1 is not a Corvella database: it has no %2 table.</source>
        <translation>%1 ist keine Corvella-Datenbank: Sie hat keine Tabelle %2.</translation>
    </message>
    <message>
        <source>%1 is not a Corvella database: the %2 table has no %3 field.</source>
        <translation>%1 ist keine Corvella-Datenbank: Die Tabelle %2 hat kein Feld %3.</translation>
    </message>
    <message>
        <source>%1 is damaged.</source>
        <translation>%1 ist beschädigt.</translation>
    </message>
    <message>
        <source>%1 is damaged (%2).</source>
        <translation>%1 ist beschädigt (%2).</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 weitere</translation>
    </message>
    <message>
        <source>%1 holds %2, which Corvella does not make: it could change or delete records on its own, so Corvella does not use this file. The file was left as it is.</source>
        <translation>%1 enthält %2, was Corvella nicht anlegt: Das könnte von sich aus Datensätze ändern oder löschen, daher benutzt Corvella diese Datei nicht. Die Datei blieb unverändert.</translation>
    </message>
</context>
<context>
    <name>TankCalcMath</name>
    <message>
        <source>Please enter a valid Height!</source>
        <translation>Bitte geben Sie eine gültige Höhe ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Radius!</source>
        <translation>Bitte geben Sie einen gültigen Durchmesser ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Length!</source>
        <translation>Bitte geben Sie eine gültige Länge ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Width!</source>
        <translation>Bitte geben Sie eine gültige Breite ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Light Distance!</source>
        <translation>Bitte geben Sie einen gültigen Lichtabstand ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Percent Small Fish!</source>
        <translation>Bitte geben Sie einen gültigen Anteil kleiner Fische ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Percent Medium Fish!</source>
        <translation>Bitte geben Sie einen gültigen Anteil mittlerer Fische ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Percent Large Fish!</source>
        <translation>Bitte geben Sie einen gültigen Anteil großer Fische ein!</translation>
    </message>
    <message>
        <source>Fish percents total more than 100!</source>
        <translation>Die Fischanteile ergeben zusammen mehr als 100 %!</translation>
    </message>
    <message>
        <source>Less than 100 percent of fish allocated!</source>
        <translation>Weniger als 100 Prozent der Fische verteilt!</translation>
    </message>
    <message>
        <source>² Cent.</source>
        <translation> cm²</translation>
    </message>
    <message>
        <source>² Inches</source>
        <translation> Zoll²</translation>
    </message>
    <message>
        <source> US Gal.</source>
        <translation> US-Gal.</translation>
    </message>
    <message>
        <source> lbs.</source>
        <translation> lbs.</translation>
    </message>
    <message>
        <source> Liters</source>
        <translation> Liter</translation>
    </message>
    <message>
        <source> kgs.</source>
        <translation> kg</translation>
    </message>
    <message>
        <source>The dimensions are too large to calculate.</source>
        <translation>Die Maße sind zu groß, um sie zu berechnen.</translation>
    </message>
    <message>
        <source> watts</source>
        <translation> Watt</translation>
    </message>
    <message>
        <source>NA</source>
        <translation>entfällt</translation>
    </message>
</context>
<context>
    <name>TargetRanges</name>
    <message>
        <source>at most </source>
        <translation>höchstens </translation>
    </message>
    <message>
        <source>at least </source>
        <translation>mindestens </translation>
    </message>
    <message>
        <source>of </source>
        <translation>von </translation>
    </message>
    <message>
        <source>%1 %2 is %3 the target range %4 for %5.</source>
        <translation>%1 %2 liegt %3 des Zielbereichs %4 für %5.</translation>
    </message>
    <message>
        <source>below</source>
        <translation>unterhalb</translation>
    </message>
    <message>
        <source>above</source>
        <translation>oberhalb</translation>
    </message>
    <message>
        <source>The %1 bound of %2 (%3) is out of range.</source>
        <translation>Die %1 Grenze für %2 (%3) liegt außerhalb des zulässigen Bereichs.</translation>
    </message>
    <message>
        <source>The %1 bound of %2 is not a number.</source>
        <translation>Die %1 Grenze für %2 ist keine Zahl.</translation>
    </message>
    <message>
        <source>low</source>
        <translation>untere</translation>
    </message>
    <message>
        <source>high</source>
        <translation>obere</translation>
    </message>
    <message>
        <source>The low bound of %1 (%2) is above its high bound (%3).</source>
        <translation>Die untere Grenze für %1 (%2) liegt über ihrer oberen Grenze (%3).</translation>
    </message>
</context>
<context>
    <name>TempConvMath</name>
    <message>
        <source>Please enter a temprature in the range of -500° to 500° F!</source>
        <translation>Bitte geben Sie eine Temperatur zwischen -500° und 500° F ein!</translation>
    </message>
    <message>
        <source>Please enter a temprature in the range of -295° to 260° C!</source>
        <translation>Bitte geben Sie eine Temperatur zwischen -295° und 260° C ein!</translation>
    </message>
    <message>
        <source>Please enter a valid temprature!</source>
        <translation>Bitte geben Sie eine gültige Temperatur ein!</translation>
    </message>
</context>
<context>
    <name>Transfer</name>
    <message>
        <source>… (%1 characters)</source>
        <translation>… (%1 Zeichen)</translation>
    </message>
    <message>
        <source>There is no default tank. Choose Options &gt; Change Tanks and make a tank the default first.</source>
        <translation>Es gibt kein Standardbecken. Wählen Sie Optionen &gt; Becken ändern und machen Sie zuerst ein Becken zum Standard.</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>The file cannot be imported.</source>
        <translation>Die Datei kann nicht importiert werden.</translation>
    </message>
    <message>
        <source>1 record can be imported</source>
        <translation>1 Datensatz kann importiert werden</translation>
    </message>
    <message>
        <source>%1 records can be imported</source>
        <translation>%1 Datensätze können importiert werden</translation>
    </message>
    <message>
        <source>; 1 record is stored already and is left out</source>
        <translation>; 1 Datensatz ist bereits gespeichert und wird ausgelassen</translation>
    </message>
    <message>
        <source>; %1 records are stored already and are left out</source>
        <translation>; %1 Datensätze sind bereits gespeichert und werden ausgelassen</translation>
    </message>
    <message>
        <source>; 1 line is refused.</source>
        <translation>; 1 Zeile wird abgewiesen.</translation>
    </message>
    <message>
        <source>; %1 lines are refused.</source>
        <translation>; %1 Zeilen werden abgewiesen.</translation>
    </message>
    <message>
        <source>the same record is stored already; it is left out.</source>
        <translation>derselbe Datensatz ist bereits gespeichert; er wird ausgelassen.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is too large to be a file of records.</source>
        <translation>%1 ist zu groß für eine Datei mit Datensätzen.</translation>
    </message>
    <message>
        <source>the file is not a text file of comma-separated values: it holds binary data.</source>
        <translation>die Datei ist keine Textdatei mit kommagetrennten Werten: Sie enthält Binärdaten.</translation>
    </message>
    <message>
        <source>Line 1: the file is not in UTF-8; it was read as Windows-1252 (Western European).</source>
        <translation>Zeile 1: Die Datei ist nicht in UTF-8; sie wurde als Windows-1252 (Westeuropäisch) gelesen.</translation>
    </message>
    <message>
        <source>the file is empty: it has no header of field names.</source>
        <translation>die Datei ist leer: Sie hat keine Kopfzeile mit Feldnamen.</translation>
    </message>
    <message>
        <source>a quoted field of the header is not closed.</source>
        <translation>ein Feld der Kopfzeile in Anführungszeichen ist nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>the fields are separated by semicolons. Save the file as CSV with commas between fields and dots in numbers.</source>
        <translation>die Felder sind durch Semikolons getrennt. Speichern Sie die Datei als CSV mit Kommas zwischen den Feldern und Punkten in Zahlen.</translation>
    </message>
    <message>
        <source>column %1 has no name; it is ignored.</source>
        <translation>Spalte %1 hat keinen Namen; sie wird übergangen.</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; is ignored: Corvella numbers the records itself.</source>
        <translation>Spalte „%1“ wird übergangen: Corvella nummeriert die Datensätze selbst.</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; is ignored: the records go to the default tank.</source>
        <translation>Spalte „%1“ wird übergangen: Die Datensätze kommen zum Standardbecken.</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; is not a field of the %2 table; it is ignored.</source>
        <translation>Spalte „%1“ ist kein Feld der Tabelle %2; sie wird übergangen.</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; appears twice.</source>
        <translation>die Spalte „%1“ kommt zweimal vor.</translation>
    </message>
    <message>
        <source>the column &quot;%1&quot; is missing.</source>
        <translation>die Spalte „%1“ fehlt.</translation>
    </message>
    <message>
        <source>a quoted field is not closed; the rest of the file belongs to it.</source>
        <translation>ein Feld in Anführungszeichen ist nicht abgeschlossen; der Rest der Datei gehört dazu.</translation>
    </message>
    <message>
        <source>there is text after a closing quote.</source>
        <translation>nach einem schließenden Anführungszeichen steht noch Text.</translation>
    </message>
    <message>
        <source>the row has %1; the header has %2.</source>
        <translation>die Zeile hat %1; die Kopfzeile hat %2.</translation>
    </message>
    <message>
        <source>1 field</source>
        <translation>1 Feld</translation>
    </message>
    <message>
        <source>%1 fields</source>
        <translation>%1 Felder</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not a number.</source>
        <translation>%1 „%2“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is too large.</source>
        <translation>%1 „%2“ ist zu groß.</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not a date (mm/dd/yyyy or yyyy-mm-dd).</source>
        <translation>%1 „%2“ ist kein Datum (mm/dd/yyyy oder yyyy-mm-dd).</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not an amount (EX: 25.00).</source>
        <translation>%1 „%2“ ist kein Betrag (z. B. 25.00).</translation>
    </message>
    <message>
        <source>%1 is longer than %2 characters.</source>
        <translation>%1 ist länger als %2 Zeichen.</translation>
    </message>
    <message>
        <source>The file cannot be imported; nothing was stored.</source>
        <translation>Die Datei kann nicht importiert werden; es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The default tank is no longer in the database; nothing was stored.</source>
        <translation>Das Standardbecken ist nicht mehr in der Datenbank; es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source> Nothing was stored.</source>
        <translation> Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Line %1 could not be stored: %2</source>
        <translation>Zeile %1 konnte nicht gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>TransferCommands</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)|*.csv|All Files (*.*)|*.*</source>
        <translation>CSV-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>

Nothing was exported.</source>
        <translation>

Es wurde nichts exportiert.</translation>
    </message>
    <message>
        <source>1 record was</source>
        <translation>1 Datensatz wurde</translation>
    </message>
    <message>
        <source>%1 records were</source>
        <translation>%1 Datensätze wurden</translation>
    </message>
    <message>
        <source>%1 exported to %2.</source>
        <translation>%1 nach %2 exportiert.</translation>
    </message>
    <message>
        <source>

Nothing was imported.</source>
        <translation>

Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>

Choose OK to store the records that can be imported, or Cancel to store nothing.</source>
        <translation>

Wählen Sie OK, um die importierbaren Datensätze zu speichern, oder Abbrechen, um nichts zu speichern.</translation>
    </message>
    <message>
        <source>%1 imported from %2.</source>
        <translation>%1 aus %2 importiert.</translation>
    </message>
    <message>
        <source>…and 1 more line.</source>
        <translation>…und 1 weitere Zeile.</translation>
    </message>
    <message>
        <source>…and %1 more lines.</source>
        <translation>…und %1 weitere Zeilen.</translation>
    </message>
    <message>
        <source>Exporting to %1…</source>
        <translation>Export nach %1…</translation>
    </message>
    <message>
        <source>Reading %1…</source>
        <translation>%1 wird gelesen…</translation>
    </message>
    <message>
        <source>Storing the records of %1…</source>
        <translation>Die Datensätze aus %1 werden gespeichert…</translation>
    </message>
    <message>
        <source>The import was cancelled. Nothing was imported.</source>
        <translation>Der Import wurde abgebrochen. Es wurde nichts importiert.</translation>
    </message>
</context>
<context>
    <name>care</name>
    <message>
        <source>The latest value, the target and the replacement water&apos;s value must be numbers of zero or more.</source>
        <translation>Der letzte Wert, das Ziel und der Wert des Frischwassers müssen Zahlen von null oder mehr sein.</translation>
    </message>
    <message>
        <source>The number of changes must be between 1 and 20.</source>
        <translation>Die Anzahl der Wechsel muss zwischen 1 und 20 liegen.</translation>
    </message>
    <message>
        <source>The latest value is within the target already: no water change is needed for it.</source>
        <translation>Der letzte Wert liegt bereits im Ziel: Dafür ist kein Wasserwechsel nötig.</translation>
    </message>
    <message>
        <source>The replacement water&apos;s value (%1) is not below the target (%2): no water change can bring the tank to the target with this water. Treat the replacement water, or use other water.</source>
        <translation>Der Wert des Frischwassers (%1) liegt nicht unter dem Ziel (%2): Mit diesem Wasser bringt kein Wasserwechsel das Becken auf das Ziel. Bereiten Sie das Frischwasser auf oder nehmen Sie anderes Wasser.</translation>
    </message>
    <message>
        <source>The default tank&apos;s dimensions give no volume: enter them in Options &gt; Change Tanks.</source>
        <translation>Aus den Maßen des Standardbeckens ergibt sich kein Volumen: Geben Sie sie unter Optionen &gt; Becken ändern ein.</translation>
    </message>
    <message>
        <source>There is no default tank: choose Options &gt; Change Tanks.</source>
        <translation>Es gibt kein Standardbecken: Wählen Sie Optionen &gt; Becken ändern.</translation>
    </message>
    <message>
        <source>due today</source>
        <translation>heute fällig</translation>
    </message>
    <message>
        <source>1 day overdue</source>
        <translation>1 Tag überfällig</translation>
    </message>
    <message>
        <source>%1 days overdue</source>
        <translation>%1 Tage überfällig</translation>
    </message>
    <message>
        <source>due tomorrow</source>
        <translation>morgen fällig</translation>
    </message>
    <message>
        <source>due in %1 days</source>
        <translation>fällig in %1 Tagen</translation>
    </message>
    <message>
        <source>1 task due</source>
        <translation>1 Aufgabe fällig</translation>
    </message>
    <message>
        <source>%1 tasks due</source>
        <translation>%1 Aufgaben fällig</translation>
    </message>
    <message>
        <source>&amp;Water-Change Planner…</source>
        <translation>&amp;Wasserwechsel-Planer…</translation>
    </message>
    <message>
        <source>Work out how much water to change.</source>
        <translation>Berechnen, wie viel Wasser zu wechseln ist.</translation>
    </message>
    <message>
        <source>Tasks D&amp;ue…</source>
        <translation>&amp;Fällige Aufgaben…</translation>
    </message>
    <message>
        <source>The care tasks due today.</source>
        <translation>Die heute fälligen Pflegeaufgaben.</translation>
    </message>
    <message>
        <source>Options &gt; Tasks Due lists them</source>
        <translation>Optionen &gt; Fällige Aufgaben listet sie auf</translation>
    </message>
</context>
<context>
    <name>chartText</name>
    <message>
        <source>Please enter a valid date (EX: mm/dd/yyyy)!</source>
        <translation>Bitte geben Sie ein gültiges Datum ein (z. B. TT.MM.JJJJ)!</translation>
    </message>
    <message>
        <source>Date Error</source>
        <translation>Datumsfehler</translation>
    </message>
    <message>
        <source>No Records to display!</source>
        <translation>Keine Datensätze anzuzeigen!</translation>
    </message>
    <message>
        <source>No Records</source>
        <translation>Keine Datensätze</translation>
    </message>
</context>
<context>
    <name>corv::DataControl</name>
    <message>
        <source>First record (Ctrl+Home)</source>
        <translation>Erster Datensatz (Strg+Pos1)</translation>
    </message>
    <message>
        <source>Previous record (Page Up)</source>
        <translation>Voriger Datensatz (Bild auf)</translation>
    </message>
    <message>
        <source>Next record (Page Down)</source>
        <translation>Nächster Datensatz (Bild ab)</translation>
    </message>
    <message>
        <source>Last record (Ctrl+End)</source>
        <translation>Letzter Datensatz (Strg+Ende)</translation>
    </message>
    <message>
        <source>First record</source>
        <translation>Erster Datensatz</translation>
    </message>
    <message>
        <source>Previous record</source>
        <translation>Voriger Datensatz</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Nächster Datensatz</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Letzter Datensatz</translation>
    </message>
</context>
<context>
    <name>corv::DateFormat</name>
    <message>
        <source>dd</source>
        <translation>TT</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>MM</translation>
    </message>
    <message>
        <source>yyyy</source>
        <translation>JJJJ</translation>
    </message>
</context>
<context>
    <name>corv::HelpBrowser</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Back to the table of contents</source>
        <translation>Zurück zum Inhaltsverzeichnis</translation>
    </message>
    <message>
        <source>Back (Alt+Left)</source>
        <translation>Zurück (Alt+Links)</translation>
    </message>
    <message>
        <source>Forward (Alt+Right)</source>
        <translation>Vor (Alt+Rechts)</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
</context>
<context>
    <name>corv::JournalValue</name>
    <message>
        <source>Alkalinity</source>
        <translation>Karbonathärte</translation>
    </message>
    <message>
        <source>Ammonia</source>
        <translation>Ammoniak</translation>
    </message>
    <message>
        <source>Calcium</source>
        <translation>Calcium</translation>
    </message>
    <message>
        <source>Carbon Dioxide</source>
        <translation>Kohlendioxid</translation>
    </message>
    <message>
        <source>CO2</source>
        <translation>CO2</translation>
    </message>
    <message>
        <source>Copper</source>
        <translation>Kupfer</translation>
    </message>
    <message>
        <source>Dissolved Oxygen</source>
        <translation>Gelöster Sauerstoff</translation>
    </message>
    <message>
        <source>O2</source>
        <translation>O2</translation>
    </message>
    <message>
        <source>Hardness</source>
        <translation>Gesamthärte</translation>
    </message>
    <message>
        <source>Iodine</source>
        <translation>Iod</translation>
    </message>
    <message>
        <source>Iron</source>
        <translation>Eisen</translation>
    </message>
    <message>
        <source>Lead</source>
        <translation>Blei</translation>
    </message>
    <message>
        <source>Magnesium</source>
        <translation>Magnesium</translation>
    </message>
    <message>
        <source>Molybdenum</source>
        <translation>Molybdän</translation>
    </message>
    <message>
        <source>Nitrate</source>
        <translation>Nitrat</translation>
    </message>
    <message>
        <source>Nitrite</source>
        <translation>Nitrit</translation>
    </message>
    <message>
        <source>pH</source>
        <translation>pH</translation>
    </message>
    <message>
        <source>Phosphate</source>
        <translation>Phosphat</translation>
    </message>
    <message>
        <source>Specific Gravity</source>
        <translation>Spezifisches Gewicht</translation>
    </message>
    <message>
        <source>Sepcific Gravity</source>
        <translation>Spezifisches Gewicht</translation>
    </message>
    <message>
        <source>SpecGravity</source>
        <translation>Spez. Gewicht</translation>
    </message>
    <message>
        <source>Strontium</source>
        <translation>Strontium</translation>
    </message>
    <message>
        <source>Strotium</source>
        <translation>Strontium</translation>
    </message>
    <message>
        <source>Temprature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Zinc</source>
        <translation>Zink</translation>
    </message>
</context>
<context>
    <name>corv::Maintenance</name>
    <message>
        <source>Water Change</source>
        <translation>Wasserwechsel</translation>
    </message>
    <message>
        <source>Filter Cleaned</source>
        <translation>Filter gereinigt</translation>
    </message>
    <message>
        <source>Dosing</source>
        <translation>Düngen</translation>
    </message>
    <message>
        <source>Glass Cleaned</source>
        <translation>Scheiben gereinigt</translation>
    </message>
    <message>
        <source>Equipment</source>
        <translation>Technik</translation>
    </message>
    <message>
        <source>Feeding</source>
        <translation>Fütterung</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Water Test</source>
        <translation>Wassertest</translation>
    </message>
    <message>
        <source>US Gal.</source>
        <translation>US-Gal.</translation>
    </message>
    <message>
        <source>Liters</source>
        <translation>Liter</translation>
    </message>
    <message>
        <source>drops</source>
        <translation>Tropfen</translation>
    </message>
</context>
<context>
    <name>corv::RecordForm</name>
    <message>
        <source>Please enter a valid %1!</source>
        <translation>Bitte geben Sie einen gültigen Wert für %1 ein!</translation>
    </message>
</context>
<context>
    <name>corv::ReportPreview</name>
    <message>
        <source>Report pages</source>
        <translation>Berichtsseiten</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
</context>
<context>
    <name>corv::TankTexts</name>
    <message>
        <source>Fresh Water</source>
        <translation>Süßwasser</translation>
    </message>
    <message>
        <source>Salt Water</source>
        <translation>Meerwasser</translation>
    </message>
    <message>
        <source>Cold Water</source>
        <translation>Kaltwasser</translation>
    </message>
    <message>
        <source>Rectangular</source>
        <translation>Rechteckig</translation>
    </message>
    <message>
        <source>Circular</source>
        <translation>Rund</translation>
    </message>
    <message>
        <source>Hexagonal</source>
        <translation>Sechseckig</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Centimeters</source>
        <translation>Zentimeter</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
</context>
<context>
    <name>corv::ToolBar</name>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
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
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Diseases</source>
        <translation>Krankheiten</translation>
    </message>
    <message>
        <source>Glossary</source>
        <translation>Glossar</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Tagebuch</translation>
    </message>
    <message>
        <source>Livestock</source>
        <translation>Besatz</translation>
    </message>
    <message>
        <source>Calculator</source>
        <translation>Rechner</translation>
    </message>
    <message>
        <source>Tank</source>
        <translation>Becken</translation>
    </message>
    <message>
        <source>Maintenance</source>
        <translation>Pflege</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
</context>
<context>
    <name>corv::WindowTable</name>
    <message>
        <source>Print Journal Record(s)</source>
        <translation>Tagebucheinträge drucken</translation>
    </message>
    <message>
        <source>All Records This Tank</source>
        <translation>Alle Datensätze dieses Beckens</translation>
    </message>
    <message>
        <source>Print Livestock Record(s)</source>
        <translation>Besatz drucken</translation>
    </message>
    <message>
        <source>Print Disease Record(s)</source>
        <translation>Krankheiten drucken</translation>
    </message>
    <message>
        <source>All Records</source>
        <translation>Alle Datensätze</translation>
    </message>
    <message>
        <source>Print Glossary Record(s)</source>
        <translation>Glossar drucken</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Date Acquired:</source>
        <translation>Kaufdatum:</translation>
    </message>
    <message>
        <source>Common Name:</source>
        <translation>Gebräuchlicher Name:</translation>
    </message>
    <message>
        <source>Scientific Name:</source>
        <translation>Wissenschaftlicher Name:</translation>
    </message>
    <message>
        <source>Term:</source>
        <translation>Begriff:</translation>
    </message>
    <message>
        <source>Common &amp;Diseases</source>
        <translation>Häufige &amp;Krankheiten</translation>
    </message>
    <message>
        <source>Browse the common disease database.</source>
        <translation>Die häufigen Krankheiten durchsehen.</translation>
    </message>
    <message>
        <source>Add Diseases Record.</source>
        <translation>Krankheit hinzufügen.</translation>
    </message>
    <message>
        <source>Delete Diseases Record.</source>
        <translation>Krankheit löschen.</translation>
    </message>
    <message>
        <source>Search for a Disease Record.</source>
        <translation>Eine Krankheit suchen.</translation>
    </message>
    <message>
        <source>Print Disease Reports.</source>
        <translation>Krankheitsberichte drucken.</translation>
    </message>
    <message>
        <source>Aquarist &amp;Glossary</source>
        <translation>Aquaristik-&amp;Glossar</translation>
    </message>
    <message>
        <source>Browse the aquarist glossary database.</source>
        <translation>Das Aquaristik-Glossar durchsehen.</translation>
    </message>
    <message>
        <source>Add Glossary Record.</source>
        <translation>Glossarbegriff hinzufügen.</translation>
    </message>
    <message>
        <source>Delete Glossary Record.</source>
        <translation>Glossarbegriff löschen.</translation>
    </message>
    <message>
        <source>Search for a Glossary Record.</source>
        <translation>Einen Glossarbegriff suchen.</translation>
    </message>
    <message>
        <source>Print Glossary Reports.</source>
        <translation>Glossarberichte drucken.</translation>
    </message>
    <message>
        <source>&amp;Journal</source>
        <translation>&amp;Tagebuch</translation>
    </message>
    <message>
        <source>Browse the journal database.</source>
        <translation>Das Tagebuch durchsehen.</translation>
    </message>
    <message>
        <source>Add Journal Record.</source>
        <translation>Tagebucheintrag hinzufügen.</translation>
    </message>
    <message>
        <source>Delete Journal Record.</source>
        <translation>Tagebucheintrag löschen.</translation>
    </message>
    <message>
        <source>Search for a Journal Record.</source>
        <translation>Einen Tagebucheintrag suchen.</translation>
    </message>
    <message>
        <source>Print Journal Reports.</source>
        <translation>Tagebuchberichte drucken.</translation>
    </message>
    <message>
        <source>&amp;Livestock</source>
        <translation>&amp;Besatz</translation>
    </message>
    <message>
        <source>Browse the Livestock database.</source>
        <translation>Den Besatz durchsehen.</translation>
    </message>
    <message>
        <source>Add Livestock Record.</source>
        <translation>Tier hinzufügen.</translation>
    </message>
    <message>
        <source>Delete Livestock Record.</source>
        <translation>Tier löschen.</translation>
    </message>
    <message>
        <source>Search for a Livestock Record.</source>
        <translation>Ein Tier suchen.</translation>
    </message>
    <message>
        <source>Print Livestock Reports.</source>
        <translation>Besatzberichte drucken.</translation>
    </message>
    <message>
        <source>&amp;Tank Calculator</source>
        <translation>Becken&amp;rechner</translation>
    </message>
    <message>
        <source>Calculate tank copasities.</source>
        <translation>Beckenvolumen berechnen.</translation>
    </message>
    <message>
        <source>&amp;Change Tanks</source>
        <translation>Becken &amp;ändern</translation>
    </message>
    <message>
        <source>Maintain Tanks?</source>
        <translation>Becken verwalten?</translation>
    </message>
    <message>
        <source>Add Tank Record.</source>
        <translation>Becken hinzufügen.</translation>
    </message>
    <message>
        <source>Delete Tank Record.</source>
        <translation>Becken löschen.</translation>
    </message>
    <message>
        <source>Print Maintenance Record(s)</source>
        <translation>Pflegeeinträge drucken</translation>
    </message>
    <message>
        <source>Kind:</source>
        <translation>Art:</translation>
    </message>
    <message>
        <source>&amp;Maintenance</source>
        <translation>&amp;Pflege</translation>
    </message>
    <message>
        <source>Browse the maintenance log.</source>
        <translation>Das Pflegeprotokoll durchsehen.</translation>
    </message>
    <message>
        <source>Add Maintenance Record.</source>
        <translation>Pflegeeintrag hinzufügen.</translation>
    </message>
    <message>
        <source>Delete Maintenance Record.</source>
        <translation>Pflegeeintrag löschen.</translation>
    </message>
    <message>
        <source>Search for a Maintenance Record.</source>
        <translation>Einen Pflegeeintrag suchen.</translation>
    </message>
    <message>
        <source>Print Maintenance Reports.</source>
        <translation>Pflegeberichte drucken.</translation>
    </message>
    <message>
        <source>T&amp;asks</source>
        <translation>&amp;Aufgaben</translation>
    </message>
    <message>
        <source>Maintain the care tasks.</source>
        <translation>Die Pflegeaufgaben verwalten.</translation>
    </message>
    <message>
        <source>Add Task Record.</source>
        <translation>Aufgabe hinzufügen.</translation>
    </message>
    <message>
        <source>Delete Task Record.</source>
        <translation>Aufgabe löschen.</translation>
    </message>
</context>
<context>
    <name>corv::frmChart</name>
    <message>
        <source>Journal chart</source>
        <translation>Tagebuch-Diagramm</translation>
    </message>
</context>
<context>
    <name>corv::frmIndex</name>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
</context>
<context>
    <name>corv::frmTargetRanges</name>
    <message>
        <source>Target ranges</source>
        <translation>Zielbereiche</translation>
    </message>
</context>
<context>
    <name>corvella-mkdb</name>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>give one database file only</source>
        <translation>geben Sie nur eine Datenbankdatei an</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is in use by a running Corvella; close it and try again.</source>
        <translation>%1 wird von einem laufenden Corvella benutzt; schließen Sie es und versuchen Sie es noch einmal.</translation>
    </message>
    <message>
        <source>%1 needs no upgrade: its record keys are never handed out again.</source>
        <translation>%1 braucht keine Aktualisierung: Ihre Datensatzschlüssel werden nie wieder vergeben.</translation>
    </message>
    <message>
        <source>Upgraded %1: %2.</source>
        <translation>%1 aktualisiert: %2.</translation>
    </message>
    <message>
        <source>the reference content built into the program is damaged: %1</source>
        <translation>die im Programm enthaltenen Nachschlagedaten sind beschädigt: %1</translation>
    </message>
    <message>
        <source>%1 already exists; it is left as it is.</source>
        <translation>%1 ist bereits vorhanden; die Datei bleibt unverändert.</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Created %1 with %2 diseases and %3 glossary terms.</source>
        <translation>%1 mit %2 Krankheiten und %3 Glossarbegriffen angelegt.</translation>
    </message>
    <message>
        <source>Created %1.</source>
        <translation>%1 angelegt.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
    <message>
        <source>About Corvella</source>
        <translation>Über Corvella</translation>
    </message>
    <message>
        <source>Corvella</source>
        <translation>Corvella</translation>
    </message>
    <message>
        <source>Aquarium Information Toolkit Version 1.00 for Windows</source>
        <translation>Aquarium-Informationssystem Version 1.00 für Windows</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>Systeminfo</translation>
    </message>
</context>
<context>
    <name>frmChart</name>
    <message>
        <source>Check the items you want to chart</source>
        <translation>Wählen Sie die Werte für das Diagramm</translation>
    </message>
    <message>
        <source>Select date range or leave blank for all:</source>
        <translation>Zeitraum wählen oder für alle leer lassen:</translation>
    </message>
    <message>
        <source>&amp;From:</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>&amp;To:</source>
        <translation>&amp;Bis:</translation>
    </message>
    <message>
        <source>Select a chart t&amp;ype:</source>
        <translation>Diagramm&amp;typ wählen:</translation>
    </message>
    <message>
        <source>Show target &amp;ranges</source>
        <translation>Ziel&amp;bereiche zeigen</translation>
    </message>
    <message>
        <source>Shade each parameter&apos;s target range (Options &gt; Target Ranges) behind its values, for the default tank&apos;s water type. Flat charts only.</source>
        <translation>Den Zielbereich jedes Werts (Optionen &gt; Zielbereiche) für den Wassertyp des Standardbeckens hinter seinen Werten schattieren. Nur flache Diagramme.</translation>
    </message>
    <message>
        <source>Space by &amp;date</source>
        <translation>Nach &amp;Datum verteilen</translation>
    </message>
    <message>
        <source>Place each entry at its date, so irregular tests show the real trend. 2D Line, 2D Area and 2D Step only.</source>
        <translation>Jeden Eintrag an sein Datum setzen, damit unregelmäßige Tests den wirklichen Verlauf zeigen. Nur 2D-Linie, 2D-Fläche und 2D-Stufen.</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save &amp;Image…</source>
        <translation>B&amp;ild speichern…</translation>
    </message>
    <message>
        <source>Save the chart as shown as a PNG image or an SVG drawing, at a size you choose.</source>
        <translation>Das Diagramm wie angezeigt als PNG-Bild oder SVG-Zeichnung in einer wählbaren Größe speichern.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Data error: </source>
        <translation>Datenfehler: </translation>
    </message>
    <message>
        <source>Saving the chart as %1…</source>
        <translation>Das Diagramm wird als %1 gespeichert…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Show &amp;maintenance</source>
        <translation>&amp;Pflege zeigen</translation>
    </message>
    <message>
        <source>Mark each entry of the maintenance log (water changes with their share) on the time axis, so you see what a change did. Flat charts only.</source>
        <translation>Jeden Eintrag des Pflegeprotokolls (Wasserwechsel mit ihrem Anteil) auf der Zeitachse markieren, damit Sie sehen, was ein Wechsel bewirkt hat. Nur flache Diagramme.</translation>
    </message>
    <message>
        <source>Reading the journal…</source>
        <translation>Das Tagebuch wird gelesen…</translation>
    </message>
</context>
<context>
    <name>frmChartPrint</name>
    <message>
        <source>Printing Chart</source>
        <translation>Diagramm drucken</translation>
    </message>
    <message>
        <source>Sending the chart to the printer...</source>
        <translation>Das Diagramm wird an den Drucker gesendet...</translation>
    </message>
</context>
<context>
    <name>frmDiseases</name>
    <message>
        <source>Common Diseases</source>
        <translation>Häufige Krankheiten</translation>
    </message>
    <message>
        <source>Common Name</source>
        <translation>Gebräuchlicher Name</translation>
    </message>
    <message>
        <source>Scientific Name</source>
        <translation>Wissenschaftlicher Name</translation>
    </message>
    <message>
        <source>Common Name:</source>
        <translation>Gebräuchlicher Name:</translation>
    </message>
    <message>
        <source>Scientific Name:</source>
        <translation>Wissenschaftlicher Name:</translation>
    </message>
    <message>
        <source>Symptoms:</source>
        <translation>Symptome:</translation>
    </message>
    <message>
        <source>Treatment:</source>
        <translation>Behandlung:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notizen:</translation>
    </message>
</context>
<context>
    <name>frmDue</name>
    <message>
        <source>Due</source>
        <translation>Fällig</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Tank</source>
        <translation>Becken</translation>
    </message>
    <message>
        <source>How overdue</source>
        <translation>Wie überfällig</translation>
    </message>
    <message>
        <source>Tasks due</source>
        <translation>Fällige Aufgaben</translation>
    </message>
    <message>
        <source>No task is due today.</source>
        <translation>Heute ist keine Aufgabe fällig.</translation>
    </message>
    <message>
        <source>&amp;Done</source>
        <translation>&amp;Erledigt</translation>
    </message>
    <message>
        <source>Record the task as done today</source>
        <translation>Die Aufgabe als heute erledigt eintragen</translation>
    </message>
    <message>
        <source>&amp;Snooze one day</source>
        <translation>Einen Tag &amp;verschieben</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Show the task in the tasks window</source>
        <translation>Die Aufgabe im Aufgabenfenster zeigen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Show this list after start-up</source>
        <translation>Diese Liste nach dem Start zeigen</translation>
    </message>
    <message>
        <source>The tasks cannot be read: </source>
        <translation>Die Aufgaben können nicht gelesen werden: </translation>
    </message>
    <message>
        <source>The task could not be recorded as done: </source>
        <translation>Die Aufgabe konnte nicht als erledigt eingetragen werden: </translation>
    </message>
    <message>
        <source>The task could not be put off: </source>
        <translation>Die Aufgabe konnte nicht verschoben werden: </translation>
    </message>
</context>
<context>
    <name>frmGlossary</name>
    <message>
        <source>Aquarist Glossary</source>
        <translation>Aquaristik-Glossar</translation>
    </message>
    <message>
        <source>Term:</source>
        <translation>Begriff:</translation>
    </message>
    <message>
        <source>Definition:</source>
        <translation>Erklärung:</translation>
    </message>
</context>
<context>
    <name>frmImageSize</name>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höhe:</translation>
    </message>
    <message>
        <source>From %1 to %2 pixels each. The chart on screen is %3 x %4 pixels.</source>
        <translation>Jeweils von %1 bis %2 Pixel. Das Diagramm auf dem Bildschirm hat %3 × %4 Pixel.</translation>
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
        <source>pixels</source>
        <translation>Pixel</translation>
    </message>
</context>
<context>
    <name>frmIndex</name>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Unable to read the index: </source>
        <translation>Der Index kann nicht gelesen werden: </translation>
    </message>
</context>
<context>
    <name>frmJournal</name>
    <message>
        <source>There is no default tank yet. Choose Options &gt; Change Tanks, enter your tank and make it the default, then open this window again.</source>
        <translation>Es gibt noch kein Standardbecken. Wählen Sie Optionen &gt; Becken ändern, geben Sie Ihr Becken ein, machen Sie es zum Standard und öffnen Sie dieses Fenster dann erneut.</translation>
    </message>
    <message>
        <source>No Default Tank</source>
        <translation>Kein Standardbecken</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Tagebuch</translation>
    </message>
    <message>
        <source>Please enter a valid date (mm/dd/yyyy)!</source>
        <translation>Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)!</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
</context>
<context>
    <name>frmMaintenance</name>
    <message>
        <source>Maintenance</source>
        <translation>Pflege</translation>
    </message>
    <message>
        <source>Please enter a valid date (mm/dd/yyyy)!</source>
        <translation>Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)!</translation>
    </message>
    <message>
        <source>Water Change, Filter Cleaned, Dosing, Glass Cleaned, Equipment, Feeding, Other, or a kind of your own</source>
        <translation>Wasserwechsel, Filter gereinigt, Düngen, Scheiben gereinigt, Technik, Fütterung, Sonstiges oder eine eigene Art</translation>
    </message>
    <message>
        <source>A volume (US Gal., Liters) or % for a water change; the unit of a dose</source>
        <translation>Ein Volumen (US-Gal., Liter) oder % bei einem Wasserwechsel; die Einheit einer Dosis</translation>
    </message>
    <message>
        <source>What was dosed or fitted</source>
        <translation>Was dosiert oder eingebaut wurde</translation>
    </message>
    <message>
        <source>The share of the tank&apos;s water a water change replaced, worked out from the amount</source>
        <translation>Der Anteil des Beckenwassers, den ein Wasserwechsel ersetzt hat, aus der Menge berechnet</translation>
    </message>
    <message>
        <source>Please enter a valid amount!</source>
        <translation>Bitte geben Sie eine gültige Menge ein!</translation>
    </message>
    <message>
        <source>Please enter a valid share (0 to 100)!</source>
        <translation>Bitte geben Sie einen gültigen Anteil ein (0 bis 100)!</translation>
    </message>
    <message>
        <source>Numeric Error</source>
        <translation>Zahlenfehler</translation>
    </message>
    <message>
        <source>Kinds</source>
        <translation>Arten</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Kind:</source>
        <translation>Art:</translation>
    </message>
    <message>
        <source>Amount:</source>
        <translation>Menge:</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Einheit:</translation>
    </message>
    <message>
        <source>Product:</source>
        <translation>Produkt:</translation>
    </message>
    <message>
        <source>Share %:</source>
        <translation>Anteil %:</translation>
    </message>
    <message>
        <source>Planner</source>
        <translation>Planer</translation>
    </message>
    <message>
        <source>How much water to change to bring a value back into its target range</source>
        <translation>Wie viel Wasser zu wechseln ist, um einen Wert wieder in seinen Zielbereich zu bringen</translation>
    </message>
</context>
<context>
    <name>frmPrint</name>
    <message>
        <source>Print Record(s)</source>
        <translation>Datensätze drucken</translation>
    </message>
    <message>
        <source>Select Records</source>
        <translation>Datensätze auswählen</translation>
    </message>
    <message>
        <source>Current Record</source>
        <translation>Aktueller Datensatz</translation>
    </message>
    <message>
        <source>All Records This Tank</source>
        <translation>Alle Datensätze dieses Beckens</translation>
    </message>
    <message>
        <source>All Records All Tanks</source>
        <translation>Alle Datensätze aller Becken</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>No records to print!</source>
        <translation>Keine Datensätze zu drucken!</translation>
    </message>
    <message>
        <source>Print Error</source>
        <translation>Druckfehler</translation>
    </message>
</context>
<context>
    <name>frmSearch</name>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Search On:</source>
        <translation>Suchen in:</translation>
    </message>
    <message>
        <source>Find Exact Text?</source>
        <translation>Genauen Text suchen?</translation>
    </message>
    <message>
        <source>For faster searches, use exact text.</source>
        <translation>Mit genauem Text geht die Suche schneller.</translation>
    </message>
    <message>
        <source>Find First</source>
        <translation>Erstes suchen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Aquarium Information Toolkit Version 1.00 for Windows</source>
        <translation>Aquarium-Informationssystem Version 1.00 für Windows</translation>
    </message>
    <message>
        <source>Corvella</source>
        <translation>Corvella</translation>
    </message>
</context>
<context>
    <name>frmStock</name>
    <message>
        <source>Livestock</source>
        <translation>Besatz</translation>
    </message>
    <message>
        <source>Please enter a valid date (EX: mm/dd/yyyy)!</source>
        <translation>Bitte geben Sie ein gültiges Datum ein (z. B. TT.MM.JJJJ)!</translation>
    </message>
    <message>
        <source>Date Acquired</source>
        <translation>Kaufdatum</translation>
    </message>
    <message>
        <source>Common Name</source>
        <translation>Gebräuchlicher Name</translation>
    </message>
    <message>
        <source>Scientific Name</source>
        <translation>Wissenschaftlicher Name</translation>
    </message>
    <message>
        <source>Acquired From</source>
        <translation>Bezugsquelle</translation>
    </message>
    <message>
        <source>Common Name:</source>
        <translation>Gebräuchlicher Name:</translation>
    </message>
    <message>
        <source>Scientific Name:</source>
        <translation>Wissenschaftlicher Name:</translation>
    </message>
    <message>
        <source>Condition:</source>
        <translation>Zustand:</translation>
    </message>
    <message>
        <source>Cost:</source>
        <translation>Preis:</translation>
    </message>
    <message>
        <source>Date Acquired:</source>
        <translation>Kaufdatum:</translation>
    </message>
    <message>
        <source>Date Lost:</source>
        <translation>Verlustdatum:</translation>
    </message>
    <message>
        <source>Acquired from:</source>
        <translation>Bezugsquelle:</translation>
    </message>
    <message>
        <source>Other Info:</source>
        <translation>Sonstiges:</translation>
    </message>
    <message>
        <source>Please enter a valid cost (EX: 25.00)!</source>
        <translation>Bitte geben Sie einen gültigen Preis ein (z. B. 25.00)!</translation>
    </message>
    <message>
        <source>Numeric Error</source>
        <translation>Zahlenfehler</translation>
    </message>
</context>
<context>
    <name>frmTank</name>
    <message>
        <source>The Tank</source>
        <translation>Das Becken</translation>
    </message>
    <message>
        <source>A Name for your Tank</source>
        <translation>Ein Name für Ihr Becken</translation>
    </message>
    <message>
        <source>Please enter a valid date (mm/dd/yyyy)!</source>
        <translation>Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)!</translation>
    </message>
    <message>
        <source>Date the tank was established.</source>
        <translation>Datum, an dem das Becken eingerichtet wurde.</translation>
    </message>
    <message>
        <source>Tank height from top to base.</source>
        <translation>Beckenhöhe vom oberen Rand bis zum Boden.</translation>
    </message>
    <message>
        <source>Tank width from front to back.</source>
        <translation>Beckentiefe von vorne nach hinten.</translation>
    </message>
    <message>
        <source>Distance of light source from top of substrate.</source>
        <translation>Abstand der Lichtquelle von der Bodengrundoberfläche.</translation>
    </message>
    <message>
        <source>Tank length from side to side.</source>
        <translation>Beckenlänge von Seite zu Seite.</translation>
    </message>
    <message>
        <source>Tank radius, distance around.</source>
        <translation>Beckendurchmesser, quer gemessen.</translation>
    </message>
    <message>
        <source>Equipment List</source>
        <translation>Liste der Technik</translation>
    </message>
    <message>
        <source>Please enter a valid Height!</source>
        <translation>Bitte geben Sie eine gültige Höhe ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Width!</source>
        <translation>Bitte geben Sie eine gültige Breite ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Light Distance!</source>
        <translation>Bitte geben Sie einen gültigen Lichtabstand ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Length!</source>
        <translation>Bitte geben Sie eine gültige Länge ein!</translation>
    </message>
    <message>
        <source>Please enter a valid Radius!</source>
        <translation>Bitte geben Sie einen gültigen Durchmesser ein!</translation>
    </message>
    <message>
        <source>Set As Default</source>
        <translation>Als Standard</translation>
    </message>
    <message>
        <source>Tank Name:</source>
        <translation>Beckenname:</translation>
    </message>
    <message>
        <source>Date Established:</source>
        <translation>Eingerichtet am:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Typ:</translation>
    </message>
    <message>
        <source>Shape:</source>
        <translation>Form:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Tiefe:</translation>
    </message>
    <message>
        <source>Radius:</source>
        <translation>Durchmesser:</translation>
    </message>
    <message>
        <source>Light Distance:</source>
        <translation>Lichtabstand:</translation>
    </message>
    <message>
        <source>Unit Measure:</source>
        <translation>Maßeinheit:</translation>
    </message>
    <message>
        <source>Equipment:</source>
        <translation>Technik:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notizen:</translation>
    </message>
    <message>
        <source>Other Notes</source>
        <translation>Weitere Notizen</translation>
    </message>
    <message>
        <source>Set the current tank as the default tank?</source>
        <translation>Das aktuelle Becken als Standardbecken festlegen?</translation>
    </message>
    <message>
        <source>Default Tank</source>
        <translation>Standardbecken</translation>
    </message>
    <message>
        <source>Please give this tank a Name!</source>
        <translation>Bitte geben Sie diesem Becken einen Namen!</translation>
    </message>
    <message>
        <source>No Tank Name</source>
        <translation>Kein Beckenname</translation>
    </message>
</context>
<context>
    <name>frmTankCalc</name>
    <message>
        <source>Tank Calculator</source>
        <translation>Beckenrechner</translation>
    </message>
    <message>
        <source>US Gallons</source>
        <translation>US-Gallonen</translation>
    </message>
    <message>
        <source>Liters</source>
        <translation>Liter</translation>
    </message>
    <message>
        <source>US Gallons or Liters</source>
        <translation>US-Gallonen oder Liter</translation>
    </message>
    <message>
        <source>Tank height from top to base.</source>
        <translation>Beckenhöhe vom oberen Rand bis zum Boden.</translation>
    </message>
    <message>
        <source>Tank length from side to side.</source>
        <translation>Beckenlänge von Seite zu Seite.</translation>
    </message>
    <message>
        <source>Tank radius, distance around.</source>
        <translation>Beckendurchmesser, quer gemessen.</translation>
    </message>
    <message>
        <source>Tank width from front to back.</source>
        <translation>Beckentiefe von vorne nach hinten.</translation>
    </message>
    <message>
        <source>Distance of light source from top of substrate.</source>
        <translation>Abstand der Lichtquelle von der Bodengrundoberfläche.</translation>
    </message>
    <message>
        <source>Percent small fish. (out of 100)</source>
        <translation>Anteil kleiner Fische in Prozent (von 100).</translation>
    </message>
    <message>
        <source>Percent medium fish. (out of 100)</source>
        <translation>Anteil mittlerer Fische in Prozent (von 100).</translation>
    </message>
    <message>
        <source>Percent Large fish. (out of 100)</source>
        <translation>Anteil großer Fische in Prozent (von 100).</translation>
    </message>
    <message>
        <source>Amount of surface area.</source>
        <translation>Größe der Wasseroberfläche.</translation>
    </message>
    <message>
        <source>Volume of water.</source>
        <translation>Wassermenge.</translation>
    </message>
    <message>
        <source>Weight of water.</source>
        <translation>Gewicht des Wassers.</translation>
    </message>
    <message>
        <source>Watts of heat required for tank.</source>
        <translation>Benötigte Heizleistung in Watt.</translation>
    </message>
    <message>
        <source>Watts of light required for low light plants and corals.</source>
        <translation>Benötigte Lichtleistung in Watt für Pflanzen und Korallen mit geringem Lichtbedarf.</translation>
    </message>
    <message>
        <source>Watts of light required for medium light plants and corals.</source>
        <translation>Benötigte Lichtleistung in Watt für Pflanzen und Korallen mit mittlerem Lichtbedarf.</translation>
    </message>
    <message>
        <source>Watts of light required for bright light plants and corals.</source>
        <translation>Benötigte Lichtleistung in Watt für Pflanzen und Korallen mit hohem Lichtbedarf.</translation>
    </message>
    <message>
        <source>Number of small fish.</source>
        <translation>Anzahl kleiner Fische.</translation>
    </message>
    <message>
        <source>Number of medium fish.</source>
        <translation>Anzahl mittlerer Fische.</translation>
    </message>
    <message>
        <source>Number of large fish.</source>
        <translation>Anzahl großer Fische.</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Temp Converter</source>
        <translation>Temperaturumrechner</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Tank</source>
        <translation>Becken</translation>
    </message>
    <message>
        <source>Tank Shape:</source>
        <translation>Beckenform:</translation>
    </message>
    <message>
        <source>Tank Type:</source>
        <translation>Beckentyp:</translation>
    </message>
    <message>
        <source>Unit Measure:</source>
        <translation>Maßeinheit:</translation>
    </message>
    <message>
        <source>Unit Volume:</source>
        <translation>Volumeneinheit:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>Radius:</source>
        <translation>Durchmesser:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Tiefe:</translation>
    </message>
    <message>
        <source>Light Distance:</source>
        <translation>Lichtabstand:</translation>
    </message>
    <message>
        <source>% Small Fish:</source>
        <translation>% kleine Fische:</translation>
    </message>
    <message>
        <source>% Medium Fish:</source>
        <translation>% mittlere Fische:</translation>
    </message>
    <message>
        <source>% Large Fish:</source>
        <translation>% große Fische:</translation>
    </message>
    <message>
        <source>Estimates</source>
        <translation>Schätzwerte</translation>
    </message>
    <message>
        <source>Surface Area:</source>
        <translation>Wasseroberfläche:</translation>
    </message>
    <message>
        <source>Volume of Water:</source>
        <translation>Wassermenge:</translation>
    </message>
    <message>
        <source>Weight of Water:</source>
        <translation>Wassergewicht:</translation>
    </message>
    <message>
        <source>Heat Requirements:</source>
        <translation>Heizleistung:</translation>
    </message>
    <message>
        <source>Low Light Requirements:</source>
        <translation>Licht, geringer Bedarf:</translation>
    </message>
    <message>
        <source>Medium Light Requirements:</source>
        <translation>Licht, mittlerer Bedarf:</translation>
    </message>
    <message>
        <source>Bright Light Requirements:</source>
        <translation>Licht, hoher Bedarf:</translation>
    </message>
    <message>
        <source>Number Small Fish:</source>
        <translation>Anzahl kleine Fische:</translation>
    </message>
    <message>
        <source>Number Medium Fish:</source>
        <translation>Anzahl mittlere Fische:</translation>
    </message>
    <message>
        <source>Number Large Fish:</source>
        <translation>Anzahl große Fische:</translation>
    </message>
    <message>
        <source>* Calculations are only estimates. Actual figures may vary dramatically depending on tank contents, population, filtration, feeding, water changes and many other factors.</source>
        <translation>* Die Berechnungen sind nur Schätzwerte. Die tatsächlichen Werte können je nach Einrichtung, Besatz, Filterung, Fütterung, Wasserwechsel und vielen anderen Faktoren stark abweichen.</translation>
    </message>
    <message>
        <source>Small Fish - (1 inch / 2.5 Cent.) Medium - (4 inches / 10 Cent.) Large - (8 inches / 20 Cent.)</source>
        <translation>Kleine Fische – (2,5 cm / 1 Zoll) Mittlere – (10 cm / 4 Zoll) Große – (20 cm / 8 Zoll)</translation>
    </message>
</context>
<context>
    <name>frmTargetRanges</name>
    <message>
        <source>Target Ranges</source>
        <translation>Zielbereiche</translation>
    </message>
    <message>
        <source>&amp;Water type:</source>
        <translation>&amp;Wassertyp:</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Untergrenze</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Obergrenze</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>&amp;Standardwerte</translation>
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
    <name>frmTasks</name>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>What does the task: Water Test (a journal entry), or a kind of the maintenance log</source>
        <translation>Was die Aufgabe erledigt: Wassertest (ein Tagebucheintrag) oder eine Art des Pflegeprotokolls</translation>
    </message>
    <message>
        <source>Please enter a valid date (mm/dd/yyyy)!</source>
        <translation>Bitte geben Sie ein gültiges Datum ein (TT.MM.JJJJ)!</translation>
    </message>
    <message>
        <source>Please enter a valid interval (a whole number from 1)!</source>
        <translation>Bitte geben Sie einen gültigen Abstand ein (eine ganze Zahl ab 1)!</translation>
    </message>
    <message>
        <source>Numeric Error</source>
        <translation>Zahlenfehler</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Days or Weeks</source>
        <translation>Tage oder Wochen</translation>
    </message>
    <message>
        <source>Rolling</source>
        <translation>Gleitend</translation>
    </message>
    <message>
        <source>Fixed</source>
        <translation>Fest</translation>
    </message>
    <message>
        <source>Rolling: due the interval after it was last done. Fixed: due on the calendar rhythm from the start date.</source>
        <translation>Gleitend: fällig um den Abstand nach dem letzten Erledigen. Fest: fällig im Kalenderrhythmus ab dem Startdatum.</translation>
    </message>
    <message>
        <source>This tank</source>
        <translation>Dieses Becken</translation>
    </message>
    <message>
        <source>Every tank</source>
        <translation>Jedes Becken</translation>
    </message>
    <message>
        <source>This tank, or each tank on its own</source>
        <translation>Dieses Becken oder jedes Becken für sich</translation>
    </message>
    <message>
        <source>Kinds</source>
        <translation>Arten</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Done by:</source>
        <translation>Erledigt durch:</translation>
    </message>
    <message>
        <source>For:</source>
        <translation>Für:</translation>
    </message>
    <message>
        <source>Every:</source>
        <translation>Alle:</translation>
    </message>
    <message>
        <source>Rhythm:</source>
        <translation>Rhythmus:</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Beginn:</translation>
    </message>
    <message>
        <source>Next due %1 (%2)</source>
        <translation>Nächste Fälligkeit %1 (%2)</translation>
    </message>
</context>
<context>
    <name>frmTempConv</name>
    <message>
        <source>Temp Converter</source>
        <translation>Temperaturumrechner</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Farenheight:</source>
        <translation>Fahrenheit:</translation>
    </message>
    <message>
        <source>Celcius:</source>
        <translation>Celsius:</translation>
    </message>
    <message>
        <source>Enter a temprature to convert.</source>
        <translation>Geben Sie eine Temperatur zum Umrechnen ein.</translation>
    </message>
</context>
<context>
    <name>frmWaterPlanner</name>
    <message>
        <source>Water-Change Planner</source>
        <translation>Wasserwechsel-Planer</translation>
    </message>
    <message>
        <source>The high bound of the value&apos;s target range</source>
        <translation>Die obere Grenze des Zielbereichs des Werts</translation>
    </message>
    <message>
        <source>Tap Water</source>
        <translation>Leitungswasser</translation>
    </message>
    <message>
        <source>RO Water</source>
        <translation>Osmosewasser</translation>
    </message>
    <message>
        <source>Rain Water</source>
        <translation>Regenwasser</translation>
    </message>
    <message>
        <source>Salt Mix</source>
        <translation>Salzmischung</translation>
    </message>
    <message>
        <source>The water the tank is refilled with; its values are remembered by this name</source>
        <translation>Das Wasser, mit dem das Becken aufgefüllt wird; seine Werte werden unter diesem Namen gemerkt</translation>
    </message>
    <message>
        <source>In how many equal changes, one after the other</source>
        <translation>In wie vielen gleichen Wechseln nacheinander</translation>
    </message>
    <message>
        <source>&amp;Record this water change</source>
        <translation>Diesen Wasserwechsel ein&amp;tragen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Tank:</source>
        <translation>Becken:</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>&amp;Wert:</translation>
    </message>
    <message>
        <source>&amp;Latest:</source>
        <translation>&amp;Letzter Wert:</translation>
    </message>
    <message>
        <source>&amp;Target at most:</source>
        <translation>&amp;Ziel höchstens:</translation>
    </message>
    <message>
        <source>Its v&amp;alue:</source>
        <translation>Sein W&amp;ert:</translation>
    </message>
    <message>
        <source>Replacement &amp;water:</source>
        <translation>&amp;Frischwasser:</translation>
    </message>
    <message>
        <source>&amp;Changes:</source>
        <translation>&amp;Anzahl Wechsel:</translation>
    </message>
    <message>
        <source>%1 (no volume: enter its dimensions in Options &gt; Change Tanks)</source>
        <translation>%1 (kein Volumen: Geben Sie seine Maße unter Optionen &gt; Becken ändern ein)</translation>
    </message>
    <message>
        <source>measured %1</source>
        <translation>gemessen am %1</translation>
    </message>
    <message>
        <source>no journal entry holds it</source>
        <translation>kein Tagebucheintrag enthält ihn</translation>
    </message>
    <message>
        <source>Type the latest %1 value, or enter a water test in the journal.</source>
        <translation>Geben Sie den letzten Wert für %1 ein oder tragen Sie einen Wassertest ins Tagebuch ein.</translation>
    </message>
    <message>
        <source>Type the highest %1 value the tank should have (the target range of %1 has no high bound).</source>
        <translation>Geben Sie den höchsten Wert für %1 ein, den das Becken haben soll (der Zielbereich von %1 hat keine obere Grenze).</translation>
    </message>
    <message>
        <source>Type the %1 value of the replacement water (%2); it is remembered for the next time.</source>
        <translation>Geben Sie den Wert für %1 des Frischwassers (%2) ein; er wird für das nächste Mal gemerkt.</translation>
    </message>
    <message>
        <source>Change %1 of the water once.</source>
        <translation>Wechseln Sie einmal %1 des Wassers.</translation>
    </message>
    <message>
        <source>Change %1 of the water %2 times, one change after the other.</source>
        <translation>Wechseln Sie %2-mal nacheinander %1 des Wassers.</translation>
    </message>
    <message>
        <source>%1 then goes from %2 to %3.</source>
        <translation>%1 sinkt dann von %2 auf %3.</translation>
    </message>
    <message>
        <source>Planned: %1 from %2 to %3 with %4 (%5)</source>
        <translation>Geplant: %1 von %2 auf %3 mit %4 (%5)</translation>
    </message>
    <message>
        <source>, the first of %1 changes</source>
        <translation>, der erste von %1 Wechseln</translation>
    </message>
    <message>
        <source>The water change could not be recorded: </source>
        <translation>Der Wasserwechsel konnte nicht eingetragen werden: </translation>
    </message>
    <message>
        <source>The water change of %1 was recorded in the maintenance log for today.</source>
        <translation>Der Wasserwechsel von %1 wurde für heute ins Pflegeprotokoll eingetragen.</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
</context>
<context>
    <name>mdiCorvella</name>
    <message>
        <source>Corvella</source>
        <translation>Corvella</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;CorvChart</source>
        <translation>&amp;CorvChart</translation>
    </message>
    <message>
        <source>Target &amp;Ranges…</source>
        <translation>&amp;Zielbereiche…</translation>
    </message>
    <message>
        <source>Auto &amp;Highlight</source>
        <translation>Automatisch &amp;hervorheben</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Backup</source>
        <translation>&amp;Sichern</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren…</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren…</translation>
    </message>
    <message>
        <source>R&amp;ecords</source>
        <translation>Daten&amp;sätze</translation>
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
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Tool Bar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Tool Text</source>
        <translation>Werkzeugtext</translation>
    </message>
    <message>
        <source>Status Bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>Symbole &amp;anordnen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Help &amp;Contents</source>
        <translation>Hilfe&amp;inhalt</translation>
    </message>
    <message>
        <source>Browse Help</source>
        <translation>Hilfe durchsuchen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>CAPS</source>
        <translation>FEST</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>INS</source>
        <translation>EINF</translation>
    </message>
    <message>
        <source> on</source>
        <translation> ein</translation>
    </message>
    <message>
        <source> off</source>
        <translation> aus</translation>
    </message>
    <message>
        <source>Tool bar visible.</source>
        <translation>Werkzeugleiste sichtbar.</translation>
    </message>
    <message>
        <source>Tool bar hiden.</source>
        <translation>Werkzeugleiste ausgeblendet.</translation>
    </message>
    <message>
        <source>Tool bar text visible.</source>
        <translation>Werkzeugleistentext sichtbar.</translation>
    </message>
    <message>
        <source>Tool bar text hiden.</source>
        <translation>Werkzeugleistentext ausgeblendet.</translation>
    </message>
    <message>
        <source>Status bar visible.</source>
        <translation>Statusleiste sichtbar.</translation>
    </message>
    <message>
        <source>Auto Highlight ON.</source>
        <translation>Automatisches Hervorheben EIN.</translation>
    </message>
    <message>
        <source>Auto Highlight OFF.</source>
        <translation>Automatisches Hervorheben AUS.</translation>
    </message>
    <message>
        <source>Corvella - </source>
        <translation>Corvella - </translation>
    </message>
    <message>
        <source>Chart your tank stats.</source>
        <translation>Die Werte Ihres Beckens als Diagramm zeigen.</translation>
    </message>
    <message>
        <source>Set the target range of each water value.</source>
        <translation>Den Zielbereich jedes Wasserwerts festlegen.</translation>
    </message>
    <message>
        <source>About Corvella.</source>
        <translation>Über Corvella.</translation>
    </message>
    <message>
        <source>Corvella Help.</source>
        <translation>Corvella-Hilfe.</translation>
    </message>
    <message>
        <source>The help viewer could not be started.</source>
        <translation>Das Hilfeprogramm konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Exit Corvella?</source>
        <translation>Corvella beenden?</translation>
    </message>
</context>
</TS>
