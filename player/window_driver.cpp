#include "player/window_driver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "host/unicode_text.h"
#include "player/player.h"

namespace versotime {
namespace player {

namespace {

bool class_is(HWND window, const char* name) {
    char actual[64] = {};
    GetClassNameA(window, actual, sizeof actual);
    return lstrcmpiA(actual, name) == 0;
}

LPARAM point_param(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Brings the item into view and answers the centre of its rectangle.
bool list_item_point(HWND list, int index, POINT& at, std::string& error) {
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (index < 0 || index >= count) {
        error = "item " + std::to_string(index) + " is out of range (the list has " + std::to_string(count) + ")";
        return false;
    }
    RECT client{};
    GetClientRect(list, &client);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    if (item.top < client.top || item.bottom > client.bottom) {
        // A user scrolls first.
        SendMessageA(list, LB_SETTOPINDEX, index, 0);
        SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    }
    at.x = (item.left + item.right) / 2;
    if (at.x >= client.right) at.x = client.right > 2 ? client.right / 2 : 1;
    at.y = (item.top + item.bottom) / 2;
    return true;
}

struct KeyName {
    const char* name;
    UINT key;
};

constexpr KeyName key_names[] = {
    {"Down", VK_DOWN},     {"Up", VK_UP},         {"Left", VK_LEFT},          {"Right", VK_RIGHT},
    {"Home", VK_HOME},     {"End", VK_END},       {"PageUp", VK_PRIOR},       {"PageDown", VK_NEXT},
    {"Enter", VK_RETURN},  {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},            {"Space", VK_SPACE},
    {"Delete", VK_DELETE}, {"Insert", VK_INSERT}, {"Backspace", VK_BACK},
};

bool key_code(const std::string& name, UINT& key) {
    for (const KeyName& k : key_names) {
        if (lstrcmpiA(k.name, name.c_str()) == 0) {
            key = k.key;
            return true;
        }
    }
    if ((name[0] == 'F' || name[0] == 'f') && name.size() >= 2 && name.size() <= 3) {
        int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 12) {
            key = VK_F1 + n - 1;
            return true;
        }
    }
    if (name.size() == 1) {
        SHORT scan = VkKeyScanA(name[0]);
        if (scan == -1) return false;
        key = LOBYTE(scan);
        return true;
    }
    return false;
}

void write_u16(std::FILE* f, unsigned value) {
    unsigned char b[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    std::fwrite(b, 1, 2, f);
}

void write_u32(std::FILE* f, unsigned long value) {
    unsigned char b[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    std::fwrite(b, 1, 4, f);
}

}  // namespace

std::string window_text(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

std::string window_text_utf8(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::string();
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(window, &wide[0], length + 1);
    if (got <= 0) return std::string();
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), got, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), got, &text[0], bytes, nullptr, nullptr);
    return text;
}

void click_control(HWND control) {
    if (!IsWindowEnabled(control) || !IsWindowVisible(control)) return;
    SendMessageA(control, BM_CLICK, 0, 0);
}

void set_control_text(HWND control, const std::string& bytes) { SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str())); }

void set_control_text_utf8(HWND control, const std::string& utf8) {
    int count = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(count > 0 ? static_cast<std::size_t>(count) : 1, L'\0');
    if (count > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], count);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool select_item(Player& player, HWND control, int index, std::string& error) {
    if (class_is(control, "ComboBox")) {
        int count = static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0));
        if (index < 0 || index >= count) {
            error = "item " + std::to_string(index) + " is out of range (the list has " + std::to_string(count) + ")";
            return false;
        }
        SendMessageA(control, CB_SETCURSEL, index, 0);
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        player.pump();
        return true;
    }
    POINT at{};
    if (!list_item_point(control, index, at, error)) return false;
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point_param(at.x, at.y));
    PostMessageA(control, WM_LBUTTONUP, 0, point_param(at.x, at.y));
    player.pump();
    return true;
}

bool double_click_item(Player& player, HWND control, int index, std::string& error) {
    POINT at{};
    if (!list_item_point(control, index, at, error)) return false;
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point_param(at.x, at.y));
    PostMessageA(control, WM_LBUTTONUP, 0, point_param(at.x, at.y));
    PostMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, point_param(at.x, at.y));
    PostMessageA(control, WM_LBUTTONUP, 0, point_param(at.x, at.y));
    player.pump();
    return true;
}

std::vector<std::string> list_items(HWND control) {
    bool combo = class_is(control, "ComboBox");
    int count = static_cast<int>(SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendMessageA(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
        if (length < 0) length = 0;
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        int got = static_cast<int>(
            SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0])));
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        items.push_back(text);
    }
    return items;
}

std::vector<std::string> list_items_utf8(HWND control) {
    bool combo = class_is(control, "ComboBox");
    int count = static_cast<int>(SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
        if (length < 0) length = 0;
        std::vector<char16_t> units(static_cast<std::size_t>(length) + 1, 0);
        int got = static_cast<int>(
            SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(units.data())));
        if (got < 0) got = 0;
        if (got > length) got = length;
        std::vector<char> text(3 * static_cast<std::size_t>(got) + 1);
        const std::uint32_t n =
            convert_utf16_to_utf8_replacing(units.data(), text.data(), static_cast<std::uint32_t>(got));
        items.emplace_back(text.data(), n);
    }
    return items;
}

int list_count(HWND control) {
    bool combo = class_is(control, "ComboBox");
    return static_cast<int>(SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

int list_selection(HWND control) {
    bool combo = class_is(control, "ComboBox");
    return static_cast<int>(SendMessageA(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void drag_slider(HWND slider, int value) {
    UINT message = (GetWindowLongA(slider, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    HWND parent = GetParent(slider);
    LPARAM from = reinterpret_cast<LPARAM>(slider);
    SendMessageA(slider, TBM_SETPOS, TRUE, value);
    SendMessageA(parent, message, MAKEWPARAM(TB_THUMBTRACK, value), from);
    SendMessageA(parent, message, MAKEWPARAM(TB_THUMBPOSITION, value), from);
    SendMessageA(parent, message, MAKEWPARAM(TB_ENDTRACK, 0), from);
}

bool press_key(Player& player, HWND control, const std::string& name, std::string& error) {
    std::string rest = name;
    bool alt = false, ctrl = false, shift = false;
    for (;;) {
        if (rest.compare(0, 4, "Alt+") == 0) {
            alt = true;
            rest.erase(0, 4);
        } else if (rest.compare(0, 5, "Ctrl+") == 0) {
            ctrl = true;
            rest.erase(0, 5);
        } else if (rest.compare(0, 6, "Shift+") == 0) {
            shift = true;
            rest.erase(0, 6);
        } else {
            break;
        }
    }
    UINT key = 0;
    if (rest.empty() || !key_code(rest, key)) {
        error = "unknown key \"" + name + "\"";
        return false;
    }
    if (control) SetFocus(control);
    HWND target = GetFocus();
    if (!target) target = control;
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE saved[256];
    std::memcpy(saved, state, sizeof saved);
    if (ctrl) state[VK_CONTROL] = 0x80;
    if (shift) state[VK_SHIFT] = 0x80;
    if (alt) state[VK_MENU] = 0x80;
    SetKeyboardState(state);
    UINT scan = MapVirtualKeyA(key, 0);
    LPARAM down = 1 | static_cast<LPARAM>(scan) << 16 | (alt ? 1L << 29 : 0);
    LPARAM up = down | 1L << 30 | static_cast<LPARAM>(1UL << 31);
    PostMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, key, up);
    player.pump();
    SetKeyboardState(saved);
    return true;
}

void type_characters(Player& player, HWND control, const std::string& bytes) {
    if (control) SetFocus(control);
    HWND target = GetFocus();
    if (!target) target = control;
    // A user clicks behind the text before typing.
    if (class_is(target, "Edit")) SendMessageA(target, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
    for (unsigned char c : bytes) {
        PostMessageA(target, WM_CHAR, c, 1);
        player.pump();
    }
}

void close_window(Player& player, HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    player.pump();
}

bool save_window_picture(Player& player, HWND window, const std::string& path, std::string& error) {
    HWND top = GetAncestor(window, GA_ROOT);
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    player.pump_for(150);
    RECT r{};
    GetWindowRect(window, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) {
        error = "the window has no area";
        return false;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    unsigned long row = (static_cast<unsigned long>(width) * 3 + 3) & ~3UL;
    std::vector<unsigned char> pixels(row * static_cast<unsigned long>(height));
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = "cannot write " + path;
        return false;
    }
    std::fwrite("BM", 1, 2, f);
    write_u32(f, 54 + pixels.size());
    write_u32(f, 0);
    write_u32(f, 54);
    write_u32(f, 40);
    write_u32(f, static_cast<unsigned long>(width));
    write_u32(f, static_cast<unsigned long>(height));
    write_u16(f, 1);
    write_u16(f, 24);
    write_u32(f, 0);
    write_u32(f, pixels.size());
    write_u32(f, 2835);
    write_u32(f, 2835);
    write_u32(f, 0);
    write_u32(f, 0);
    std::fwrite(pixels.data(), 1, pixels.size(), f);
    bool ok = std::fclose(f) == 0;
    if (!ok) error = "cannot write " + path;
    return ok;
}

}  // namespace player
}  // namespace versotime
