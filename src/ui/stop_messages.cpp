#include "ui/stop_messages.h"

#include "common/format.h"

namespace aof {

// The tables are defined here alone: every file that used them would otherwise bring its own
// copy of their texts into the program.
const char *const kStopLines[kLineCount] = {
    kSetupCancelled,
    kUninstallCancelled,
    "青筆ｴﾃﾞｨﾀのﾏｸﾛﾌｫﾙﾀﾞを作成したところで、ｾｯﾄｱｯﾌﾟを中断します。",
    "ｺﾋﾟｰしたﾌｧｲﾙは残したまま、ｾｯﾄｱｯﾌﾟを中断します。",
    "ﾒﾆｭｰから削除し、ﾌｧｲﾙ / ﾌｫﾙﾀﾞは残したまま、ｱﾝｲﾝｽﾄｰﾙを中断します。",
    "ﾒﾆｭｰから削除し、ﾌｧｲﾙ / ﾌｫﾙﾀﾞの一部を削除したところで、ｱﾝｲﾝｽﾄｰﾙを中断します。",
    "ﾒﾆｭｰから削除し、ﾌｧｲﾙ / ﾌｫﾙﾀﾞも削除したところで、ｱﾝｲﾝｽﾄｰﾙを中断します。",
    "ｾｯﾄｱｯﾌﾟは続けます。",
};

// One row each: what happened; the next step (then "run again"?); the icon. The comment names
// where it is shown.
// clang-format off
const StopMessage kStopMessages[kStopCount] = {
    // kStopPathTooLong: the setup-info file's or the program's own path (start-up)
    {"ﾊﾟｽ名が長すぎます。",
     "ｾｯﾄｱｯﾌﾟ元のﾌｫﾙﾀﾞを短いﾊﾟｽ名の場所へ移して", true, kStopIcon},
    // kStopUninstallInfoPathTooLong: UnInstallInfoPath expanded, or a copy in it (start-up)
    {"ｱﾝｲﾝｽﾄｰﾙ情報ﾌｫﾙﾀﾞのﾊﾟｽ名が長すぎます。",
     "製作者宛に連絡してください。", false, kStopIcon},
    // kStopEntryPathTooLong: an entry of the lists, named by its file name (a setup's copies)
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
    // kStopRunAlreadyGoing: the package's SetupName; another run of it is alive (start-up).
    // Nothing is at fault, and that run goes on: the information icon.
    {"%s\n\nのｾｯﾄｱｯﾌﾟまたはｱﾝｲﾝｽﾄｰﾙが、すでに実行中です。",
     "実行中のほうの画面で続けてください。", false, kInformationIcon},
    // kStopMenuChanged: the editor's tables changed since this run read them (a setup's or an
    // uninstall's tables stored)
    {"実行中に青筆ｴﾃﾞｨﾀの『ﾏｸﾛ(M)』ﾒﾆｭｰが変更されました。起動中の青筆が保存したようです。",
     "常駐青筆を含むすべての青筆を終了させて", true, kStopIcon},
    // kStopRecordUnreadable (start-up; an uninstall's registration taken out)
    {"ﾚｼﾞｽﾄﾘの Brenlo\\AofMacroSetup ｷｰが開けません。",
     "このｷｰのｱｸｾｽ権を確認して", true, kStopIcon},
    // kStopRecordUnwritable (the run's mark; a setup's slots and version; an uninstall's end)
    {"ﾚｼﾞｽﾄﾘの Brenlo\\AofMacroSetup ｷｰに書き込めません。",
     "このｷｰのｱｸｾｽ権を確認して", true, kStopIcon},
    // kStopFileUnreadable: the setup-info file or the uninstall-info copy (start-up; the lists
    // read; a macro entry gone; the copy made; the copy deleted)
    {"'%s'\n\nこのﾌｧｲﾙが読めなくなりました。ﾃﾞｨｽｸが取り出されたか、他のﾌﾟﾛｸﾞﾗﾑが使用中の可能性があります。",
     "ﾃﾞｨｽｸを入れ直すか、そのﾌﾟﾛｸﾞﾗﾑを終了させて", true, kWarningIcon},
    // kStopUninstallInfoCopyFailed: the uninstall-info folder, then the setup-info file's own
    // name (a setup's copies)
    {"ｱﾝｲﾝｽﾄｰﾙ情報ﾌｫﾙﾀﾞ\n\n'%s'\n\nに %s をｺﾋﾟｰできませんでした。",
     "そのﾌｫﾙﾀﾞに書き込めることを確認して", true, kWarningIcon},
    // kStopProgramCopyFailed: the program copy, then the running program, which uninstalls the
    // package instead (a setup's copies; the setup goes on, without an installed-apps entry)
    {"'%s'\n\nｱﾝｲﾝｽﾄｰﾙに使うﾌﾟﾛｸﾞﾗﾑのｺﾋﾟｰを作れませんでした。",
     "ｱﾝｲﾝｽﾄｰﾙするときは、\n'%s'\nをもう一度実行してください。", false, kWarningIcon},
    // kStopResumeWithoutFiles: the package's SetupName, then its program's name; a setup of it
    // ended early and is to be carried out again, but the package's files are not beside the
    // setup-info file (the program copy, as the installed-apps entry starts it) (start-up)
    {"%s\n\nのｾｯﾄｱｯﾌﾟが前回、途中で終わっています。ここにはﾏｸﾛのﾌｧｲﾙがないため、続きを行えません。",
     "ﾏｸﾛが配布されたﾌｫﾙﾀﾞにある %s を実行して、ｾｯﾄｱｯﾌﾟを最後まで行ってください。", false,
     kWarningIcon},
};
// clang-format on

unsigned char ComposeStopMessage(char *out, StopId stop, StopLine line, const char *first,
                                 const char *second) {
    const StopMessage &message = kStopMessages[stop];
    // The row's fixed texts make the format: a %s in a file's name is never read as one.
    char format[512];
    FormatText(format, sizeof format, "%s\n%s%s\n\n", message.what, message.next,
               message.runAgain ? kRunAgain : "");
    FormatText(out, kStopTextSize, format, first, second);
    AppendTextCut(out, kStopTextSize, kStopLines[line]);
    return message.icon;
}

} // namespace aof
