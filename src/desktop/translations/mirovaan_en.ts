<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AboutDialog</name>
    <message>
        <source>ミロヴァーン  Version %1</source>
        <translation>Mirovaan  Version %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>mirovaan: %1 (see mirovaan --help)</source>
        <translation>mirovaan: %1 (see mirovaan --help)</translation>
    </message>
    <message>
        <source>--record and --play cannot be given together</source>
        <translation>--record and --play cannot be given together</translation>
    </message>
    <message>
        <source>no such folder for the recording: %1</source>
        <translation>no such folder for the recording: %1</translation>
    </message>
    <message>
        <source>no such file: %1</source>
        <translation>no such file: %1</translation>
    </message>
    <message>
        <source>not a file: %1</source>
        <translation>not a file: %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>ﾐﾛｳﾞｧｰﾝ (Mirovaan): an action role-playing game.
Saved games go to $XDG_DATA_HOME/mirovaan/saves, settings to $XDG_CONFIG_HOME/mirovaan/mirovaan.ini.</source>
        <translation>Mirovaan: an action role-playing game.
Saved games go to $XDG_DATA_HOME/mirovaan/saves, settings to $XDG_CONFIG_HOME/mirovaan/mirovaan.ini.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Show this help and exit.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Show the version and exit.</translation>
    </message>
    <message>
        <source>Read the game&apos;s content from &lt;dir&gt;.</source>
        <translation>Read the game&apos;s content from &lt;dir&gt;.</translation>
    </message>
    <message>
        <source>Start in full screen (this run only).</source>
        <translation>Start in full screen (this run only).</translation>
    </message>
    <message>
        <source>Start in a window (this run only).</source>
        <translation>Start in a window (this run only).</translation>
    </message>
    <message>
        <source>Play in Japanese (ja) or English (en), this run only.</source>
        <translation>Play in Japanese (ja) or English (en), this run only.</translation>
    </message>
    <message>
        <source>--fullscreen and --window cannot be given together</source>
        <translation>--fullscreen and --window cannot be given together</translation>
    </message>
    <message>
        <source>no such folder: %1</source>
        <translation>no such folder: %1</translation>
    </message>
    <message>
        <source>unknown language: %1 (ja or en)</source>
        <translation>unknown language: %1 (ja or en)</translation>
    </message>
    <message>
        <source>Records the game into a replay file.</source>
        <translation>Records the game into a replay file.</translation>
    </message>
    <message>
        <source>Plays a replay file (keys 1, 2, 4, 8: speed; Esc: leave).</source>
        <translation>Plays a replay file (keys 1, 2, 4, 8: speed; Esc: leave).</translation>
    </message>
    <message>
        <source>%1 is a replay: it cannot be played while recording</source>
        <translation>%1 is a replay: it cannot be played while recording</translation>
    </message>
    <message>
        <source>only one replay can be played, not %1 and %2</source>
        <translation>only one replay can be played, not %1 and %2</translation>
    </message>
    <message>
        <source>A saved game to load at start, or a replay to play.</source>
        <translation>A saved game to load at start, or a replay to play.</translation>
    </message>
    <message>
        <source>only one file can be given, not %1</source>
        <translation>only one file can be given, not %1</translation>
    </message>
</context>
<context>
    <name>GameText</name>
    <message>
        <source>ﾐﾛｳﾞｧｰﾝ</source>
        <translation>Mirovaan</translation>
    </message>
    <message>
        <source>ミロヴァーン</source>
        <translation>Mirovaan</translation>
    </message>
    <message>
        <source>ゲームの終了</source>
        <translation>Quit the Game</translation>
    </message>
    <message>
        <source>ゲームを終了してもよろしいでしょうか？</source>
        <translation>Quit the game now?</translation>
    </message>
    <message>
        <source>ゲームの中断</source>
        <translation>Leave the Game</translation>
    </message>
    <message>
        <source>タイトル画面に戻ってもよろしいでしょうか？</source>
        <translation>Return to the title screen?</translation>
    </message>
    <message>
        <source>使いますよ！</source>
        <translation>Use It?</translation>
    </message>
    <message>
        <source>今現在選んでいるアイテムを使ってもよろしいでしょうか？</source>
        <translation>Use the item you have chosen?</translation>
    </message>
    <message>
        <source>扱えません！！</source>
        <translation>Can&apos;t Wield That!</translation>
    </message>
    <message>
        <source>それは装備出来ません・・・</source>
        <translation>That&apos;s not something you can wield...</translation>
    </message>
    <message>
        <source>着れません！！</source>
        <translation>Can&apos;t Wear That!</translation>
    </message>
    <message>
        <source>それは着れません・・・</source>
        <translation>That&apos;s not something you can wear...</translation>
    </message>
    <message>
        <source>捨てますよ！！</source>
        <translation>Throw It Away?</translation>
    </message>
    <message>
        <source>今現在選んでいるアイテムを捨ててもよろしいでしょうか？</source>
        <translation>Throw away the item you have chosen?</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>直接ブラウザを起動してヘルプを見ます。よろしいですか？</source>
        <translation>This opens the help in your web browser. Go ahead?</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>マニュアルを開く</source>
        <translation>Open the manual</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>このソフトはフリーソフトです。転載・配布は自由ですが、改変したものは配布しないでください。</source>
        <translation>Free to share and pass on, but please do not pass on altered copies.</translation>
    </message>
    <message>
        <source>ｹﾞｰﾑﾃﾞｰﾀの保存</source>
        <translation>Save Game</translation>
    </message>
    <message>
        <source>ｹﾞｰﾑﾌｧｲﾙ (*.sav)</source>
        <translation>Saved games (*.sav)</translation>
    </message>
    <message>
        <source>ｹﾞｰﾑﾃﾞｰﾀの読み込み</source>
        <translation>Load Game</translation>
    </message>
    <message>
        <source>ｹﾞ-ﾑﾃﾞｰﾀ (*.sav)</source>
        <translation>Saved games (*.sav)</translation>
    </message>
</context>
<context>
    <name>ImageView</name>
    <message>
        <source>一時停止中</source>
        <translation>Paused</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>セーブ</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ロード</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>画面ｻｲｽﾞ(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>フルスクリーン</source>
        <translation>Full Screen</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>オプション(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>設定(&amp;P)...</source>
        <translation>&amp;Preferences...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Mirovaan</translation>
    </message>
    <message>
        <source>スクリーンショットを保存しました: %1</source>
        <translation>Screenshot saved: %1</translation>
    </message>
    <message>
        <source>スクリーンショットを保存できませんでした。
%1
%2</source>
        <translation>The screenshot could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>スロットにセーブ...</source>
        <translation>Save to Slot...</translation>
    </message>
    <message>
        <source>スロットからロード...</source>
        <translation>Load from Slot...</translation>
    </message>
    <message>
        <source>クイックセーブ</source>
        <translation>Quicksave</translation>
    </message>
    <message>
        <source>クイックロード</source>
        <translation>Quickload</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>今現在のゲームスピード : %1</source>
        <translation>Current game speed : %1</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ゲームスピード</source>
        <translation>Game Speed</translation>
    </message>
    <message>
        <source>音楽</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>音楽演奏</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Effects</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>General MIDI のサウンドフォントが見つからないため、音楽は鳴りません。
Debian では fluid-soundfont-gm か timgm6mb-soundfont のパッケージを入れてください。
設定（オプション → 設定）のサウンドで別のサウンドフォントも選べます。</source>
        <translation>No General MIDI soundfont was found, so the game plays without music.
On Debian, install the fluid-soundfont-gm or timgm6mb-soundfont package.
Another soundfont can be chosen on the Sound page of the preferences (Options → Preferences).</translation>
    </message>
    <message>
        <source>ゲームのデータ（title.bmp など）が見つかりません。

探した場所：
%1
データのあるフォルダーを --data で指定して起動してください。例：
  mirovaan --data ~/mirovaan/build/data</source>
        <translation>The game&apos;s content (title.bmp and the rest) was not found.

Searched:
%1
Start the game with --data and the folder that holds it, for example:
  mirovaan --data ~/mirovaan/build/data</translation>
    </message>
</context>
<context>
    <name>ReplayControl</name>
    <message>
        <source>リプレイを記録</source>
        <translation>Record Replay</translation>
    </message>
    <message>
        <source>--record と --play は同時に使えません。</source>
        <translation>--record and --play cannot be used together.</translation>
    </message>
    <message>
        <source>リプレイを読み込めません：%1
%2</source>
        <translation>The replay cannot be read: %1
%2</translation>
    </message>
    <message>
        <source>リプレイを再生できません：%1
%2</source>
        <translation>The replay cannot be played: %1
%2</translation>
    </message>
    <message>
        <source>リプレイの開始データを読み込めません</source>
        <translation>The replay&apos;s starting game cannot be loaded</translation>
    </message>
    <message>
        <source>リプレイを記録できません：%1
%2</source>
        <translation>The replay cannot be recorded: %1
%2</translation>
    </message>
    <message>
        <source>リプレイの記録を終了</source>
        <translation>Stop Recording Replay</translation>
    </message>
    <message>
        <source>リプレイの書き込みに失敗しました：%1</source>
        <translation>Writing the replay failed: %1</translation>
    </message>
    <message>
        <source>この画面からは記録を始められません。
タイトル画面か、ゲームの途中で選んでください。</source>
        <translation>A recording cannot start from this screen.
Choose it on the title screen or during play.</translation>
    </message>
    <message>
        <source>リプレイの記録</source>
        <translation>Record Replay</translation>
    </message>
    <message>
        <source>リプレイ (*.mvr)</source>
        <translation>Replays (*.mvr)</translation>
    </message>
    <message>
        <source>リプレイが一致しません：%1 ティック目</source>
        <translation>The replay went out of step at tick %1</translation>
    </message>
    <message>
        <source>再生終了（Esc で閉じる）</source>
        <translation>Finished (Esc to close)</translation>
    </message>
    <message>
        <source>再生中 x%1</source>
        <translation>Playing x%1</translation>
    </message>
    <message>
        <source>%1 リプレイ %2/%3 %4</source>
        <translation>%1 Replay %2/%3 %4</translation>
    </message>
</context>
<context>
    <name>Screenshot</name>
    <message>
        <source>フォルダーを作れませんでした: %1</source>
        <translation>The folder could not be made: %1</translation>
    </message>
    <message>
        <source>ファイルを開けませんでした (%1)</source>
        <translation>The file could not be opened (%1)</translation>
    </message>
    <message>
        <source>画像を書き込めませんでした (%1)</source>
        <translation>The picture could not be written (%1)</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした (%1)</source>
        <translation>The file could not be saved (%1)</translation>
    </message>
</context>
<context>
    <name>input::Actions</name>
    <message>
        <source>上へ移動</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>右へ移動</source>
        <translation>Move right</translation>
    </message>
    <message>
        <source>下へ移動</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>左へ移動</source>
        <translation>Move left</translation>
    </message>
    <message>
        <source>走る</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>メニュー・戻る</source>
        <translation>Menu / back</translation>
    </message>
    <message>
        <source>攻撃・使う・決定</source>
        <translation>Attack / use / confirm</translation>
    </message>
    <message>
        <source>決定・捨てる</source>
        <translation>Confirm / drop</translation>
    </message>
    <message>
        <source>装備画面</source>
        <translation>Equipment page</translation>
    </message>
    <message>
        <source>全体マップ画面</source>
        <translation>Whole map page</translation>
    </message>
    <message>
        <source>アイテム詳細画面</source>
        <translation>Item detail page</translation>
    </message>
    <message>
        <source>アイテムを使う</source>
        <translation>Use item</translation>
    </message>
    <message>
        <source>アイテムを捨てる</source>
        <translation>Drop item</translation>
    </message>
    <message>
        <source>メニューを閉じる</source>
        <translation>Close menu</translation>
    </message>
    <message>
        <source>全体マップ切り替え</source>
        <translation>Whole map on/off</translation>
    </message>
    <message>
        <source>アイテム詳細切り替え</source>
        <translation>Item detail on/off</translation>
    </message>
    <message>
        <source>クイックセーブ</source>
        <translation>Quicksave</translation>
    </message>
    <message>
        <source>クイックロード</source>
        <translation>Quickload</translation>
    </message>
    <message>
        <source>スロットにセーブ</source>
        <translation>Save to a slot</translation>
    </message>
    <message>
        <source>スロットからロード</source>
        <translation>Load from a slot</translation>
    </message>
</context>
<context>
    <name>input::BindingPage</name>
    <message>
        <source>解除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>初期設定に戻す</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>初期設定に戻しました。</source>
        <translation>The default bindings are back.</translation>
    </message>
    <message>
        <source>解除する枠を先に選んでください。</source>
        <translation>Choose the place to clear first.</translation>
    </message>
    <message>
        <source>「%1」の割り当てを解除しました。</source>
        <translation>Cleared the binding of &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>このキー</source>
        <translation>This key</translation>
    </message>
    <message>
        <source>「%1」に「%2」を割り当てました。</source>
        <translation>&quot;%1&quot; is now bound to &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>「%1」は既に「%2」に割り当てられています。</source>
        <translation>&quot;%1&quot; is already bound to &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>「%1」は割り当てられません。</source>
        <translation>&quot;%1&quot; cannot be bound.</translation>
    </message>
    <message>
        <source>－</source>
        <translation>-</translation>
    </message>
    <message>
        <source>ただし設定ファイルに書き込めなかったため、次に起動したときは元の設定に戻ります。</source>
        <translation>But the settings file could not be written, so the old bindings return at the next start.</translation>
    </message>
</context>
<context>
    <name>input::GameInput</name>
    <message>
        <source>キー設定</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>ゲームパッド</source>
        <translation>Gamepad</translation>
    </message>
</context>
<context>
    <name>input::Gamepads</name>
    <message>
        <source>ゲームパッド</source>
        <translation>Gamepad</translation>
    </message>
</context>
<context>
    <name>input::KeyBindingsPage</name>
    <message>
        <source>枠をクリックしてから、割り当てたいキーを押してください。</source>
        <translation>Click a place, then press the key to bind to it.</translation>
    </message>
    <message>
        <source>キーを押してください…</source>
        <translation>Press a key...</translation>
    </message>
</context>
<context>
    <name>input::KeyChord</name>
    <message>
        <source>テンキーEnter</source>
        <translation>Keypad Enter</translation>
    </message>
    <message>
        <source>テンキー</source>
        <translation>Keypad </translation>
    </message>
</context>
<context>
    <name>input::PadBindingsPage</name>
    <message>
        <source>スティックの遊び：%1%</source>
        <translation>Stick dead zone: %1%</translation>
    </message>
    <message>
        <source>設定ファイルに書き込めませんでした。</source>
        <translation>The settings file could not be written.</translation>
    </message>
    <message>
        <source>枠をクリックしてから、割り当てたいゲームパッドのボタンを押してください。</source>
        <translation>Click a place, then press the gamepad button to bind to it.</translation>
    </message>
    <message>
        <source>ゲームパッドは使えません（SDL のジョイスティック機能を開始できませんでした）。</source>
        <translation>Gamepads cannot be used (SDL&apos;s joystick support could not start).</translation>
    </message>
    <message>
        <source>ゲームパッドが接続されていません。</source>
        <translation>No gamepad is connected.</translation>
    </message>
    <message>
        <source>接続中：</source>
        <translation>Connected: </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>ボタンを押してください…</source>
        <translation>Press a button...</translation>
    </message>
</context>
<context>
    <name>input::PadInput</name>
    <message>
        <source>左スティック押し込み</source>
        <translation>Left stick press</translation>
    </message>
    <message>
        <source>右スティック押し込み</source>
        <translation>Right stick press</translation>
    </message>
    <message>
        <source>十字キー上</source>
        <translation>D-pad up</translation>
    </message>
    <message>
        <source>十字キー下</source>
        <translation>D-pad down</translation>
    </message>
    <message>
        <source>十字キー左</source>
        <translation>D-pad left</translation>
    </message>
    <message>
        <source>十字キー右</source>
        <translation>D-pad right</translation>
    </message>
    <message>
        <source>左スティック上</source>
        <translation>Left stick up</translation>
    </message>
    <message>
        <source>左スティック下</source>
        <translation>Left stick down</translation>
    </message>
    <message>
        <source>左スティック左</source>
        <translation>Left stick left</translation>
    </message>
    <message>
        <source>左スティック右</source>
        <translation>Left stick right</translation>
    </message>
    <message>
        <source>右スティック上</source>
        <translation>Right stick up</translation>
    </message>
    <message>
        <source>右スティック下</source>
        <translation>Right stick down</translation>
    </message>
    <message>
        <source>右スティック左</source>
        <translation>Right stick left</translation>
    </message>
    <message>
        <source>右スティック右</source>
        <translation>Right stick right</translation>
    </message>
</context>
<context>
    <name>mirovaan_qt::SlotDialog</name>
    <message>
        <source>スロット %1</source>
        <translation>Slot %1</translation>
    </message>
    <message>
        <source>プレイ時間 %1</source>
        <translation>Played %1</translation>
    </message>
    <message>
        <source>上書きしますよ！</source>
        <translation>Overwrite this save?</translation>
    </message>
    <message>
        <source>スロット %1 のセーブデータを上書きしてもよろしいでしょうか？</source>
        <translation>Slot %1 already holds a saved game. Save over it?</translation>
    </message>
    <message>
        <source>スロットにセーブ</source>
        <translation>Save to a Slot</translation>
    </message>
    <message>
        <source>スロットからロード</source>
        <translation>Load from a Slot</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>prefs::DisplayPage</name>
    <message>
        <source>自動（ウィンドウでは広げ、全画面では整数倍）</source>
        <translation>Automatic (fill a window, whole steps in full screen)</translation>
    </message>
    <message>
        <source>ウィンドウいっぱいに広げる</source>
        <translation>Fill the window</translation>
    </message>
    <message>
        <source>縦横の比を保つ</source>
        <translation>Keep the proportions</translation>
    </message>
    <message>
        <source>整数倍（くっきり）</source>
        <translation>Whole steps (sharp)</translation>
    </message>
    <message>
        <source>画面の拡大：</source>
        <translation>Scaling:</translation>
    </message>
    <message>
        <source>全画面で表示する (F11)</source>
        <translation>Full screen (F11)</translation>
    </message>
    <message>
        <source>ウィンドウから離れたらゲームを止める</source>
        <translation>Pause the game when another window is active</translation>
    </message>
    <message>
        <source>ダンジョンに入るときと出るときにオートセーブする</source>
        <translation>Autosave on entering and leaving a dungeon</translation>
    </message>
</context>
<context>
    <name>prefs::LanguagePage</name>
    <message>
        <source>設定ファイルに書き込めなかったため、次に起動したときは元の言語に戻ります。</source>
        <translation>The settings file could not be written, so the next start is in the old language.</translation>
    </message>
    <message>
        <source>メニューと画面の文字がすぐに切り替わります。遊んでいるゲームはそのまま続きます。</source>
        <translation>The menus and every text in the game change at once. The game you are playing goes on.</translation>
    </message>
</context>
<context>
    <name>prefs::PreferencesDialog</name>
    <message>
        <source>サウンド</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>prefs::SoundPage</name>
    <message>
        <source>音楽の音量：</source>
        <translation>Music volume:</translation>
    </message>
    <message>
        <source>効果音の音量：</source>
        <translation>Effects volume:</translation>
    </message>
    <message>
        <source>テスト音を鳴らす</source>
        <translation>Play a Test Sound</translation>
    </message>
    <message>
        <source>選ぶ...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>標準に戻す</source>
        <translation>Use the Standard One</translation>
    </message>
    <message>
        <source>サウンドフォント：</source>
        <translation>Soundfont:</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>音声の出力：</source>
        <translation>Audio output:</translation>
    </message>
    <message>
        <source>サウンドフォントを選ぶ</source>
        <translation>Choose a Soundfont</translation>
    </message>
    <message>
        <source>サウンドフォント (*.sf2 *.sf3);;すべてのファイル (*)</source>
        <translation>Soundfonts (*.sf2 *.sf3);;All files (*)</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>サウンドフォントを読み込めません：
%1

今のサウンドフォントをそのまま使います。</source>
        <translation>The soundfont cannot be read:
%1

The current soundfont stays in use.</translation>
    </message>
    <message>
        <source>（標準）</source>
        <translation>(standard)</translation>
    </message>
    <message>
        <source>標準のサウンドフォントが見つかりません。Debian では fluid-soundfont-gm か timgm6mb-soundfont を入れてください。</source>
        <translation>No standard soundfont was found. On Debian, install fluid-soundfont-gm or timgm6mb-soundfont.</translation>
    </message>
    <message>
        <source>標準：%1</source>
        <translation>Standard: %1</translation>
    </message>
    <message>
        <source>使用中：なし（音は出ません）</source>
        <translation>In use: none (no sound)</translation>
    </message>
    <message>
        <source>使用中：%1</source>
        <translation>In use: %1</translation>
    </message>
</context>
</TS>
