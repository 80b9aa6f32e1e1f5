// Shows the program's dialogs with their skins under Wine and writes a
// screenshot of each beside the test results: the skin painted at (0, 0) at
// its own size, labels and radio buttons drawn transparently over it, as the
// dialog classes do.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

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

INT_PTR CALLBACK SkinnedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        return TRUE;
    case WM_ERASEBKGND:
    {
        auto skin = reinterpret_cast<HBITMAP>(::GetWindowLongPtrW(dialog, DWLP_USER));
        HDC target = reinterpret_cast<HDC>(wParam);
        HDC memory = ::CreateCompatibleDC(target);
        HGDIOBJ old = ::SelectObject(memory, skin);
        BITMAP size{};
        ::GetObjectW(skin, sizeof(size), &size);
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

COLORREF SkinPixel(HBITMAP skin, int x, int y)
{
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, skin);
    COLORREF colour = ::GetPixel(memory, x, y);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return colour;
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
    // Each dialog opens on top of the ones before and stays until the process
    // ends: hiding a window under Wine without a window manager waits about two
    // seconds for the unmap, and the skins live as long as their dialogs.
    for (const SkinnedDialog& entry : dialogs)
    {
        SCOPED_TRACE(entry.dialogId);
        auto skin = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(entry.skinId),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(skin, nullptr);
        HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(entry.dialogId), nullptr,
                                           SkinnedProc, reinterpret_cast<LPARAM>(skin));
        ASSERT_NE(dialog, nullptr);
        ::SetWindowPos(dialog, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::UpdateWindow(dialog);
        Pump();

        // The skin's top band shows in the client area where no control is.
        HDC client = ::GetDC(dialog);
        COLORREF shown = ::GetPixel(client, 2, 2);
        ::ReleaseDC(dialog, client);
        EXPECT_EQ(shown, SkinPixel(skin, 2, 2));
        EXPECT_TRUE(CaptureWindowToBmp(dialog, entry.file));
    }
}
