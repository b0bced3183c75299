// The font dialog: the faces fontconfig has for Japanese text and the
// Windows faces the programs name (drawn as the platform's font mapping
// draws them), the styles, the sizes within the program's limits, the
// effects, and a sample in the face chosen.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/automation/host.h"
#include "platform/gdi/gdi_support.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/codec.h"
#include "platform/user/commdlg.h"
#include "platform/user/common_dialog_window.h"

using automation::CommonDialogAnswer;
using automation::CommonDialogKind;
using namespace platform_user;

namespace {

enum : int {
    kFaceEdit = 0x0480,
    kStyleEdit = 0x0481,
    kSizeEdit = 0x0482,
    kFaceList = 0x0460,
    kStyleList = 0x0461,
    kSizeList = 0x0462,
    kStrikeOut = 0x0410,
    kUnderline = 0x0411,
    kColour = 0x0473,
    kEffectsGroup = 0x0430,
    kColourLabel = 0x0443,
    kSample = 0x0444,
};

// The Windows faces the programs name, drawn as the font mapping draws them.
constexpr const char* kWindowsFaces[] = {"ＭＳ 明朝"_sjis, "ＭＳ ゴシック"_sjis, "ＭＳ Ｐ明朝"_sjis,
                                         "ＭＳ Ｐゴシック"_sjis, "標準明朝"_sjis, "標準ゴシック"_sjis};
constexpr const char* kStyles[] = {"標準"_sjis, "斜体"_sjis, "太字"_sjis, "太字 斜体"_sjis};
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct NamedColour {
    const char* name;
    COLORREF colour;
};
constexpr NamedColour kColours[] = {
    {"黒"_sjis, RGB(0, 0, 0)},         {"茶"_sjis, RGB(128, 0, 0)},       {"緑"_sjis, RGB(0, 128, 0)},       {"オリーブ"_sjis, RGB(128, 128, 0)},
    {"紺"_sjis, RGB(0, 0, 128)},       {"紫"_sjis, RGB(128, 0, 128)},     {"青緑"_sjis, RGB(0, 128, 128)},   {"灰色"_sjis, RGB(128, 128, 128)},
    {"銀色"_sjis, RGB(192, 192, 192)}, {"赤"_sjis, RGB(255, 0, 0)},       {"黄緑"_sjis, RGB(0, 255, 0)},     {"黄"_sjis, RGB(255, 255, 0)},
    {"青"_sjis, RGB(0, 0, 255)},       {"赤紫"_sjis, RGB(255, 0, 255)},   {"水色"_sjis, RGB(0, 255, 255)},   {"白"_sjis, RGB(255, 255, 255)},
};

struct FontRecord : CommonDialogState {
    CHOOSEFONTA* cf = nullptr;
    LOGFONTA lf{};
    int tenths = 0;  // the size in tenths of a point; 0: none given
    int start_tenths = 0;  // as the program's font gave it
    COLORREF colour = 0;
    int dpi = 96;
    bool updating = false;
};

bool printer_fonts(const CHOOSEFONTA& cf) {
    return (cf.Flags & CF_PRINTERFONTS) && cf.hDC;
}

int points_of(const LOGFONTA& lf, int dpi) {
    const LONG h = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    return static_cast<int>((h * 72 + dpi / 2) / dpi);
}

void start_choice(FontRecord& r) {
    const CHOOSEFONTA& cf = *r.cf;
    if (cf.Flags & CF_INITTOLOGFONTSTRUCT) {
        r.lf = *cf.lpLogFont;
    } else {
        r.lf = LOGFONTA{};
        r.lf.lfHeight = -16;
        r.lf.lfWeight = FW_NORMAL;
        r.lf.lfCharSet = SHIFTJIS_CHARSET;
        std::snprintf(r.lf.lfFaceName, LF_FACESIZE, "%s", "ＭＳ 明朝"_sjis);
    }
    r.dpi = printer_fonts(cf) ? GetDeviceCaps(cf.hDC, LOGPIXELSY) : 96;
    if (r.dpi <= 0) r.dpi = 96;
    r.tenths = r.start_tenths = points_of(r.lf, r.dpi) * 10;
    r.colour = cf.rgbColors;
}

void set_face(LOGFONTA& lf, const std::string& face) {
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    lf.lfCharSet = SHIFTJIS_CHARSET;
}

bool take_answer(FontRecord& r, const CommonDialogAnswer& answer) {
    if (!answer.face.empty()) set_face(r.lf, answer.face);
    if (answer.point_size > 0) r.tenths = answer.point_size * 10;
    if (!answer.face.empty() || answer.point_size > 0) {
        r.lf.lfWeight = answer.bold ? FW_BOLD : FW_NORMAL;
        r.lf.lfItalic = answer.italic ? 1 : 0;
    }
    return true;
}

void write_choice(const FontRecord& r) {
    CHOOSEFONTA& cf = *r.cf;
    LOGFONTA lf = r.lf;
    // The program's height stays as it was unless another size was chosen.
    if (r.tenths > 0 && r.tenths != r.start_tenths) {
        lf.lfHeight = -((r.tenths * r.dpi + 360) / 720);
        lf.lfWidth = 0;
    }
    *cf.lpLogFont = lf;
    cf.iPointSize = r.tenths > 0 ? r.tenths : points_of(lf, r.dpi) * 10;
    cf.nFontType = static_cast<WORD>((printer_fonts(cf) ? PRINTER_FONTTYPE : SCREEN_FONTTYPE) |
                                     (lf.lfWeight >= FW_BOLD ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
                                     (lf.lfItalic ? ITALIC_FONTTYPE : 0));
    if (cf.Flags & CF_EFFECTS) cf.rgbColors = r.colour;
}

std::string shown_result(const CHOOSEFONTA& cf) {
    return std::string(cf.lpLogFont->lfFaceName) + " " + std::to_string(cf.iPointSize / 10);
}

// --- The window --------------------------------------------------------------------------

std::string item_text(HWND list, LRESULT index) {
    char text[256] = {};
    if (index >= 0) SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string field(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int style_index(const LOGFONTA& lf) {
    return (lf.lfWeight >= FW_BOLD ? 2 : 0) + (lf.lfItalic ? 1 : 0);
}

// A size typed: tenths of a point ("10.5" is 105); -1 when it is no number.
int parse_size(const std::string& text) {
    if (text.empty()) return 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || value <= 0 || value > 1638) return -1;
    return static_cast<int>(value * 10 + 0.5);
}

void redraw_sample(HWND dialog) {
    if (HWND s = GetDlgItem(dialog, kSample)) InvalidateRect(s, nullptr, FALSE);
}

// The edit over a list follows the list; the list follows the edit.
void list_picked(HWND dialog, FontRecord& r, int list_id) {
    HWND list = GetDlgItem(dialog, list_id);
    const std::string text = item_text(list, SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (text.empty()) return;
    r.updating = true;
    SetDlgItemTextA(dialog, list_id - kFaceList + kFaceEdit, text.c_str());
    r.updating = false;
}

void edit_changed(HWND dialog, FontRecord& r, int edit_id) {
    const std::string text = field(dialog, edit_id);
    HWND list = GetDlgItem(dialog, edit_id - kFaceEdit + kFaceList);
    if (!r.updating) {
        LRESULT at = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
        if (at < 0 && !text.empty()) {
            at = SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
    if (edit_id == kFaceEdit && !text.empty()) set_face(r.lf, text);
    if (edit_id == kStyleEdit) {
        for (int i = 0; i < 4; ++i) {
            if (text == kStyles[i]) {
                r.lf.lfWeight = i >= 2 ? FW_BOLD : FW_NORMAL;
                r.lf.lfItalic = (i % 2) ? 1 : 0;
            }
        }
    }
    if (edit_id == kSizeEdit && parse_size(text) > 0) r.tenths = parse_size(text);
    redraw_sample(dialog);
}

// OK: the size must be a number within the program's limits.
void accept(HWND dialog, FontRecord& r) {
    const CHOOSEFONTA& cf = *r.cf;
    if (field(dialog, kFaceEdit).empty()) {
        MessageBeep(0);
        SetFocus(GetDlgItem(dialog, kFaceEdit));
        return;
    }
    const std::string size = field(dialog, kSizeEdit);
    const int tenths = parse_size(size);
    const char* kCaption = "フォント"_sjis;
    if (tenths < 0) {
        MessageBoxA(dialog, "サイズには数値を指定してください。"_sjis, kCaption,
                    MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, kSizeEdit));
        return;
    }
    if (tenths > 0 && (cf.Flags & CF_LIMITSIZE) && (tenths < cf.nSizeMin * 10 || tenths > cf.nSizeMax * 10)) {
        char text[160];
        std::snprintf(text, sizeof text, "サイズは %d から %d ポイントの間で指定してください。"_sjis, cf.nSizeMin,
                      cf.nSizeMax);
        MessageBoxA(dialog, text, kCaption, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, kSizeEdit));
        return;
    }
    if (tenths > 0) r.tenths = tenths;
    end_common_dialog(dialog, true);
}

std::vector<std::string> face_names(const CHOOSEFONTA& cf, const LOGFONTA& lf) {
    std::vector<std::string> faces;
    for (const std::string& family : japanese_font_families()) {
        std::string name;
        if (platform_codec::exact_utf8_to_cp932(family, name) && name.size() < LF_FACESIZE) faces.push_back(name);
    }
    for (const char* face : kWindowsFaces) faces.emplace_back(face);
    if (lf.lfFaceName[0]) faces.emplace_back(lf.lfFaceName);
    if (cf.Flags & CF_FIXEDPITCHONLY) {
        // A proportional face is drawn with one of the IPA P families.
        std::erase_if(faces, [](const std::string& f) {
            return std::strcmp(font_family_for_face(f.c_str()), "IPAPMincho") == 0 ||
                   std::strcmp(font_family_for_face(f.c_str()), "IPAPGothic") == 0;
        });
    }
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    return faces;
}

INT_PTR font_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        keep_dialog_record(dialog, lparam);
        auto* r = dialog_record<FontRecord>(dialog);
        const CHOOSEFONTA& cf = *r->cf;
        HWND faces = GetDlgItem(dialog, kFaceList);
        for (const std::string& f : face_names(cf, r->lf)) SendMessageA(faces, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));
        HWND styles = GetDlgItem(dialog, kStyleList);
        for (const char* s : kStyles) SendMessageA(styles, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        HWND sizes = GetDlgItem(dialog, kSizeList);
        for (int size : kSizes) {
            if ((cf.Flags & CF_LIMITSIZE) && (size < cf.nSizeMin || size > cf.nSizeMax)) continue;
            SendMessageA(sizes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(size).c_str()));
        }
        const int tenths = r->tenths;
        SetDlgItemTextA(dialog, kFaceEdit, r->lf.lfFaceName);
        SetDlgItemTextA(dialog, kStyleEdit, kStyles[style_index(r->lf)]);
        SetDlgItemTextA(dialog, kSizeEdit, tenths <= 0 ? ""
                                          : tenths % 10 ? (std::to_string(tenths / 10) + "." + std::to_string(tenths % 10)).c_str()
                                                        : std::to_string(tenths / 10).c_str());
        if (cf.Flags & CF_EFFECTS) {
            CheckDlgButton(dialog, kStrikeOut, r->lf.lfStrikeOut ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(dialog, kUnderline, r->lf.lfUnderline ? BST_CHECKED : BST_UNCHECKED);
            HWND colours = GetDlgItem(dialog, kColour);
            int picked = 0;
            for (size_t i = 0; i < std::size(kColours); ++i) {
                SendMessageA(colours, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kColours[i].name));
                if (kColours[i].colour == (r->colour & 0xFFFFFF)) picked = static_cast<int>(i);
            }
            SendMessageA(colours, CB_SETCURSEL, static_cast<WPARAM>(picked), 0);
            r->colour = kColours[picked].colour;
        } else {
            for (int id : {kEffectsGroup, kStrikeOut, kUnderline, kColourLabel, kColour}) {
                if (HWND c = GetDlgItem(dialog, id)) ShowWindow(c, SW_HIDE);
            }
        }
        return TRUE;
    }
    auto* r = dialog_record<FontRecord>(dialog);
    if (!r || message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wparam);
    const int code = HIWORD(wparam);
    if (id == IDOK) {
        accept(dialog, *r);
    } else if (id == IDCANCEL) {
        end_common_dialog(dialog, false);
    } else if ((id == kFaceList || id == kStyleList || id == kSizeList) && code == LBN_SELCHANGE) {
        list_picked(dialog, *r, id);
    } else if ((id == kFaceList || id == kStyleList || id == kSizeList) && code == LBN_DBLCLK) {
        list_picked(dialog, *r, id);
        accept(dialog, *r);
    } else if ((id == kFaceEdit || id == kStyleEdit || id == kSizeEdit) && code == EN_CHANGE) {
        edit_changed(dialog, *r, id);
    } else if (id == kStrikeOut || id == kUnderline) {
        r->lf.lfStrikeOut = IsDlgButtonChecked(dialog, kStrikeOut) == BST_CHECKED ? 1 : 0;
        r->lf.lfUnderline = IsDlgButtonChecked(dialog, kUnderline) == BST_CHECKED ? 1 : 0;
        redraw_sample(dialog);
    } else if (id == kColour && code == CBN_SELCHANGE) {
        LRESULT at = SendMessageA(GetDlgItem(dialog, kColour), CB_GETCURSEL, 0, 0);
        if (at >= 0 && at < static_cast<LRESULT>(std::size(kColours))) r->colour = kColours[at].colour;
        redraw_sample(dialog);
    } else {
        return FALSE;
    }
    return TRUE;
}

// The sample: a line of the face, style and size chosen (at the screen's
// size), centred in its box.
LRESULT sample_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(window, message, wparam, lparam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT c;
    GetClientRect(window, &c);
    fill_solid(dc, c, sys_color(COLOR_BTNFACE));
    if (auto* r = dialog_record<FontRecord>(GetParent(window))) {
        LOGFONTA lf = r->lf;
        const int tenths = r->tenths > 0 ? r->tenths : 120;
        lf.lfHeight = -((tenths * 96 + 360) / 720);
        lf.lfWidth = 0;
        HFONT font = CreateFontIndirectA(&lf);
        HGDIOBJ old = SelectObject(dc, font);
        HRGN clip = CreateRectRgn(0, 0, c.right, c.bottom);
        SelectClipRgn(dc, clip);
        const std::string text = "Aaあぁアァ亜宇"_sjis;
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, (r->cf->Flags & CF_EFFECTS) ? r->colour : RGB(0, 0, 0));
        TextOutA(dc, (c.right - size.cx) / 2, (c.bottom - size.cy) / 2, text.c_str(), static_cast<int>(text.size()));
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    EndPaint(window, &ps);
    return 0;
}

constexpr const char* kSampleClass = "PlatformFontSample";

HWND make_font_dialog(FontRecord& r, HWND owner) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = sample_proc;
    wc.lpszClassName = kSampleClass;
    RegisterClassA(&wc);
    DialogBuilder b("フォント"_sjis, 266, 166);
    const DWORD list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | WS_GROUP;
    b.add("STATIC", "フォント名(&F):"_sjis, -1, 7, 6, 98, 9, SS_LEFT);
    b.add("EDIT", "", kFaceEdit, 7, 16, 98, 12, edit);
    b.add("LISTBOX", "", kFaceList, 7, 29, 98, 66, list | LBS_SORT);
    b.add("STATIC", "スタイル(&Y):"_sjis, -1, 110, 6, 66, 9, SS_LEFT);
    b.add("EDIT", "", kStyleEdit, 110, 16, 66, 12, edit);
    b.add("LISTBOX", "", kStyleList, 110, 29, 66, 66, list);
    b.add("STATIC", "サイズ(&S):"_sjis, -1, 181, 6, 34, 9, SS_LEFT);
    b.add("EDIT", "", kSizeEdit, 181, 16, 34, 12, edit);
    b.add("LISTBOX", "", kSizeList, 181, 29, 34, 66, list);
    b.add("BUTTON", "OK"_sjis, IDOK, 221, 16, 40, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP);
    b.add("BUTTON", "キャンセル"_sjis, IDCANCEL, 221, 33, 40, 14, BS_PUSHBUTTON | WS_TABSTOP);
    b.add("BUTTON", "文字飾り"_sjis, kEffectsGroup, 7, 100, 98, 58, BS_GROUPBOX);
    b.add("BUTTON", "取り消し線(&K)"_sjis, kStrikeOut, 13, 112, 88, 10, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP);
    b.add("BUTTON", "下線(&U)"_sjis, kUnderline, 13, 125, 88, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
    b.add("STATIC", "色(&C):"_sjis, kColourLabel, 13, 141, 24, 9, SS_LEFT);
    b.add("COMBOBOX", "", kColour, 38, 139, 62, 90, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    b.add("BUTTON", "サンプル"_sjis, -1, 110, 100, 151, 58, BS_GROUPBOX);
    b.add(kSampleClass, "", kSample, 116, 111, 139, 42, 0);
    DialogTemplate t = b.make();
    return CreateDialogIndirectParamA(nullptr, &t, owner, font_dialog_proc, reinterpret_cast<LPARAM>(&r));
}

}  // namespace

BOOL ChooseFontA(CHOOSEFONTA* cf) {
    set_common_dialog_error(0);
    if (!cf || !cf->lpLogFont) {
        set_common_dialog_error(CDERR_INITIALIZATION);
        return FALSE;
    }
    const std::string title;
    FontRecord r;
    r.cf = cf;
    start_choice(r);
    DialogOutcome outcome = run_common_dialog(
        CommonDialogKind::font, title, cf->hwndOwner, r, [&](HWND owner) { return make_font_dialog(r, owner); },
        [&](const CommonDialogAnswer& answer) { return take_answer(r, answer); });
    if (outcome != DialogOutcome::ok) return FALSE;
    write_choice(r);
    platform_automation::common_dialog_result(CommonDialogKind::font, title, true, shown_result(*cf));
    return TRUE;
}
