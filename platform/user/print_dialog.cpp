// The printer dialogs: プリンタの設定 (PD_PRINTSETUP) with the printer, the
// paper and its orientation, and 印刷 with the printer, the pages and the
// copies. The printers are WIN.INI's [devices], the print manager's PDF
// printers first; each shows where its pages go, the print folder.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/automation/host.h"
#include "platform/gdi/print_manager.h"
#include "platform/kernel/disk_names.h"
#include "platform/kernel/global_memory.h"
#include "platform/kernel/profile.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"
#include "platform/user/common_dialog_window.h"

using automation::CommonDialogAnswer;
using automation::CommonDialogKind;
using namespace platform_user;

namespace {

enum : int {
    kPrinterList = 0x0470,
    kPaperList = 0x0471,
    kPortrait = 0x0420,
    kLandscape = 0x0421,
    kStatus = 0x0440,
    kKind = 0x0441,
    kWhere = 0x0442,
    kComment = 0x0443,
    kPagePicture = 0x0444,
    kAllPages = 0x0422,
    kSomePages = 0x0423,
    kSelection = 0x0424,
    kFromPage = 0x0480,
    kToPage = 0x0481,
    kCopies = 0x0482,
    kCollate = 0x0410,
    kToFile = 0x0411,
};

struct Printer {
    std::string device;
    std::string driver;
    std::string port;
};

std::string profile_text(const char* section, const char* key) {
    std::vector<char> buffer(256);
    while (true) {
        DWORD n = GetProfileStringA(section, key, "", buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n + 2 < buffer.size()) return std::string(buffer.data(), n + (key ? 0 : 1));
        buffer.resize(buffer.size() * 2);
    }
}

// "name,driver,port" of [windows] device, or "driver,port" of [devices].
Printer parse_printer(const std::string& device, const std::string& text) {
    Printer p{device, "", ""};
    size_t comma = text.find(',');
    p.driver = text.substr(0, comma);
    if (comma != std::string::npos) {
        size_t end = text.find(',', comma + 1);
        p.port = text.substr(comma + 1, end == std::string::npos ? end : end - comma - 1);
    }
    return p;
}

bool default_printer(Printer* p) {
    std::string text = profile_text("windows", "device");
    if (text.empty()) return false;
    size_t comma = text.find(',');
    *p = parse_printer(text.substr(0, comma), comma == std::string::npos ? "" : text.substr(comma + 1));
    return !p->device.empty();
}

// The print manager's PDF printers first, then the others, each as listed.
std::vector<Printer> installed_printers(const Printer& standard) {
    std::vector<Printer> pdf, other;
    const std::string keys = profile_text("devices", nullptr);
    for (size_t at = 0; at < keys.size() && keys[at];) {
        std::string key = keys.c_str() + at;
        at += key.size() + 1;
        Printer p = parse_printer(key, profile_text("devices", key.c_str()));
        (p.driver == "pdfdriver" ? pdf : other).push_back(p);
    }
    pdf.insert(pdf.end(), other.begin(), other.end());
    auto same = [&](const Printer& p) { return p.device == standard.device; };
    if (std::none_of(pdf.begin(), pdf.end(), same)) pdf.insert(pdf.begin(), standard);
    return pdf;
}

HGLOBAL make_devnames(const Printer& p, bool standard) {
    std::string strings;
    WORD base = sizeof(DEVNAMES);
    DEVNAMES names{};
    names.wDriverOffset = base;
    strings += p.driver + '\0';
    names.wDeviceOffset = static_cast<WORD>(base + strings.size());
    strings += p.device + '\0';
    names.wOutputOffset = static_cast<WORD>(base + strings.size());
    strings += p.port + '\0';
    names.wDefault = standard ? 1 : 0;
    HGLOBAL block = GlobalAlloc(GHND, sizeof names + strings.size());
    if (!block) return nullptr;
    auto* bytes = static_cast<char*>(GlobalLock(block));
    std::memcpy(bytes, &names, sizeof names);
    std::memcpy(bytes + sizeof names, strings.data(), strings.size());
    GlobalUnlock(block);
    return block;
}

std::string device_in_names(HGLOBAL names_block) {
    std::string device;
    if (auto* bytes = static_cast<const char*>(GlobalLock(names_block))) {
        const auto* names = reinterpret_cast<const DEVNAMES*>(bytes);
        device = bytes + names->wDeviceOffset;
        GlobalUnlock(names_block);
    }
    return device;
}

struct PrinterRecord : CommonDialogState {
    PRINTDLGA* pd = nullptr;
    bool setup = false;
    Printer standard;
    std::vector<Printer> printers;
    int printer = 0;
    short orientation = DMORIENT_PORTRAIT;
    short paper = DMPAPER_A4;
    int copies = 1;
    bool collate = false;
    DWORD range = PD_ALLPAGES;  // or PD_PAGENUMS, PD_SELECTION
    int from = 1;
    int to = 1;
    bool to_file = false;
};

void start_choice(PrinterRecord& r) {
    const PRINTDLGA& pd = *r.pd;
    r.setup = (pd.Flags & PD_PRINTSETUP) != 0;
    r.printers = installed_printers(r.standard);
    std::string device = pd.hDevNames ? device_in_names(pd.hDevNames) : r.standard.device;
    for (size_t i = 0; i < r.printers.size(); ++i) {
        if (r.printers[i].device == device) r.printer = static_cast<int>(i);
    }
    if (auto* m = pd.hDevMode ? static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr) {
        if ((m->dmFields & DM_ORIENTATION) && m->dmOrientation == DMORIENT_LANDSCAPE) r.orientation = DMORIENT_LANDSCAPE;
        if ((m->dmFields & DM_PAPERSIZE) && m->dmPaperSize > 0) r.paper = m->dmPaperSize;
        if ((pd.Flags & PD_USEDEVMODECOPIES) && m->dmCopies > 0) r.copies = m->dmCopies;
        GlobalUnlock(pd.hDevMode);
    }
    if (!(pd.Flags & PD_USEDEVMODECOPIES) && pd.nCopies > 0) r.copies = pd.nCopies;
    r.collate = (pd.Flags & PD_COLLATE) != 0;
    r.to_file = (pd.Flags & PD_PRINTTOFILE) != 0;
    r.range = pd.Flags & (PD_PAGENUMS | PD_SELECTION);
    r.from = pd.nFromPage ? pd.nFromPage : std::max<int>(pd.nMinPage, 1);
    r.to = pd.nToPage ? pd.nToPage : std::max<int>(pd.nMaxPage, r.from);
}

bool take_answer(PrinterRecord& r, const CommonDialogAnswer& answer) {
    if (answer.orientation) r.orientation = answer.orientation;
    return true;
}

// The program's blocks and numbers as the dialog leaves them.
void write_choice(PrinterRecord& r) {
    PRINTDLGA& pd = *r.pd;
    const Printer& p = r.printers[static_cast<size_t>(r.printer)];
    if (pd.hDevNames && device_in_names(pd.hDevNames) != p.device) {
        GlobalFree(pd.hDevNames);
        pd.hDevNames = nullptr;
    }
    if (!pd.hDevNames) pd.hDevNames = make_devnames(p, p.device == r.standard.device);
    if (!pd.hDevMode) pd.hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
    DEVMODEA mode{};
    if (auto* m = static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode))) {
        if (!m->dmSize) {
            m->dmSize = sizeof(DEVMODEA);
            m->dmSpecVersion = 0x0400;
        }
        std::memset(m->dmDeviceName, 0, CCHDEVICENAME);
        std::strncpy(reinterpret_cast<char*>(m->dmDeviceName), p.device.c_str(), CCHDEVICENAME - 1);
        m->dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
        m->dmOrientation = r.orientation;
        m->dmPaperSize = r.paper;
        if (!r.setup && (pd.Flags & PD_USEDEVMODECOPIES)) m->dmCopies = static_cast<short>(r.copies);
        if (m->dmCopies <= 0) m->dmCopies = 1;
        mode = *m;
        GlobalUnlock(pd.hDevMode);
    }
    if (!r.setup) {
        pd.Flags = (pd.Flags & ~(PD_PAGENUMS | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE)) | r.range |
                   (r.collate ? DWORD{PD_COLLATE} : 0u) | (r.to_file ? DWORD{PD_PRINTTOFILE} : 0u);
        pd.nFromPage = static_cast<WORD>(r.from);
        pd.nToPage = static_cast<WORD>(r.to);
        if (!(pd.Flags & PD_USEDEVMODECOPIES)) pd.nCopies = static_cast<WORD>(r.copies);
    }
    if (pd.nCopies == 0) pd.nCopies = 1;
    if (pd.Flags & (PD_RETURNDC | PD_RETURNIC)) {
        pd.hDC = (pd.Flags & PD_RETURNDC) ? CreateDCA(p.driver.c_str(), p.device.c_str(), p.port.c_str(), &mode)
                                          : CreateICA(p.driver.c_str(), p.device.c_str(), p.port.c_str(), &mode);
    }
}

// --- The window --------------------------------------------------------------------------

void show_printer(HWND dialog, const PrinterRecord& r) {
    const Printer& p = r.printers[static_cast<size_t>(r.printer)];
    const bool standard = p.device == r.standard.device;
    SetDlgItemTextA(dialog, kStatus, standard ? "通常使うプリンタ; 準備完了"_sjis : "準備完了"_sjis);
    SetDlgItemTextA(dialog, kKind, (p.driver == "pdfdriver" ? std::string("PDF ファイル"_sjis) + " (" + p.driver + ")" : p.driver).c_str());
    // Where the pages go, so that the user can find them.
    set_path_text(GetDlgItem(dialog, kWhere), system_name_of(print_job_directory()) + "/");
}

void show_orientation(HWND dialog, const PrinterRecord& r) {
    CheckRadioButton(dialog, kPortrait, kLandscape, r.orientation == DMORIENT_LANDSCAPE ? kLandscape : kPortrait);
    if (HWND picture = GetDlgItem(dialog, kPagePicture)) InvalidateRect(picture, nullptr, FALSE);
}

// The page as it lies, with a letter on it: upright or on its side.
LRESULT page_picture_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcA(window, message, wparam, lparam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT c;
    GetClientRect(window, &c);
    fill_solid(dc, c, sys_color(COLOR_BTNFACE));
    if (auto* r = dialog_record<PrinterRecord>(GetParent(window))) {
        const bool landscape = r->orientation == DMORIENT_LANDSCAPE;
        const int w = landscape ? 32 : 24, h = landscape ? 24 : 32;
        const int x = (c.right - w) / 2, y = (c.bottom - h) / 2;
        HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
        HGDIOBJ old_brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
        Rectangle(dc, x, y, x + w, y + h);
        LOGFONTA lf{};
        lf.lfHeight = -18;
        lf.lfWeight = FW_BOLD;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", "ＭＳ Ｐゴシック"_sjis);
        HFONT font = CreateFontIndirectA(&lf);
        HGDIOBJ old_font = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, "A", 1, &size);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutA(dc, x + (w - size.cx) / 2, y + (h - size.cy) / 2, "A", 1);
        SelectObject(dc, old_font);
        DeleteObject(font);
        SelectObject(dc, old_pen);
        SelectObject(dc, old_brush);
    }
    EndPaint(window, &ps);
    return 0;
}

constexpr const char* kPictureClass = "PlatformPagePicture";

bool read_number(HWND dialog, int id, int low, int high, int* value) {
    BOOL ok = FALSE;
    const int n = static_cast<int>(GetDlgItemInt(dialog, id, &ok, FALSE));
    if (!ok || n < low || n > high) return false;
    *value = n;
    return true;
}

void accept(HWND dialog, PrinterRecord& r) {
    if (!r.setup) {
        const PRINTDLGA& pd = *r.pd;
        int copies = 1;
        if (!read_number(dialog, kCopies, 1, 9999, &copies)) {
            MessageBoxA(dialog, "部数には 1 から 9999 までの数値を指定してください。"_sjis, "印刷"_sjis,
                        MB_OK | MB_ICONEXCLAMATION);
            SetFocus(GetDlgItem(dialog, kCopies));
            return;
        }
        r.copies = copies;
        r.collate = IsDlgButtonChecked(dialog, kCollate) == BST_CHECKED;
        r.to_file = IsDlgButtonChecked(dialog, kToFile) == BST_CHECKED;
        r.range = IsDlgButtonChecked(dialog, kSomePages) == BST_CHECKED   ? PD_PAGENUMS
                  : IsDlgButtonChecked(dialog, kSelection) == BST_CHECKED ? PD_SELECTION
                                                                          : PD_ALLPAGES;
        if (r.range == PD_PAGENUMS) {
            const int low = std::max<int>(pd.nMinPage, 1), high = pd.nMaxPage ? pd.nMaxPage : 0xFFFF;
            int from = 0, to = 0;
            if (!read_number(dialog, kFromPage, low, high, &from) || !read_number(dialog, kToPage, low, high, &to) ||
                from > to) {
                char text[160];
                std::snprintf(text, sizeof text, "ページは %d から %d までの範囲で指定してください。"_sjis, low, high);
                MessageBoxA(dialog, text, "印刷"_sjis, MB_OK | MB_ICONEXCLAMATION);
                SetFocus(GetDlgItem(dialog, kFromPage));
                return;
            }
            r.from = from;
            r.to = to;
        }
    }
    end_common_dialog(dialog, true);
}

INT_PTR printer_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        keep_dialog_record(dialog, lparam);
        auto* r = dialog_record<PrinterRecord>(dialog);
        HWND printers = GetDlgItem(dialog, kPrinterList);
        for (const Printer& p : r->printers) SendMessageA(printers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.device.c_str()));
        SendMessageA(printers, CB_SETCURSEL, static_cast<WPARAM>(r->printer), 0);
        show_printer(dialog, *r);
        if (r->setup) {
            HWND papers = GetDlgItem(dialog, kPaperList);
            SendMessageA(papers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("A4 (210 x 297 mm)"_sjis));
            SendMessageA(papers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("B4 (JIS) (257 x 364 mm)"_sjis));
            SendMessageA(papers, CB_SETCURSEL, r->paper == DMPAPER_B4 ? 1 : r->paper == DMPAPER_A4 ? 0 : -1, 0);
            show_orientation(dialog, *r);
            return TRUE;
        }
        const PRINTDLGA& pd = *r->pd;
        CheckRadioButton(dialog, kAllPages, kSelection,
                         r->range == PD_PAGENUMS ? kSomePages : r->range == PD_SELECTION ? kSelection : kAllPages);
        for (int id : {kSomePages, kFromPage, kToPage}) EnableWindow(GetDlgItem(dialog, id), !(pd.Flags & PD_NOPAGENUMS));
        EnableWindow(GetDlgItem(dialog, kSelection), !(pd.Flags & PD_NOSELECTION));
        SetDlgItemInt(dialog, kFromPage, static_cast<UINT>(r->from), FALSE);
        SetDlgItemInt(dialog, kToPage, static_cast<UINT>(r->to), FALSE);
        SetDlgItemInt(dialog, kCopies, static_cast<UINT>(r->copies), FALSE);
        CheckDlgButton(dialog, kCollate, r->collate ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, kToFile, r->to_file ? BST_CHECKED : BST_UNCHECKED);
        if (pd.Flags & PD_HIDEPRINTTOFILE) ShowWindow(GetDlgItem(dialog, kToFile), SW_HIDE);
        if (pd.Flags & PD_DISABLEPRINTTOFILE) EnableWindow(GetDlgItem(dialog, kToFile), FALSE);
        return TRUE;
    }
    auto* r = dialog_record<PrinterRecord>(dialog);
    if (!r || message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wparam);
    const int code = HIWORD(wparam);
    if (id == IDOK) {
        accept(dialog, *r);
    } else if (id == IDCANCEL) {
        end_common_dialog(dialog, false);
    } else if (id == kPrinterList && code == CBN_SELCHANGE) {
        LRESULT at = SendMessageA(GetDlgItem(dialog, kPrinterList), CB_GETCURSEL, 0, 0);
        if (at >= 0 && at < static_cast<LRESULT>(r->printers.size())) r->printer = static_cast<int>(at);
        show_printer(dialog, *r);
    } else if (id == kPaperList && code == CBN_SELCHANGE) {
        r->paper = SendMessageA(GetDlgItem(dialog, kPaperList), CB_GETCURSEL, 0, 0) == 1 ? DMPAPER_B4 : DMPAPER_A4;
    } else if ((id == kFromPage || id == kToPage) && code == EN_CHANGE && GetFocus() == GetDlgItem(dialog, id)) {
        // Pages typed are the pages to print.
        CheckRadioButton(dialog, kAllPages, kSelection, kSomePages);
    } else if ((id == kPortrait || id == kLandscape) && code == BN_CLICKED) {
        r->orientation = id == kLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        show_orientation(dialog, *r);
    } else {
        return FALSE;
    }
    return TRUE;
}

void add_printer_group(DialogBuilder& b, int height) {
    b.add("BUTTON", "プリンタ"_sjis, -1, 7, 4, 276, height, BS_GROUPBOX);
    b.add("STATIC", "プリンタ名(&N):"_sjis, -1, 14, 17, 56, 9, SS_LEFT);
    b.add("COMBOBOX", "", kPrinterList, 72, 15, 204, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP);
    const char* labels[] = {"状態:"_sjis, "種類:"_sjis, "場所:"_sjis, "コメント:"_sjis};
    const int values[] = {kStatus, kKind, kWhere, kComment};
    for (int i = 0; i < 4; ++i) {
        b.add("STATIC", labels[i], -1, 14, 33 + i * 11, 56, 9, SS_LEFT);
        b.add("STATIC", i == 3 ? "ページは PDF ファイルとして保存されます。"_sjis : "", values[i], 72, 33 + i * 11, 204, 9,
              SS_LEFT | SS_NOPREFIX);
    }
}

HWND make_printer_dialog(PrinterRecord& r, HWND owner) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = page_picture_proc;
    wc.lpszClassName = kPictureClass;
    RegisterClassA(&wc);
    const DWORD radio = BS_AUTORADIOBUTTON | WS_TABSTOP;
    if (r.setup) {
        DialogBuilder b("プリンタの設定"_sjis, 290, 150);
        add_printer_group(b, 76);
        b.add("BUTTON", "用紙"_sjis, -1, 7, 84, 160, 40, BS_GROUPBOX);
        b.add("STATIC", "サイズ(&Z):"_sjis, -1, 14, 99, 40, 9, SS_LEFT);
        b.add("COMBOBOX", "", kPaperList, 56, 97, 104, 60, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP);
        b.add("BUTTON", "印刷の向き"_sjis, -1, 172, 84, 111, 40, BS_GROUPBOX);
        b.add(kPictureClass, "", kPagePicture, 180, 94, 24, 26, 0);
        b.add("BUTTON", "縦(&O)"_sjis, kPortrait, 212, 96, 64, 10, radio | WS_GROUP);
        b.add("BUTTON", "横(&A)"_sjis, kLandscape, 212, 109, 64, 10, radio);
        b.add("BUTTON", "OK"_sjis, IDOK, 172, 130, 52, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP);
        b.add("BUTTON", "キャンセル"_sjis, IDCANCEL, 231, 130, 52, 14, BS_PUSHBUTTON | WS_TABSTOP);
        DialogTemplate t = b.make();
        return CreateDialogIndirectParamA(nullptr, &t, owner, printer_dialog_proc, reinterpret_cast<LPARAM>(&r));
    }
    DialogBuilder b("印刷"_sjis, 290, 186);
    add_printer_group(b, 90);
    b.add("BUTTON", "ファイルへ出力(&L)"_sjis, kToFile, 196, 78, 82, 10, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP);
    b.add("BUTTON", "印刷範囲"_sjis, -1, 7, 98, 160, 64, BS_GROUPBOX);
    b.add("BUTTON", "すべて(&A)"_sjis, kAllPages, 14, 110, 80, 10, radio | WS_GROUP);
    b.add("BUTTON", "ページ指定(&G)"_sjis, kSomePages, 14, 123, 80, 10, radio);
    b.add("BUTTON", "選択した部分(&S)"_sjis, kSelection, 14, 148, 80, 10, radio);
    b.add("STATIC", "ページから(&F):"_sjis, -1, 24, 137, 50, 9, SS_LEFT);
    b.add("EDIT", "", kFromPage, 76, 135, 24, 12, WS_BORDER | WS_TABSTOP | ES_NUMBER | WS_GROUP);
    b.add("STATIC", "まで(&T):"_sjis, -1, 104, 137, 30, 9, SS_LEFT);
    b.add("EDIT", "", kToPage, 136, 135, 24, 12, WS_BORDER | WS_TABSTOP | ES_NUMBER);
    b.add("BUTTON", "印刷部数"_sjis, -1, 172, 98, 111, 64, BS_GROUPBOX);
    b.add("STATIC", "部数(&C):"_sjis, -1, 180, 113, 36, 9, SS_LEFT);
    b.add("EDIT", "", kCopies, 218, 111, 30, 12, WS_BORDER | WS_TABSTOP | ES_NUMBER | WS_GROUP);
    b.add("BUTTON", "部単位で印刷(&O)"_sjis, kCollate, 180, 132, 96, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
    b.add("BUTTON", "OK"_sjis, IDOK, 172, 168, 52, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP);
    b.add("BUTTON", "キャンセル"_sjis, IDCANCEL, 231, 168, 52, 14, BS_PUSHBUTTON | WS_TABSTOP);
    DialogTemplate t = b.make();
    return CreateDialogIndirectParamA(nullptr, &t, owner, printer_dialog_proc, reinterpret_cast<LPARAM>(&r));
}

}  // namespace

BOOL PrintDlgA(PRINTDLGA* pd) {
    set_common_dialog_error(0);
    if (!pd) {
        set_common_dialog_error(CDERR_INITIALIZATION);
        return FALSE;
    }
    PrinterRecord r;
    r.pd = pd;
    if (!default_printer(&r.standard)) {
        set_common_dialog_error(PDERR_NODEFAULTPRN);
        return FALSE;
    }
    start_choice(r);
    if (pd->Flags & PD_RETURNDEFAULT) {
        // Asks nobody: the default printer as it is.
        write_choice(r);
        return TRUE;
    }
    const std::string title = r.standard.device;
    DialogOutcome outcome = run_common_dialog(
        CommonDialogKind::printer, title, pd->hwndOwner, r, [&](HWND owner) { return make_printer_dialog(r, owner); },
        [&](const CommonDialogAnswer& answer) { return take_answer(r, answer); });
    if (outcome != DialogOutcome::ok) return FALSE;
    write_choice(r);
    const Printer& p = r.printers[static_cast<size_t>(r.printer)];
    platform_automation::common_dialog_result(
        CommonDialogKind::printer, title, true,
        p.device + (r.orientation == DMORIENT_LANDSCAPE ? " landscape" : " portrait"));
    return TRUE;
}
