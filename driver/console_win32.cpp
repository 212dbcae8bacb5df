// The console on Windows: standard streams in binary mode (the program
// writes its own CR LF, so none may be doubled, and no byte of the answers
// ends the input early) and the closing key wait on the console input buffer.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "driver/console.hpp"

namespace zelvane {
namespace {

// What the control handler needs to give the console back if the window is
// closed during the wait. It is set only while the wait is in progress.
HANDLE waiting_input = INVALID_HANDLE_VALUE;
DWORD saved_mode = 0;

BOOL WINAPI restore_on_close(DWORD) {
    if (waiting_input != INVALID_HANDLE_VALUE) SetConsoleMode(waiting_input, saved_mode);
    return FALSE;
}

bool is_modifier_or_lock(WORD key) {
    switch (key) {
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT:
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
        case VK_CAPITAL:
        case VK_NUMLOCK:
        case VK_SCROLL:
            return true;
        default:
            return false;
    }
}

bool is_function_cursor_or_editing(WORD key) {
    if (key >= VK_F1 && key <= VK_F24) return true;
    switch (key) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

// A key press that ends the wait: down, not a modifier or lock key alone,
// and either a character or a function, cursor or editing key.
bool ends_wait(const INPUT_RECORD& record) {
    if (record.EventType != KEY_EVENT) return false;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown || is_modifier_or_lock(key.wVirtualKeyCode)) return false;
    return key.uChar.UnicodeChar != 0 || is_function_cursor_or_editing(key.wVirtualKeyCode);
}

}  // namespace

console standard_console() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    return console{stdin, stdout, _isatty(_fileno(stdout)) != 0};
}

void wait_for_key() {
    std::fflush(stdout);
    HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (input == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    if (!GetConsoleMode(input, &mode)) {
        CloseHandle(input);
        return;
    }
    saved_mode = mode;
    waiting_input = input;
    SetConsoleCtrlHandler(restore_on_close, TRUE);
    // No echo, no line input, and Ctrl+C as an ordinary key. Events queued
    // before the wait stay queued: the first key among them ends it at once.
    SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT));

    INPUT_RECORD record{};
    DWORD read = 0;
    while (ReadConsoleInputW(input, &record, 1, &read) && read == 1 && !ends_wait(record)) {
    }

    SetConsoleMode(input, saved_mode);
    SetConsoleCtrlHandler(restore_on_close, FALSE);
    waiting_input = INVALID_HANDLE_VALUE;
    CloseHandle(input);
}

}  // namespace zelvane
