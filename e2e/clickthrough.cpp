// clickthrough: a person at the screen, for scenarios that start a program
// the way Windows does (without options or response files) and must answer
// its windows: waits for each window in turn and clicks one of its buttons.
//
//   clickthrough SECONDS "TITLE=>BUTTON"...
//
// For each step in order: waits up to SECONDS for a visible top-level window
// whose title begins with TITLE (case ignored; "*" takes any title) and that
// holds an enabled button whose caption, without its "&", is BUTTON (case
// ignored), then clicks that button and prints "clicked BUTTON in <title>".
// A BUTTON in braces is what a person does with the keyboard or the
// window's frame instead: {ESC}, {ENTER} and {ALT+F4} are posted as key
// messages to the window's focused control, {CLOSE} as the close box's
// command to the window itself; the window then needs no button.
// Exit codes: 0 every step done, 1 a step found no such window in time
// (named on standard error), 2 usage.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string TextOf(HWND W) {
    char text[512] = "";
    GetWindowTextA(W, text, sizeof(text));
    return text;
}

struct TSearch {
    std::string Title, Button;  // lower case
    HWND Window = nullptr, Found = nullptr;
    bool Key() const { return !Button.empty() && Button[0] == '{'; }
};

// The control that has the keyboard focus in W's thread, or W itself.
HWND FocusOf(HWND W) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(W, nullptr), &info) && info.hwndFocus) return info.hwndFocus;
    return W;
}

void PostKey(HWND To, UINT Down, UINT Up, WPARAM Key, LPARAM Flags) {
    PostMessageA(To, Down, Key, 1 | Flags);
    PostMessageA(To, Up, Key, 1 | Flags | static_cast<LPARAM>(0xC0000000));
}

// Does what a key step says; false for a step it does not know.
bool DoKeyStep(const TSearch& S) {
    if (S.Button == "{close}") return PostMessageA(S.Window, WM_SYSCOMMAND, SC_CLOSE, 0), true;
    HWND focus = FocusOf(S.Window);
    if (S.Button == "{esc}") PostKey(focus, WM_KEYDOWN, WM_KEYUP, VK_ESCAPE, 0);
    else if (S.Button == "{enter}") PostKey(focus, WM_KEYDOWN, WM_KEYUP, VK_RETURN, 0);
    else if (S.Button == "{alt+f4}") PostKey(focus, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F4, 0x20000000);
    else return false;
    return true;
}

BOOL CALLBACK FindButton(HWND W, LPARAM P) {
    auto* s = reinterpret_cast<TSearch*>(P);
    char cls[64] = "";
    GetClassNameA(W, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Button") != 0 || !IsWindowEnabled(W) || !IsWindowVisible(W)) return TRUE;
    std::string caption;
    for (char c : TextOf(W))
        if (c != '&') caption += c;
    if (Lower(caption) != s->Button) return TRUE;
    s->Found = W;
    return FALSE;
}

BOOL CALLBACK FindWindowWithButton(HWND W, LPARAM P) {
    auto* s = reinterpret_cast<TSearch*>(P);
    if (!IsWindowVisible(W)) return TRUE;
    if (s->Title != "*" && Lower(TextOf(W)).rfind(s->Title, 0) != 0) return TRUE;
    if (s->Key()) {
        s->Window = W;
        return FALSE;
    }
    EnumChildWindows(W, FindButton, P);
    if (!s->Found) return TRUE;
    s->Window = W;
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: clickthrough SECONDS \"TITLE=>BUTTON\"...\n");
        return 2;
    }
    const DWORD limit = static_cast<DWORD>(std::atoi(argv[1])) * 1000;
    for (int i = 2; i < argc; ++i) {
        const std::string step = argv[i];
        const size_t arrow = step.find("=>");
        if (arrow == std::string::npos) {
            std::fprintf(stderr, "clickthrough: a step is TITLE=>BUTTON, not %s\n", argv[i]);
            return 2;
        }
        TSearch s;
        s.Title = step.substr(0, arrow) == "*" ? "*" : Lower(step.substr(0, arrow));
        s.Button = Lower(step.substr(arrow + 2));
        const ULONGLONG start = GetTickCount64();
        while (!s.Window) {
            if (GetTickCount64() - start > limit) {
                std::fprintf(stderr, "clickthrough: no window \"%s\" with a button \"%s\" within %s s\n",
                             step.substr(0, arrow).c_str(), step.substr(arrow + 2).c_str(), argv[1]);
                return 1;
            }
            s.Found = nullptr;
            EnumWindows(FindWindowWithButton, reinterpret_cast<LPARAM>(&s));
            if (!s.Window) Sleep(200);
        }
        // Posted: the window's program may open a modal box from the click,
        // and a sent click would wait for that box to close.
        SetForegroundWindow(s.Window);
        if (s.Key()) {
            if (!DoKeyStep(s)) {
                std::fprintf(stderr, "clickthrough: no such key step %s\n", step.substr(arrow + 2).c_str());
                return 2;
            }
            std::printf("pressed %s in %s\n", step.substr(arrow + 2).c_str(), TextOf(s.Window).c_str());
        } else {
            PostMessageA(s.Found, BM_CLICK, 0, 0);
            std::printf("clicked %s in %s\n", step.substr(arrow + 2).c_str(), TextOf(s.Window).c_str());
        }
        std::fflush(stdout);
        // The window goes, or changes, before the next step looks.
        Sleep(500);
    }
    return 0;
}
