<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>ExclusionMessagePanel</name>
    <message>
        <source>Application Left Out</source>
        <translation>Application exclue</translation>
    </message>
    <message>
        <source>&lt;b&gt;Trovia no longer lists this application.&lt;/b&gt;</source>
        <translation>&lt;b&gt;Trovia n’affiche plus cette application.&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Its desktop entry was added to the locations Trovia leaves out. To list it again, open Trovia&apos;s Preferences and remove it from the list under “Leave out these applications and folders”.</source>
        <translation>Son lanceur a été ajouté aux emplacements que Trovia exclut. Pour l’afficher de nouveau, ouvrez les préférences de Trovia et retirez-le de la liste «&#xa0;Exclure ces applications et dossiers&#xa0;».</translation>
    </message>
    <message>
        <source>&amp;Do not show this message again</source>
        <translation>Ne plus &amp;afficher ce message</translation>
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
        <translation>Application Windows</translation>
    </message>
    <message>
        <source>Amber</source>
        <comment>ColorPresetAmber</comment>
        <translation>Ambre</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>ColorPresetBrick</comment>
        <translation>Brique</translation>
    </message>
    <message>
        <source>Forest</source>
        <comment>ColorPresetForest</comment>
        <translation>Forêt</translation>
    </message>
    <message>
        <source>Graphite</source>
        <comment>ColorPresetGraphite</comment>
        <translation>Graphite</translation>
    </message>
    <message>
        <source>Lavender</source>
        <comment>ColorPresetLavender</comment>
        <translation>Lavande</translation>
    </message>
    <message>
        <source>Light Gray</source>
        <comment>ColorPresetLightGray</comment>
        <translation>Gris clair</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>ColorPresetMediumGray</comment>
        <translation>Gris moyen</translation>
    </message>
    <message>
        <source>Midnight</source>
        <comment>ColorPresetMidnight</comment>
        <translation>Minuit</translation>
    </message>
    <message>
        <source>Ocean</source>
        <comment>ColorPresetOcean</comment>
        <translation>Océan</translation>
    </message>
    <message>
        <source>Plum</source>
        <comment>ColorPresetPlum</comment>
        <translation>Prune</translation>
    </message>
    <message>
        <source>Sage</source>
        <comment>ColorPresetSage</comment>
        <translation>Sauge</translation>
    </message>
    <message>
        <source>Sand</source>
        <comment>ColorPresetSand</comment>
        <translation>Sable</translation>
    </message>
    <message>
        <source>Silver Blue</source>
        <comment>ColorPresetSilverBlue</comment>
        <translation>Bleu argenté</translation>
    </message>
    <message>
        <source>Sky</source>
        <comment>ColorPresetSky</comment>
        <translation>Ciel</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>ColorPresetTeal</comment>
        <translation>Bleu canard</translation>
    </message>
    <message>
        <source>It may have been moved or removed. Trovia reloads its list of applications.</source>
        <comment>CouldNotLaunchAppMessage</comment>
        <translation>Elle a peut-être été déplacée ou supprimée. Trovia recharge sa liste d’applications.</translation>
    </message>
    <message>
        <source>The application could not be launched.</source>
        <comment>CouldNotLaunchAppTitle</comment>
        <translation>Impossible de lancer l’application.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>CustomColorLabel</comment>
        <translation>Personnalisée</translation>
    </message>
    <message>
        <source>Donate</source>
        <comment>DonateMenuItem</comment>
        <translation>Faire un don</translation>
    </message>
    <message>
        <source>Exclude from Trovia</source>
        <comment>ExcludeMenuItem</comment>
        <translation>Exclure de Trovia</translation>
    </message>
    <message>
        <source>This key cannot be shown. It still works as the hot key.</source>
        <comment>HotKeyDisplayingNotSupported</comment>
        <translation>Cette touche ne peut pas être affichée. Elle fonctionne quand même comme raccourci.</translation>
    </message>
    <message>
        <source>Trovia cannot use this key as its hot key. Press another key.</source>
        <comment>HotKeyNotUsable</comment>
        <translation>Trovia ne peut pas utiliser cette touche comme raccourci. Appuyez sur une autre touche.</translation>
    </message>
    <message>
        <source>Trovia could not register the hot key %1: another program is using it. Choose another combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyRefusedMessage</comment>
        <translation>Trovia n’a pas pu enregistrer le raccourci %1&#xa0;: un autre programme l’utilise. Choisissez une autre combinaison dans les préférences de Trovia&#xa0;: appuyez sur Ctrl+, dans la fenêtre de Trovia.</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key is taken</source>
        <comment>HotKeyRefusedTitle</comment>
        <translation>Le raccourci de Trovia est déjà pris</translation>
    </message>
    <message>
        <source>Another program already uses this combination, so it does not bring up Trovia. Choose another key or other modifiers.</source>
        <comment>HotKeyTakenInPreferences</comment>
        <translation>Un autre programme utilise déjà cette combinaison&#xa0;: elle n’affiche donc pas Trovia. Choisissez une autre touche ou d’autres modificateurs.</translation>
    </message>
    <message>
        <source>This desktop does not let Trovia register the hot key %1. Bind the command “trovia --toggle” to a key combination in the desktop&apos;s keyboard settings.</source>
        <comment>HotKeyUnsupportedMessage</comment>
        <translation>Ce bureau ne permet pas à Trovia d’enregistrer le raccourci %1. Associez la commande «&#xa0;trovia --toggle&#xa0;» à une combinaison de touches dans les paramètres du clavier du bureau.</translation>
    </message>
    <message>
        <source>Trovia has no hot key on this desktop</source>
        <comment>HotKeyUnsupportedTitle</comment>
        <translation>Trovia n’a pas de raccourci sur ce bureau</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key setting is not valid</source>
        <comment>HotKeyInvalidTitle</comment>
        <translation>Le raccourci enregistré de Trovia n’est pas valide</translation>
    </message>
    <message>
        <source>The stored hot key %1 names no key, so Trovia has no hot key. Choose a combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyInvalidMessage</comment>
        <translation>Le raccourci enregistré %1 ne désigne aucune touche&#xa0;: Trovia n’a donc pas de raccourci. Choisissez une combinaison dans les préférences de Trovia&#xa0;: appuyez sur Ctrl+, dans la fenêtre de Trovia.</translation>
    </message>
    <message>
        <source>Applications found: %1. %2</source>
        <comment>MatchCountAnnouncement</comment>
        <translation>Applications trouvées&#xa0;: %1. %2</translation>
    </message>
    <message>
        <source>No application found</source>
        <comment>NoMatchAnnouncement</comment>
        <translation>Aucune application trouvée</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <comment>PreferencesMenuItem</comment>
        <translation>Préférences…</translation>
    </message>
    <message>
        <source>Quit Trovia</source>
        <comment>QuitMenuItem</comment>
        <translation>Quitter Trovia</translation>
    </message>
    <message>
        <source>Matching applications</source>
        <comment>ResultListName</comment>
        <translation>Applications correspondantes</translation>
    </message>
    <message>
        <source>%1, Windows application, %2 of %3</source>
        <comment>SelectedClassicRowAnnouncement</comment>
        <translation>%1, application Windows, %2 sur %3</translation>
    </message>
    <message>
        <source>%1, %2 of %3</source>
        <comment>SelectedRowAnnouncement</comment>
        <translation>%1, %2 sur %3</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <comment>ShowInFileManagerMenuItem</comment>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Trovia Website</source>
        <comment>WebsiteMenuItem</comment>
        <translation>Site web de Trovia</translation>
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
        <translation>Rechercher des applications</translation>
    </message>
    <message>
        <source>Type part of an application&apos;s name. Up, Down, Page Up and Page Down choose; Return opens.</source>
        <translation>Saisissez une partie du nom d’une application. Haut, Bas, Page précédente et Page suivante choisissent&#xa0;; Entrée ouvre.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Turns while Trovia reads the installed applications.</source>
        <translation>Tourne pendant que Trovia lit les applications installées.</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Trovia Window Color</source>
        <translation>Couleur de la fenêtre de Trovia</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>Trovia Preferences</source>
        <translation>Préférences de Trovia</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>Raccourci</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>&amp;Touche&#xa0;:</translation>
    </message>
    <message>
        <source>Hot key</source>
        <translation>Raccourci</translation>
    </message>
    <message>
        <source>Press the key that brings up Trovia. Ctrl+Tab moves on without recording; once a key is recorded, Tab moves on too.</source>
        <translation>Appuyez sur la touche qui affiche Trovia. Ctrl+Tab passe au suivant sans enregistrer&#xa0;; une fois une touche enregistrée, Tab passe aussi au suivant.</translation>
    </message>
    <message>
        <source>Click here, then press the key that brings up Trovia.</source>
        <translation>Cliquez ici, puis appuyez sur la touche qui affiche Trovia.</translation>
    </message>
    <message>
        <source>Modifiers:</source>
        <translation>Modificateurs&#xa0;:</translation>
    </message>
    <message>
        <source>Modifier of the hot key</source>
        <translation>Modificateur du raccourci</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Maj</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Click the key field, then press the new key.</source>
        <translation>Cliquez sur le champ, puis appuyez sur la nouvelle touche.</translation>
    </message>
    <message>
        <source>Hot key message</source>
        <translation>Message sur le raccourci</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Style&#xa0;:</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>&amp;Matte</source>
        <translation>&amp;Mat</translation>
    </message>
    <message>
        <source>S&amp;hiny</source>
        <translation>&amp;Brillant</translation>
    </message>
    <message>
        <source>C&amp;olor:</source>
        <translation>C&amp;ouleur&#xa0;:</translation>
    </message>
    <message>
        <source>Window color</source>
        <translation>Couleur de la fenêtre</translation>
    </message>
    <message>
        <source>&amp;Result list:</source>
        <translation>&amp;Liste des résultats&#xa0;:</translation>
    </message>
    <message>
        <source>Result list height</source>
        <translation>Hauteur de la liste des résultats</translation>
    </message>
    <message>
        <source>The most rows the result list shows at once</source>
        <translation>Nombre maximal de lignes affichées à la fois</translation>
    </message>
    <message>
        <source>at most </source>
        <translation>au plus </translation>
    </message>
    <message>
        <source> rows</source>
        <translation> lignes</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Ouverture de session</translation>
    </message>
    <message>
        <source>O&amp;pen Trovia at login</source>
        <translation>Lancer Trovia à l’ouverture de &amp;session</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>Leave out &amp;Windows (Wine) applications</source>
        <translation>Exclure les applications &amp;Windows (Wine)</translation>
    </message>
    <message>
        <source>&amp;Leave out these applications and folders:</source>
        <translation>E&amp;xclure ces applications et dossiers&#xa0;:</translation>
    </message>
    <message>
        <source>Applications and folders left out</source>
        <translation>Applications et dossiers exclus</translation>
    </message>
    <message>
        <source>Choose applications or folders to leave out</source>
        <translation>Choisir des applications ou des dossiers à exclure</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>A&amp;jouter…</translation>
    </message>
    <message>
        <source>List the selected locations again</source>
        <translation>Afficher de nouveau les emplacements sélectionnés</translation>
    </message>
    <message>
        <source>R&amp;emove</source>
        <translation>&amp;Enlever</translation>
    </message>
    <message>
        <source>Also &amp;find applications by keyword, kind and command</source>
        <translation>&amp;Trouver aussi par mot-clé, type et commande</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose Applications or Folders to Leave Out</source>
        <translation>Choisir les applications ou dossiers à exclure</translation>
    </message>
    <message>
        <source>Applications (*.desktop)</source>
        <translation>Applications (*.desktop)</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>E&amp;xclure</translation>
    </message>
</context>
</TS>
