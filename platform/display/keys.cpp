#include "platform/display/keys.h"

namespace platform_display {

namespace {

struct KeyPair {
    SDL_Keycode key;
    UINT vk;
};

// Keys whose virtual key is not their character's code.
const KeyPair named_keys[] = {
    {SDLK_RETURN, VK_RETURN},     {SDLK_KP_ENTER, VK_RETURN},   {SDLK_TAB, VK_TAB},
    {SDLK_ESCAPE, VK_ESCAPE},     {SDLK_BACKSPACE, VK_BACK},    {SDLK_SPACE, VK_SPACE},
    {SDLK_DELETE, VK_DELETE},     {SDLK_INSERT, VK_INSERT},     {SDLK_HOME, VK_HOME},
    {SDLK_END, VK_END},           {SDLK_PAGEUP, VK_PRIOR},      {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_LEFT, VK_LEFT},         {SDLK_RIGHT, VK_RIGHT},       {SDLK_UP, VK_UP},
    {SDLK_DOWN, VK_DOWN},         {SDLK_PAUSE, VK_PAUSE},       {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_LSHIFT, VK_SHIFT},      {SDLK_RSHIFT, VK_SHIFT},      {SDLK_LCTRL, VK_CONTROL},
    {SDLK_RCTRL, VK_CONTROL},     {SDLK_LALT, VK_MENU},         {SDLK_RALT, VK_MENU},
    {SDLK_CAPSLOCK, VK_CAPITAL},  {SDLK_NUMLOCKCLEAR, VK_NUMLOCK}, {SDLK_SCROLLLOCK, VK_SCROLL},
    {SDLK_SEMICOLON, VK_OEM_1},   {SDLK_EQUALS, VK_OEM_PLUS},   {SDLK_COMMA, VK_OEM_COMMA},
    {SDLK_MINUS, VK_OEM_MINUS},   {SDLK_PERIOD, VK_OEM_PERIOD}, {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},   {SDLK_LEFTBRACKET, VK_OEM_4}, {SDLK_BACKSLASH, VK_OEM_5},
    {SDLK_RIGHTBRACKET, VK_OEM_6}, {SDLK_QUOTE, VK_OEM_7},      {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD},       {SDLK_KP_MINUS, VK_SUBTRACT}, {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE},  {SDLK_KP_0, VK_NUMPAD0},
};

// SDL's F1-F12 and F13-F24 are two runs of consecutive codes.
UINT function_key(SDL_Keycode key) {
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<UINT>(key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24) return VK_F1 + 12 + static_cast<UINT>(key - SDLK_F13);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return VK_NUMPAD1 + static_cast<UINT>(key - SDLK_KP_1);
    return 0;
}

struct CursorPair {
    const char* name;
    SDL_SystemCursor shape;
};

const CursorPair cursor_shapes[] = {
    {"IDC_ARROW", SDL_SYSTEM_CURSOR_ARROW},   {"IDC_IBEAM", SDL_SYSTEM_CURSOR_IBEAM},
    {"IDC_WAIT", SDL_SYSTEM_CURSOR_WAIT},     {"IDC_CROSS", SDL_SYSTEM_CURSOR_CROSSHAIR},
    {"IDC_SIZE", SDL_SYSTEM_CURSOR_SIZEALL},  {"IDC_SIZEALL", SDL_SYSTEM_CURSOR_SIZEALL},
    {"IDC_SIZENWSE", SDL_SYSTEM_CURSOR_SIZENWSE}, {"IDC_SIZENESW", SDL_SYSTEM_CURSOR_SIZENESW},
    {"IDC_SIZEWE", SDL_SYSTEM_CURSOR_SIZEWE}, {"IDC_SIZENS", SDL_SYSTEM_CURSOR_SIZENS},
    {"IDC_NO", SDL_SYSTEM_CURSOR_NO},         {"IDC_APPSTARTING", SDL_SYSTEM_CURSOR_WAITARROW},
};

}  // namespace

UINT virtual_key_of(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<UINT>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<UINT>(key - SDLK_0);
    if (UINT vk = function_key(key)) return vk;
    for (const KeyPair& p : named_keys) {
        if (p.key == key) return p.vk;
    }
    return 0;
}

bool key_types_text(SDL_Keycode key) {
    if (key == SDLK_SPACE) return true;
    if (key > SDLK_SPACE && key < 0x7F) return true;
    return (key >= SDLK_KP_1 && key <= SDLK_KP_0) || key == SDLK_KP_MULTIPLY || key == SDLK_KP_PLUS ||
           key == SDLK_KP_MINUS || key == SDLK_KP_PERIOD || key == SDLK_KP_DIVIDE;
}

SDL_SystemCursor system_cursor_of(const std::string& name) {
    for (const CursorPair& p : cursor_shapes) {
        if (name == p.name) return p.shape;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

}  // namespace platform_display
