<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>ExclusionMessagePanel</name>
    <message>
        <source>Application Left Out</source>
        <translation>Aplicativo excluído</translation>
    </message>
    <message>
        <source>&lt;b&gt;Trovia no longer lists this application.&lt;/b&gt;</source>
        <translation>&lt;b&gt;O Trovia não mostra mais este aplicativo.&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Its desktop entry was added to the locations Trovia leaves out. To list it again, open Trovia&apos;s Preferences and remove it from the list under “Leave out these applications and folders”.</source>
        <translation>O lançador dele foi adicionado aos locais que o Trovia exclui. Para mostrá-lo de novo, abra as preferências do Trovia e remova-o da lista “Excluir estes aplicativos e pastas”.</translation>
    </message>
    <message>
        <source>&amp;Do not show this message again</source>
        <translation>Não &amp;mostrar esta mensagem novamente</translation>
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
        <translation>Aplicativo do Windows</translation>
    </message>
    <message>
        <source>Amber</source>
        <comment>ColorPresetAmber</comment>
        <translation>Âmbar</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>ColorPresetBrick</comment>
        <translation>Tijolo</translation>
    </message>
    <message>
        <source>Forest</source>
        <comment>ColorPresetForest</comment>
        <translation>Floresta</translation>
    </message>
    <message>
        <source>Graphite</source>
        <comment>ColorPresetGraphite</comment>
        <translation>Grafite</translation>
    </message>
    <message>
        <source>Lavender</source>
        <comment>ColorPresetLavender</comment>
        <translation>Lavanda</translation>
    </message>
    <message>
        <source>Light Gray</source>
        <comment>ColorPresetLightGray</comment>
        <translation>Cinza-claro</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>ColorPresetMediumGray</comment>
        <translation>Cinza-médio</translation>
    </message>
    <message>
        <source>Midnight</source>
        <comment>ColorPresetMidnight</comment>
        <translation>Meia-noite</translation>
    </message>
    <message>
        <source>Ocean</source>
        <comment>ColorPresetOcean</comment>
        <translation>Oceano</translation>
    </message>
    <message>
        <source>Plum</source>
        <comment>ColorPresetPlum</comment>
        <translation>Ameixa</translation>
    </message>
    <message>
        <source>Sage</source>
        <comment>ColorPresetSage</comment>
        <translation>Sálvia</translation>
    </message>
    <message>
        <source>Sand</source>
        <comment>ColorPresetSand</comment>
        <translation>Areia</translation>
    </message>
    <message>
        <source>Silver Blue</source>
        <comment>ColorPresetSilverBlue</comment>
        <translation>Azul-prateado</translation>
    </message>
    <message>
        <source>Sky</source>
        <comment>ColorPresetSky</comment>
        <translation>Céu</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>ColorPresetTeal</comment>
        <translation>Azul-petróleo</translation>
    </message>
    <message>
        <source>It may have been moved or removed. Trovia reloads its list of applications.</source>
        <comment>CouldNotLaunchAppMessage</comment>
        <translation>Talvez ele tenha sido movido ou removido. O Trovia recarrega a lista de aplicativos.</translation>
    </message>
    <message>
        <source>The application could not be launched.</source>
        <comment>CouldNotLaunchAppTitle</comment>
        <translation>Não foi possível iniciar o aplicativo.</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>CustomColorLabel</comment>
        <translation>Personalizada</translation>
    </message>
    <message>
        <source>Donate</source>
        <comment>DonateMenuItem</comment>
        <translation>Doar</translation>
    </message>
    <message>
        <source>Exclude from Trovia</source>
        <comment>ExcludeMenuItem</comment>
        <translation>Excluir do Trovia</translation>
    </message>
    <message>
        <source>This key cannot be shown. It still works as the hot key.</source>
        <comment>HotKeyDisplayingNotSupported</comment>
        <translation>Esta tecla não pode ser exibida. Ela continua funcionando como atalho.</translation>
    </message>
    <message>
        <source>Trovia cannot use this key as its hot key. Press another key.</source>
        <comment>HotKeyNotUsable</comment>
        <translation>O Trovia não pode usar esta tecla como atalho. Pressione outra tecla.</translation>
    </message>
    <message>
        <source>Trovia could not register the hot key %1: another program is using it. Choose another combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyRefusedMessage</comment>
        <translation>O Trovia não conseguiu registrar o atalho %1: outro programa o está usando. Escolha outra combinação nas preferências do Trovia: pressione Ctrl+, na janela do Trovia.</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key is taken</source>
        <comment>HotKeyRefusedTitle</comment>
        <translation>O atalho do Trovia já está em uso</translation>
    </message>
    <message>
        <source>Another program already uses this combination, so it does not bring up Trovia. Choose another key or other modifiers.</source>
        <comment>HotKeyTakenInPreferences</comment>
        <translation>Outro programa já usa esta combinação, por isso ela não abre o Trovia. Escolha outra tecla ou outros modificadores.</translation>
    </message>
    <message>
        <source>This desktop does not let Trovia register the hot key %1. Bind the command “trovia --toggle” to a key combination in the desktop&apos;s keyboard settings.</source>
        <comment>HotKeyUnsupportedMessage</comment>
        <translation>Este ambiente de trabalho não permite que o Trovia registre o atalho %1. Associe o comando “trovia --toggle” a uma combinação de teclas nas configurações de teclado do ambiente.</translation>
    </message>
    <message>
        <source>Trovia has no hot key on this desktop</source>
        <comment>HotKeyUnsupportedTitle</comment>
        <translation>O Trovia não tem atalho neste ambiente de trabalho</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key setting is not valid</source>
        <comment>HotKeyInvalidTitle</comment>
        <translation>O atalho salvo do Trovia não é válido</translation>
    </message>
    <message>
        <source>The stored hot key %1 names no key, so Trovia has no hot key. Choose a combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyInvalidMessage</comment>
        <translation>O atalho salvo %1 não corresponde a nenhuma tecla, então o Trovia está sem atalho. Escolha uma combinação nas preferências do Trovia: pressione Ctrl+, na janela do Trovia.</translation>
    </message>
    <message>
        <source>Applications found: %1. %2</source>
        <comment>MatchCountAnnouncement</comment>
        <translation>Aplicativos encontrados: %1. %2</translation>
    </message>
    <message>
        <source>No application found</source>
        <comment>NoMatchAnnouncement</comment>
        <translation>Nenhum aplicativo encontrado</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <comment>PreferencesMenuItem</comment>
        <translation>Preferências…</translation>
    </message>
    <message>
        <source>Quit Trovia</source>
        <comment>QuitMenuItem</comment>
        <translation>Sair do Trovia</translation>
    </message>
    <message>
        <source>Matching applications</source>
        <comment>ResultListName</comment>
        <translation>Aplicativos correspondentes</translation>
    </message>
    <message>
        <source>%1, Windows application, %2 of %3</source>
        <comment>SelectedClassicRowAnnouncement</comment>
        <translation>%1, aplicativo do Windows, %2 de %3</translation>
    </message>
    <message>
        <source>%1, %2 of %3</source>
        <comment>SelectedRowAnnouncement</comment>
        <translation>%1, %2 de %3</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <comment>ShowInFileManagerMenuItem</comment>
        <translation>Mostrar no gerenciador de arquivos</translation>
    </message>
    <message>
        <source>Trovia Website</source>
        <comment>WebsiteMenuItem</comment>
        <translation>Site do Trovia</translation>
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
        <translation>Pesquisar aplicativos</translation>
    </message>
    <message>
        <source>Type part of an application&apos;s name. Up, Down, Page Up and Page Down choose; Return opens.</source>
        <translation>Digite parte do nome de um aplicativo. Seta para cima, Seta para baixo, Page Up e Page Down escolhem; Enter abre.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progresso</translation>
    </message>
    <message>
        <source>Turns while Trovia reads the installed applications.</source>
        <translation>Gira enquanto o Trovia lê os aplicativos instalados.</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Trovia Window Color</source>
        <translation>Cor da janela do Trovia</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>Trovia Preferences</source>
        <translation>Preferências do Trovia</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>Atalho</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>&amp;Tecla:</translation>
    </message>
    <message>
        <source>Hot key</source>
        <translation>Atalho</translation>
    </message>
    <message>
        <source>Press the key that brings up Trovia. Ctrl+Tab moves on without recording; once a key is recorded, Tab moves on too.</source>
        <translation>Pressione a tecla que abre o Trovia. Ctrl+Tab avança sem gravar; depois que uma tecla é gravada, Tab também avança.</translation>
    </message>
    <message>
        <source>Click here, then press the key that brings up Trovia.</source>
        <translation>Clique aqui e pressione a tecla que abre o Trovia.</translation>
    </message>
    <message>
        <source>Modifiers:</source>
        <translation>Modificadores:</translation>
    </message>
    <message>
        <source>Modifier of the hot key</source>
        <translation>Modificador do atalho</translation>
    </message>
    <message>
        <source>Super</source>
        <translation>Super</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Shift</translation>
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
        <translation>Clique no campo da tecla e pressione a nova tecla.</translation>
    </message>
    <message>
        <source>Hot key message</source>
        <translation>Aviso sobre o atalho</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Aparência</translation>
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
        <translation>&amp;Fosco</translation>
    </message>
    <message>
        <source>S&amp;hiny</source>
        <translation>&amp;Brilhante</translation>
    </message>
    <message>
        <source>C&amp;olor:</source>
        <translation>C&amp;or:</translation>
    </message>
    <message>
        <source>Window color</source>
        <translation>Cor da janela</translation>
    </message>
    <message>
        <source>&amp;Result list:</source>
        <translation>&amp;Lista de resultados:</translation>
    </message>
    <message>
        <source>Result list height</source>
        <translation>Altura da lista de resultados</translation>
    </message>
    <message>
        <source>The most rows the result list shows at once</source>
        <translation>Número máximo de linhas que a lista mostra de uma vez</translation>
    </message>
    <message>
        <source>at most </source>
        <translation>no máximo </translation>
    </message>
    <message>
        <source> rows</source>
        <translation> linhas</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Início de sessão</translation>
    </message>
    <message>
        <source>O&amp;pen Trovia at login</source>
        <translation>Abrir o Trovia ao iniciar a &amp;sessão</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Aplicativos</translation>
    </message>
    <message>
        <source>Leave out &amp;Windows (Wine) applications</source>
        <translation>Excluir aplicativos do &amp;Windows (Wine)</translation>
    </message>
    <message>
        <source>&amp;Leave out these applications and folders:</source>
        <translation>E&amp;xcluir estes aplicativos e pastas:</translation>
    </message>
    <message>
        <source>Applications and folders left out</source>
        <translation>Aplicativos e pastas excluídos</translation>
    </message>
    <message>
        <source>Choose applications or folders to leave out</source>
        <translation>Escolher aplicativos ou pastas para excluir</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Adicionar…</translation>
    </message>
    <message>
        <source>List the selected locations again</source>
        <translation>Mostrar de novo os locais selecionados</translation>
    </message>
    <message>
        <source>R&amp;emove</source>
        <translation>&amp;Remover</translation>
    </message>
    <message>
        <source>Also &amp;find applications by keyword, kind and command</source>
        <translation>Também &amp;encontrar por palavra-chave, tipo e comando</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose Applications or Folders to Leave Out</source>
        <translation>Escolher aplicativos ou pastas para excluir</translation>
    </message>
    <message>
        <source>Applications (*.desktop)</source>
        <translation>Aplicativos (*.desktop)</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>E&amp;xcluir</translation>
    </message>
</context>
</TS>
