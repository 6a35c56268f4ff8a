// The program's own stop messages, all by one rule (the editor's long-standing messages keep
// their texts, in message_texts.h). A stop message shows, in this order:
//   what happened, naming the file or package it concerns;
//   the one next step;
//   the stop line, which the caller chooses by what the run has changed so far:
//     nothing yet (at start-up, before the mode is decided, a run is a setup)
//         kSetupCancelled, kUninstallCancelled                                   中止
//     a setup after changes: kSetupInterruptedCopiesStay                         中断
//     an uninstall after the menu entries went: kUninstallInterruptedFilesStay   中断
//     an uninstall while files are deleted: kUninstallInterruptedInDeletion      中断
// Its icon: kStopIcon for a fault of the package or of the machine (a path too long, the
// registry, a menu changed meanwhile), kWarningIcon for a failed file operation. Texts are
// half-width katakana, and files are named by their real names.
#pragma once

#include "ui/message_texts.h"

namespace aof {

inline constexpr char kSetupInterruptedCopiesStay[] =
    "ｺﾋﾟｰしたﾌｧｲﾙは残したまま、ｾｯﾄｱｯﾌﾟを中断します。";
inline constexpr char kUninstallInterruptedFilesStay[] =
    "ﾒﾆｭｰから削除し、ﾌｧｲﾙ / ﾌｫﾙﾀﾞは残したまま、ｱﾝｲﾝｽﾄｰﾙを中断します。";
inline constexpr char kUninstallInterruptedInDeletion[] =
    "ﾒﾆｭｰから削除し、ﾌｧｲﾙ / ﾌｫﾙﾀﾞの一部を削除したところで、ｱﾝｲﾝｽﾄｰﾙを中断します。";

// Follows a next step that ends in "て".
inline constexpr char kRunAgain[] = "から、もう一度実行してください。";

constexpr unsigned char kStopIcon = 0x10;    // MB_ICONSTOP
constexpr unsigned char kWarningIcon = 0x30; // MB_ICONEXCLAMATION

struct StopMessage {
    const char *what; // may hold %s for a file or package (two at most)
    const char *next;
    bool runAgain; // the next step goes on with kRunAgain
    unsigned char icon;
};

enum StopId {
    kStopPathTooLong,
    kStopUninstallInfoPathTooLong,
    kStopEntryPathTooLong,
    kStopMacroFolderTooLong,
    kStopEditorFolderUnknown,
    kStopSharedUninstallInfo,
    kStopMenuChanged,
    kStopRecordUnreadable,
    kStopRecordUnwritable,
    kStopFileUnreadable,
    kStopUnreadableWhileDeleting,
    kStopUninstallInfoCopyFailed,
    kStopCount
};

// One row each: what happened; the next step (then "run again"?); the icon. The comment names
// where it is shown and so its stop lines.
// clang-format off
inline constexpr StopMessage kStopMessages[kStopCount] = {
    // kStopPathTooLong: the setup-info file's or the program's own path (start-up)
    {"ﾊﾟｽ名が長すぎます。",
     "ｾｯﾄｱｯﾌﾟ元のﾌｫﾙﾀﾞを短いﾊﾟｽ名の場所へ移して", true, kStopIcon},
    // kStopUninstallInfoPathTooLong: UnInstallInfoPath expanded (start-up)
    {"ｱﾝｲﾝｽﾄｰﾙ情報ﾌｫﾙﾀﾞのﾊﾟｽ名が長すぎます。",
     "製作者宛に連絡してください。", false, kStopIcon},
    // kStopEntryPathTooLong: an entry of the lists, named by its file name (setup interrupted)
    {"'%s'\n\nﾊﾟｽ名が長すぎるため、このﾌｧｲﾙをｺﾋﾟｰできません。",
     "製作者宛に連絡してください。", false, kStopIcon},
    // kStopMacroFolderTooLong: MacroPath, or the editor folder and its MACRO (start-up)
    {"青筆ｴﾃﾞｨﾀのﾏｸﾛﾌｫﾙﾀﾞのﾊﾟｽ名が長すぎます。",
     "青筆ｴﾃﾞｨﾀのﾏｸﾛﾌｫﾙﾀﾞを短いﾊﾟｽ名の場所に変えて", true, kStopIcon},
    // kStopEditorFolderUnknown: UninstallString gives no folder (start-up)
    {"青筆ｴﾃﾞｨﾀのｲﾝｽﾄｰﾙ先ﾌｫﾙﾀﾞがﾚｼﾞｽﾄﾘから分かりません。",
     "青筆ｴﾃﾞｨﾀをｲﾝｽﾄｰﾙし直して", true, kStopIcon},
    // kStopSharedUninstallInfo: this package and the other one, each its SetupName or, without
    // one, its InternalName (start-up)
    {"%s\n\nは、すでにｾｯﾄｱｯﾌﾟされている\n\n%s\n\nと同じｱﾝｲﾝｽﾄｰﾙ情報ﾌｧｲﾙを使います。"
     "このままでは、そのﾏｸﾛのｱﾝｲﾝｽﾄｰﾙ情報が壊れます。",
     "先にそのﾏｸﾛを、ﾌｧｲﾙの削除まで含めてｱﾝｲﾝｽﾄｰﾙして", true, kStopIcon},
    // kStopMenuChanged: the editor's tables changed since this run read them (setup
    // interrupted; uninstall cancelled, or interrupted for the sub-menu name)
    {"実行中に青筆ｴﾃﾞｨﾀの『ﾏｸﾛ(M)』ﾒﾆｭｰが変更されました。起動中の青筆が保存したようです。",
     "常駐青筆を含むすべての青筆を終了させて", true, kStopIcon},
    // kStopRecordUnreadable (start-up; uninstall cancelled, or interrupted)
    {"ﾚｼﾞｽﾄﾘの Brenlo\\AofMacroSetup ｷｰが開けません。",
     "このｷｰのｱｸｾｽ権を確認して", true, kStopIcon},
    // kStopRecordUnwritable (setup cancelled, or interrupted; uninstall interrupted)
    {"ﾚｼﾞｽﾄﾘの Brenlo\\AofMacroSetup ｷｰに書き込めません。",
     "このｷｰのｱｸｾｽ権を確認して", true, kStopIcon},
    // kStopFileUnreadable: the setup-info file or the uninstall-info copy (start-up; setup and
    // uninstall cancelled, or interrupted)
    {"'%s'\n\nこのﾌｧｲﾙが読めなくなりました。ﾃﾞｨｽｸが取り出されたか、他のﾌﾟﾛｸﾞﾗﾑが使用中の可能性があります。",
     "ﾃﾞｨｽｸを入れ直すか、そのﾌﾟﾛｸﾞﾗﾑを終了させて", true, kWarningIcon},
    // kStopUnreadableWhileDeleting: the uninstall-info copy once the record has gone, so that a
    // run again would install (uninstall interrupted, deletion interrupted)
    {"'%s'\n\nこのﾌｧｲﾙが読めなくなりました。ﾃﾞｨｽｸが取り出されたか、他のﾌﾟﾛｸﾞﾗﾑが使用中の可能性があります。",
     "残ったﾌｧｲﾙ / ﾌｫﾙﾀﾞは手動で削除してください。", false, kWarningIcon},
    // kStopUninstallInfoCopyFailed: the uninstall-info folder and the setup-info file's own
    // name (setup interrupted)
    {"ｱﾝｲﾝｽﾄｰﾙ情報ﾌｫﾙﾀﾞ\n\n'%s'\n\nに %s をｺﾋﾟｰできませんでした。",
     "そのﾌｫﾙﾀﾞに書き込めることを確認して", true, kWarningIcon},
};
// clang-format on

} // namespace aof
