<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>ExclusionMessagePanel</name>
    <message>
        <source>Application Left Out</source>
        <translation>Aplicación excluida</translation>
    </message>
    <message>
        <source>&lt;b&gt;Trovia no longer lists this application.&lt;/b&gt;</source>
        <translation>&lt;b&gt;Trovia ya no muestra esta aplicación.&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Its desktop entry was added to the locations Trovia leaves out. To list it again, open Trovia&apos;s Preferences and remove it from the list under “Leave out these applications and folders”.</source>
        <translation>Su lanzador se añadió a las ubicaciones que Trovia excluye. Para volver a mostrarla, abra las preferencias de Trovia y quítela de la lista «Excluir estas aplicaciones y carpetas».</translation>
    </message>
    <message>
        <source>&amp;Do not show this message again</source>
        <translation>No volver a &amp;mostrar este mensaje</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>Windows application</source>
        <comment>ClassicApplication</comment>
        <translation>Aplicación de Windows</translation>
    </message>
    <message>
        <source>Amber</source>
        <comment>ColorPresetAmber</comment>
        <translation>Ámbar</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>ColorPresetBrick</comment>
        <translation>Ladrillo</translation>
    </message>
    <message>
        <source>Forest</source>
        <comment>ColorPresetForest</comment>
        <translation>Bosque</translation>
    </message>
    <message>
        <source>Graphite</source>
        <comment>ColorPresetGraphite</comment>
        <translation>Grafito</translation>
    </message>
    <message>
        <source>Lavender</source>
        <comment>ColorPresetLavender</comment>
        <translation>Lavanda</translation>
    </message>
    <message>
        <source>Light Gray</source>
        <comment>ColorPresetLightGray</comment>
        <translation>Gris claro</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>ColorPresetMediumGray</comment>
        <translation>Gris medio</translation>
    </message>
    <message>
        <source>Midnight</source>
        <comment>ColorPresetMidnight</comment>
        <translation>Medianoche</translation>
    </message>
    <message>
        <source>Ocean</source>
        <comment>ColorPresetOcean</comment>
        <translation>Océano</translation>
    </message>
    <message>
        <source>Plum</source>
        <comment>ColorPresetPlum</comment>
        <translation>Ciruela</translation>
    </message>
    <message>
        <source>Sage</source>
        <comment>ColorPresetSage</comment>
        <translation>Salvia</translation>
    </message>
    <message>
        <source>Sand</source>
        <comment>ColorPresetSand</comment>
        <translation>Arena</translation>
    </message>
    <message>
        <source>Silver Blue</source>
        <comment>ColorPresetSilverBlue</comment>
        <translation>Azul plateado</translation>
    </message>
    <message>
        <source>Sky</source>
        <comment>ColorPresetSky</comment>
        <translation>Cielo</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>ColorPresetTeal</comment>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>It may have been moved or removed. Trovia reloads its list of applications.</source>
        <comment>CouldNotLaunchAppMessage</comment>
        <translation>Puede que se haya movido o eliminado. Trovia vuelve a cargar su lista de aplicaciones.</translation>
    </message>
    <message>
        <source>The application could not be launched.</source>
        <comment>CouldNotLaunchAppTitle</comment>
        <translation>No se pudo iniciar la aplicación.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>CustomColorLabel</comment>
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>Donate</source>
        <comment>DonateMenuItem</comment>
        <translation>Donar</translation>
    </message>
    <message>
        <source>Exclude from Trovia</source>
        <comment>ExcludeMenuItem</comment>
        <translation>Excluir de Trovia</translation>
    </message>
    <message>
        <source>This key cannot be shown. It still works as the hot key.</source>
        <comment>HotKeyDisplayingNotSupported</comment>
        <translation>Esta tecla no se puede mostrar. Aun así funciona como atajo.</translation>
    </message>
    <message>
        <source>Trovia cannot use this key as its hot key. Press another key.</source>
        <comment>HotKeyNotUsable</comment>
        <translation>Trovia no puede usar esta tecla como atajo. Pulse otra tecla.</translation>
    </message>
    <message>
        <source>Trovia could not register the hot key %1: another program is using it. Choose another combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyRefusedMessage</comment>
        <translation>Trovia no pudo registrar el atajo %1: otro programa lo está usando. Elija otra combinación en las preferencias de Trovia: pulse Ctrl+, en la ventana de Trovia.</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key is taken</source>
        <comment>HotKeyRefusedTitle</comment>
        <translation>El atajo de Trovia está ocupado</translation>
    </message>
    <message>
        <source>Another program already uses this combination, so it does not bring up Trovia. Choose another key or other modifiers.</source>
        <comment>HotKeyTakenInPreferences</comment>
        <translation>Otro programa ya usa esta combinación, así que no muestra Trovia. Elija otra tecla u otros modificadores.</translation>
    </message>
    <message>
        <source>This desktop does not let Trovia register the hot key %1. Bind the command “trovia --toggle” to a key combination in the desktop&apos;s keyboard settings.</source>
        <comment>HotKeyUnsupportedMessage</comment>
        <translation>Este escritorio no permite que Trovia registre el atajo %1. Asigne la orden «trovia --toggle» a una combinación de teclas en la configuración del teclado del escritorio.</translation>
    </message>
    <message>
        <source>Trovia has no hot key on this desktop</source>
        <comment>HotKeyUnsupportedTitle</comment>
        <translation>Trovia no tiene atajo en este escritorio</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key setting is not valid</source>
        <comment>HotKeyInvalidTitle</comment>
        <translation>El atajo guardado de Trovia no es válido</translation>
    </message>
    <message>
        <source>The stored hot key %1 names no key, so Trovia has no hot key. Choose a combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyInvalidMessage</comment>
        <translation>El atajo guardado %1 no corresponde a ninguna tecla, así que Trovia no tiene atajo. Elija una combinación en las preferencias de Trovia: pulse Ctrl+, en la ventana de Trovia.</translation>
    </message>
    <message>
        <source>Applications found: %1. %2</source>
        <comment>MatchCountAnnouncement</comment>
        <translation>Aplicaciones encontradas: %1. %2</translation>
    </message>
    <message>
        <source>No application found</source>
        <comment>NoMatchAnnouncement</comment>
        <translation>No se encontró ninguna aplicación</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <comment>PreferencesMenuItem</comment>
        <translation>Preferencias…</translation>
    </message>
    <message>
        <source>Quit Trovia</source>
        <comment>QuitMenuItem</comment>
        <translation>Salir de Trovia</translation>
    </message>
    <message>
        <source>Matching applications</source>
        <comment>ResultListName</comment>
        <translation>Aplicaciones coincidentes</translation>
    </message>
    <message>
        <source>%1, Windows application, %2 of %3</source>
        <comment>SelectedClassicRowAnnouncement</comment>
        <translation>%1, aplicación de Windows, %2 de %3</translation>
    </message>
    <message>
        <source>%1, %2 of %3</source>
        <comment>SelectedRowAnnouncement</comment>
        <translation>%1, %2 de %3</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <comment>ShowInFileManagerMenuItem</comment>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Trovia Website</source>
        <comment>WebsiteMenuItem</comment>
        <translation>Sitio web de Trovia</translation>
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
        <translation>Buscar aplicaciones</translation>
    </message>
    <message>
        <source>Type part of an application&apos;s name. Up, Down, Page Up and Page Down choose; Return opens.</source>
        <translation>Escriba parte del nombre de una aplicación. Arriba, Abajo, Re Pág y Av Pág eligen; Intro abre.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Turns while Trovia reads the installed applications.</source>
        <translation>Gira mientras Trovia lee las aplicaciones instaladas.</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Trovia Window Color</source>
        <translation>Color de la ventana de Trovia</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>Trovia Preferences</source>
        <translation>Preferencias de Trovia</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>&amp;Tecla:</translation>
    </message>
    <message>
        <source>Hot key</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>Press the key that brings up Trovia. Ctrl+Tab moves on without recording; once a key is recorded, Tab moves on too.</source>
        <translation>Pulse la tecla que muestra Trovia. Ctrl+Tab avanza sin grabar; después de grabar una tecla, Tab también avanza.</translation>
    </message>
    <message>
        <source>Click here, then press the key that brings up Trovia.</source>
        <translation>Pulse aquí y luego la tecla que muestra Trovia.</translation>
    </message>
    <message>
        <source>Modifiers:</source>
        <translation>Modificadores:</translation>
    </message>
    <message>
        <source>Modifier of the hot key</source>
        <translation>Modificador del atajo</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Súper</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Mayús</translation>
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
        <translation>Pulse en el campo de la tecla y luego la nueva tecla.</translation>
    </message>
    <message>
        <source>Hot key message</source>
        <translation>Aviso sobre el atajo</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apariencia</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Estilo:</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Estilo</translation>
    </message>
    <message>
        <source>&amp;Matte</source>
        <translation>&amp;Mate</translation>
    </message>
    <message>
        <source>S&amp;hiny</source>
        <translation>&amp;Brillante</translation>
    </message>
    <message>
        <source>C&amp;olor:</source>
        <translation>C&amp;olor:</translation>
    </message>
    <message>
        <source>Window color</source>
        <translation>Color de la ventana</translation>
    </message>
    <message>
        <source>&amp;Result list:</source>
        <translation>&amp;Lista de resultados:</translation>
    </message>
    <message>
        <source>Result list height</source>
        <translation>Altura de la lista de resultados</translation>
    </message>
    <message>
        <source>The most rows the result list shows at once</source>
        <translation>Número máximo de filas que muestra la lista a la vez</translation>
    </message>
    <message>
        <source>at most </source>
        <translation>como máximo </translation>
    </message>
    <message>
        <source> rows</source>
        <translation> filas</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Inicio de sesión</translation>
    </message>
    <message>
        <source>O&amp;pen Trovia at login</source>
        <translation>Abrir Trovia al iniciar &amp;sesión</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Aplicaciones</translation>
    </message>
    <message>
        <source>Leave out &amp;Windows (Wine) applications</source>
        <translation>Excluir las aplicaciones de &amp;Windows (Wine)</translation>
    </message>
    <message>
        <source>&amp;Leave out these applications and folders:</source>
        <translation>E&amp;xcluir estas aplicaciones y carpetas:</translation>
    </message>
    <message>
        <source>Applications and folders left out</source>
        <translation>Aplicaciones y carpetas excluidas</translation>
    </message>
    <message>
        <source>Choose applications or folders to leave out</source>
        <translation>Elegir aplicaciones o carpetas para excluir</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Añadir…</translation>
    </message>
    <message>
        <source>List the selected locations again</source>
        <translation>Volver a mostrar las ubicaciones seleccionadas</translation>
    </message>
    <message>
        <source>R&amp;emove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>Also &amp;find applications by keyword, kind and command</source>
        <translation>&amp;Buscar también por palabra clave, tipo y orden</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose Applications or Folders to Leave Out</source>
        <translation>Elegir aplicaciones o carpetas para excluir</translation>
    </message>
    <message>
        <source>Applications (*.desktop)</source>
        <translation>Aplicaciones (*.desktop)</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>E&amp;xcluir</translation>
    </message>
</context>
</TS>
