// The customize sheet in a gallery frame: the frame's customize command opens
// it beside the frame, commands are dragged from its command list onto a
// toolbar and buttons between bars by real input (the drag loop holds the
// capture, so it must see SendInput), and the toolbar-name dialog makes a
// new toolbar and refuses an empty or a taken name. Screenshots go beside
// the results.
#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "CKitFrameWnd.h"
#include "CKitControlEdit.h"
#include "CKitMenuBar.h"
#include "CKitPopupBar.h"
#include "CKitToolBar.h"
#include "CMenuSoundPlayer.h"
#include "CToolkitResources.h"
#include "InputDriving.h"
#include "ResourceIds.h"
#include "WindowCapture.h"
#include "CustomizeGalleryFrame.h"
#include "customize/CControlDragSource.h"
#include "customize/CKitCustomizeSheet.h"
#include "customize/CNewToolBarDlg.h"
#include "window/CCmdUI.h"
#include "window/CWinApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

constexpr LPCTSTR kAppName = L"CommandBars Customize Sheet";
constexpr LPCTSTR kAppKey = L"Software\\Pelmo Tests\\CommandBars Customize Sheet";
constexpr LPCTSTR kProfile = L"CommandBars";
// Set when this process stored the bars, so the reading half waits for a process of its own.
bool g_bStoredInThisProcess = false;

// Steps run one per timer tick while a modal loop (a dialog, a message box,
// the drag loop) holds the thread; each step returns true when done.
class CTimerScript
{
public:
    explicit CTimerScript(std::vector<std::function<bool()>> steps) : m_steps(std::move(steps))
    {
        s_pCurrent = this;
        m_nTimer = ::SetTimer(nullptr, 0, 100, &CTimerScript::Tick);
    }
    ~CTimerScript()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_pCurrent = nullptr;
    }
    bool Finished() const { return m_nNext >= m_steps.size(); }
    size_t StepsDone() const { return m_nNext; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CTimerScript* pScript = s_pCurrent;
        if (pScript == nullptr || pScript->Finished() || pScript->m_bRunning)
            return;
        pScript->m_bRunning = true;
        if (pScript->m_steps[pScript->m_nNext]())
            ++pScript->m_nNext;
        pScript->m_bRunning = false;
    }

    std::vector<std::function<bool()>> m_steps;
    size_t m_nNext = 0;
    bool m_bRunning = false;
    UINT_PTR m_nTimer = 0;
    static CTimerScript* s_pCurrent;
};
CTimerScript* CTimerScript::s_pCurrent = nullptr;

CString WindowText(HWND hWnd)
{
    wchar_t sz[512] = {};
    ::GetWindowTextW(hWnd, sz, 512);
    return CString(sz);
}

CString ToolkitString(UINT nId)
{
    CString str;
    GetToolkitResources()->LoadString(str, nId);
    return str;
}

std::string Narrow(const CString& str)
{
    std::string out;
    for (int i = 0; i < str.GetLength(); ++i)
        out += static_cast<char>(str[i] < 128 ? str[i] : '?');
    return out;
}

// A visible top-level dialog window of this thread other than the ones
// given, whose static texts hold the text (empty: any).
HWND FindBox(const CString& strText, std::vector<HWND> except)
{
    struct Search
    {
        CString strText;
        std::vector<HWND> except;
        HWND hFound = nullptr;
    } search{strText, std::move(except), nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pSearch = reinterpret_cast<Search*>(lParam);
            wchar_t szClass[64] = {};
            ::GetClassNameW(hWnd, szClass, 64);
            if (wcscmp(szClass, L"#32770") != 0 || !::IsWindowVisible(hWnd))
                return TRUE;
            for (HWND h : pSearch->except)
                if (h == hWnd)
                    return TRUE;
            CString strAll;
            for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
                strAll += WindowText(hChild) + L"\n";
            if (pSearch->strText.IsEmpty() || strAll.Find(pSearch->strText) >= 0)
            {
                pSearch->hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

INPUT MouseInput(DWORD dwFlags, POINT pt = {0, 0})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    if ((dwFlags & MOUSEEVENTF_ABSOLUTE) != 0)
    {
        input.mi.dx = static_cast<LONG>(pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = static_cast<LONG>(pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    }
    return input;
}

// The left button pressed at one point and moved in steps to another, left
// down: the caller releases it.
void PressAndMove(POINT from, POINT to, int nSteps)
{
    std::vector<INPUT> inputs;
    inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from));
    inputs.push_back(MouseInput(MOUSEEVENTF_LEFTDOWN));
    for (int i = 1; i <= nSteps; ++i)
        inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                                    POINT{from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps}));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void ReleaseLeftButton()
{
    INPUT input = MouseInput(MOUSEEVENTF_LEFTUP);
    ::SendInput(1, &input, sizeof(INPUT));
}

// The popup bar of this thread that shows, or null.
CKitPopupBar* FindOpenPopup()
{
    CKitPopupBar* pFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pPopup = dynamic_cast<CKitPopupBar*>(CWnd::FromHandlePermanent(hWnd));
            if (pPopup != nullptr && ::IsWindowVisible(hWnd))
            {
                *reinterpret_cast<CKitPopupBar**>(lParam) = pPopup;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&pFound));
    return pFound;
}

void SendKey(WORD nKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = nKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

void RightClickAt(POINT pt)
{
    INPUT inputs[3] = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, pt), MouseInput(MOUSEEVENTF_RIGHTDOWN),
                       MouseInput(MOUSEEVENTF_RIGHTUP)};
    ::SendInput(3, inputs, sizeof(INPUT));
}

class CustomizeSheetGallery : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pApp = new CWinApp(kAppName);
        s_pApp->SetRegistryKey(L"Pelmo Tests");
        SelectCommandBarDrawingStyle(4);
    }
    static void TearDownTestSuite()
    {
        ReleaseCommandBarDrawer();
        CMenuSoundPlayer::Instance().Stop();
    }

    void SetUp() override
    {
        m_pFrame = new CCustomizeGalleryFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo customize", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(10, 10, 620, 420)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        m_pBars = m_pFrame->GetCommandBars();
        ASSERT_TRUE(m_pBars->IsCustomizationAllowed());
        ASSERT_NE(m_pBars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME), nullptr);
        m_pToolBar = dynamic_cast<CKitToolBar*>(m_pBars->CreateToolBar(L"Standard", kBarTop));
        ASSERT_NE(m_pToolBar, nullptr);
        ASSERT_TRUE(m_pToolBar->LoadToolBar(IDR_MAINFRAME));
        m_pToolBar->m_nBarId = IDR_MAINFRAME;
        Relayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpFor(200);
    }
    void TearDown() override
    {
        CKitCommandBars::ClosePopups();
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        PumpFor(50);
    }
    void Relayout()
    {
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(100);
    }
    // The frame's customize command; the sheet is moved beside the frame.
    CKitCustomizeSheet* OpenSheet()
    {
        m_pFrame->SendMessage(WM_COMMAND, ID_COMMANDBARS_CUSTOMIZE, 0);
        PumpFor(200);
        auto* pSheet = dynamic_cast<CKitCustomizeSheet*>(m_pBars->GetCustomizeSheet());
        if (pSheet != nullptr)
        {
            pSheet->SetWindowPos(nullptr, 630, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            PumpFor(200);
        }
        return pSheet;
    }
    void CloseSheet(CKitCustomizeSheet* pSheet)
    {
        const HWND hSheet = pSheet->m_hWnd;
        ::PostMessageW(::GetDlgItem(hSheet, IDCANCEL), BM_CLICK, 0, 0);
        PumpUntil([&] { return !::IsWindow(hSheet); });
    }
    static CPoint ScreenCentre(CKitCommandBar* pBar, CKitControl* pControl)
    {
        CRect rc = pControl->GetRect();
        pBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    // The first command of the "All Commands" list the toolbar does not hold,
    // and its row in the list.
    int FindCommandNotOnToolBar(CKitCustomizeSheet* pSheet, CKitControl*& pCommand)
    {
        CListBox* pCategories = pSheet->m_pageCommands.GetCategoryList();
        const int nAll = pCategories->GetCount() - 1;
        pCategories->SetCurSel(nAll);
        pSheet->m_pageCommands.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KIT_CATEGORY_LIST, LBN_SELCHANGE),
                                           reinterpret_cast<LPARAM>(pCategories->m_hWnd));
        CListBox* pList = pSheet->m_pageCommands.GetCommandList();
        for (int i = 0; i < pList->GetCount(); ++i)
        {
            auto* pControl = reinterpret_cast<CKitControl*>(pList->GetItemData(i));
            if (m_pToolBar->GetControls()->FindControl(pControl->GetId()) == nullptr)
            {
                pCommand = pControl;
                return i;
            }
        }
        return -1;
    }

    // Drags the command at the row of the sheet's list onto the screen point
    // by real input, showing the mark on the bar under it; the screen while
    // the mark shows goes to the file, and the mark into rcMark.
    void DragCommandTo(CKitCustomizeSheet* pSheet, int nRow, CPoint ptTarget, CKitCommandBar* pTargetBar,
                       CRect& rcMark, COLORREF& clrMark, bool& bCopying, LPCTSTR pszScreenshot)
    {
        CListBox* pList = pSheet->m_pageCommands.GetCommandList();
        pList->SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nRow));
        PumpFor(100);
        CRect rcRow;
        pList->GetItemRect(nRow, &rcRow);
        pList->ClientToScreen(&rcRow);
        CTimerScript script({
            [&] {
                if (!m_pBars->GetDragSource()->IsDragging())
                    return false;
                PumpFor(200);
                rcMark = pTargetBar->GetInsertionMark();
                bCopying = m_pBars->GetDragSource()->IsCopying() != FALSE;
                if (!rcMark.IsRectEmpty())
                {
                    // The I-beam's upright, inverted over the light bar.
                    CPoint ptMark = rcMark.CenterPoint();
                    pTargetBar->ClientToScreen(&ptMark);
                    HDC hScreen = ::GetDC(nullptr);
                    clrMark = ::GetPixel(hScreen, ptMark.x, ptMark.y);
                    ::ReleaseDC(nullptr, hScreen);
                }
                if (pszScreenshot != nullptr)
                    CaptureWindowToBmp(::GetDesktopWindow(), pszScreenshot);
                ReleaseLeftButton();
                return true;
            },
        });
        PressAndMove(rcRow.CenterPoint(), ptTarget, 12);
        EXPECT_TRUE(PumpUntil([&] { return script.Finished() && !m_pBars->GetDragSource()->IsDragging(); }, 8000))
            << "the drag loop did not start or end";
        PumpFor(200);
    }

    static CWinApp* s_pApp;
    CCustomizeGalleryFrame* m_pFrame = nullptr;
    CKitCommandBars* m_pBars = nullptr;
    CKitToolBar* m_pToolBar = nullptr;
};

CWinApp* CustomizeSheetGallery::s_pApp = nullptr;

}  // namespace

TEST_F(CustomizeSheetGallery, CustomizeCommandOpensTheSheetInCustomizeMode)
{
    CKitCustomizeSheet* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    EXPECT_TRUE(::IsWindowVisible(pSheet->m_hWnd));
    EXPECT_EQ(WindowText(pSheet->m_hWnd), CString(L"Customize"));
    EXPECT_TRUE(m_pBars->IsCustomizeMode());
    EXPECT_EQ(WindowText(::GetDlgItem(pSheet->m_hWnd, IDCANCEL)), CString(L"Close"));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(pSheet->m_hWnd, IDOK)));

    // The categories: each menu of the menu bar, the toolbar, then all commands.
    CListBox* pCategories = pSheet->m_pageCommands.GetCategoryList();
    std::vector<CString> names;
    for (int i = 0; i < pCategories->GetCount(); ++i)
    {
        CString str;
        pCategories->GetText(i, str);
        names.push_back(str);
    }
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names.front(), CString(L"Recovery"));
    EXPECT_EQ(names.back(), CString(L"All Commands"));
    EXPECT_EQ(pCategories->GetCurSel(), 0);
    CListBox* pCommands = pSheet->m_pageCommands.GetCommandList();
    ASSERT_GT(pCommands->GetCount(), 0);
    EXPECT_EQ(reinterpret_cast<CKitControl*>(pCommands->GetItemData(0))->GetId(), ID_RECOVER_SELECTED);

    // Toolbars page: the menu bar and "Standard", both checked.
    pSheet->SendMessage(PSM_SETCURSEL, 1, 0);
    PumpFor(100);
    CCheckListBox* pBarList = pSheet->m_pageToolbars.GetBarList();
    ASSERT_NE(pBarList->m_hWnd, nullptr);
    ASSERT_EQ(pBarList->GetCount(), 2);
    CString strSecond;
    pBarList->GetText(1, strSecond);
    EXPECT_EQ(strSecond, CString(L"Standard"));
    EXPECT_EQ(pBarList->GetCheck(1), 1);
    EXPECT_TRUE(CaptureWindowToBmp(::GetDesktopWindow(), L"cbcustomize_sheet_toolbars.bmp"));

    CloseSheet(pSheet);
    EXPECT_EQ(m_pBars->GetCustomizeSheet(), nullptr);
    EXPECT_FALSE(m_pBars->IsCustomizeMode());
}

TEST_F(CustomizeSheetGallery, CommandDraggedFromTheSheetLandsOnTheToolBarWhereTheMarkShowed)
{
    CKitCustomizeSheet* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    CKitControl* pCommand = nullptr;
    const int nRow = FindCommandNotOnToolBar(pSheet, pCommand);
    ASSERT_GE(nRow, 0);
    const int nId = pCommand->GetId();
    CListBox* pList = pSheet->m_pageCommands.GetCommandList();

    // Aim at the right half of the toolbar's first button: the copy goes after it.
    CKitControls* pControls = m_pToolBar->GetControls();
    const int nBefore = pControls->GetCount();
    CKitControl* pFirst = pControls->GetAt(0);
    ASSERT_NE(pFirst, nullptr);
    CRect rcFirst = pFirst->GetRect();
    m_pToolBar->ClientToScreen(&rcFirst);
    const CPoint ptTarget(rcFirst.right - 3, rcFirst.CenterPoint().y);

    // Mid-drag (inside the drag loop) the bar shows its mark; then the button goes up.
    CRect rcMarkSeen;
    bool bCopyCursorSeen = false;
    COLORREF clrMark = CLR_INVALID;
    DragCommandTo(pSheet, nRow, ptTarget, m_pToolBar, rcMarkSeen, clrMark, bCopyCursorSeen,
                  L"cbcustomize_drag_mark.bmp");

    EXPECT_FALSE(rcMarkSeen.IsRectEmpty()) << "no drop position was shown";
    EXPECT_TRUE(bCopyCursorSeen);
    EXPECT_LT(GetRValue(clrMark) + GetGValue(clrMark) + GetBValue(clrMark), 3 * 128) << std::hex << clrMark;
    ASSERT_EQ(pControls->GetCount(), nBefore + 1);
    CKitControl* pDropped = pControls->GetAt(1);
    EXPECT_EQ(pDropped->GetId(), nId);
    EXPECT_EQ(m_pBars->GetDragControl(), pDropped) << "the dropped copy is the customize selection";
    EXPECT_TRUE(pDropped->IsVisible());
    EXPECT_GT(pDropped->GetRect().left, pFirst->GetRect().left);
    // The mark lay on the far edge of the first button.
    EXPECT_LE(std::abs(rcMarkSeen.CenterPoint().x - pFirst->GetRect().right), 3);
    EXPECT_TRUE(m_pToolBar->GetInsertionMark().IsRectEmpty()) << "the mark stayed after the drop";
    // The sheet's list keeps its command.
    EXPECT_EQ(reinterpret_cast<CKitControl*>(pList->GetItemData(nRow)), pCommand);
    Relayout();
    EXPECT_TRUE(CaptureWindowToBmp(::GetDesktopWindow(), L"cbcustomize_dropped.bmp"));
    {
        // The customize selection is framed in black.
        CPoint ptCorner = pDropped->GetRect().TopLeft();
        m_pToolBar->ClientToScreen(&ptCorner);
        HDC hScreen = ::GetDC(nullptr);
        EXPECT_EQ(::GetPixel(hScreen, ptCorner.x, ptCorner.y), RGB(0, 0, 0));
        EXPECT_EQ(::GetPixel(hScreen, ptCorner.x + 1, ptCorner.y + 1), RGB(0, 0, 0));
        ::ReleaseDC(nullptr, hScreen);
    }

    // A press on the new button without moving changes nothing.
    const CPoint ptDropped = ScreenCentre(m_pToolBar, pDropped);
    ClickAt(ptDropped);
    PumpFor(200);
    EXPECT_EQ(pControls->GetCount(), nBefore + 1);
    EXPECT_EQ(pControls->GetAt(1)->GetId(), nId);
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "customize mode ran a command";

    // Dragged off every bar, it is deleted.
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    DragWithMouse(ptDropped, CPoint(rcClient.CenterPoint().x, rcClient.bottom - 40), 10);
    ASSERT_TRUE(PumpUntil([&] { return !m_pBars->GetDragSource()->IsDragging(); }));
    EXPECT_EQ(pControls->GetCount(), nBefore);
    EXPECT_EQ(pControls->FindControl(nId), nullptr);
    EXPECT_EQ(m_pBars->GetDragControl(), nullptr);
    CloseSheet(pSheet);
}

TEST_F(CustomizeSheetGallery, NewToolBarNamedInTheDialogAppearsAndTakesButtonsFromOtherBars)
{
    // Two user toolbars already carry the first two proposals.
    ASSERT_NE(m_pBars->AddCustomToolBar(L"Custom 1", CNewToolBarDlg::kFirstBarId), nullptr);
    ASSERT_NE(m_pBars->AddCustomToolBar(L"Custom 2", CNewToolBarDlg::kFirstBarId + 1), nullptr);
    CKitCustomizeSheet* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    pSheet->SendMessage(PSM_SETCURSEL, 1, 0);
    PumpFor(100);
    CCustomizeToolbarsPage* pPage = &pSheet->m_pageToolbars;
    ASSERT_EQ(pPage->GetBarList()->GetCount(), 4);

    HWND hDialog = nullptr;
    CString strProposed;
    CString strTitle;
    std::vector<CString> messages;
    const std::vector<HWND> sheetOnly{pSheet->m_hWnd};
    auto typeAndConfirm = [&](LPCTSTR pszName) {
        return [&, pszName] {
            if (FindBox(CString(), {pSheet->m_hWnd, hDialog}) != nullptr)
                return false;  // the previous message is still up
            ::SetDlgItemTextW(hDialog, IDC_KIT_TOOLBAR_NAME, pszName);
            ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
            return true;
        };
    };
    auto closeMessage = [&](UINT nString, LPCTSTR pszName) {
        return [&, nString, pszName] {
            CString strText = ToolkitString(nString);
            if (pszName != nullptr)
            {
                CString strFormat = strText;
                strText.Format(strFormat, pszName);
            }
            HWND hBox = FindBox(strText, {pSheet->m_hWnd, hDialog});
            if (hBox == nullptr)
                return false;
            messages.push_back(strText);
            EXPECT_TRUE(::IsWindow(hDialog)) << "the dialog closed on a refused name";
            ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
            return true;
        };
    };
    CTimerScript script({
        [&] {
            hDialog = FindBox(L"&Toolbar name:", sheetOnly);
            if (hDialog == nullptr)
                return false;
            strTitle = WindowText(hDialog);
            strProposed = WindowText(::GetDlgItem(hDialog, IDC_KIT_TOOLBAR_NAME));
            return true;
        },
        typeAndConfirm(L""),
        closeMessage(9331, nullptr),
        typeAndConfirm(L"   "),
        closeMessage(9331, nullptr),
        typeAndConfirm(L"Standard"),
        closeMessage(9333, L"Standard"),
        typeAndConfirm(L"My Tools"),
    });
    ::PostMessageW(pPage->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_KIT_TOOLBAR_NEW, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(pPage->m_hWnd, IDC_KIT_TOOLBAR_NEW)));
    ASSERT_TRUE(PumpUntil([&] { return script.Finished() && (hDialog == nullptr || !::IsWindow(hDialog)); }, 15000))
        << "stopped after step " << script.StepsDone();

    EXPECT_EQ(strTitle, CString(L"New Toolbar"));
    EXPECT_EQ(strProposed, CString(L"Custom 3"));
    EXPECT_EQ(messages.size(), 3u);
    CKitCommandBar* pNew = nullptr;
    for (int i = 0; i < m_pBars->GetCount(); ++i)
    {
        if (m_pBars->GetAt(i)->GetTitle() == CString(L"My Tools"))
            pNew = m_pBars->GetAt(i);
    }
    ASSERT_NE(pNew, nullptr) << "no toolbar named in the dialog";
    EXPECT_EQ(pNew->GetBarId(), CNewToolBarDlg::kFirstBarId + 2);
    EXPECT_TRUE(::IsWindowVisible(pNew->m_hWnd));
    EXPECT_FALSE(dynamic_cast<CKitToolBar*>(pNew)->m_bBuiltIn);
    CString strListed;
    CCheckListBox* pBarList = pPage->GetBarList();
    ASSERT_EQ(pBarList->GetCount(), 5);
    pBarList->GetText(pBarList->GetCurSel(), strListed);
    EXPECT_EQ(strListed, CString(L"My Tools"));
    // A user's toolbar can be renamed and deleted, not reset.
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(pPage->m_hWnd, IDC_KIT_TOOLBAR_RENAME)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(pPage->m_hWnd, IDC_KIT_TOOLBAR_DELETE)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pPage->m_hWnd, IDC_KIT_TOOLBAR_RESET)));

    // A button of "Standard" dragged onto the new (empty) bar moves there.
    Relayout();
    CKitControls* pStandard = m_pToolBar->GetControls();
    const int nStandardCount = pStandard->GetCount();
    CKitControl* pMoved = pStandard->GetAt(0);
    const int nMovedId = pMoved->GetId();
    CRect rcNew;
    pNew->GetWindowRect(&rcNew);
    DragWithMouse(ScreenCentre(m_pToolBar, pMoved), CPoint(rcNew.left + 8, rcNew.CenterPoint().y), 12);
    ASSERT_TRUE(PumpUntil([&] { return !m_pBars->GetDragSource()->IsDragging(); }));
    PumpFor(200);
    EXPECT_EQ(pStandard->GetCount(), nStandardCount - 1);
    EXPECT_EQ(pStandard->FindControl(nMovedId), nullptr);
    // The bar's own expand button stays behind the moved one.
    CKitControl* pLanded = pNew->GetControls()->GetAt(0);
    ASSERT_NE(pLanded, nullptr);
    EXPECT_EQ(pLanded->GetId(), nMovedId);
    for (int i = 1; i < pNew->GetControls()->GetCount(); ++i)
        EXPECT_TRUE(pNew->GetControls()->GetAt(i)->IsTemporary());
    Relayout();
    EXPECT_TRUE(CaptureWindowToBmp(::GetDesktopWindow(), L"cbcustomize_new_toolbar.bmp"));
    CloseSheet(pSheet);
}

TEST_F(CustomizeSheetGallery, NameDialogRefusesWhenEveryToolBarIdIsTaken)
{
    // Bars without windows are enough to take the ids.
    for (int nId = CNewToolBarDlg::kFirstBarId; nId <= CNewToolBarDlg::kLastBarId; ++nId)
    {
        auto* pBar = static_cast<CKitToolBar*>(RUNTIME_CLASS(CKitToolBar)->CreateObject());
        pBar->m_nBarId = nId;
        CString strTitle;
        strTitle.Format(L"Bar %d", nId);
        pBar->m_strTitle = strTitle;
        m_pBars->AddBar(pBar);
    }
    EXPECT_EQ(CNewToolBarDlg::FindFreeBarId(m_pBars), 0);
    HWND hDialog = nullptr;
    bool bLimitShown = false;
    CTimerScript script({
        [&] {
            hDialog = FindBox(L"&Toolbar name:", {});
            if (hDialog == nullptr)
                return false;
            ::SetDlgItemTextW(hDialog, IDC_KIT_TOOLBAR_NAME, L"One Too Many");
            ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            HWND hBox = FindBox(ToolkitString(9332), {hDialog});
            if (hBox == nullptr)
                return false;
            bLimitShown = true;
            ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
    });
    CNewToolBarDlg dlg(m_pFrame, m_pBars, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(bLimitShown);
    EXPECT_EQ(dlg.m_nBarId, 0);
}

TEST_F(CustomizeSheetGallery, ContextMenuOfTheSelectedButtonChangesItsGroupStyleAndDeletesIt)
{
    CKitCustomizeSheet* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    CKitControls* pControls = m_pToolBar->GetControls();
    CKitControl* pTarget = pControls->GetAt(2);
    ASSERT_NE(pTarget, nullptr);
    const int nId = pTarget->GetId();
    const int nCount = pControls->GetCount();
    pTarget->SetBeginGroup(FALSE);

    // Right-clicks the button, records what the menu offers and types a mnemonic.
    struct Offer
    {
        BOOL bEditImageEnabled = TRUE;
        BOOL bGroupEnabled = FALSE;
        BOOL bDefaultStyleChecked = FALSE;
        bool bSeen = false;
    };
    auto choose = [&](WORD nKey, std::function<bool()> after = nullptr) {
        Offer offer;
        std::vector<std::function<bool()>> steps;
        if (after)
            steps.push_back(after);
        CTimerScript script(std::vector<std::function<bool()>>{
            [&] {
                CKitPopupBar* pPopup = FindOpenPopup();
                if (pPopup == nullptr)
                    return false;
                PumpFor(100);
                CKitControls* pItems = pPopup->GetControls();
                if (CKitControl* p = pItems->FindControl(ID_KIT_CUSTOMIZE_EDIT_IMAGE))
                    offer.bEditImageEnabled = p->GetEnabled();
                if (CKitControl* p = pItems->FindControl(ID_KIT_CUSTOMIZE_BEGIN_GROUP))
                    offer.bGroupEnabled = p->GetEnabled();
                if (CKitControl* p = pItems->FindControl(ID_KIT_CUSTOMIZE_DEFAULT_STYLE))
                    offer.bDefaultStyleChecked = p->GetChecked();
                offer.bSeen = true;
                CaptureWindowToBmp(::GetDesktopWindow(), L"cbcustomize_context_menu.bmp");
                SendKey(nKey);
                return true;
            },
            [&] { return steps.empty() || steps.front()(); },
        });
        RightClickAt(ScreenCentre(m_pToolBar, pControls->GetAt(2)));
        EXPECT_TRUE(PumpUntil([&] { return script.Finished() && FindOpenPopup() == nullptr; }, 6000));
        PumpFor(200);
        return offer;
    };

    Offer offer = choose('G');
    EXPECT_TRUE(offer.bSeen);
    EXPECT_TRUE(offer.bGroupEnabled);
    EXPECT_TRUE(offer.bDefaultStyleChecked);
    EXPECT_TRUE(offer.bEditImageEnabled);
    EXPECT_EQ(m_pBars->GetDragControl(), pTarget) << "the right-clicked button is the customize selection";
    EXPECT_TRUE(pTarget->GetBeginGroup()) << "Begin a Group did not start a group";

    // Copy Button Image puts the picture on the clipboard; pasted back it becomes a custom picture.
    choose('C');
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    choose('P');
    EXPECT_NE(pTarget->m_nCustomIconId, 0) << "the pasted picture is no custom icon";
    EXPECT_NE(pTarget->GetIcon(m_pToolBar->GetIconSize().cx), nullptr);

    choose('T');
    EXPECT_EQ(pTarget->m_nCustomStyle, 1) << "Text Only";
    EXPECT_TRUE(pTarget->IsCaptionVisible());

    // "Edit Button Image..." opens the button-image editor; Cancel leaves the button as it was.
    bool bEditorSeen = false;
    const int nIconBefore = pTarget->m_nCustomIconId;
    choose('E', [&] {
        HWND hEditor = FindBox(L"Transparent", {pSheet->m_hWnd});
        if (hEditor == nullptr)
            return false;
        bEditorSeen = true;
        ::PostMessageW(hEditor, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    EXPECT_TRUE(bEditorSeen) << "the button-image editor did not open";
    EXPECT_EQ(pTarget->m_nCustomIconId, nIconBefore);

    // "Name:" is a field with the caption: typed over and confirmed by Enter it names the button.
    CString strFieldStart;
    int nStage = 0;
    choose('N', [&] {
        CKitPopupBar* pPopup = FindOpenPopup();
        auto* pField = pPopup != nullptr ? dynamic_cast<CKitControlEdit*>(pPopup->GetControls()->FindControl(
                                                ID_KIT_CUSTOMIZE_NAME))
                                          : nullptr;
        if (pField == nullptr || !pField->IsFocused())
            return false;
        if (nStage++ == 0)
        {
            strFieldStart = pField->GetEditText();
            SendKey('Q');
            SendKey('Q');
            return false;
        }
        if (pField->GetEditText() != CString(L"qq"))
            return false;
        SendKey(VK_RETURN);
        return true;
    });
    EXPECT_EQ(strFieldStart, pTarget->m_strCaption);
    EXPECT_EQ(pTarget->GetCaption(), CString(L"qq"));

    choose('R');
    EXPECT_EQ(pTarget->m_nCustomStyle, 0) << "Reset keeps the custom style";
    EXPECT_TRUE(pTarget->m_strCustomCaption.IsEmpty()) << "Reset keeps the custom name";
    EXPECT_EQ(pTarget->m_nCustomIconId, 0) << "Reset keeps the custom picture";

    choose('D');
    EXPECT_EQ(pControls->GetCount(), nCount - 1);
    EXPECT_EQ(pControls->FindControl(nId), nullptr);
    EXPECT_EQ(m_pBars->GetDragControl(), nullptr);
    CloseSheet(pSheet);
}

TEST_F(CustomizeSheetGallery, StoredContentsFirstRun)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    CKitCustomizeSheet* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    CKitControl* pCommand = nullptr;
    const int nRow = FindCommandNotOnToolBar(pSheet, pCommand);
    ASSERT_GE(nRow, 0);
    const int nId = pCommand->GetId();
    CKitControl* pFirst = m_pToolBar->GetControls()->GetAt(0);
    CRect rcFirst = pFirst->GetRect();
    m_pToolBar->ClientToScreen(&rcFirst);
    CRect rcMark;
    COLORREF clrMark = CLR_INVALID;
    bool bCopying = false;
    DragCommandTo(pSheet, nRow, CPoint(rcFirst.right - 3, rcFirst.CenterPoint().y), m_pToolBar, rcMark, clrMark,
                  bCopying, nullptr);
    ASSERT_NE(m_pToolBar->GetControls()->GetAt(1), nullptr);
    ASSERT_EQ(m_pToolBar->GetControls()->GetAt(1)->GetId(), nId);

    // A user's toolbar holding the same command.
    CKitCommandBar* pMine = m_pBars->AddCustomToolBar(L"My Tools", CNewToolBarDlg::kFirstBarId);
    ASSERT_NE(pMine, nullptr);
    pMine->GetControls()->AddCopy(pCommand, 0, TRUE);
    pMine->OnRecalcLayout();
    CloseSheet(pSheet);

    m_pBars->SaveLayout(kProfile, TRUE);
    s_pApp->WriteProfileInt(L"CustomizeSheetTest", L"DroppedId", nId);
    g_bStoredInThisProcess = true;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    EXPECT_TRUE(s_pApp->GetProfileBinary(L"CommandBars-Controls", L"Controls", &pData, &nBytes) && nBytes > 0)
        << "the bars' contents were not stored";
    delete[] pData;
}

TEST_F(CustomizeSheetGallery, StoredContentsSecondRun)
{
    const int nId = static_cast<int>(s_pApp->GetProfileInt(L"CustomizeSheetTest", L"DroppedId", 0));
    if (nId == 0 || g_bStoredInThisProcess)
        GTEST_SKIP() << "runs after StoredContentsFirstRun in another process";
    m_pBars->LoadLayout(kProfile, TRUE);
    Relayout();
    CKitControl* pDropped = m_pToolBar->GetControls()->GetAt(1);
    ASSERT_NE(pDropped, nullptr);
    EXPECT_EQ(pDropped->GetId(), nId) << "the dropped button did not survive the restart";
    EXPECT_TRUE(pDropped->IsVisible());
    CKitCommandBar* pMine = m_pBars->FindBarById(CNewToolBarDlg::kFirstBarId);
    ASSERT_NE(pMine, nullptr) << "the user's toolbar did not come back";
    EXPECT_EQ(pMine->GetTitle(), CString(L"My Tools"));
    EXPECT_TRUE(::IsWindowVisible(pMine->m_hWnd));
    EXPECT_NE(pMine->GetControls()->FindControl(nId), nullptr);
    EXPECT_FALSE(dynamic_cast<CKitToolBar*>(pMine)->m_bBuiltIn);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbcustomize_restarted.bmp"));
}

TEST_F(CustomizeSheetGallery, OptionsPageWritesEachChangeIntoTheSettings)
{
    CCommandBarSettings* pSettings = m_pBars->GetSettings();
    pSettings->m_bAlwaysShowFullMenus = TRUE;
    pSettings->m_bLargeIcons = FALSE;
    pSettings->m_bToolBarScreenTips = TRUE;
    pSettings->m_nAnimationType = 0;
    pSettings->m_usedCommands = {ID_FIND_FILES, ID_VIEW_ICONS};
    CKitCustomizeSheet* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    pSheet->SendMessage(PSM_SETCURSEL, 3, 0);
    PumpFor(100);
    const HWND hPage = pSheet->m_pageOptions.m_hWnd;
    ASSERT_NE(hPage, nullptr);
    auto click = [&](int nId) {
        ::SendMessageW(::GetDlgItem(hPage, nId), BM_CLICK, 0, 0);
        PumpFor(50);
    };
    EXPECT_EQ(::IsDlgButtonChecked(hPage, IDC_KIT_FULL_MENUS), BST_CHECKED);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, IDC_KIT_FULL_AFTER_DELAY)));
    click(IDC_KIT_FULL_MENUS);
    EXPECT_FALSE(pSettings->m_bAlwaysShowFullMenus);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hPage, IDC_KIT_FULL_AFTER_DELAY)));
    click(IDC_KIT_LARGE_ICONS);
    EXPECT_TRUE(pSettings->m_bLargeIcons);
    click(IDC_KIT_SCREEN_TIPS);
    EXPECT_FALSE(pSettings->m_bToolBarScreenTips);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hPage, IDC_KIT_SHORTCUT_TIPS)));

    const HWND hCombo = ::GetDlgItem(hPage, IDC_KIT_ANIMATION);
    ASSERT_EQ(::SendMessageW(hCombo, CB_GETCOUNT, 0, 0), 6);
    ::SendMessageW(hCombo, CB_SETCURSEL, 4, 0);
    ::SendMessageW(hPage, WM_COMMAND, MAKEWPARAM(IDC_KIT_ANIMATION, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
    EXPECT_EQ(pSettings->m_nAnimationType, 4) << "Fade";
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(pSheet->m_hWnd, L"cbcustomize_options.bmp"));

    // The reset of the usage record asks first; No keeps it, Yes empties it.
    for (UINT nAnswer : {static_cast<UINT>(IDNO), static_cast<UINT>(IDYES)})
    {
        bool bAsked = false;
        CTimerScript script({
            [&] {
                HWND hBox = FindBox(L"Are you sure you want to do this?", {pSheet->m_hWnd});
                if (hBox == nullptr)
                    return false;
                bAsked = true;
                ::PostMessageW(hBox, WM_COMMAND, nAnswer, 0);
                return true;
            },
        });
        ::PostMessageW(hPage, WM_COMMAND, MAKEWPARAM(IDC_KIT_RESET_USAGE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(hPage, IDC_KIT_RESET_USAGE)));
        EXPECT_TRUE(PumpUntil([&] { return script.Finished(); }, 6000));
        PumpFor(200);
        EXPECT_TRUE(bAsked);
        EXPECT_EQ(pSettings->m_usedCommands.empty(), nAnswer == IDYES);
    }
    CloseSheet(pSheet);
    pSettings->m_bLargeIcons = FALSE;
}

TEST_F(CustomizeSheetGallery, UserToolBarIsRenamedOnlyToAFreeNameAndDeletedAfterTheQuestion)
{
    CKitCommandBar* pMine = m_pBars->AddCustomToolBar(L"Mine", CNewToolBarDlg::kFirstBarId);
    ASSERT_NE(pMine, nullptr);
    CKitCustomizeSheet* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    pSheet->SendMessage(PSM_SETCURSEL, 1, 0);
    PumpFor(100);
    CCustomizeToolbarsPage* pPage = &pSheet->m_pageToolbars;
    CCheckListBox* pList = pPage->GetBarList();
    ASSERT_EQ(pList->GetCount(), 3);
    pList->SetCurSel(2);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KIT_TOOLBAR_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(pList->m_hWnd));

    // Rename: the dialog starts with the title; the name of another bar is refused.
    HWND hDialog = nullptr;
    CString strStart;
    CString strTitle;
    bool bTakenShown = false;
    CTimerScript rename({
        [&] {
            hDialog = FindBox(L"&Toolbar name:", {pSheet->m_hWnd});
            if (hDialog == nullptr)
                return false;
            strTitle = WindowText(hDialog);
            strStart = WindowText(::GetDlgItem(hDialog, IDC_KIT_TOOLBAR_NAME));
            ::SetDlgItemTextW(hDialog, IDC_KIT_TOOLBAR_NAME, L"Standard");
            ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            CString strText;
            strText.Format(ToolkitString(9333), L"Standard");
            HWND hBox = FindBox(strText, {pSheet->m_hWnd, hDialog});
            if (hBox == nullptr)
                return false;
            bTakenShown = ::IsWindow(hDialog) != FALSE;
            ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] {
            if (FindBox(CString(), {pSheet->m_hWnd, hDialog}) != nullptr)
                return false;
            ::SetDlgItemTextW(hDialog, IDC_KIT_TOOLBAR_NAME, L"Renamed");
            ::PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
            return true;
        },
    });
    ::PostMessageW(pPage->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_KIT_TOOLBAR_RENAME, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(pPage->m_hWnd, IDC_KIT_TOOLBAR_RENAME)));
    ASSERT_TRUE(PumpUntil([&] { return rename.Finished() && (hDialog == nullptr || !::IsWindow(hDialog)); }, 10000))
        << "stopped after step " << rename.StepsDone();
    EXPECT_EQ(strTitle, CString(L"Rename Toolbar"));
    EXPECT_EQ(strStart, CString(L"Mine"));
    EXPECT_TRUE(bTakenShown) << "the taken name was not refused with the dialog kept open";
    EXPECT_EQ(pMine->GetTitle(), CString(L"Renamed"));
    CString strListed;
    pList->GetText(2, strListed);
    EXPECT_EQ(strListed, CString(L"Renamed"));
    EXPECT_EQ(pList->GetCurSel(), 2);
    EXPECT_EQ(pList->GetCheck(2), 1);

    // Delete asks with the title; Cancel keeps the bar, OK removes it.
    for (UINT nAnswer : {static_cast<UINT>(IDCANCEL), static_cast<UINT>(IDOK)})
    {
        bool bAsked = false;
        CTimerScript ask({
            [&] {
                CString strText;
                strText.Format(ToolkitString(9335), L"Renamed");
                HWND hBox = FindBox(strText, {pSheet->m_hWnd});
                if (hBox == nullptr)
                    return false;
                bAsked = true;
                ::PostMessageW(hBox, WM_COMMAND, nAnswer, 0);
                return true;
            },
        });
        ::PostMessageW(pPage->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_KIT_TOOLBAR_DELETE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(pPage->m_hWnd, IDC_KIT_TOOLBAR_DELETE)));
        EXPECT_TRUE(PumpUntil([&] { return ask.Finished(); }, 6000));
        PumpFor(200);
        EXPECT_TRUE(bAsked);
        EXPECT_EQ(m_pBars->FindBarById(CNewToolBarDlg::kFirstBarId) == nullptr, nAnswer == IDOK);
    }
    EXPECT_EQ(pList->GetCount(), 2);

    // A built-in bar's check hides and shows it.
    pList->SetCheck(1, 0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KIT_TOOLBAR_LIST, CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(pList->m_hWnd));
    EXPECT_FALSE(m_pToolBar->IsVisible());
    pList->SetCheck(1, 1);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KIT_TOOLBAR_LIST, CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(pList->m_hWnd));
    EXPECT_TRUE(m_pToolBar->IsVisible());
    CloseSheet(pSheet);
}

TEST_F(CustomizeSheetGallery, AltDragMovesAButtonWithoutTheSheet)
{
    CKitControls* pControls = m_pToolBar->GetControls();
    const int nCount = pControls->GetCount();
    CKitControl* pFirst = pControls->GetAt(0);
    CKitControl* pThird = pControls->GetAt(2);
    ASSERT_NE(pThird, nullptr);
    const int nMovedId = pThird->GetId();
    CRect rcFirst = pFirst->GetRect();
    m_pToolBar->ClientToScreen(&rcFirst);

    // Alt held: the third button is dragged before the first one.
    INPUT alt = {};
    alt.type = INPUT_KEYBOARD;
    alt.ki.wVk = VK_MENU;
    ::SendInput(1, &alt, sizeof(INPUT));
    PumpFor(50);
    DragWithMouse(ScreenCentre(m_pToolBar, pThird), CPoint(rcFirst.left + 4, rcFirst.CenterPoint().y), 10);
    ASSERT_TRUE(PumpUntil([&] { return !m_pBars->GetDragSource()->IsDragging(); }));
    alt.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &alt, sizeof(INPUT));
    PumpFor(100);
    // Alt released alone would put the menu bar into keyboard mode.
    SendKey(VK_ESCAPE);
    PumpFor(100);

    EXPECT_FALSE(m_pBars->IsCustomizeMode());
    EXPECT_EQ(pControls->GetCount(), nCount);
    EXPECT_EQ(pControls->GetAt(0)->GetId(), nMovedId) << "the Alt-dragged button did not move";
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "the Alt press ran the button's command";

    // Dropped on itself after a short move it stays, and on its far side it starts a group.
    CKitControl* pMoved = pControls->GetAt(0);
    CKitControl* pNext = pControls->GetAt(1);
    ASSERT_NE(pNext, nullptr);
    CRect rcNext = pNext->GetRect();
    m_pToolBar->ClientToScreen(&rcNext);
    alt.ki.dwFlags = 0;
    ::SendInput(1, &alt, sizeof(INPUT));
    PumpFor(50);
    DragWithMouse(CPoint(rcNext.left + 3, rcNext.CenterPoint().y), CPoint(rcNext.right - 3, rcNext.CenterPoint().y), 6);
    ASSERT_TRUE(PumpUntil([&] { return !m_pBars->GetDragSource()->IsDragging(); }));
    alt.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &alt, sizeof(INPUT));
    PumpFor(100);
    SendKey(VK_ESCAPE);
    PumpFor(100);
    EXPECT_EQ(pControls->GetCount(), nCount) << "a drop on itself deleted the button";
    EXPECT_EQ(pControls->GetAt(0), pMoved);
    EXPECT_EQ(pControls->GetAt(1), pNext);
    EXPECT_TRUE(pNext->GetBeginGroup());
}
