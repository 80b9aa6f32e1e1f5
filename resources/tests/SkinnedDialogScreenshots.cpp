// Shows the program's dialogs with their skins under Wine and writes a
// screenshot of each beside the test results: the skin painted at (0, 0) at
// its own size, labels and radio buttons drawn transparently over it, as the
// dialog classes do.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ResourceIds.h"
#include "WindowCapture.h"

namespace
{
struct SkinnedDialog
{
    int dialogId;
    int skinId;
    const wchar_t* file;
};

HBITMAP g_skin = nullptr;

INT_PTR CALLBACK SkinnedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message)
    {
    case WM_ERASEBKGND:
    {
        HDC target = reinterpret_cast<HDC>(wParam);
        HDC memory = ::CreateCompatibleDC(target);
        HGDIOBJ old = ::SelectObject(memory, g_skin);
        BITMAP size{};
        ::GetObjectW(g_skin, sizeof(size), &size);
        ::BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    default:
        return FALSE;
    }
}

void Pump()
{
    for (int i = 0; i < 20; ++i)
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        ::Sleep(10);
    }
}
} // namespace

TEST(SkinnedDialogs, ScreenshotsShowTheSkinUnderTheControls)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&controls));
    const SkinnedDialog dialogs[] = {
        {IDD_MESSAGE, IDB_SKIN_MESSAGE, L"dialog-message.bmp"},
        {IDD_RECOVERY_SETTINGS, IDB_SKIN_FILE_TYPES, L"dialog-settings.bmp"},
        {IDD_DRIVE_INFO, IDB_SKIN_DRIVE_INFO, L"dialog-drive-info.bmp"},
        {IDD_FIND_FILES, IDB_SKIN_FIND_FILES, L"dialog-find-files.bmp"},
        {IDD_SAVE_PROGRESS, IDB_SKIN_SAVE_PROGRESS, L"dialog-save-progress.bmp"},
        {IDD_ABOUT, IDB_SKIN_ABOUT, L"dialog-about.bmp"},
    };
    for (const SkinnedDialog& entry : dialogs)
    {
        SCOPED_TRACE(entry.dialogId);
        g_skin = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(entry.skinId),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(g_skin, nullptr);
        HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(entry.dialogId), nullptr,
                                           SkinnedProc, 0);
        ASSERT_NE(dialog, nullptr);
        ::SetWindowPos(dialog, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::UpdateWindow(dialog);
        Pump();

        // The skin's top band shows in the client area where no control is.
        HDC client = ::GetDC(dialog);
        COLORREF shown = ::GetPixel(client, 2, 2);
        ::ReleaseDC(dialog, client);
        HDC memory = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(memory, g_skin);
        COLORREF painted = ::GetPixel(memory, 2, 2);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        EXPECT_EQ(shown, painted);

        EXPECT_TRUE(CaptureWindowToBmp(dialog, entry.file));
        ::DestroyWindow(dialog);
        ::DeleteObject(g_skin);
        g_skin = nullptr;
    }
}
