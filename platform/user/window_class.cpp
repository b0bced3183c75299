// Window classes: registered by name, matched without regard to case.
#include <algorithm>
#include <cstring>

#include "platform/user/user_internal.h"

using namespace platform_user;

namespace {

std::shared_ptr<ClassRecord> lookup_class(LPCSTR name) {
    if (!name) return nullptr;
    auto& classes = state().classes;
    if (IS_INTRESOURCE(name)) {
        // A class atom.
        ATOM atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
        for (auto& [key, cls] : classes) {
            if (cls->atom == atom) return cls;
        }
        return nullptr;
    }
    auto it = classes.find(upper_ascii(name));
    return it == classes.end() ? nullptr : it->second;
}

}  // namespace

namespace platform_user {

std::shared_ptr<ClassRecord> find_class(LPCSTR name) {
    auto cls = lookup_class(name);
    if (!cls && register_predefined_class(name)) cls = lookup_class(name);
    return cls;
}

}  // namespace platform_user

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc) return 0;
    if (wc->cbWndExtra < 0 || wc->cbClsExtra < 0 || wc->cbWndExtra > 40000 || wc->cbClsExtra > 40000) return 0;
    UserState& s = state();
    std::string key = upper_ascii(wc->lpszClassName);
    if (s.classes.count(key)) return 0;  // already registered
    auto cls = std::make_shared<ClassRecord>();
    cls->name = wc->lpszClassName;
    cls->wc = *wc;
    cls->wc.lpszClassName = nullptr;  // the record keeps its own copy in `name`
    if (wc->lpszMenuName) {
        if (IS_INTRESOURCE(wc->lpszMenuName)) {
            cls->menu_name_is_id = true;
            cls->wc.lpszMenuName = wc->lpszMenuName;
        } else {
            cls->menu_name = wc->lpszMenuName;
            cls->wc.lpszMenuName = nullptr;
        }
    }
    cls->class_extra.assign(static_cast<size_t>(wc->cbClsExtra), 0);
    cls->atom = s.next_atom++;
    s.classes[key] = cls;
    return cls->atom;
}

BOOL UnregisterClassA(LPCSTR class_name, HINSTANCE /*instance*/) {
    auto cls = lookup_class(class_name);
    if (!cls || cls->window_count > 0) return FALSE;  // windows of the class still exist
    state().classes.erase(upper_ascii(cls->name.c_str()));
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE /*instance*/, LPCSTR class_name, WNDCLASSA* wc) {
    auto cls = find_class(class_name);
    if (!cls || !wc) return FALSE;
    *wc = cls->wc;
    wc->lpszClassName = cls->name.c_str();
    if (!cls->menu_name_is_id) wc->lpszMenuName = cls->menu_name.empty() ? nullptr : cls->menu_name.c_str();
    return TRUE;
}

int GetClassNameA(HWND window, LPSTR buffer, int size) {
    WindowRecord* w = find_window(window);
    if (!w || !buffer || size <= 0) return 0;
    size_t n = std::min(w->cls->name.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, w->cls->name.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

ULONG_PTR GetClassLongPtrA(HWND window, int index) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    const WNDCLASSA& wc = w->cls->wc;
    switch (index) {
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<ULONG_PTR>(wc.hbrBackground);
    case GCLP_HCURSOR:
        return reinterpret_cast<ULONG_PTR>(wc.hCursor);
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(wc.hIcon);
    case GCLP_HMODULE:
        return reinterpret_cast<ULONG_PTR>(wc.hInstance);
    case GCLP_WNDPROC:
        return reinterpret_cast<ULONG_PTR>(wc.lpfnWndProc);
    case GCL_STYLE:
        return wc.style;
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(wc.cbWndExtra);
    case GCL_CBCLSEXTRA:
        return static_cast<ULONG_PTR>(wc.cbClsExtra);
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(ULONG_PTR) <= w->cls->class_extra.size()) {
            ULONG_PTR v;
            std::memcpy(&v, w->cls->class_extra.data() + index, sizeof v);
            return v;
        }
        return 0;
    }
}

ULONG_PTR SetClassLongPtrA(HWND window, int index, LONG_PTR value) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    ULONG_PTR previous = GetClassLongPtrA(window, index);
    WNDCLASSA& wc = w->cls->wc;
    switch (index) {
    case GCLP_HBRBACKGROUND:
        wc.hbrBackground = reinterpret_cast<HBRUSH>(value);
        break;
    case GCLP_HCURSOR:
        wc.hCursor = reinterpret_cast<HCURSOR>(value);
        break;
    case GCLP_HICON:
        wc.hIcon = reinterpret_cast<HICON>(value);
        break;
    case GCLP_WNDPROC:
        wc.lpfnWndProc = reinterpret_cast<WNDPROC>(value);
        break;
    case GCL_STYLE:
        wc.style = static_cast<UINT>(value);
        break;
    default:
        if (index >= 0 && static_cast<size_t>(index) + sizeof(ULONG_PTR) <= w->cls->class_extra.size()) {
            std::memcpy(w->cls->class_extra.data() + index, &value, sizeof value);
            break;
        }
        return 0;
    }
    return previous;
}

DWORD GetClassLongA(HWND window, int index) {
    return static_cast<DWORD>(GetClassLongPtrA(window, index));
}
