#include "common/print/print_status.h"

#include <iterator>

#include "common/print/print_state.h"
#include "common/text/message_table.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/winuser.h"

namespace {

// "プリンタ出力：", "印刷処理", "関数仕様書出力処理", "関数仕様書読み込み"
constexpr auto& kPrinterOutput = "プリンタ出力："_sjis;
constexpr auto& kPrinting = "印刷処理"_sjis;
constexpr auto& kSpecOutput = "関数仕様書出力処理"_sjis;
constexpr auto& kSpecReading = "関数仕様書読み込み"_sjis;

enum : int {
    kMessageOpenErrorIn = 7,    // ファイルオープンエラー（%s）
    kMessageOpenError = 100,    // ファイルオープンエラー
    kMessageSettingsMissing = 103,
    kMessageSettingsVersion = 104,
    kMessageBadParameter = 201,  // パラメタエラー
    kMessageProcessError = 202,  // プロセスエラー
    kMessagePrintDone = 302,    // 印刷を終了しました。
    kMessageNoMemory = 402,
    kMessageOutputDone = 617,   // 関数仕様書出力を終了しました。
    kMessageOutputError = 618,  // 関数仕様書出力エラー（%s）。
    kMessageWriteError = 710,   // 書き込みエラー
    kMessageDeviceError = 713,  // プリンタデバイスエラー
    kMessageInterrupted = 802,  // %sは中断されました。
};

constexpr PrintStatusRow kPrintJobRows[] = {
    {.code = -2, .lead = true, .message = kMessageDeviceError},
    {.code = 0, .lead = false, .message = kMessagePrintDone},
    {.code = 1, .lead = true, .message = kMessageSettingsMissing},
    {.code = 2, .lead = true, .message = kMessageSettingsVersion},
    {.code = 5, .lead = true, .message = kMessageOpenError, .append_failing = true},
    {.code = 20, .lead = false, .message = kMessageInterrupted, .fill = kPrinting},
};

// GRAVLET's list and PAD print jobs: NOTARIX's rows, and out of memory.
constexpr PrintStatusRow kGravletPrintRows[] = {
    {.code = -2, .lead = true, .message = kMessageDeviceError},
    {.code = 0, .lead = false, .message = kMessagePrintDone},
    {.code = 1, .lead = true, .message = kMessageSettingsMissing},
    {.code = 2, .lead = true, .message = kMessageSettingsVersion},
    {.code = 4, .lead = true, .message = kMessageNoMemory},
    {.code = 5, .lead = true, .message = kMessageOpenError, .append_failing = true},
    {.code = 20, .lead = false, .message = kMessageInterrupted, .fill = kPrinting},
};

// ORBALINE's list jobs and chart print.
constexpr PrintStatusRow kOrbalinePrintRows[] = {
    {.code = -2, .lead = true, .message = kMessageDeviceError},
    {.code = -1, .lead = true, .message = kMessageProcessError},
    {.code = 0, .lead = false, .message = kMessagePrintDone},
    {.code = 1, .lead = true, .message = kMessageSettingsMissing},
    {.code = 2, .lead = true, .message = kMessageSettingsVersion},
    {.code = 3, .lead = true, .message = kMessageBadParameter},
    {.code = 4, .lead = true, .message = kMessageNoMemory},
    {.code = 5, .lead = true, .message = kMessageOpenError, .append_failing = true},
    {.code = 20, .lead = false, .message = kMessageInterrupted, .fill = kPrinting},
};

constexpr PrintStatusRow kSpecOutputRows[] = {
    {.code = -3, .lead = false, .message = kMessageOutputError, .fill_message = kMessageNoMemory},
    {.code = -1, .lead = false, .message = kMessageOutputError, .fill = kSpecReading},
    {.code = 0, .lead = false, .message = kMessageOutputDone},
    {.code = 5, .lead = false, .message = kMessageOpenErrorIn, .fill_failing = true},
    // as GRAVLET and ORBALINE word a full disk
    {.code = 6, .lead = false, .message = kMessageOutputError, .fill_message = kMessageWriteError},
    {.code = 20, .lead = false, .message = kMessageInterrupted, .fill = kSpecOutput},
};

}  // namespace

const PrintStatusTable kPrintJobStatus{kPrinterOutput, kPrintJobRows};
const PrintStatusTable kGravletPrintStatus{kPrinterOutput, kGravletPrintRows};
const PrintStatusTable kOrbalinePrintStatus{kPrinterOutput, kOrbalinePrintRows};
const PrintStatusTable kSpecOutputStatus{"", kSpecOutputRows};

std::string print_status_text(int code, const PrintStatusTable& table) {
    for (const PrintStatusRow& row : table.rows) {
        if (row.code != code) continue;
        const std::string& failing = print_state().failing_file;
        const std::string message = print_message(row.message);
        std::string text = row.lead ? table.lead : "";
        if (row.fill != nullptr) {
            text += format_text(message.c_str(), row.fill);
        } else if (row.fill_message >= 0) {
            text += format_text(message.c_str(), print_message(row.fill_message).c_str());
        } else if (row.fill_failing) {
            text += format_text(message.c_str(), failing.c_str());
        } else {
            text += message;
        }
        if (row.append_failing) text += "(" + failing + ")";
        return text;
    }
    return {};
}

void show_print_status(int code, const PrintStatusTable& table) {
    const std::string text = print_status_text(code, table);
    set_print_status_text(text.empty() ? 0 : 1, text);
    MessageBeep(0);
}

void show_spec_output_status(int code) { show_print_status(code, kSpecOutputStatus); }
