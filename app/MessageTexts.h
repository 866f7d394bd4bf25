#pragma once

#include <string_view>

#include "fileconv/MessageTexts.h"

namespace mxt::app::message {

// The texts the start, the settings and the viewer show; a name or a path goes before a text
// that begins with a space.
inline constexpr char kWrongOption[] =
    MXT_MESSAGE("Message", "コマンドラインオプションに誤りがあります。");
inline constexpr char kMissingParameter[] =
    MXT_MESSAGE("Message", "コマンドラインオプションにパラメータが不足しています。");
// After either of the two, followed by the option and "'".
inline constexpr char kOptionIs[] = MXT_MESSAGE("Message", "\rオプション: '");
inline constexpr char kNoViewer[] = MXT_MESSAGE("Message", "ビューアが指定されていません。");
inline constexpr char kNotConverted[] = MXT_MESSAGE("Message", " は、変換されませんでした。");
inline constexpr char kViewerFailed[] = MXT_MESSAGE("Message", "ビューアの起動に失敗しました。");
inline constexpr char kCannotRead[] = MXT_MESSAGE("Message", " の取得に失敗しました");
inline constexpr char kCannotWriteValue[] = MXT_MESSAGE("Message", " の設定に失敗しました");
inline constexpr char kCannotWriteFile[] = MXT_MESSAGE("Message", " に書き込めません");
inline constexpr char kStoreTooLarge[] =
    MXT_MESSAGE("Message", " は 1 MiB を超えてしまうため、設定を保存しませんでした");
// Shown by the main window after a failed load, after the error's own text.
inline constexpr char kLoadFailed[] =
    MXT_MESSAGE("Message", "レジストリ情報の読み込みに失敗しました。");
// Then this, as what could not be read must not be written over with defaults.
inline constexpr char kSettingsNotSaved[] =
    MXT_MESSAGE("Message", "設定を読み込めなかったため、今回の設定は保存しません。");
inline constexpr char kRestoreDefaults[] =
    MXT_MESSAGE("Message", "すべての設定をデフォルト値に戻しますか ?");
inline constexpr char kUnsupportedOs[] =
    MXT_MESSAGE("Message",
                "このバージョンの MXT は、この OS をサポートしていません。この OS "
                "上での動作は保証されません。プログラムを終了します。");
inline constexpr char kNothingToConvert[] =
    MXT_MESSAGE("Message", "変換するファイルがありません。");
inline constexpr char kBusyInstance[] = MXT_MESSAGE(
    "Message",
    "すでに起動されている MXT は、ビジー状態であるか、まだアクティブなダイアログボックス"
    "があります。");
inline constexpr char kDragDropFailed[] =
    MXT_MESSAGE("Message", "Drag && Drop の処理に失敗しました");
inline constexpr char kInputCodeWarning[] = MXT_MESSAGE(
    "Message",
    "入力漢字コードを [自動検出] 以外に設定すると、漢字コードの自動検出、バイナリファイルの"
    "自動検出は行われなくなります。誤った設定で変換してしまうと、元の状態に復元できなく"
    "なります。十分に注意して下さい。");

inline constexpr char kStandardStreamsTwice[] =
    MXT_MESSAGE("Message", "標準入力と標準出力 (-) は 1 回だけ指定できます。");
inline constexpr char kStandardStreamsWithOutputFile[] =
    MXT_MESSAGE("Message", "標準入力と標準出力 (-) は /O といっしょには使えません。");
inline constexpr char kStandardStreamsInWindow[] =
    MXT_MESSAGE("Message", "標準入力と標準出力 (-) はバッチ実行 (/B) でだけ使えます。");

// Every text above: the window translates a message by the texts it finds in it.
inline constexpr std::string_view kAll[] = {
    kWrongOption,
    kMissingParameter,
    kOptionIs,
    kNoViewer,
    kNotConverted,
    kViewerFailed,
    kCannotRead,
    kCannotWriteValue,
    kCannotWriteFile,
    kStoreTooLarge,
    kLoadFailed,
    kSettingsNotSaved,
    kRestoreDefaults,
    kUnsupportedOs,
    kNothingToConvert,
    kBusyInstance,
    kDragDropFailed,
    kInputCodeWarning,
    kStandardStreamsTwice,
    kStandardStreamsWithOutputFile,
    kStandardStreamsInWindow,
};

}  // namespace mxt::app::message
