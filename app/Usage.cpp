#include "app/Usage.h"

#include "app/IniStore.h"
#include "platform/SystemString.h"

namespace mxt::app {

namespace {

// The manual page packaging/mxt.1.in says the same in English: keep the two in line.
constexpr char kOptions[] = R"(使い方: mxt [オプション...] [ファイル...]
        mxt /B [オプション...] ファイル...

Shift-JIS, EUC, JIS, UTF-8 の文字コードと改行コードを変換します。/B を付けると、指定したファイルを
変換して終了し (バッチ実行)、設定を保存しません。オプションは "/" か "-" で始まり、大文字と
小文字を区別せず、左から順に適用されます。

  /B              バッチ実行。変換オプションを既定値に戻すので最初に置きます。既定値は
                  出力 Shift-JIS、入力は自動判定、改行はそのまま、Ctrl-Z は残す、
                  対応は Windows、出力コードにない文字があるファイルは変換しない、
                  最終更新日時は保たない、JIS は ESC $B / ESC (J、8 ビット、名前の変更で置換
  /S /E /J        出力コードを Shift-JIS、EUC、JIS (ESC $B / ESC (J) にする
  /BJ /OJ /NJ     JIS を ESC $B / ESC (B、ESC $@ / ESC (J、ESC K / ESC H で出力する
  /W /WB          出力コードを UTF-8 (BOM なし / BOM 付き) にする
  /IA             入力コードを自動判定する
  /IS /IE /IJ /IW 入力コードを Shift-JIS、EUC、JIS、UTF-8 と決める
  /XW /XJ         〜 ∥ － ￠ ￡ ￢ の対応を Windows (CP932) / JIS (Unix) にする
  /FS /FG /FX     出力コードにない文字があるとき、ファイルを変換しない / 〓 にする /
                  &#x1F600; の形にする
  /M /U /MA /N    改行を CR LF、LF、CR にする、またはそのままにする
  /L /L-          改行がすでに同じでも書き直す / 書き直さない
  /7 /8           JIS を 7 ビット (半角カナは SO と SI の間) / 8 ビットで書き、読む
  /Z /Z-          末尾の Ctrl-Z を取り除く / 残す
  /P /P-          最終更新日時を保つ / 保たない
  /TR /TC         テンポラリファイルを名前の変更で / コピーで元のファイルに置き換える
  /K /K-          変換前のファイルを 名前~ として残す / 残さない (名前~ があれば変換しない)
  /R              指定したフォルダとワイルドカードのフォルダを、下の階層まで探す
  /D              何も書かずに、変換したときの結果だけを表示する (/B のときだけ)
  /O ファイル      変換結果をこのファイルに続けて書き出し、元のファイルはそのままにする
  /V              元のファイルに上書きする
  /UE /US /UD     起動時、ファイル選択時、ドロップ時に変換する ("-" を付けると取り消し)
  /UQ /UF         変換後に終了する、長いファイル名を省略しない ("-" を付けると取り消し)
  /INIFILE        最初の引数のとき、設定をプログラムと同じフォルダの mxt.INI から読む
  /HELP -h --help /?
                  この説明を表示する
  /VERSION --version
                  バージョンを表示する

ワイルドカードは * と ? だけです。"/" で始まる引数は、ほかに "/" を含まないときだけ
オプションです (ルートフォルダのファイルは //名前 と書きます)。/R では、シンボリックリンクの
フォルダはたどらず、"." で始まるファイルとフォルダは名前を指定したときだけ含めます。
ファイル名 - は標準入力を読んで標準出力に書きます (1 回だけ、/O とともには使えません)。
-- のあとの引数は、"-" や "/" で始まっていてもすべてファイル名です。

終了コード:
  0  変換が最後までエラーなく終わった
  1  エラーで変換が終わった、コマンドラインに誤りがある、またはファイルが見つからなかった
  2  起動できなかった
)";

}  // namespace

std::string UsageText() {
  return kOptions + ("\n設定ファイル: " + platform::SystemStringToUtf8(PerUserStorePath()) + "\n");
}

}  // namespace mxt::app
