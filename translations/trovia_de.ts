<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ExclusionMessagePanel</name>
    <message>
        <source>Application Left Out</source>
        <translation>Anwendung ausgeschlossen</translation>
    </message>
    <message>
        <source>&lt;b&gt;Trovia no longer lists this application.&lt;/b&gt;</source>
        <translation>&lt;b&gt;Trovia zeigt diese Anwendung nicht mehr an.&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Its desktop entry was added to the locations Trovia leaves out. To list it again, open Trovia&apos;s Preferences and remove it from the list under “Leave out these applications and folders”.</source>
        <translation>Ihr Starter wurde zu den Orten hinzugefügt, die Trovia auslässt. Um sie wieder anzuzeigen, öffnen Sie die Einstellungen von Trovia und entfernen Sie sie aus der Liste unter „Diese Anwendungen und Ordner weglassen“.</translation>
    </message>
    <message>
        <source>&amp;Do not show this message again</source>
        <translation>Diese Meldung nicht mehr &amp;anzeigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>Windows application</source>
        <comment>ClassicApplication</comment>
        <translation>Windows-Anwendung</translation>
    </message>
    <message>
        <source>Amber</source>
        <comment>ColorPresetAmber</comment>
        <translation>Bernstein</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>ColorPresetBrick</comment>
        <translation>Ziegelrot</translation>
    </message>
    <message>
        <source>Forest</source>
        <comment>ColorPresetForest</comment>
        <translation>Waldgrün</translation>
    </message>
    <message>
        <source>Graphite</source>
        <comment>ColorPresetGraphite</comment>
        <translation>Graphit</translation>
    </message>
    <message>
        <source>Lavender</source>
        <comment>ColorPresetLavender</comment>
        <translation>Lavendel</translation>
    </message>
    <message>
        <source>Light Gray</source>
        <comment>ColorPresetLightGray</comment>
        <translation>Hellgrau</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>ColorPresetMediumGray</comment>
        <translation>Mittelgrau</translation>
    </message>
    <message>
        <source>Midnight</source>
        <comment>ColorPresetMidnight</comment>
        <translation>Mitternacht</translation>
    </message>
    <message>
        <source>Ocean</source>
        <comment>ColorPresetOcean</comment>
        <translation>Ozean</translation>
    </message>
    <message>
        <source>Plum</source>
        <comment>ColorPresetPlum</comment>
        <translation>Pflaume</translation>
    </message>
    <message>
        <source>Sage</source>
        <comment>ColorPresetSage</comment>
        <translation>Salbei</translation>
    </message>
    <message>
        <source>Sand</source>
        <comment>ColorPresetSand</comment>
        <translation>Sand</translation>
    </message>
    <message>
        <source>Silver Blue</source>
        <comment>ColorPresetSilverBlue</comment>
        <translation>Silberblau</translation>
    </message>
    <message>
        <source>Sky</source>
        <comment>ColorPresetSky</comment>
        <translation>Himmelblau</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>ColorPresetTeal</comment>
        <translation>Petrol</translation>
    </message>
    <message>
        <source>It may have been moved or removed. Trovia reloads its list of applications.</source>
        <comment>CouldNotLaunchAppMessage</comment>
        <translation>Sie wurde vielleicht verschoben oder entfernt. Trovia lädt seine Anwendungsliste neu.</translation>
    </message>
    <message>
        <source>The application could not be launched.</source>
        <comment>CouldNotLaunchAppTitle</comment>
        <translation>Die Anwendung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>CustomColorLabel</comment>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>Donate</source>
        <comment>DonateMenuItem</comment>
        <translation>Spenden</translation>
    </message>
    <message>
        <source>Exclude from Trovia</source>
        <comment>ExcludeMenuItem</comment>
        <translation>Aus Trovia ausschließen</translation>
    </message>
    <message>
        <source>This key cannot be shown. It still works as the hot key.</source>
        <comment>HotKeyDisplayingNotSupported</comment>
        <translation>Diese Taste kann nicht angezeigt werden. Als Tastenkürzel funktioniert sie trotzdem.</translation>
    </message>
    <message>
        <source>Trovia cannot use this key as its hot key. Press another key.</source>
        <comment>HotKeyNotUsable</comment>
        <translation>Trovia kann diese Taste nicht als Tastenkürzel verwenden. Drücken Sie eine andere Taste.</translation>
    </message>
    <message>
        <source>Trovia could not register the hot key %1: another program is using it. Choose another combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyRefusedMessage</comment>
        <translation>Trovia konnte das Tastenkürzel %1 nicht registrieren: Ein anderes Programm verwendet es. Wählen Sie in den Einstellungen von Trovia eine andere Kombination: Drücken Sie Strg+, im Fenster von Trovia.</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key is taken</source>
        <comment>HotKeyRefusedTitle</comment>
        <translation>Das Tastenkürzel von Trovia ist belegt</translation>
    </message>
    <message>
        <source>Another program already uses this combination, so it does not bring up Trovia. Choose another key or other modifiers.</source>
        <comment>HotKeyTakenInPreferences</comment>
        <translation>Ein anderes Programm verwendet diese Kombination bereits, daher ruft sie Trovia nicht auf. Wählen Sie eine andere Taste oder andere Zusatztasten.</translation>
    </message>
    <message>
        <source>This desktop does not let Trovia register the hot key %1. Bind the command “trovia --toggle” to a key combination in the desktop&apos;s keyboard settings.</source>
        <comment>HotKeyUnsupportedMessage</comment>
        <translation>Diese Arbeitsumgebung lässt Trovia das Tastenkürzel %1 nicht registrieren. Legen Sie den Befehl „trovia --toggle“ in den Tastatureinstellungen der Arbeitsumgebung auf eine Tastenkombination.</translation>
    </message>
    <message>
        <source>Trovia has no hot key on this desktop</source>
        <comment>HotKeyUnsupportedTitle</comment>
        <translation>Trovia hat in dieser Arbeitsumgebung kein Tastenkürzel</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key setting is not valid</source>
        <comment>HotKeyInvalidTitle</comment>
        <translation>Die gespeicherte Tastenkürzel-Einstellung von Trovia ist ungültig</translation>
    </message>
    <message>
        <source>The stored hot key %1 names no key, so Trovia has no hot key. Choose a combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyInvalidMessage</comment>
        <translation>Das gespeicherte Tastenkürzel %1 bezeichnet keine Taste, daher hat Trovia kein Tastenkürzel. Wählen Sie in den Einstellungen von Trovia eine Kombination: Drücken Sie Strg+, im Fenster von Trovia.</translation>
    </message>
    <message>
        <source>Applications found: %1. %2</source>
        <comment>MatchCountAnnouncement</comment>
        <translation>Gefundene Anwendungen: %1. %2</translation>
    </message>
    <message>
        <source>No application found</source>
        <comment>NoMatchAnnouncement</comment>
        <translation>Keine Anwendung gefunden</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <comment>PreferencesMenuItem</comment>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit Trovia</source>
        <comment>QuitMenuItem</comment>
        <translation>Trovia beenden</translation>
    </message>
    <message>
        <source>Matching applications</source>
        <comment>ResultListName</comment>
        <translation>Passende Anwendungen</translation>
    </message>
    <message>
        <source>%1, Windows application, %2 of %3</source>
        <comment>SelectedClassicRowAnnouncement</comment>
        <translation>%1, Windows-Anwendung, %2 von %3</translation>
    </message>
    <message>
        <source>%1, %2 of %3</source>
        <comment>SelectedRowAnnouncement</comment>
        <translation>%1, %2 von %3</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <comment>ShowInFileManagerMenuItem</comment>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Trovia Website</source>
        <comment>WebsiteMenuItem</comment>
        <translation>Trovia-Webseite</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>ExcludedActionLocation</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>RowWithMatchedText</comment>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>Search applications</source>
        <translation>Anwendungen suchen</translation>
    </message>
    <message>
        <source>Type part of an application&apos;s name. Up, Down, Page Up and Page Down choose; Return opens.</source>
        <translation>Geben Sie einen Teil des Anwendungsnamens ein. Auf, Ab, Bild auf und Bild ab wählen aus, die Eingabetaste öffnet.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Turns while Trovia reads the installed applications.</source>
        <translation>Dreht sich, während Trovia die installierten Anwendungen einliest.</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Trovia Window Color</source>
        <translation>Fensterfarbe von Trovia</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>Trovia Preferences</source>
        <translation>Trovia-Einstellungen</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>&amp;Taste:</translation>
    </message>
    <message>
        <source>Hot key</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Press the key that brings up Trovia. Ctrl+Tab moves on without recording; once a key is recorded, Tab moves on too.</source>
        <translation>Drücken Sie die Taste, die Trovia aufruft. Strg+Tab geht weiter, ohne aufzuzeichnen; nach einer aufgezeichneten Taste geht auch Tab weiter.</translation>
    </message>
    <message>
        <source>Click here, then press the key that brings up Trovia.</source>
        <translation>Hier klicken, dann die Taste drücken, die Trovia aufruft.</translation>
    </message>
    <message>
        <source>Modifiers:</source>
        <translation>Zusatztasten:</translation>
    </message>
    <message>
        <source>Modifier of the hot key</source>
        <translation>Zusatztaste des Tastenkürzels</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Umschalt</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Click the key field, then press the new key.</source>
        <translation>Ins Tastenfeld klicken, dann die neue Taste drücken.</translation>
    </message>
    <message>
        <source>Hot key message</source>
        <translation>Hinweis zum Tastenkürzel</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Stil:</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Stil</translation>
    </message>
    <message>
        <source>&amp;Matte</source>
        <translation>&amp;Matt</translation>
    </message>
    <message>
        <source>S&amp;hiny</source>
        <translation>&amp;Glänzend</translation>
    </message>
    <message>
        <source>C&amp;olor:</source>
        <translation>&amp;Farbe:</translation>
    </message>
    <message>
        <source>Window color</source>
        <translation>Fensterfarbe</translation>
    </message>
    <message>
        <source>&amp;Result list:</source>
        <translation>&amp;Ergebnisliste:</translation>
    </message>
    <message>
        <source>Result list height</source>
        <translation>Höhe der Ergebnisliste</translation>
    </message>
    <message>
        <source>The most rows the result list shows at once</source>
        <translation>Höchstzahl der Zeilen, die die Ergebnisliste auf einmal zeigt</translation>
    </message>
    <message>
        <source>at most </source>
        <translation>höchstens </translation>
    </message>
    <message>
        <source> rows</source>
        <translation> Zeilen</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Anmeldung</translation>
    </message>
    <message>
        <source>O&amp;pen Trovia at login</source>
        <translation>Trovia beim &amp;Anmelden öffnen</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>Leave out &amp;Windows (Wine) applications</source>
        <translation>&amp;Windows-Anwendungen (Wine) weglassen</translation>
    </message>
    <message>
        <source>&amp;Leave out these applications and folders:</source>
        <translation>Diese Anwendungen und Ordner weg&amp;lassen:</translation>
    </message>
    <message>
        <source>Applications and folders left out</source>
        <translation>Weggelassene Anwendungen und Ordner</translation>
    </message>
    <message>
        <source>Choose applications or folders to leave out</source>
        <translation>Anwendungen oder Ordner zum Weglassen auswählen</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen …</translation>
    </message>
    <message>
        <source>List the selected locations again</source>
        <translation>Die ausgewählten Orte wieder aufnehmen</translation>
    </message>
    <message>
        <source>R&amp;emove</source>
        <translation>Entfe&amp;rnen</translation>
    </message>
    <message>
        <source>Also &amp;find applications by keyword, kind and command</source>
        <translation>Auch nach Stichwort, Art und Befehl &amp;finden</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose Applications or Folders to Leave Out</source>
        <translation>Wegzulassende Anwendungen oder Ordner auswählen</translation>
    </message>
    <message>
        <source>Applications (*.desktop)</source>
        <translation>Anwendungen (*.desktop)</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>Weg&amp;lassen</translation>
    </message>
</context>
</TS>
