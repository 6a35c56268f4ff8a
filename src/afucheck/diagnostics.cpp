#include "afucheck/diagnostics.h"

#include "common/format.h"
#include "common/text.h"

namespace aof {

namespace {

struct CodeText {
    int code;
    const char *text;
};

constexpr CodeText kTexts[] = {
    {kFileUnreadable, "ファイルを読めません"},
    {kBadSetupVersion,
     "SetupVersion は 30～32 のどれかが必要です (ないとセットアップは拒否されます)"},
    {kBadMacroVersion, "MacroVersion は 1 以上が必要です (ないとセットアップは中止されます)"},
    {kNoFirstMacro, "[Install Macros] に FileName1 がありません (セットアップは中止されます)"},
    {kUtf8WithoutBomFile,
     "UTF-8 で保存されています。日本語がすべて文字化けします。Shift_JIS で保存してください"},
    {kInvalidCodePage932, "Shift_JIS にないバイトがあります。Shift_JIS で保存してください"},
    {kSourceMissing, "コピー元のファイルがパッケージにありません"},
    {kPathOverLimit, "パスが長すぎます (519 バイトまで)。SETUP.EXE はコピーする項目と "
                     "UnInstallInfoPath ではセットアップを中止し、削除する項目と作るフォルダは"
                     "飛ばします"},
    {kNoSuchFolder, "インストールのときにないフォルダです (利用者の PC にあるのは青筆、マクロ、"
                    "Windows、システムのフォルダと、[Make Directory] で作るフォルダだけです)"},
    {kDestinationFolder, "コピー先がフォルダです"},
    {kDriveInPath, "ドライブ名や \\\\ で始まるパスは書けません。マクロフォルダからの相対パスに"
                   "なります"},
    {kVariableInOtherCase, "フォルダ変数は小文字で書きます。変数にならず、マクロフォルダの中の"
                           "フォルダ名になります"},
    {kSlashInPath, "「/」は SETUP.EXE の区切りではありません。区切りには「\\」を使ってください"},
    {kEntryNeverUsed, "この項目は使われません (番号の抜けの後か、11 番以降)"},
    {kKeyNeverRead, "このキーは読まれません (番号は 1 から、先頭に 0 を付けない)"},
    {kUnknownKey, "知らないキーです。読まれません"},
    {kUnknownSection, "知らないセクションです。読まれません"},
    {kRepeatedKey, "キーが重複しています。最初のものだけが使われます"},
    {kRepeatedSection, "セクションが重複しています。最初のものだけが使われます"},
    {kValueCut, "値が長すぎます。切り詰められます"},
    {kNotYesOrNo, "InstallToMainGroup は yes か no にしてください"},
    {kNoFinalBackslash,
     "UnInstallInfoPath の末尾に \\ がありません。写しはこのフォルダの中ではなく一つ上の"
     "フォルダに、フォルダ名を頭に付けた名前で置かれます (インストールもアンインストールも"
     "できます)"},
    {kNoInternalName,
     "InternalName がありません。InternalName のない他のパッケージと記録を共有します"},
    {kSharedUninstallInfo, "UnInstallInfoPath が既定の \\macrodir\\ "
                           "です。同じ既定を使う他のパッケージとアンインストール情報が衝突します"},
    {kClimbsOut, "パスに \"..\" があります。一つ上のフォルダを指します"},
    {kSameDestination, "コピー先が他の項目と同じです"},
    {kDirectoryGap, "[Make Directory] の番号の抜けの後です。このフォルダは作られません"},
    {kShellFileOutside, "ShellExecute のファイルがパッケージにもフォルダ変数の下にもありません"},
    {kByteOrderMark,
     "BOM 付きで保存されています。古い Windows では文字化けします。Shift_JIS で保存してください"},
    {kNotDecimal, "数値ではありません"},
    {kCommentInValue, "行末の「;」以降はコメントになりません。値の一部として読まれます"},
    {kQuotedValue, "値を囲む引用符は取り除かれて読まれます"},
    {kEmptyMacroTitle, "MacroTitle がありません。メニューにはコピー先のパスが表示されます"},
    {kFileLeftBehind, "旧版がインストールしたファイルが、アップデートの後も残ります (新版はこの"
                      "ファイルをインストールも削除もせず、[UnInstall Files] にもありません)"},
    {kMenuEntryChanged, "アップデートではメニューの項目は変わりません。旧版の項目が残り、"
                        "アンインストールでもその枠は外されません"},
    {kMacroAdded, "アップデートでは、増えたマクロはメニューに登録されません"},
    {kMacroRemoved, "旧版のマクロがなくなります。アップデートの後もメニューの枠が残り、"
                    "アンインストールでも外されません"},
    {kVersionNotRaised, "MacroVersion が旧版より大きくありません"},
};

void AppendLine(char *out, const char *piece) {
    AppendTextCut(out, kLineSize, piece);
}

} // namespace

bool IsErrorCode(int code) {
    return code < 200;
}

const char *DiagnosticText(int code) {
    for (const CodeText &entry : kTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return "";
}

void ClearDiagnostics(DiagnosticList &list) {
    list.count = 0;
    list.dropped = 0;
    list.droppedErrors = 0;
}

void AddDiagnostic(DiagnosticList &list, int code, unsigned line, const char *detail) {
    if (list.count == kMaxDiagnostics) {
        ++list.dropped;
        list.droppedErrors += IsErrorCode(code) ? 1 : 0;
        return;
    }
    Diagnostic &item = list.items[list.count++];
    item.code = code;
    item.line = line;
    CopyText(item.detail, kDetailSize, detail);
}

void SortDiagnostics(DiagnosticList &list) {
    for (unsigned i = 1; i < list.count; ++i) {
        for (unsigned j = i; j > 0 && list.items[j - 1].line > list.items[j].line; --j) {
            Diagnostic moved = list.items[j];
            list.items[j] = list.items[j - 1];
            list.items[j - 1] = moved;
        }
    }
}

DiagnosticCounts CountDiagnostics(const DiagnosticList &list, bool warningsAsErrors) {
    unsigned droppedErrors = warningsAsErrors ? list.dropped : list.droppedErrors;
    DiagnosticCounts counts{droppedErrors, list.dropped - droppedErrors};
    for (unsigned i = 0; i < list.count; ++i) {
        if (warningsAsErrors || IsErrorCode(list.items[i].code))
            ++counts.errors;
        else
            ++counts.warnings;
    }
    return counts;
}

void FormatDiagnostic(char *out, const char *file, const Diagnostic &item, bool warningsAsErrors) {
    char place[16] = "";
    if (item.line != 0)
        FormatText(place, sizeof place, "(%d)", static_cast<int>(item.line));
    bool error = warningsAsErrors || IsErrorCode(item.code);
    FormatText(out, kLineSize, "%s%s: %s A%d: %s", file, place, error ? "error" : "warning",
               item.code, DiagnosticText(item.code));
    if (item.detail[0] != '\0') {
        AppendLine(out, ": ");
        AppendLine(out, item.detail);
    }
    AppendLine(out, "\r\n");
}

void FormatSummary(char *out, const char *file, DiagnosticCounts counts) {
    FormatText(out, kLineSize, "%s: エラー %d 件、警告 %d 件\r\n", file,
               static_cast<int>(counts.errors), static_cast<int>(counts.warnings));
}

int ExitCodeFor(DiagnosticCounts counts) {
    return counts.errors != 0 ? 2 : counts.warnings != 0 ? 1 : 0;
}

} // namespace aof
