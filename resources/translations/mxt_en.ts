<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AboutDialog</name>
    <message>
        <source>MXT について</source>
        <translation>About MXT</translation>
    </message>
</context>
<context>
    <name>HelpContext</name>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>HelpManual</name>
    <message>
        <source>help/mxt.html</source>
        <translation>help/mxt.en.html</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>MXT ヘルプ</source>
        <translation>MXT Help</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>キーワード</source>
        <translation>Keywords</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>キーワード(&amp;K):</source>
        <translation>&amp;Keyword:</translation>
    </message>
    <message>
        <source>表示(&amp;D)</source>
        <translation>&amp;Display</translation>
    </message>
    <message>
        <source>キーワードの一覧</source>
        <translation>List of keywords</translation>
    </message>
    <message>
        <source>検索する語(&amp;W):</source>
        <translation>&amp;Words to search for:</translation>
    </message>
    <message>
        <source>検索(&amp;S)</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>見つかったトピック</source>
        <translation>Topics found</translation>
    </message>
    <message>
        <source>見つかりませんでした。</source>
        <translation>Nothing was found.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>出力ファイルへの矢印</source>
        <translation>Arrow to the output file</translation>
    </message>
    <message>
        <source>MXT は変換中です。MXT を終了してもよろしいですか。</source>
        <translation>MXT is converting. Do you really want to exit MXT?</translation>
    </message>
    <message>
        <source>Shift-JIS| 漢字コードを Shift-JIS に設定します。</source>
        <translation>Shift-JIS| Sets the kanji code to Shift-JIS.</translation>
    </message>
    <message>
        <source>EUC| 漢字コードを EUC に設定します。</source>
        <translation>EUC| Sets the kanji code to EUC.</translation>
    </message>
    <message>
        <source>JIS| 漢字コードを JIS に設定します。</source>
        <translation>JIS| Sets the kanji code to JIS.</translation>
    </message>
    <message>
        <source>UTF-8| 文字コードを UTF-8 に設定します。</source>
        <translation>UTF-8| Sets the character code to UTF-8.</translation>
    </message>
    <message>
        <source>CR LF| 改行コードを Windows,DOS 形式 (CR LF) に設定します。</source>
        <translation>CR LF| Sets the newline code to the Windows and DOS form (CR LF).</translation>
    </message>
    <message>
        <source>LF| 改行コードを UNIX 形式 (LF) に設定します。</source>
        <translation>LF| Sets the newline code to the UNIX form (LF).</translation>
    </message>
    <message>
        <source>CR| 改行コードを Mac 形式 (CR) に設定します。</source>
        <translation>CR| Sets the newline code to the Mac form (CR).</translation>
    </message>
    <message>
        <source>ファイル一覧</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>出力ファイル</source>
        <translation>Output file</translation>
    </message>
    <message>
        <source>変換(&amp;C)</source>
        <translation>&amp;Convert</translation>
    </message>
    <message>
        <source> コードの変換を開始します。</source>
        <translation> Starts converting the codes.</translation>
    </message>
    <message>
        <source>ファイルを選択| コードを変換するファイルを選択します。</source>
        <translation>Select Files| Selects the files whose code to convert.</translation>
    </message>
    <message>
        <source>上書き| 元のファイルに上書きする設定にします。</source>
        <translation>Overwrite| Writes the converted text over the original files.</translation>
    </message>
    <message>
        <source>別ファイルに出力| 出力先のファイルを設定します。</source>
        <translation>Output to Another File| Sets the file to write the output to.</translation>
    </message>
    <message>
        <source> 他のアプリケーションに Drag &amp; Drop できます。</source>
        <translation> The files can be dragged to other applications.</translation>
    </message>
    <message>
        <source>MXT にはまだアクティブなダイアログボックスがあります。Drag &amp;&amp; Drop などは無視されます。</source>
        <translation>MXT still has an active dialog box. Dropped files and the like are ignored.</translation>
    </message>
    <message>
        <source>MXT は変換中です。Drag &amp;&amp; Drop などは無視されます。</source>
        <translation>MXT is converting. Dropped files and the like are ignored.</translation>
    </message>
    <message>
        <source>ファイルを選択</source>
        <translation>Select Files</translation>
    </message>
    <message>
        <source>%1 個のテンポラリファイルは、すでに存在しないか現在使用中などの理由により、削除できませんでした。</source>
        <translation>%1 temporary files could not be deleted, because they no longer exist, are in use or for a similar reason.</translation>
    </message>
    <message>
        <source>中断(&amp;B)</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>| ヘルプの目次を開きます。</source>
        <translation>| Opens the contents of the help.</translation>
    </message>
    <message>
        <source>キーワードで検索(&amp;S)...</source>
        <translation>&amp;Search by Keyword...</translation>
    </message>
    <message>
        <source> キーワードでヘルプを検索します。</source>
        <translation> Searches the help by keyword.</translation>
    </message>
    <message>
        <source>出力コード(&amp;O)...</source>
        <translation>&amp;Output Code...</translation>
    </message>
    <message>
        <source>| 出力側の漢字コード、改行コードなどを設定します。</source>
        <translation>| Sets the output kanji code, newline code and more.</translation>
    </message>
    <message>
        <source>入力コード(&amp;I)...</source>
        <translation>&amp;Input Code...</translation>
    </message>
    <message>
        <source>| 入力側の漢字コードを設定します。</source>
        <translation>| Sets the input kanji code.</translation>
    </message>
    <message>
        <source>ファイル全般(&amp;F)...</source>
        <translation>&amp;File...</translation>
    </message>
    <message>
        <source>| ファイル操作全般に関する設定をします。</source>
        <translation>| Sets how files are handled.</translation>
    </message>
    <message>
        <source>ビューア(&amp;V)...</source>
        <translation>&amp;Viewer...</translation>
    </message>
    <message>
        <source>| ビューアのパス名、引数を設定します。</source>
        <translation>| Sets the viewer&apos;s path and arguments.</translation>
    </message>
    <message>
        <source>ユーザインタフェース(&amp;U)...</source>
        <translation>&amp;User Interface...</translation>
    </message>
    <message>
        <source>| ユーザとの対話に関する設定をします。</source>
        <translation>| Sets how MXT works with you.</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>ファイルを選択(&amp;S)...</source>
        <translation>&amp;Select Files...</translation>
    </message>
    <message>
        <source>| コードを変換するファイルを選択します。</source>
        <translation>| Selects the files whose code to convert.</translation>
    </message>
    <message>
        <source>クリア(&amp;L)</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>| ファイルの選択をクリアします。</source>
        <translation>| Clears the list of selected files.</translation>
    </message>
    <message>
        <source>上書き(&amp;V)</source>
        <translation>O&amp;verwrite</translation>
    </message>
    <message>
        <source>| 元のファイルに上書きする設定にします。</source>
        <translation>| Writes the converted text over the original files.</translation>
    </message>
    <message>
        <source>別ファイルに出力(&amp;A)...</source>
        <translation>Output to &amp;Another File...</translation>
    </message>
    <message>
        <source>| 出力先のファイルを設定します。</source>
        <translation>| Sets the file to write the output to.</translation>
    </message>
    <message>
        <source>| コードの変換を開始します。</source>
        <translation>| Starts converting the codes.</translation>
    </message>
    <message>
        <source>MXT の終了(&amp;X)</source>
        <translation>E&amp;xit MXT</translation>
    </message>
    <message>
        <source>| MXT を終了します。</source>
        <translation>| Exits MXT.</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ビュー(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>| ビューアを起動します。</source>
        <translation>| Opens the file in the viewer.</translation>
    </message>
    <message>
        <source>変換ビュー(&amp;C)</source>
        <translation>&amp;Converted View</translation>
    </message>
    <message>
        <source>| 一時的に変換して、ビューアを起動します。</source>
        <translation>| Converts the file for the moment and opens it in the viewer.</translation>
    </message>
    <message>
        <source>フォント(&amp;F)...</source>
        <translation>&amp;Font...</translation>
    </message>
    <message>
        <source>| フォントを設定します。</source>
        <translation>| Sets the font of the lists.</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>デフォルト(&amp;D)</source>
        <translation>&amp;Defaults</translation>
    </message>
    <message>
        <source>| すべての設定をデフォルト値にします。</source>
        <translation>| Restores every setting to its default.</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>トピックの検索(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>| ヘルプのトピックを検索します。</source>
        <translation>| Searches the topics of the help.</translation>
    </message>
    <message>
        <source>MXT について(&amp;A)...</source>
        <translation>&amp;About MXT...</translation>
    </message>
    <message>
        <source>| プログラムの情報を表示します。</source>
        <translation>| Shows information about the program.</translation>
    </message>
    <message>
        <source>ファイルを選択...</source>
        <translation>Select Files...</translation>
    </message>
    <message>
        <source> コードを変換するファイルを選択します。</source>
        <translation> Selects the files whose code to convert.</translation>
    </message>
    <message>
        <source> Shift-JIS, CR LF に設定します。</source>
        <translation> Sets Shift-JIS with CR LF.</translation>
    </message>
    <message>
        <source> EUC, LF に設定します。</source>
        <translation> Sets EUC with LF.</translation>
    </message>
    <message>
        <source> JIS, LF に設定します。</source>
        <translation> Sets JIS with LF.</translation>
    </message>
    <message>
        <source> UTF-8, LF に設定します。</source>
        <translation> Sets UTF-8 with LF.</translation>
    </message>
    <message>
        <source> Shift-JIS に設定します。</source>
        <translation> Sets Shift-JIS, leaving the newlines as they are.</translation>
    </message>
    <message>
        <source> EUC に設定します。</source>
        <translation> Sets EUC, leaving the newlines as they are.</translation>
    </message>
    <message>
        <source> JIS に設定します。</source>
        <translation> Sets JIS, leaving the newlines as they are.</translation>
    </message>
    <message>
        <source> UTF-8 に設定します。</source>
        <translation> Sets UTF-8, leaving the newlines as they are.</translation>
    </message>
    <message>
        <source>別ファイルに出力</source>
        <translation>Output to Another File</translation>
    </message>
    <message>
        <source>ステータスライン</source>
        <translation>Status line</translation>
    </message>
    <message>
        <source>メインウィンドウの作成に失敗しました。</source>
        <translation>Creating the main window failed.</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>コマンドラインオプションに誤りがあります。</source>
        <translation>A command-line option is wrong.</translation>
    </message>
    <message>
        <source>コマンドラインオプションにパラメータが不足しています。</source>
        <translation>A command-line option lacks its parameter.</translation>
    </message>
    <message>
        <source><byte value="xd"/>オプション: &apos;</source>
        <translation><byte value="xd"/>Option: &apos;</translation>
    </message>
    <message>
        <source>ビューアが指定されていません。</source>
        <translation>No viewer is set.</translation>
    </message>
    <message>
        <source> は、変換されませんでした。</source>
        <translation> was not converted.</translation>
    </message>
    <message>
        <source>ビューアの起動に失敗しました。</source>
        <translation>Starting the viewer failed.</translation>
    </message>
    <message>
        <source> の取得に失敗しました</source>
        <translation> could not be read</translation>
    </message>
    <message>
        <source> の設定に失敗しました</source>
        <translation> could not be written</translation>
    </message>
    <message>
        <source> に書き込めません</source>
        <translation> cannot be written to</translation>
    </message>
    <message>
        <source> は 1 MiB を超えてしまうため、設定を保存しませんでした</source>
        <translation> would grow past 1 MiB, so the settings were not saved</translation>
    </message>
    <message>
        <source>レジストリ情報の読み込みに失敗しました。</source>
        <translation>Reading the stored settings failed.</translation>
    </message>
    <message>
        <source>設定を読み込めなかったため、今回の設定は保存しません。</source>
        <translation>The settings could not be read, so they will not be saved this time.</translation>
    </message>
    <message>
        <source>すべての設定をデフォルト値に戻しますか ?</source>
        <translation>Restore every setting to its default value?</translation>
    </message>
    <message>
        <source>このバージョンの MXT は、この OS をサポートしていません。この OS 上での動作は保証されません。プログラムを終了します。</source>
        <translation>This version of MXT does not support this operating system, and it is not known to work on it. The program ends.</translation>
    </message>
    <message>
        <source>変換するファイルがありません。</source>
        <translation>There are no files to convert.</translation>
    </message>
    <message>
        <source>すでに起動されている MXT は、ビジー状態であるか、まだアクティブなダイアログボックスがあります。</source>
        <translation>The MXT that is already running is busy or still has an active dialog box.</translation>
    </message>
    <message>
        <source>Drag &amp;&amp; Drop の処理に失敗しました</source>
        <translation>Handling the dropped files failed</translation>
    </message>
    <message>
        <source>入力漢字コードを [自動検出] 以外に設定すると、漢字コードの自動検出、バイナリファイルの自動検出は行われなくなります。誤った設定で変換してしまうと、元の状態に復元できなくなります。十分に注意して下さい。</source>
        <translation>With an input kanji code other than [Automatic], neither the kanji code nor binary files are detected any more. A file converted with the wrong setting cannot be brought back to what it was. Take great care.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>ｴﾗｰ</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>終了の要求を受けたため、変換を中断しました</source>
        <translation>The conversion was aborted, because MXT was asked to end</translation>
    </message>
    <message>
        <source>変換を中断しました</source>
        <translation>The conversion was aborted</translation>
    </message>
    <message>
        <source><byte value="xd"/>このファイルは、すでに入力元として指定されているため、出力先には指定できません。</source>
        <translation><byte value="xd"/>This file is already an input file, so it cannot be the output file.</translation>
    </message>
    <message>
        <source><byte value="xd"/>このファイルのフォルダがないため、出力先には指定できません。</source>
        <translation><byte value="xd"/>This file&apos;s folder does not exist, so it cannot be the output file.</translation>
    </message>
    <message>
        <source><byte value="xd"/>このファイルは、すでに出力先として指定されているため、入力元には指定できません。</source>
        <translation><byte value="xd"/>This file is already the output file, so it cannot be an input file.</translation>
    </message>
    <message>
        <source>同じファイルに、前回出力した漢字コードと違う漢字コードを出力しようとしています。変換をキャンセルします。</source>
        <translation>This would write another kanji code than the one last written to the same file. The conversion is cancelled.</translation>
    </message>
    <message>
        <source>変換し直しますか ?</source>
        <translation>Convert again?</translation>
    </message>
    <message>
        <source><byte value="xd"/>出力先の指定にワイルドカードを含めることはできません。</source>
        <translation><byte value="xd"/>The output file cannot contain wildcards.</translation>
    </message>
    <message>
        <source><byte value="xd"/>出力先の指定にファイル名が含まれていません。</source>
        <translation><byte value="xd"/>The output file has no file name.</translation>
    </message>
    <message>
        <source> をオープンできません</source>
        <translation> cannot be opened</translation>
    </message>
    <message>
        <source>テンポラリファイルを作成できません</source>
        <translation>A temporary file cannot be created</translation>
    </message>
    <message>
        <source>読み込んだサイズとファイルのサイズが一致しません</source>
        <translation>The size read differs from the file&apos;s size</translation>
    </message>
    <message>
        <source> は、変換中に別のファイルと入れ替えられたため、置き換えませんでした</source>
        <translation> was not replaced, because another file took its place during the conversion</translation>
    </message>
    <message>
        <source> は、変換中にほかのプログラムが書き換えたため、置き換えませんでした</source>
        <translation> was not replaced, because another program changed it during the conversion</translation>
    </message>
    <message>
        <source>タイムスタンプのセットに失敗しました</source>
        <translation>Setting the time stamp failed</translation>
    </message>
    <message>
        <source>テンポラリファイルのコピーに失敗しました</source>
        <translation>Copying the temporary file failed</translation>
    </message>
    <message>
        <source>)。変換した内容は </source>
        <translation>). The converted text is in </translation>
    </message>
    <message>
        <source> にあります</source>
        <translation>.</translation>
    </message>
    <message>
        <source> 個のファイルは、すでに選択されていたため追加されませんでした。</source>
        <translation> files were not added, because they had already been selected.</translation>
    </message>
    <message>
        <source> を作成できません: </source>
        <translation> cannot be created: </translation>
    </message>
    <message>
        <source>標準入力と標準出力 (-) は 1 回だけ指定できます。</source>
        <translation>Standard input and output (-) can be named only once.</translation>
    </message>
    <message>
        <source>標準入力と標準出力 (-) は /O といっしょには使えません。</source>
        <translation>Standard input and output (-) cannot be used with /O.</translation>
    </message>
    <message>
        <source>標準入力と標準出力 (-) はバッチ実行 (/B) でだけ使えます。</source>
        <translation>Standard input and output (-) can be used in a batch run (/B) only.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ビューア 参照</source>
        <translation>Browse for the Viewer</translation>
    </message>
    <message>
        <source>Applications (*)</source>
        <translation>Applications (*)</translation>
    </message>
    <message>
        <source>Shift-JIS(&amp;S)</source>
        <translation>&amp;Shift-JIS</translation>
    </message>
    <message>
        <source>EUC(&amp;E)</source>
        <translation>&amp;EUC</translation>
    </message>
    <message>
        <source>JIS(&amp;J)</source>
        <translation>&amp;JIS</translation>
    </message>
    <message>
        <source>UTF-8(&amp;8)</source>
        <translation>UTF-&amp;8</translation>
    </message>
    <message>
        <source>変換しない(&amp;N)</source>
        <translation>&amp;No change</translation>
    </message>
    <message>
        <source>CR LF(&amp;M)</source>
        <translation>CR LF (&amp;Windows)</translation>
    </message>
    <message>
        <source>LF(&amp;U)</source>
        <translation>LF (&amp;Unix)</translation>
    </message>
    <message>
        <source>CR(&amp;A)</source>
        <translation>CR (&amp;Mac)</translation>
    </message>
    <message>
        <source>自動検出(&amp;A)</source>
        <translation>&amp;Automatic</translation>
    </message>
    <message>
        <source>Windows (CP932)(&amp;W)</source>
        <translation>&amp;Windows (CP932)</translation>
    </message>
    <message>
        <source>JIS (Unix)(&amp;X)</source>
        <translation>JIS (Uni&amp;x)</translation>
    </message>
    <message>
        <source>ファイルを変換しない(&amp;K)</source>
        <translation>S&amp;kip the file</translation>
    </message>
    <message>
        <source>〓 にする(&amp;G)</source>
        <translation>Write the &amp;geta mark 〓</translation>
    </message>
    <message>
        <source>&amp;&amp;#x1F600; の形にする(&amp;F)</source>
        <translation>Write a re&amp;ference such as &amp;&amp;#x1F600;</translation>
    </message>
    <message>
        <source>テンポラリファイルをリネーム(&amp;R)</source>
        <translation>&amp;Rename the temporary file</translation>
    </message>
    <message>
        <source>テンポラリファイルをコピー(&amp;C)</source>
        <translation>&amp;Copy the temporary file</translation>
    </message>
    <message>
        <source>UTF-8 に BOM を付ける(&amp;B)</source>
        <translation>UTF-8 with a &amp;BOM</translation>
    </message>
    <message>
        <source>7bit モード(&amp;7)</source>
        <translation>&amp;7-bit mode</translation>
    </message>
    <message>
        <source>末尾の ^Z を削除(&amp;Z)</source>
        <translation>Remove a trailing ^&amp;Z</translation>
    </message>
    <message>
        <source>タイムスタンプを保存(&amp;T)</source>
        <translation>Keep the &amp;time stamp</translation>
    </message>
    <message>
        <source>起動後、すぐに変換を開始(&amp;E)</source>
        <translation>Convert when MXT s&amp;tarts</translation>
    </message>
    <message>
        <source>ファイル選択後、すぐに変換を開始(&amp;S)</source>
        <translation>Convert when files are &amp;selected</translation>
    </message>
    <message>
        <source>Drag &amp;&amp; Drop 後、すぐに変換を開始(&amp;D)</source>
        <translation>Convert when files are &amp;dropped</translation>
    </message>
    <message>
        <source>変換後、MXT を終了(&amp;Q)</source>
        <translation>&amp;Quit after converting</translation>
    </message>
    <message>
        <source>長いファイル名を省略表示しない(&amp;F)</source>
        <translation>Show long &amp;file names in full</translation>
    </message>
    <message>
        <source>パス名(&amp;P):</source>
        <translation>&amp;Path:</translation>
    </message>
    <message>
        <source>コマンドライン引数(&amp;C):</source>
        <translation>&amp;Command-line arguments:</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>出力漢字コード</source>
        <translation>Output kanji code</translation>
    </message>
    <message>
        <source>ESC シーケンス(&amp;Q):</source>
        <translation>ESC se&amp;quence:</translation>
    </message>
    <message>
        <source>出力改行コード</source>
        <translation>Output newline code</translation>
    </message>
    <message>
        <source>入力漢字コード</source>
        <translation>Input kanji code</translation>
    </message>
    <message>
        <source>文字の対応 (〜 ∥ － ￠ ￡ ￢)</source>
        <translation>Character mapping (〜 ∥ － ￠ ￡ ￢)</translation>
    </message>
    <message>
        <source>上書き方法</source>
        <translation>How to overwrite</translation>
    </message>
    <message>
        <source>出力コードにない文字</source>
        <translation>Characters the output code lacks</translation>
    </message>
    <message>
        <source>参照(&amp;B)...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>言語(&amp;L):</source>
        <translation>&amp;Language:</translation>
    </message>
    <message>
        <source>次回の起動から有効になります。</source>
        <translation>Takes effect the next time MXT starts.</translation>
    </message>
    <message>
        <source>変換前のファイルを NAME~ として残す(&amp;B)</source>
        <translation>Keep a &amp;backup of each source as NAME~</translation>
    </message>
    <message>
        <source>フォルダ内のファイルも追加(&amp;A)</source>
        <translation>&amp;Add the files of dropped folders</translation>
    </message>
</context>
</TS>
