// Every text the program shows, in one place (the program's own stop messages in
// stop_messages.h, beside this file). The sources are UTF-8; the compiler turns each literal
// into code page 932 bytes (half-width katakana as single bytes). Each text is defined once for
// the whole program (inline), not once in every file that shows it.
#pragma once

#include "ui/resource_ids.h"

namespace aof {

inline constexpr char kCaption[] = "青筆ﾏｸﾛ ｾｯﾄｱｯﾌﾟ";
inline constexpr char kUninstallCaption[] = "青筆ﾏｸﾛ の ｱﾝｲﾝｽﾄｰﾙ";

// Start-up.
inline constexpr char kWin32sRefused[] = "Windows 3.1上のWin32sでは、このｾｯﾄｱｯﾌﾟｷｯﾄは使えません。";
inline constexpr char kEditorNotInstalled[] =
    "青筆ｴﾃﾞｨﾀがｲﾝｽﾄｰﾙされていない状態ではｾｯﾄｱｯﾌﾟできません。";
inline constexpr char kModulePathFailed[] = "SETUP.EXE ﾊﾟｽ名取得失敗";
inline constexpr char kNoMacroEntries[] =
    "ﾏｸﾛﾌｧｲﾙの情報が見つかりません。\n\nｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kEnvKeyNotOpened[] =
    "ﾚｼﾞｽﾄﾘの Aofude\\Env ｷｰが開けません。\n\nｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kInvalidMacroVersion[] =
    "*.AFUﾌｧｲﾙのMacroVersionの値が不正です。\n\nｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kNewerVersionInstalled[] =
    " :\n\n既に新しいﾊﾞｰｼﾞｮﾝのﾏｸﾛがｾｯﾄｱｯﾌﾟされています。\n\nｾｯﾄｱｯﾌﾟを中止します。";

// The about message: the program, its version and where to reach its maker. Shown instead of
// a setup when no usable setup-info file was given.
inline constexpr char kAboutMessage[] =
    "青筆ﾏｸﾛ ｾｯﾄｱｯﾌﾟｷｯﾄ Ver." AOF_VERSION_TEXT "\n\n"
    "ｾｯﾄｱｯﾌﾟ情報ﾌｧｲﾙ (*.AFU) が見つからないか、このｾｯﾄｱｯﾌﾟｷｯﾄでは使えない形式ですので、"
    "ｾｯﾄｱｯﾌﾟは行いません。\n\n使い方 : SETUP.EXE [*.AFU ﾌｧｲﾙのﾊﾟｽ]\n"
    "連絡先 : Brenlo <support@brenlo.example>";

// Confirmations (each follows the package's display name).
inline constexpr char kConfirmFilesOnly[] =
    "\n\nをｾｯﾄｱｯﾌﾟします。\nただし、ﾏｸﾛのﾒﾆｭｰに空きがありませんので、ﾌｧｲﾙのｺﾋﾟｰのみ行います。"
    "\n\nよろしいですか？";
inline constexpr char kConfirmInstall[] = "\n\nをｾｯﾄｱｯﾌﾟして、青筆ｴﾃﾞｨﾀの『ﾏｸﾛ(M)』ﾒﾆｭｰの中に追加";
inline constexpr char kConfirmUpdate[] = "\n\nをｱｯﾌﾟﾃﾞｰﾄ";
inline constexpr char kConfirmQuitEditors[] =
    "します。\n\n[OK] を押す前に、常駐青筆を含むすべての青筆を終了させてください。"
    "\n\nよろしいですか？";
inline constexpr char kConfirmUninstall[] =
    "\n\nをｱﾝｲﾝｽﾄｰﾙします。\nまず最初に、ﾏｸﾛ登録を削除します。\n\n"
    "[OK] を押す前に、常駐青筆を含むすべての青筆を終了させてください。\n\nよろしいですか？";
inline constexpr char kSetupCancelled[] = "ｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kUninstallCancelled[] = "ｱﾝｲﾝｽﾄｰﾙを中止します。";
inline constexpr char kReallyRemoveRegistration[] = "本当にﾏｸﾛ登録を削除してよろしいですか？";
inline constexpr char kCloseAllEditors[] =
    "続行するためには、常駐青筆を含むすべての青筆を終了させてください。\n"
    "常駐青筆を終了させるには、 ﾀｽｸﾊﾞｰのﾄﾚｲの中にある「青」のｱｲｺﾝを ｸﾘｯｸして、"
    "ﾒﾆｭｰから「常駐青筆の終了」を選びます。";

// Editor environment and tables.
inline constexpr char kMacroFolderNotCreated[] =
    "Aofude\\Macro ﾌｫﾙﾀﾞが作成できませんでした。\n\nｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kEnvKeyWriteRefused[] =
    "ﾚｼﾞｽﾄﾘの Aofude\\Env ｷｰへの書き込みが拒否されました。\n\nｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kMacroRegistryOpenFailed[] =
    "青筆ﾏｸﾛ情報のﾚｼﾞｽﾄﾘｵｰﾌﾟﾝに失敗しました。\n\nｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kMacroRegistryOpenFailedNt[] =
    "青筆ﾏｸﾛ情報のﾚｼﾞｽﾄﾘｵｰﾌﾟﾝに失敗しました。\nWindows NT の場合はアクセス権を確認してください。"
    "\n\nｾｯﾄｱｯﾌﾟを中止します。";
inline constexpr char kSlotNumberFailed[] =
    "マクロ番号の計算に失敗しました。製作者宛に連絡してください。";

// Install.
inline constexpr char kFileCopyFailed[] =
    "\n\nﾌｧｲﾙのｺﾋﾟｰに失敗しました。ﾌｧｲﾙが正しく存在しているか確認してください。"
    "\nｾｯﾄｱｯﾌﾟを中断します。";
inline constexpr char kCompletedInMenu[] = "\n\nが青筆ｴﾃﾞｨﾀの『ﾏｸﾛ(M)』ﾒﾆｭｰの ﾏｸﾛ";
inline constexpr char kCompletedRangeTo[] = " ～ ﾏｸﾛ";
inline constexpr char kCompletedAdded[] = " に追加されました。";
// Also the whole tail of a completion that names no menu slots (files only).
inline constexpr char kCompletedSetupDone[] =
    "ｾｯﾄｱｯﾌﾟが完了しました。\n\nｾｯﾄｱｯﾌﾟ元のﾌｫﾙﾀﾞにあるﾌｧｲﾙは、不必要ならば削除してかまいません。";

// Uninstall.
inline constexpr char kOtherUsersRemain[] =
    "ﾏｸﾛ登録を削除しました。\n他のﾕｰｻﾞｰがﾏｸﾛを使用していると思われ"
    "ますので、ﾌｧｲﾙの削除は行いません。";
inline constexpr char kAskDeleteFiles[] =
    "ｾｯﾄｱｯﾌﾟされたﾌｧｲﾙやﾌｫﾙﾀﾞを削除しますか？\n\nもし他のﾕｰｻﾞｰが使用中と考えられる場合などには、"
    "[ｷｬﾝｾﾙ] を選んでﾌｧｲﾙを残すようにしてください。";
inline constexpr char kFilesKept[] =
    "ﾏｸﾛ登録を削除しました。ﾌｧｲﾙ / ﾌｫﾙﾀﾞの削除は行いませんでした。";
inline constexpr char kReallyDeleteFiles[] = "本当に、ﾌｧｲﾙ / ﾌｫﾙﾀﾞを削除してよろしいですか？";
inline constexpr char kUninstallDone[] =
    "ﾏｸﾛ登録と、ｾｯﾄｱｯﾌﾟされたﾌｧｲﾙ / ﾌｫﾙﾀﾞの削除が完了しました。\nただし、この ｾｯﾄｱｯﾌﾟ "
    "ｱﾌﾟﾘｹｰｼｮﾝ 自身\n\n'";
inline constexpr char kUninstallDoneProgramKept[] =
    "'\n\nは削除されずに残っていますので、お手数ですが手動で削除してください。";

// Overwrite confirmation and progress.
inline constexpr char kFileExistsFormat[] = "'%s' ﾌｧｲﾙがすでに存在します。";
inline constexpr char kFileInfoFormat[] = "ｻｲｽﾞ : %s ﾊﾞｲﾄ\n更新日時 : %d年%d月%d日、%d:%02d:%02d";
// In place of the information text when the file cannot be opened or its size or time read.
inline constexpr char kFileInfoUnavailable[] = "ｻｲｽﾞ : 不明\n更新日時 : 不明";
inline constexpr char kProgressFormat[] = "%d / %d  %d%% 完了";

} // namespace aof
