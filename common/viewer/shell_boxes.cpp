#include "common/analysis/text_utils.h"
#include "common/viewer/shell_boxes.h"

#include <vector>

#include "common/analysis/messages.h"
#include "common/shell/colour_set.h"
#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/text/shell_message_numbers.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"

namespace {

// "？", the full-width question mark that makes a box a Yes/No question
constexpr auto& kFullWidthQuestion = "？"_sjis;

bool holds_full_width(std::string_view text, std::string_view ch) {
    for (size_t i = 0; i + 1 < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const bool double_byte = is_lead_byte(lead);
        if (double_byte && text.substr(i, 2) == ch) return true;
        i += double_byte ? 2 : 1;
    }
    return false;
}

int show_typed_box(UINT type, std::string_view caption, const std::string& text) {
    const std::string title(caption);
    const int answer = MessageBoxA(shell().frame_window, text.c_str(), title.c_str(), type);
    return answer == IDOK || answer == IDYES ? 1 : 0;
}

int show_box(int notify, UINT notify_icon, std::string_view caption, std::string_view line1,
             std::string_view line2, std::string_view line3) {
    const std::string text = join_box_lines(line1, line2, line3, viewer_profile().wide_box_text);
    UINT type = 0;
    if (notify != 0) {
        MessageBeep(0);
        type = MB_OK | notify_icon;
    } else if (holds_full_width(text, kFullWidthQuestion)) {
        type = MB_YESNO | MB_ICONQUESTION;
    } else {
        type = MB_OKCANCEL | viewer_profile().question_icon;
    }
    return show_typed_box(type, caption, text);
}

// The default extension of a filter: from its first label.
std::string default_extension(std::string_view filter) {
    const std::string_view label = filter.substr(0, filter.find('\0'));
    const size_t dot = label.find('.');
    if (dot == std::string_view::npos) return {};
    std::string_view ext = label.substr(dot + 1);
    ext = ext.substr(0, ext.find(')'));
    ext = ext.substr(0, ext.find(';'));
    if (ext.find_first_of("?*") != std::string_view::npos) return {};
    return std::string(ext);
}

}  // namespace

void show_not_available_notice() {
    // "この機能はまだ使用できません。"
    show_info_box(1, program_box_caption(),
                  "この機能はまだ使用できません。"_sjis);
}

std::string program_box_caption() { return make_box_caption(viewer_profile().box_name); }

std::string message_text(int id) {
    const char* text = lookup_message(id);
    return text != nullptr ? text : "";
}

namespace shell_notice {

std::string caption(const char* operation) { return make_box_caption(operation); }

void notify(const std::string& box_caption, int message, std::string_view line2) {
    show_info_box(1, box_caption, message_text(message), line2);
}

}  // namespace shell_notice

bool refuse_unless_loaded(const char* operation, int not_loaded) {
    const DocumentState& doc = document_state();
    if (doc.file_name.empty()) {
        shell_notice::notify(shell_notice::caption(operation), shell_message::kChooseFile);
        return true;
    }
    if (!doc.loaded) {
        shell_notice::notify(shell_notice::caption(operation), not_loaded);
        return true;
    }
    return false;
}

bool tell_unreadable_file(const std::string& path) {
    if (path.empty() || !crt_exists(path.c_str()) || crt_can_read(path.c_str())) return false;
    show_info_box(1, kReadFileCaption, message_text(shell_message::kOpenError),
                  format_text(lookup_message(shell_message::kFileName), path.c_str()));
    return true;
}

bool tell_unmade_file(std::string_view caption, const std::string& path) {
    if (path.empty() || crt_exists(path.c_str()) || crt_can_create(path.c_str())) return false;
    show_warning_box(1, caption, kMsgCannotWrite, path);
    return true;
}

int show_info_box(int notify, std::string_view caption, std::string_view line1, std::string_view line2,
                  std::string_view line3) {
    return show_box(notify, MB_ICONINFORMATION, caption, line1, line2, line3);
}

int show_warning_box(int notify, std::string_view caption, std::string_view line1, std::string_view line2,
                     std::string_view line3) {
    return show_box(notify, MB_ICONEXCLAMATION, caption, line1, line2, line3);
}

int show_ok_cancel_box(std::string_view caption, std::string_view line1, std::string_view line2,
                       std::string_view line3) {
    const std::string text = join_box_lines(line1, line2, line3, viewer_profile().wide_box_text);
    return show_typed_box(MB_OKCANCEL | viewer_profile().question_icon, caption, text);
}

int choose_file_name(int save, HWND owner, std::string& path, std::string_view filter, int size,
                     int& filter_index) {
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 256), '\0');
    if (save != 0 || filter_index == 0) {
        path.copy(buffer.data(), std::min(path.size(), buffer.size() - 1));
    }
    const std::string filter_text(filter);
    const std::string extension = default_extension(filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter_text.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filter_index);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    const BOOL chosen = save != 0 ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    filter_index = static_cast<int>(ofn.nFilterIndex);
    if (chosen) {
        path.assign(buffer.data());
        to_lower_ascii(path);
    }
    return chosen;
}

bool choose_setting_colour(HWND owner, SettingsRecord& record, const SettingsField& item, COLORREF* custom,
                           DWORD record_size) {
    CHOOSECOLORA choice{};
    choice.lStructSize = record_size != 0 ? record_size : sizeof choice;
    choice.hwndOwner = owner;
    // the colour in use is where the dialog starts, and what OK keeps
    choice.rgbResult = read_colour_ref(record, item);
    choice.lpCustColors = custom;
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorA(&choice)) return false;
    write_colour(record, item, rgb_from_ref(choice.rgbResult));
    return true;
}
