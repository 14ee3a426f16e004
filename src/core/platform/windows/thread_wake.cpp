#include "platform/windows/thread_wake.h"

#include <windows.h>

namespace velsnap {

namespace {

constexpr UINT kWakeMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"VelsnapThreadWake";

LRESULT CALLBACK wakeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kWakeMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    if (const auto *onWake = reinterpret_cast<const std::function<void()> *>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        (*onWake)();
    return 0;
}

} // namespace

ThreadWake::ThreadWake(std::function<void()> onWake) : m_onWake(std::move(onWake))
{
    [[maybe_unused]] static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = wakeProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassW(&windowClass);
    }();
    const HWND window =
        CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_onWake));
    m_window = window;
}

ThreadWake::~ThreadWake()
{
    DestroyWindow(static_cast<HWND>(m_window));
}

void ThreadWake::wake() const
{
    PostMessageW(static_cast<HWND>(m_window), kWakeMessage, 0, 0);
}

} // namespace velsnap
