<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ExclusionMessagePanel</name>
    <message>
        <source>Application Left Out</source>
        <translation>アプリケーションを除外しました</translation>
    </message>
    <message>
        <source>&lt;b&gt;Trovia no longer lists this application.&lt;/b&gt;</source>
        <translation>&lt;b&gt;このアプリケーションは Trovia に表示されなくなりました。&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Its desktop entry was added to the locations Trovia leaves out. To list it again, open Trovia&apos;s Preferences and remove it from the list under “Leave out these applications and folders”.</source>
        <translation>このアプリケーションのデスクトップエントリーを Trovia の除外場所に追加しました。再び表示するには、Trovia の設定を開き、「これらのアプリケーションとフォルダーを除外」の一覧から削除してください。</translation>
    </message>
    <message>
        <source>&amp;Do not show this message again</source>
        <translation>今後このメッセージを表示しない(&amp;D)</translation>
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
        <translation>Windows アプリケーション</translation>
    </message>
    <message>
        <source>Amber</source>
        <comment>ColorPresetAmber</comment>
        <translation>アンバー</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>ColorPresetBrick</comment>
        <translation>レンガ</translation>
    </message>
    <message>
        <source>Forest</source>
        <comment>ColorPresetForest</comment>
        <translation>フォレスト</translation>
    </message>
    <message>
        <source>Graphite</source>
        <comment>ColorPresetGraphite</comment>
        <translation>グラファイト</translation>
    </message>
    <message>
        <source>Lavender</source>
        <comment>ColorPresetLavender</comment>
        <translation>ラベンダー</translation>
    </message>
    <message>
        <source>Light Gray</source>
        <comment>ColorPresetLightGray</comment>
        <translation>ライトグレー</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>ColorPresetMediumGray</comment>
        <translation>ミディアムグレー</translation>
    </message>
    <message>
        <source>Midnight</source>
        <comment>ColorPresetMidnight</comment>
        <translation>ミッドナイト</translation>
    </message>
    <message>
        <source>Ocean</source>
        <comment>ColorPresetOcean</comment>
        <translation>オーシャン</translation>
    </message>
    <message>
        <source>Plum</source>
        <comment>ColorPresetPlum</comment>
        <translation>プラム</translation>
    </message>
    <message>
        <source>Sage</source>
        <comment>ColorPresetSage</comment>
        <translation>セージ</translation>
    </message>
    <message>
        <source>Sand</source>
        <comment>ColorPresetSand</comment>
        <translation>サンド</translation>
    </message>
    <message>
        <source>Silver Blue</source>
        <comment>ColorPresetSilverBlue</comment>
        <translation>シルバーブルー</translation>
    </message>
    <message>
        <source>Sky</source>
        <comment>ColorPresetSky</comment>
        <translation>スカイ</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>ColorPresetTeal</comment>
        <translation>ティール</translation>
    </message>
    <message>
        <source>It may have been moved or removed. Trovia reloads its list of applications.</source>
        <comment>CouldNotLaunchAppMessage</comment>
        <translation>移動または削除された可能性があります。Trovia はアプリケーションの一覧を読み込み直します。</translation>
    </message>
    <message>
        <source>The application could not be launched.</source>
        <comment>CouldNotLaunchAppTitle</comment>
        <translation>アプリケーションを起動できませんでした。</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>CustomColorLabel</comment>
        <translation>カスタム</translation>
    </message>
    <message>
        <source>Donate</source>
        <comment>DonateMenuItem</comment>
        <translation>寄付</translation>
    </message>
    <message>
        <source>Exclude from Trovia</source>
        <comment>ExcludeMenuItem</comment>
        <translation>Trovia から除外</translation>
    </message>
    <message>
        <source>This key cannot be shown. It still works as the hot key.</source>
        <comment>HotKeyDisplayingNotSupported</comment>
        <translation>このキーは表示できませんが、ホットキーとしては機能します。</translation>
    </message>
    <message>
        <source>Trovia cannot use this key as its hot key. Press another key.</source>
        <comment>HotKeyNotUsable</comment>
        <translation>このキーは Trovia のホットキーに使えません。別のキーを押してください。</translation>
    </message>
    <message>
        <source>Trovia could not register the hot key %1: another program is using it. Choose another combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyRefusedMessage</comment>
        <translation>ホットキー %1 を登録できませんでした。別のプログラムが使用しています。Trovia の設定で別の組み合わせを選んでください (Trovia のウィンドウで Ctrl+, を押します)。</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key is taken</source>
        <comment>HotKeyRefusedTitle</comment>
        <translation>Trovia のホットキーは使用中です</translation>
    </message>
    <message>
        <source>Another program already uses this combination, so it does not bring up Trovia. Choose another key or other modifiers.</source>
        <comment>HotKeyTakenInPreferences</comment>
        <translation>この組み合わせは別のプログラムが使用しているため、Trovia を呼び出せません。別のキーまたは修飾キーを選んでください。</translation>
    </message>
    <message>
        <source>This desktop does not let Trovia register the hot key %1. Bind the command “trovia --toggle” to a key combination in the desktop&apos;s keyboard settings.</source>
        <comment>HotKeyUnsupportedMessage</comment>
        <translation>このデスクトップでは Trovia がホットキー %1 を登録できません。デスクトップのキーボード設定で、コマンド「trovia --toggle」をキーの組み合わせに割り当ててください。</translation>
    </message>
    <message>
        <source>Trovia has no hot key on this desktop</source>
        <comment>HotKeyUnsupportedTitle</comment>
        <translation>このデスクトップでは Trovia のホットキーを使えません</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key setting is not valid</source>
        <comment>HotKeyInvalidTitle</comment>
        <translation>保存されている Trovia のホットキー設定が無効です</translation>
    </message>
    <message>
        <source>The stored hot key %1 names no key, so Trovia has no hot key. Choose a combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyInvalidMessage</comment>
        <translation>保存されているホットキー %1 はどのキーにも当たらないため、Trovia にはホットキーがありません。Trovia の設定で組み合わせを選んでください (Trovia のウィンドウで Ctrl+, を押します)。</translation>
    </message>
    <message>
        <source>Applications found: %1. %2</source>
        <comment>MatchCountAnnouncement</comment>
        <translation>見つかったアプリケーション: %1 件。%2</translation>
    </message>
    <message>
        <source>No application found</source>
        <comment>NoMatchAnnouncement</comment>
        <translation>アプリケーションが見つかりません</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <comment>PreferencesMenuItem</comment>
        <translation>設定…</translation>
    </message>
    <message>
        <source>Quit Trovia</source>
        <comment>QuitMenuItem</comment>
        <translation>Trovia を終了</translation>
    </message>
    <message>
        <source>Matching applications</source>
        <comment>ResultListName</comment>
        <translation>一致するアプリケーション</translation>
    </message>
    <message>
        <source>%1, Windows application, %2 of %3</source>
        <comment>SelectedClassicRowAnnouncement</comment>
        <translation>%1、Windows アプリケーション、%3 件中 %2 件目</translation>
    </message>
    <message>
        <source>%1, %2 of %3</source>
        <comment>SelectedRowAnnouncement</comment>
        <translation>%1、%3 件中 %2 件目</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <comment>ShowInFileManagerMenuItem</comment>
        <translation>ファイルマネージャーで表示</translation>
    </message>
    <message>
        <source>Trovia Website</source>
        <comment>WebsiteMenuItem</comment>
        <translation>Trovia のウェブサイト</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>ExcludedActionLocation</comment>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>RowWithMatchedText</comment>
        <translation>%1、%2</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>Search applications</source>
        <translation>アプリケーションを検索</translation>
    </message>
    <message>
        <source>Type part of an application&apos;s name. Up, Down, Page Up and Page Down choose; Return opens.</source>
        <translation>アプリケーション名の一部を入力してください。上下の矢印キーと Page Up、Page Down で選び、Enter で開きます。</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
    </message>
    <message>
        <source>Turns while Trovia reads the installed applications.</source>
        <translation>Trovia がインストール済みのアプリケーションを読み込む間、回転します。</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Trovia Window Color</source>
        <translation>Trovia のウィンドウの色</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>Trovia Preferences</source>
        <translation>Trovia の設定</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>ホットキー</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>キー(&amp;K):</translation>
    </message>
    <message>
        <source>Hot key</source>
        <translation>ホットキー</translation>
    </message>
    <message>
        <source>Press the key that brings up Trovia. Ctrl+Tab moves on without recording; once a key is recorded, Tab moves on too.</source>
        <translation>Trovia を呼び出すキーを押してください。Ctrl+Tab で記録せずに次へ移動します。キーを記録した後は Tab でも移動できます。</translation>
    </message>
    <message>
        <source>Click here, then press the key that brings up Trovia.</source>
        <translation>ここをクリックして、Trovia を呼び出すキーを押してください。</translation>
    </message>
    <message>
        <source>Modifiers:</source>
        <translation>修飾キー:</translation>
    </message>
    <message>
        <source>Modifier of the hot key</source>
        <translation>ホットキーの修飾キー</translation>
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
        <translation>キーの欄をクリックして、新しいキーを押してください。</translation>
    </message>
    <message>
        <source>Hot key message</source>
        <translation>ホットキーに関するメッセージ</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>外観</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>スタイル:</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>スタイル</translation>
    </message>
    <message>
        <source>&amp;Matte</source>
        <translation>マット(&amp;M)</translation>
    </message>
    <message>
        <source>S&amp;hiny</source>
        <translation>光沢(&amp;H)</translation>
    </message>
    <message>
        <source>C&amp;olor:</source>
        <translation>色(&amp;O):</translation>
    </message>
    <message>
        <source>Window color</source>
        <translation>ウィンドウの色</translation>
    </message>
    <message>
        <source>&amp;Result list:</source>
        <translation>結果リスト(&amp;R):</translation>
    </message>
    <message>
        <source>Result list height</source>
        <translation>結果リストの高さ</translation>
    </message>
    <message>
        <source>The most rows the result list shows at once</source>
        <translation>結果リストに一度に表示する最大行数</translation>
    </message>
    <message>
        <source>at most </source>
        <translation>最大 </translation>
    </message>
    <message>
        <source> rows</source>
        <translation> 行</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <source>O&amp;pen Trovia at login</source>
        <translation>ログイン時に Trovia を開く(&amp;P)</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>アプリケーション</translation>
    </message>
    <message>
        <source>Leave out &amp;Windows (Wine) applications</source>
        <translation>Windows (Wine) アプリケーションを除外(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Leave out these applications and folders:</source>
        <translation>これらのアプリケーションとフォルダーを除外(&amp;L):</translation>
    </message>
    <message>
        <source>Applications and folders left out</source>
        <translation>除外したアプリケーションとフォルダー</translation>
    </message>
    <message>
        <source>Choose applications or folders to leave out</source>
        <translation>除外するアプリケーションまたはフォルダーを選択</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>追加(&amp;A)…</translation>
    </message>
    <message>
        <source>List the selected locations again</source>
        <translation>選択した場所を再び表示</translation>
    </message>
    <message>
        <source>R&amp;emove</source>
        <translation>削除(&amp;E)</translation>
    </message>
    <message>
        <source>Also &amp;find applications by keyword, kind and command</source>
        <translation>キーワード、種類、コマンドでも検索する(&amp;F)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose Applications or Folders to Leave Out</source>
        <translation>除外するアプリケーションまたはフォルダーの選択</translation>
    </message>
    <message>
        <source>Applications (*.desktop)</source>
        <translation>アプリケーション (*.desktop)</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>除外(&amp;L)</translation>
    </message>
</context>
</TS>
