// The button-image editor on a gallery toolbar: opened for a button as the
// customize sheet opens it, driven with real mouse input from a second
// thread while its modal loop runs, and the button's icon sampled on screen
// afterwards. The edge cases of the drawing run on a modeless editor.
// Screenshots go beside the results.
#include "ButtonImageEditing.h"
#include "EditorPictureFiles.h"
#include "CButtonImageEditorDlg.h"
#include "CCommandBarDrawer.h"
#include "CCommandIcon.h"
#include "CCommandIconStore.h"
#include "CKitCommandBars.h"
#include "CKitControls.h"
#include "CKitFrameWnd.h"
#include "CKitToolBar.h"
#include "CMenuSoundPlayer.h"
#include "AlphaBitmaps.h"
#include "CToolkitResources.h"
#include "InputDriving.h"
#include "ResourceIds.h"
#include "WindowCapture.h"
#include "window/CWinApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <initializer_list>
#include <functional>
#include <thread>

namespace
{

constexpr UINT kGreenCommand = 0x8201;
constexpr UINT kBlueCommand = 0x8202;
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr UINT kRedSwatch = ID_KIT_EDITOR_SWATCH_FIRST + 10 * ID_KIT_EDITOR_SWATCH_STEP;

// A fully opaque square icon of one colour.
HICON CreateSolidIcon(int nSize, COLORREF clr)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, nSize, nSize);
    ::ReleaseDC(nullptr, hScreen);
    HBITMAP hMask = ::CreateBitmap(nSize, nSize, 1, 1, nullptr);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    const RECT rc{0, 0, nSize, nSize};
    HGDIOBJ hOld = ::SelectObject(hDC, hColor);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    ::FillRect(hDC, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hDC, hMask);
    ::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = hColor;
    info.hbmMask = hMask;
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

COLORREF ScreenPixel(POINT pt)
{
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(nullptr, hScreen);
    return clr;
}

HWND WaitForEditor()
{
    for (int i = 0; i < 100; ++i)
    {
        if (HWND hDialog = ::FindWindowW(L"#32770", L"Button Editor"))
            if (::IsWindowVisible(hDialog))
                return hDialog;
        ::Sleep(50);
    }
    return nullptr;
}

POINT CenterOf(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The screen point in the middle of a canvas cell.
POINT CanvasCell(HWND hDialog, int x, int y)
{
    HWND hCanvas = ::GetDlgItem(hDialog, IDC_KIT_EDITOR_CANVAS);
    RECT rc = {};
    ::GetClientRect(hCanvas, &rc);
    const int cx = (rc.right - 1) / 16;
    const int cy = (rc.bottom - 1) / 16;
    POINT pt{x * cx + cx / 2, y * cy + cy / 2};
    ::ClientToScreen(hCanvas, &pt);
    return pt;
}

// Runs the user's part on a thread of its own while the editor's modal loop
// runs on the test thread. Whatever goes wrong, the editor is closed, so the
// loop cannot hang the test.
class CEditorDriver
{
public:
    explicit CEditorDriver(std::function<bool(HWND)> steps)
        : m_thread([this, steps] {
              HWND hDialog = WaitForEditor();
              m_bFound = hDialog != nullptr;
              m_bDone = hDialog != nullptr && steps(hDialog);
              if (hDialog != nullptr && ::IsWindow(hDialog))
                  ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
          })
    {
    }
    ~CEditorDriver() { Join(); }
    void Join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    std::atomic<bool> m_bFound{false};
    std::atomic<bool> m_bDone{false};

private:
    std::thread m_thread;
};

class ButtonImageEditor : public testing::Test
{
protected:
    // One frame with a "Gallery" toolbar of two buttons serves every check.
    static void SetUpTestSuite()
    {
        if (s_pApp == nullptr)
        {
            s_pApp = new CWinApp(L"CommandBars Image Editor Gallery");
            s_pApp->SetRegistryKey(L"Pelmo Tests");
        }
        // The plain style draws the normal picture, neither faded nor shadowed.
        SelectCommandBarDrawingStyle(0);
        s_pFrame = new CKitFrameWnd;
        ASSERT_TRUE(s_pFrame->Create(nullptr, L"Pelmo image editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(20, 20, 520, 260)));
        ASSERT_TRUE(s_pFrame->InitCommandBars());
        s_pBar = s_pFrame->GetCommandBars()->CreateToolBar(L"Gallery", kBarTop);
        ASSERT_NE(s_pBar, nullptr);
        s_pGreen = s_pBar->GetControls()->Add(kControlButton, kGreenCommand);
        s_pBlue = s_pBar->GetControls()->Add(kControlButton, kBlueCommand);
    }
    static void TearDownTestSuite()
    {
        if (s_pFrame != nullptr)
            s_pFrame->DestroyWindow();
        s_pFrame = nullptr;
        PumpFor(50);
        GetCommandIconStore()->RemoveAll();
        ReleaseCommandBarDrawer();
        CMenuSoundPlayer::Instance().Stop();
    }

    void SetUp() override
    {
        ASSERT_NE(s_pFrame, nullptr);
        ASSERT_NE(s_pGreen, nullptr);
        ASSERT_NE(s_pBlue, nullptr);
        m_pFrame = s_pFrame;
        m_pBar = s_pBar;
        m_pGreen = s_pGreen;
        m_pBlue = s_pBlue;
        CCommandIconStore* pStore = GetCommandIconStore();
        pStore->RemoveAll();
        m_hGreen = CreateSolidIcon(16, kGreen);
        m_hBlue = CreateSolidIcon(16, kBlue);
        ASSERT_TRUE(pStore->SetIcon(CIconImage(m_hGreen), kGreenCommand, 16, 16));
        ASSERT_TRUE(pStore->SetIcon(CIconImage(m_hBlue), kBlueCommand, 16, 16));
        m_pGreen->m_nCustomIconId = 0;
        m_pBlue->m_nCustomIconId = 0;
        m_pBar->m_szIcons = CSize(0, 0);
        m_pFrame->RecalcLayout();
        m_pBar->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpFor(200);
        m_pBar->RecalcLayout();
        ::RedrawWindow(m_pBar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        PumpFor(100);
    }
    void TearDown() override
    {
        ::DestroyIcon(m_hGreen);
        ::DestroyIcon(m_hBlue);
    }

    // Where the control's icon starts on screen: the first pixel of one of
    // its colours in the button, row by row.
    POINT IconOrigin(CKitControl* pControl, std::initializer_list<COLORREF> colours)
    {
        CRect rc = pControl->GetRect();
        ::MapWindowPoints(m_pBar->m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        HDC hScreen = ::GetDC(nullptr);
        POINT found{-1, -1};
        for (int y = rc.top; y < rc.bottom && found.x < 0; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (std::find(colours.begin(), colours.end(), ::GetPixel(hScreen, x, y)) != colours.end())
                {
                    found = POINT{x, y};
                    break;
                }
        ::ReleaseDC(nullptr, hScreen);
        return found;
    }

    void MovePointerAway()
    {
        ::SetCursorPos(5, ::GetSystemMetrics(SM_CYSCREEN) - 5);
        PumpFor(200);
    }

    static CWinApp* s_pApp;
    static CKitFrameWnd* s_pFrame;
    static CKitCommandBar* s_pBar;
    static CKitControl* s_pGreen;
    static CKitControl* s_pBlue;
    CKitFrameWnd* m_pFrame = nullptr;
    CKitCommandBar* m_pBar = nullptr;
    CKitControl* m_pGreen = nullptr;
    CKitControl* m_pBlue = nullptr;
    HICON m_hGreen = nullptr;
    HICON m_hBlue = nullptr;
};

CWinApp* ButtonImageEditor::s_pApp = nullptr;
CKitFrameWnd* ButtonImageEditor::s_pFrame = nullptr;
CKitCommandBar* ButtonImageEditor::s_pBar = nullptr;
CKitControl* ButtonImageEditor::s_pGreen = nullptr;
CKitControl* ButtonImageEditor::s_pBlue = nullptr;

TEST_F(ButtonImageEditor, PencilPixelDrawnWithTheMouseShowsOnTheButtonAfterOk)
{
    MovePointerAway();
    POINT origin = IconOrigin(m_pGreen, {kGreen});
    ASSERT_GE(origin.x, 0) << "the green icon is not on the toolbar";

    CEditorDriver driver([](HWND hDialog) {
        ::Sleep(300);
        ClickAt(CenterOf(::GetDlgItem(hDialog, kRedSwatch)));
        ClickAt(CanvasCell(hDialog, 5, 7));
        ::Sleep(300);
        CaptureWindowToBmp(hDialog, L"cbimageeditor_editor.bmp");
        ClickAt(CenterOf(::GetDlgItem(hDialog, IDOK)));
        return true;
    });
    const BOOL bStored = EditControlButtonImage(m_pGreen, m_pFrame);
    driver.Join();
    ASSERT_TRUE(driver.m_bFound) << "the editor did not open";
    EXPECT_TRUE(driver.m_bDone);
    ASSERT_TRUE(bStored);
    EXPECT_GT(m_pGreen->m_nCustomIconId, static_cast<int>(CCommandIconStore::kFirstCustomIdBase));
    EXPECT_EQ(m_pBlue->m_nCustomIconId, 0);

    MovePointerAway();
    m_pBar->RecalcLayout();
    PumpFor(200);
    ::RedrawWindow(m_pBar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpFor(300);
    // The bar may have laid its buttons out again.
    origin = IconOrigin(m_pGreen, {kGreen, kRed});
    EXPECT_EQ(ScreenPixel(POINT{origin.x + 5, origin.y + 7}), kRed);
    EXPECT_EQ(ScreenPixel(POINT{origin.x + 6, origin.y + 7}), kGreen);
    EXPECT_EQ(ScreenPixel(POINT{origin.x + 5, origin.y + 8}), kGreen);
    EXPECT_EQ(ScreenPixel(POINT{origin.x, origin.y}), kGreen);
    CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbimageeditor_after_ok.bmp");

    // A second edit goes over the same custom icon instead of making another.
    const int nCustomId = m_pGreen->m_nCustomIconId;
    const UINT nNextId = GetCommandIconStore()->GetNextCustomId();
    CEditorDriver second([](HWND hDialog) {
        ::Sleep(300);
        ClickAt(CenterOf(::GetDlgItem(hDialog, kRedSwatch)));
        ClickAt(CanvasCell(hDialog, 0, 0));
        ::Sleep(300);
        CaptureWindowToBmp(hDialog, L"cbimageeditor_second_edit.bmp");
        ClickAt(CenterOf(::GetDlgItem(hDialog, IDOK)));
        return true;
    });
    ASSERT_TRUE(EditControlButtonImage(m_pGreen, m_pFrame));
    second.Join();
    EXPECT_EQ(m_pGreen->m_nCustomIconId, nCustomId);
    EXPECT_EQ(GetCommandIconStore()->GetNextCustomId(), nNextId);
    MovePointerAway();
    ::RedrawWindow(m_pBar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpFor(300);
    CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbimageeditor_after_second_ok.bmp");
    origin = IconOrigin(m_pGreen, {kGreen, kRed});
    EXPECT_EQ(ScreenPixel(origin), kRed);
    EXPECT_EQ(ScreenPixel(POINT{origin.x + 5, origin.y + 7}), kRed);
}

TEST_F(ButtonImageEditor, CancelLeavesTheIconAsItWas)
{
    MovePointerAway();
    const POINT origin = IconOrigin(m_pBlue, {kBlue});
    ASSERT_GE(origin.x, 0);
    const UINT nNextId = GetCommandIconStore()->GetNextCustomId();

    CEditorDriver driver([](HWND hDialog) {
        ::Sleep(300);
        ClickAt(CenterOf(::GetDlgItem(hDialog, kRedSwatch)));
        ClickAt(CanvasCell(hDialog, 3, 3));
        ClickAt(CenterOf(::GetDlgItem(hDialog, IDCANCEL)));
        return true;
    });
    const BOOL bStored = EditControlButtonImage(m_pBlue, m_pFrame);
    driver.Join();
    ASSERT_TRUE(driver.m_bFound);
    EXPECT_FALSE(bStored);
    EXPECT_EQ(m_pBlue->m_nCustomIconId, 0);
    EXPECT_EQ(GetCommandIconStore()->GetNextCustomId(), nNextId);

    MovePointerAway();
    ::RedrawWindow(m_pBar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpFor(300);
    const POINT after = IconOrigin(m_pBlue, {kBlue, kRed});
    EXPECT_EQ(ScreenPixel(POINT{after.x + 3, after.y + 3}), kBlue);
    CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbimageeditor_after_cancel.bmp");
}

TEST_F(ButtonImageEditor, PictureOfAnotherSizeThanTheBarsIconsIsRefused)
{
    CCommandIconStore* pStore = GetCommandIconStore();
    HICON hLarge = CreateSolidIcon(24, kRed);
    const CIconImage large(hLarge);
    const UINT nNextId = pStore->GetNextCustomId();
    const size_t nSets = pStore->GetSetCount();
    ASSERT_EQ(ControlIconSize(m_pGreen), CSize(16, 16));

    // A new custom icon of the wrong size makes no set and takes no id.
    EXPECT_FALSE(StoreControlCustomIcon(m_pGreen, large, ControlIconSize(m_pGreen)));
    EXPECT_EQ(m_pGreen->m_nCustomIconId, 0);
    EXPECT_EQ(pStore->GetNextCustomId(), nNextId);
    EXPECT_EQ(pStore->GetSetCount(), nSets);

    // Nor does it go over an existing custom icon.
    HICON hSmall = CreateSolidIcon(16, kBlue);
    ASSERT_TRUE(StoreControlCustomIcon(m_pGreen, CIconImage(hSmall), CSize(16, 16)));
    const int nCustomId = m_pGreen->m_nCustomIconId;
    EXPECT_FALSE(StoreControlCustomIcon(m_pGreen, large, CSize(16, 16)));
    EXPECT_EQ(m_pGreen->m_nCustomIconId, nCustomId);
    CCommandIcon* pIcon = pStore->GetIcon(static_cast<UINT>(nCustomId), 16);
    ASSERT_NE(pIcon, nullptr);
    EXPECT_EQ(CSize(pIcon->GetExtent()), CSize(16, 16));

    // Empty pictures and no control are refused too.
    EXPECT_FALSE(StoreControlCustomIcon(m_pGreen, CIconImage(), CSize(16, 16)));
    EXPECT_FALSE(StoreControlCustomIcon(nullptr, CIconImage(hSmall), CSize(16, 16)));
    ::DestroyIcon(hLarge);
    ::DestroyIcon(hSmall);
}

TEST_F(ButtonImageEditor, AlphaIconKeepsItsAlphaThroughTheEditor)
{
    // A 32-bit picture: transparent but for an opaque and a half-transparent pixel.
    BITMAPINFO info = TopDown32BitmapInfo(16, 16);
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    ASSERT_NE(hBitmap, nullptr);
    auto* pPixels = static_cast<DWORD*>(pBits);
    std::fill(pPixels, pPixels + 256, 0u);
    pPixels[3 * 16 + 3] = 0xFF00A000;
    pPixels[4 * 16 + 4] = 0x80004000;
    CIconImage picture;
    picture.CopyAlphaBitmap(hBitmap);
    ::DeleteObject(hBitmap);
    CCommandIcon icon(0, 16, 16, static_cast<CCommandIconSet*>(nullptr));
    ASSERT_TRUE(icon.SetImage(picture));

    CButtonImageEditorDlg editor;
    editor.SetImageFromIcon(&icon);
    ASSERT_TRUE(editor.GetImage().HasAlpha());
    EXPECT_TRUE(editor.GetImage().IsTransparentAt(0, 0));
    EXPECT_EQ(editor.GetImage().GetPixelAlpha(4, 4), 0x80);
    LPCDLGTEMPLATE lpTemplate = GetToolkitResources()->LoadDialogTemplate(IDD_KIT_BUTTON_EDITOR);
    ASSERT_TRUE(editor.CreateIndirect(lpTemplate, m_pFrame));
    CImageEditorCanvas& canvas = editor.GetCanvas();
    const CSize cell = canvas.GetCellSize();
    canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7 * cell.cx + 1, 7 * cell.cy + 1));
    canvas.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(7 * cell.cx + 1, 7 * cell.cy + 1));
    // What the edit changed became opaque; the rest kept its alpha.
    EXPECT_EQ(canvas.GetImage().GetPixelAlpha(7, 7), 255);
    EXPECT_EQ(canvas.GetImage().GetPixelAlpha(4, 4), 0x80);
    EXPECT_EQ(canvas.GetImage().GetPixelAlpha(0, 0), 0);

    CCommandIcon result(0, 16, 16, static_cast<CCommandIconSet*>(nullptr));
    ASSERT_TRUE(editor.GetImageToIcon(&result));
    EXPECT_TRUE(result.IsAlpha());
    editor.DestroyWindow();
    CButtonImageEditorDlg reopened;
    reopened.SetImageFromIcon(&result);
    ASSERT_TRUE(reopened.GetImage().HasAlpha());
    EXPECT_EQ(reopened.GetImage().GetPixel(7, 7), RGB(0, 0, 0));
    EXPECT_EQ(reopened.GetImage().GetPixelAlpha(7, 7), 255);
    EXPECT_EQ(reopened.GetImage().GetPixel(3, 3), RGB(0, 160, 0));
    EXPECT_EQ(reopened.GetImage().GetPixelAlpha(4, 4), 0x80);
    EXPECT_TRUE(reopened.GetImage().IsTransparentAt(0, 0));
}

TEST_F(ButtonImageEditor, IconOfAnotherWidthOpensScaledToTheBarsIconSize)
{
    // Only a 16-pixel picture exists; the bar draws 24-pixel icons.
    m_pBar->m_szIcons = CSize(24, 24);
    ASSERT_EQ(ControlIconSize(m_pGreen), CSize(24, 24));
    CEditorDriver driver([](HWND hDialog) {
        ::Sleep(200);
        ClickAt(CenterOf(::GetDlgItem(hDialog, IDOK)));
        return true;
    });
    ASSERT_TRUE(EditControlButtonImage(m_pGreen, m_pFrame));
    driver.Join();
    CCommandIcon* pIcon = GetCommandIconStore()->GetIcon(static_cast<UINT>(m_pGreen->m_nCustomIconId), 24);
    ASSERT_NE(pIcon, nullptr);
    EXPECT_EQ(CSize(pIcon->GetExtent()), CSize(24, 24));
    EXPECT_EQ(pIcon->GetWidth(), 24);
}

// The drawing itself, on a modeless editor driven by messages to its canvas.
class EditorDrawing : public ButtonImageEditor
{
protected:
    void SetUp() override
    {
        ButtonImageEditor::SetUp();
        LPCDLGTEMPLATE lpTemplate = GetToolkitResources()->LoadDialogTemplate(IDD_KIT_BUTTON_EDITOR);
        ASSERT_NE(lpTemplate, nullptr);
        // Hidden: the checks read the picture, and showing costs seconds a window.
        ASSERT_TRUE(m_editor.CreateIndirect(lpTemplate, m_pFrame));
    }
    void TearDown() override
    {
        m_editor.DestroyWindow();
        ButtonImageEditor::TearDown();
    }
    void Press(int x, int y)
    {
        CImageEditorCanvas& canvas = m_editor.GetCanvas();
        const CSize cell = canvas.GetCellSize();
        const LPARAM lParam = MAKELPARAM(x * cell.cx + 1, y * cell.cy + 1);
        canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        canvas.SendMessage(WM_LBUTTONUP, 0, lParam);
    }
    void Drag(int x0, int y0, int x1, int y1)
    {
        CImageEditorCanvas& canvas = m_editor.GetCanvas();
        const CSize cell = canvas.GetCellSize();
        canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x0 * cell.cx + 1, y0 * cell.cy + 1));
        canvas.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x1 * cell.cx + 1, y1 * cell.cy + 1));
        canvas.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x1 * cell.cx + 1, y1 * cell.cy + 1));
    }
    void ChooseSwatch(UINT nID)
    {
        m_editor.SendMessage(WM_COMMAND, MAKEWPARAM(nID, STN_CLICKED),
                             reinterpret_cast<LPARAM>(::GetDlgItem(m_editor.m_hWnd, nID)));
    }
    const CEditorImage& Image() { return m_editor.GetCanvas().GetImage(); }
    void Command(UINT nID)
    {
        m_editor.SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(BarOf(nID)));
    }
    HWND BarOf(UINT nID)
    {
        // The toolbars are the dialog's children that hold the command.
        for (HWND hChild = ::GetWindow(m_editor.m_hWnd, GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            WCHAR szClass[64] = {};
            ::GetClassNameW(hChild, szClass, 64);
            if (wcscmp(szClass, TOOLBARCLASSNAMEW) == 0 &&
                ::SendMessageW(hChild, TB_COMMANDTOINDEX, nID, 0) >= 0)
                return hChild;
        }
        return nullptr;
    }

    CButtonImageEditorDlg m_editor;
};

TEST_F(EditorDrawing, SeventeenEditsLeaveSixteenUndoSteps)
{
    const CEditorImage first = Image();
    for (int i = 0; i < 17; ++i)
        Press(i % 16, i / 16);
    int nSteps = 0;
    while (m_editor.GetCanvas().CanUndo() && nSteps < 100)
    {
        Command(ID_KIT_EDITOR_UNDO);
        ++nSteps;
    }
    EXPECT_EQ(nSteps, 16);
    // The oldest step is the state after the first edit.
    EXPECT_FALSE(Image().IsSameAs(first));
    EXPECT_EQ(Image().GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_TRUE(Image().IsTransparentAt(1, 0));
}

TEST_F(EditorDrawing, AnEditAfterUndoEmptiesTheRedoList)
{
    Press(1, 1);
    Press(2, 2);
    Command(ID_KIT_EDITOR_UNDO);
    EXPECT_TRUE(m_editor.GetCanvas().CanRedo());
    Command(ID_KIT_EDITOR_REDO);
    EXPECT_EQ(Image().GetPixel(2, 2), RGB(0, 0, 0));
    Command(ID_KIT_EDITOR_UNDO);
    Press(3, 3);
    EXPECT_FALSE(m_editor.GetCanvas().CanRedo());
    EXPECT_TRUE(Image().IsTransparentAt(2, 2));
}

TEST_F(EditorDrawing, PencilOnAPixelOfTheDrawingColourRubsItOut)
{
    Press(4, 4);
    EXPECT_EQ(Image().GetPixel(4, 4), RGB(0, 0, 0));
    Press(4, 4);
    EXPECT_TRUE(Image().IsTransparentAt(4, 4));
}

TEST_F(EditorDrawing, MovingLeftTwiceAndRightTwiceLosesTheLeftmostTwoColumns)
{
    for (int y = 0; y < 3; ++y)
        for (int x : {0, 1, 2, 15})
            Press(x, y);
    for (UINT nID : {ID_KIT_EDITOR_MOVE_LEFT, ID_KIT_EDITOR_MOVE_LEFT, ID_KIT_EDITOR_MOVE_RIGHT, ID_KIT_EDITOR_MOVE_RIGHT})
        Command(nID);
    for (int y = 0; y < 3; ++y)
    {
        EXPECT_TRUE(Image().IsTransparentAt(0, y));
        EXPECT_TRUE(Image().IsTransparentAt(1, y));
        EXPECT_EQ(Image().GetPixel(2, y), RGB(0, 0, 0));
        EXPECT_EQ(Image().GetPixel(15, y), RGB(0, 0, 0));
    }
    EXPECT_TRUE(Image().IsTransparentAt(14, 0));
}

TEST_F(EditorDrawing, ShapesAndFillDrawInTheDrawingColour)
{
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    Command(ID_KIT_EDITOR_RECTANGLE);
    Drag(2, 2, 6, 5);
    for (POINT pt : {POINT{2, 2}, POINT{6, 2}, POINT{2, 5}, POINT{6, 5}, POINT{4, 2}, POINT{2, 4}})
        EXPECT_EQ(Image().GetPixel(pt.x, pt.y), kBlack) << pt.x << "," << pt.y;
    EXPECT_TRUE(Image().IsTransparentAt(4, 3));

    ChooseSwatch(kRedSwatch);
    Command(ID_KIT_EDITOR_FILL);
    Press(4, 3);
    EXPECT_EQ(Image().GetPixel(4, 3), kRed);
    EXPECT_EQ(Image().GetPixel(3, 4), kRed);
    EXPECT_EQ(Image().GetPixel(2, 2), kBlack);
    EXPECT_TRUE(Image().IsTransparentAt(1, 1));
    EXPECT_TRUE(Image().IsTransparentAt(7, 3));

    Command(ID_KIT_EDITOR_ELLIPSE);
    Drag(8, 8, 14, 14);
    EXPECT_EQ(Image().GetPixel(11, 8), kRed);
    EXPECT_EQ(Image().GetPixel(11, 14), kRed);
    EXPECT_TRUE(Image().IsTransparentAt(11, 11));
    EXPECT_TRUE(Image().IsTransparentAt(8, 8));
    // Each shape was one step.
    int nSteps = 0;
    while (m_editor.GetCanvas().CanUndo() && nSteps < 10)
    {
        Command(ID_KIT_EDITOR_UNDO);
        ++nSteps;
    }
    EXPECT_EQ(nSteps, 3);
}

TEST_F(EditorDrawing, CopyThenPasteBringsThePictureBack)
{
    Press(1, 1);
    Press(2, 3);
    Command(ID_KIT_EDITOR_COPY);
    Command(ID_KIT_EDITOR_CLEAR);
    EXPECT_TRUE(Image().IsTransparentAt(1, 1));
    Command(ID_KIT_EDITOR_PASTE);
    EXPECT_EQ(Image().GetPixel(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(Image().GetPixel(2, 3), RGB(0, 0, 0));
    EXPECT_TRUE(Image().IsTransparentAt(0, 0));
    EXPECT_TRUE(Image().IsTransparentAt(15, 15));
    EXPECT_FALSE(Image().HasAlpha());
}

TEST_F(EditorDrawing, PickColorReturnsToTheToolBeforeIt)
{
    m_editor.SendMessage(WM_COMMAND, MAKEWPARAM(kRedSwatch, STN_CLICKED),
                         reinterpret_cast<LPARAM>(::GetDlgItem(m_editor.m_hWnd, kRedSwatch)));
    Press(6, 6);
    Command(ID_KIT_EDITOR_LINE);
    EXPECT_EQ(m_editor.GetTool(), kToolLine);
    Command(ID_KIT_EDITOR_PICK);
    EXPECT_EQ(m_editor.GetTool(), kToolPick);
    Press(6, 6);
    EXPECT_EQ(m_editor.GetTool(), kToolLine);
    EXPECT_EQ(m_editor.GetDrawingColor(), kRed);
    const HWND hCustom = ::GetDlgItem(m_editor.m_hWnd, IDC_KIT_EDITOR_CUSTOM);
    EXPECT_NE(hCustom, nullptr);
    // The line goes from press to release in the picked colour.
    CImageEditorCanvas& canvas = m_editor.GetCanvas();
    const CSize cell = canvas.GetCellSize();
    canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10 * cell.cy + 1));
    canvas.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4 * cell.cx + 1, 10 * cell.cy + 1));
    canvas.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4 * cell.cx + 1, 10 * cell.cy + 1));
    for (int x = 0; x <= 4; ++x)
        EXPECT_EQ(Image().GetPixel(x, 10), kRed) << x;
    EXPECT_TRUE(Image().IsTransparentAt(5, 10));
    m_editor.ShowWindow(SW_SHOWNA);
    PumpFor(300);
    CaptureWindowToBmp(m_editor.m_hWnd, L"cbimageeditor_drawing.bmp");
}

// Picture files written by the test, as a user's files would be.
std::wstring TempFile(const wchar_t* pszName)
{
    wchar_t szDir[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szDir);
    return std::wstring(szDir) + pszName;
}

void WriteFile(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    FILE* pFile = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(pFile, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

void Put16(std::vector<BYTE>& bytes, size_t at, unsigned value)
{
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

void Put32(std::vector<BYTE>& bytes, size_t at, unsigned value)
{
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

// A BITMAPINFOHEADER of a 16-pixel-wide picture at the offset.
void PutInfoHeader(std::vector<BYTE>& bytes, size_t at, int nHeight, int nBits)
{
    Put32(bytes, at, 40);
    Put32(bytes, at + 4, 16);
    Put32(bytes, at + 8, static_cast<unsigned>(nHeight));
    Put16(bytes, at + 12, 1);
    Put16(bytes, at + 14, static_cast<unsigned>(nBits));
}

// A 16 x 16 bottom-up .bmp; pixel(x, y) gives blue, green, red, alpha.
std::vector<BYTE> MakeBmp(int nBits, const std::function<DWORD(int, int)>& pixel)
{
    const size_t nRow = static_cast<size_t>(16 * nBits / 8);
    std::vector<BYTE> bytes(54 + nRow * 16, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<unsigned>(bytes.size()));
    Put32(bytes, 10, 54);
    PutInfoHeader(bytes, 14, 16, nBits);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
        {
            const DWORD value = pixel(x, y);
            BYTE* p = &bytes[54 + nRow * static_cast<size_t>(15 - y) + static_cast<size_t>(x * nBits / 8)];
            std::memcpy(p, &value, static_cast<size_t>(nBits / 8));
        }
    return bytes;
}

TEST(EditorPictureFiles, BitmapAndIconFilesBecomePicturesOfTheEditorsSize)
{
    // 24 bits: no alpha, every pixel as it is.
    const std::wstring plain = TempFile(L"cbimageeditor_plain.bmp");
    WriteFile(plain, MakeBmp(24, [](int x, int y) { return x == 2 && y == 3 ? 0xFF0000u : 0xFFFFFFu; }));
    const CEditorImage fromPlain = LoadEditorPictureFile(plain.c_str(), 16, 16);
    ASSERT_FALSE(fromPlain.IsEmpty());
    EXPECT_FALSE(fromPlain.HasAlpha());
    EXPECT_EQ(fromPlain.GetPixel(2, 3), RGB(255, 0, 0));
    EXPECT_EQ(fromPlain.GetPixel(3, 3), RGB(255, 255, 255));

    // 32 bits: alpha kept, fully zero pixels transparent.
    const std::wstring alpha = TempFile(L"cbimageeditor_alpha.bmp");
    WriteFile(alpha, MakeBmp(32, [](int x, int y) {
        if (x == 4 && y == 5)
            return 0xFF0000C8u;
        return x == 6 && y == 6 ? 0x80004000u : 0u;
    }));
    const CEditorImage fromAlpha = LoadEditorPictureFile(alpha.c_str(), 16, 16);
    ASSERT_FALSE(fromAlpha.IsEmpty());
    EXPECT_TRUE(fromAlpha.HasAlpha());
    EXPECT_EQ(fromAlpha.GetPixel(4, 5), RGB(0, 0, 200));
    EXPECT_EQ(fromAlpha.GetPixelAlpha(4, 5), 255);
    EXPECT_EQ(fromAlpha.GetPixelAlpha(6, 6), 0x80);
    EXPECT_TRUE(fromAlpha.IsTransparentAt(0, 0));

    // A 32-bit icon: ICONDIR, one entry, the image (height doubled) and its mask.
    const std::wstring icon = TempFile(L"cbimageeditor_icon.ico");
    std::vector<BYTE> ico(6 + 16 + 40 + 16 * 16 * 4 + 16 * 4, 0);
    Put16(ico, 2, 1);
    Put16(ico, 4, 1);
    ico[6] = 16;
    ico[7] = 16;
    Put16(ico, 6 + 4, 1);
    Put16(ico, 6 + 6, 32);
    Put32(ico, 6 + 8, static_cast<unsigned>(ico.size() - 22));
    Put32(ico, 6 + 12, 22);
    PutInfoHeader(ico, 22, 32, 32);
    const size_t nPixels = 22 + 40;
    Put32(ico, nPixels + static_cast<size_t>((15 - 1) * 16 + 1) * 4, 0xFFFF0000u);
    WriteFile(icon, ico);
    const CEditorImage fromIcon = LoadEditorPictureFile(icon.c_str(), 16, 16);
    ASSERT_FALSE(fromIcon.IsEmpty());
    EXPECT_TRUE(fromIcon.HasAlpha());
    EXPECT_EQ(fromIcon.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_TRUE(fromIcon.IsTransparentAt(2, 2));

    // Damaged and missing files give no picture.
    const std::wstring damaged = TempFile(L"cbimageeditor_damaged.bmp");
    std::vector<BYTE> junk = MakeBmp(24, [](int, int) { return 0u; });
    junk.resize(40);
    Put32(junk, 18, 0x7FFFFFFF);
    WriteFile(damaged, junk);
    EXPECT_TRUE(LoadEditorPictureFile(damaged.c_str(), 16, 16).IsEmpty());
    EXPECT_TRUE(LoadEditorPictureFile(TempFile(L"cbimageeditor_missing.bmp").c_str(), 16, 16).IsEmpty());
    EXPECT_TRUE(LoadEditorPictureFile(TempFile(L"cbimageeditor_missing.gif").c_str(), 16, 16).IsEmpty());
    for (const std::wstring& path : {plain, alpha, icon, damaged})
        ::DeleteFileW(path.c_str());
}

} // namespace
