<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ExclusionMessagePanel</name>
    <message>
        <source>Application Left Out</source>
        <translation>已排除应用程序</translation>
    </message>
    <message>
        <source>&lt;b&gt;Trovia no longer lists this application.&lt;/b&gt;</source>
        <translation>&lt;b&gt;Trovia 不再列出此应用程序。&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Its desktop entry was added to the locations Trovia leaves out. To list it again, open Trovia&apos;s Preferences and remove it from the list under “Leave out these applications and folders”.</source>
        <translation>它的桌面项已添加到 Trovia 排除的位置中。要重新列出它，请打开 Trovia 首选项，并将它从“排除这些应用程序和文件夹”列表中移除。</translation>
    </message>
    <message>
        <source>&amp;Do not show this message again</source>
        <translation>不再显示此消息(&amp;D)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>Localizable</name>
    <message>
        <source>Windows application</source>
        <comment>ClassicApplication</comment>
        <translation>Windows 应用程序</translation>
    </message>
    <message>
        <source>Amber</source>
        <comment>ColorPresetAmber</comment>
        <translation>琥珀</translation>
    </message>
    <message>
        <source>Brick</source>
        <comment>ColorPresetBrick</comment>
        <translation>砖红</translation>
    </message>
    <message>
        <source>Forest</source>
        <comment>ColorPresetForest</comment>
        <translation>森林</translation>
    </message>
    <message>
        <source>Graphite</source>
        <comment>ColorPresetGraphite</comment>
        <translation>石墨</translation>
    </message>
    <message>
        <source>Lavender</source>
        <comment>ColorPresetLavender</comment>
        <translation>薰衣草</translation>
    </message>
    <message>
        <source>Light Gray</source>
        <comment>ColorPresetLightGray</comment>
        <translation>浅灰</translation>
    </message>
    <message>
        <source>Medium Gray</source>
        <comment>ColorPresetMediumGray</comment>
        <translation>中灰</translation>
    </message>
    <message>
        <source>Midnight</source>
        <comment>ColorPresetMidnight</comment>
        <translation>午夜</translation>
    </message>
    <message>
        <source>Ocean</source>
        <comment>ColorPresetOcean</comment>
        <translation>海洋</translation>
    </message>
    <message>
        <source>Plum</source>
        <comment>ColorPresetPlum</comment>
        <translation>梅紫</translation>
    </message>
    <message>
        <source>Sage</source>
        <comment>ColorPresetSage</comment>
        <translation>灰绿</translation>
    </message>
    <message>
        <source>Sand</source>
        <comment>ColorPresetSand</comment>
        <translation>沙色</translation>
    </message>
    <message>
        <source>Silver Blue</source>
        <comment>ColorPresetSilverBlue</comment>
        <translation>银蓝</translation>
    </message>
    <message>
        <source>Sky</source>
        <comment>ColorPresetSky</comment>
        <translation>天蓝</translation>
    </message>
    <message>
        <source>Teal</source>
        <comment>ColorPresetTeal</comment>
        <translation>青色</translation>
    </message>
    <message>
        <source>It may have been moved or removed. Trovia reloads its list of applications.</source>
        <comment>CouldNotLaunchAppMessage</comment>
        <translation>它可能已被移动或删除。Trovia 将重新载入应用程序列表。</translation>
    </message>
    <message>
        <source>The application could not be launched.</source>
        <comment>CouldNotLaunchAppTitle</comment>
        <translation>无法启动该应用程序。</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>CustomColorLabel</comment>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Donate</source>
        <comment>DonateMenuItem</comment>
        <translation>捐助</translation>
    </message>
    <message>
        <source>Exclude from Trovia</source>
        <comment>ExcludeMenuItem</comment>
        <translation>从 Trovia 中排除</translation>
    </message>
    <message>
        <source>This key cannot be shown. It still works as the hot key.</source>
        <comment>HotKeyDisplayingNotSupported</comment>
        <translation>无法显示此按键，但它仍可用作热键。</translation>
    </message>
    <message>
        <source>Trovia cannot use this key as its hot key. Press another key.</source>
        <comment>HotKeyNotUsable</comment>
        <translation>Trovia 无法将此按键用作热键。请按另一个键。</translation>
    </message>
    <message>
        <source>Trovia could not register the hot key %1: another program is using it. Choose another combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyRefusedMessage</comment>
        <translation>Trovia 无法注册热键 %1：另一个程序正在使用它。请在 Trovia 首选项中选择其他组合：在 Trovia 窗口中按 Ctrl+,。</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key is taken</source>
        <comment>HotKeyRefusedTitle</comment>
        <translation>Trovia 的热键已被占用</translation>
    </message>
    <message>
        <source>Another program already uses this combination, so it does not bring up Trovia. Choose another key or other modifiers.</source>
        <comment>HotKeyTakenInPreferences</comment>
        <translation>另一个程序已在使用此组合，因此它无法调出 Trovia。请选择其他按键或修饰键。</translation>
    </message>
    <message>
        <source>This desktop does not let Trovia register the hot key %1. Bind the command “trovia --toggle” to a key combination in the desktop&apos;s keyboard settings.</source>
        <comment>HotKeyUnsupportedMessage</comment>
        <translation>此桌面不允许 Trovia 注册热键 %1。请在桌面的键盘设置中将命令“trovia --toggle”绑定到一个组合键。</translation>
    </message>
    <message>
        <source>Trovia has no hot key on this desktop</source>
        <comment>HotKeyUnsupportedTitle</comment>
        <translation>Trovia 在此桌面上没有热键</translation>
    </message>
    <message>
        <source>Trovia&apos;s hot key setting is not valid</source>
        <comment>HotKeyInvalidTitle</comment>
        <translation>Trovia 保存的热键设置无效</translation>
    </message>
    <message>
        <source>The stored hot key %1 names no key, so Trovia has no hot key. Choose a combination in Trovia&apos;s Preferences: press Ctrl+, in Trovia&apos;s window.</source>
        <comment>HotKeyInvalidMessage</comment>
        <translation>保存的热键 %1 不对应任何按键，因此 Trovia 没有热键。请在 Trovia 首选项中选择一个组合：在 Trovia 窗口中按 Ctrl+,。</translation>
    </message>
    <message>
        <source>Applications found: %1. %2</source>
        <comment>MatchCountAnnouncement</comment>
        <translation>找到的应用程序：%1 个。%2</translation>
    </message>
    <message>
        <source>No application found</source>
        <comment>NoMatchAnnouncement</comment>
        <translation>未找到应用程序</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <comment>PreferencesMenuItem</comment>
        <translation>首选项…</translation>
    </message>
    <message>
        <source>Quit Trovia</source>
        <comment>QuitMenuItem</comment>
        <translation>退出 Trovia</translation>
    </message>
    <message>
        <source>Matching applications</source>
        <comment>ResultListName</comment>
        <translation>匹配的应用程序</translation>
    </message>
    <message>
        <source>%1, Windows application, %2 of %3</source>
        <comment>SelectedClassicRowAnnouncement</comment>
        <translation>%1，Windows 应用程序，第 %2 个，共 %3 个</translation>
    </message>
    <message>
        <source>%1, %2 of %3</source>
        <comment>SelectedRowAnnouncement</comment>
        <translation>%1，第 %2 个，共 %3 个</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <comment>ShowInFileManagerMenuItem</comment>
        <translation>在文件管理器中显示</translation>
    </message>
    <message>
        <source>Trovia Website</source>
        <comment>WebsiteMenuItem</comment>
        <translation>Trovia 网站</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>ExcludedActionLocation</comment>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>RowWithMatchedText</comment>
        <translation>%1，%2</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>Search applications</source>
        <translation>搜索应用程序</translation>
    </message>
    <message>
        <source>Type part of an application&apos;s name. Up, Down, Page Up and Page Down choose; Return opens.</source>
        <translation>输入应用程序名称的一部分。用上、下方向键和 Page Up、Page Down 选择，按回车键打开。</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Turns while Trovia reads the installed applications.</source>
        <translation>Trovia 读取已安装的应用程序时会转动。</translation>
    </message>
</context>
<context>
    <name>PreferencesController</name>
    <message>
        <source>Trovia Window Color</source>
        <translation>Trovia 窗口颜色</translation>
    </message>
</context>
<context>
    <name>PreferencesWindow</name>
    <message>
        <source>Trovia Preferences</source>
        <translation>Trovia 首选项</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>热键</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>按键(&amp;K):</translation>
    </message>
    <message>
        <source>Hot key</source>
        <translation>热键</translation>
    </message>
    <message>
        <source>Press the key that brings up Trovia. Ctrl+Tab moves on without recording; once a key is recorded, Tab moves on too.</source>
        <translation>按下调出 Trovia 的键。Ctrl+Tab 不录制直接移到下一项；录制按键后，Tab 也可移到下一项。</translation>
    </message>
    <message>
        <source>Click here, then press the key that brings up Trovia.</source>
        <translation>点击此处，然后按下调出 Trovia 的键。</translation>
    </message>
    <message>
        <source>Modifiers:</source>
        <translation>修饰键:</translation>
    </message>
    <message>
        <source>Modifier of the hot key</source>
        <translation>热键的修饰键</translation>
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
        <translation>点击按键栏，然后按下新的键。</translation>
    </message>
    <message>
        <source>Hot key message</source>
        <translation>热键提示</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>外观</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>样式:</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>样式</translation>
    </message>
    <message>
        <source>&amp;Matte</source>
        <translation>磨砂(&amp;M)</translation>
    </message>
    <message>
        <source>S&amp;hiny</source>
        <translation>光亮(&amp;H)</translation>
    </message>
    <message>
        <source>C&amp;olor:</source>
        <translation>颜色(&amp;O):</translation>
    </message>
    <message>
        <source>Window color</source>
        <translation>窗口颜色</translation>
    </message>
    <message>
        <source>&amp;Result list:</source>
        <translation>结果列表(&amp;R):</translation>
    </message>
    <message>
        <source>Result list height</source>
        <translation>结果列表高度</translation>
    </message>
    <message>
        <source>The most rows the result list shows at once</source>
        <translation>结果列表一次最多显示的行数</translation>
    </message>
    <message>
        <source>at most </source>
        <translation>最多 </translation>
    </message>
    <message>
        <source> rows</source>
        <translation> 行</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>O&amp;pen Trovia at login</source>
        <translation>登录时打开 Trovia(&amp;P)</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Leave out &amp;Windows (Wine) applications</source>
        <translation>排除 Windows (Wine) 应用程序(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Leave out these applications and folders:</source>
        <translation>排除这些应用程序和文件夹(&amp;L):</translation>
    </message>
    <message>
        <source>Applications and folders left out</source>
        <translation>已排除的应用程序和文件夹</translation>
    </message>
    <message>
        <source>Choose applications or folders to leave out</source>
        <translation>选择要排除的应用程序或文件夹</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>添加(&amp;A)…</translation>
    </message>
    <message>
        <source>List the selected locations again</source>
        <translation>重新列出所选位置</translation>
    </message>
    <message>
        <source>R&amp;emove</source>
        <translation>移除(&amp;E)</translation>
    </message>
    <message>
        <source>Also &amp;find applications by keyword, kind and command</source>
        <translation>也按关键词、类别和命令查找(&amp;F)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Choose Applications or Folders to Leave Out</source>
        <translation>选择要排除的应用程序或文件夹</translation>
    </message>
    <message>
        <source>Applications (*.desktop)</source>
        <translation>应用程序 (*.desktop)</translation>
    </message>
    <message>
        <source>&amp;Leave Out</source>
        <translation>排除(&amp;L)</translation>
    </message>
</context>
</TS>
