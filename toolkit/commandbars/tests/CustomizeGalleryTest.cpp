// The gallery of the bars' fields, special controls and customization: a
// frame with a "Fields" toolbar (an edit field and a combo box with
// completion) driven by real input, so that the keyboard and mouse
// trackers' hooks see it. Screenshots go beside the results.
#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "CKitControlComboBox.h"
#include "CKitControlComboBoxList.h"
#include "CKitControlEdit.h"
#include "CKitFrameWnd.h"
#include "CKitToolBar.h"
#include "CMenuSoundPlayer.h"
#include "InputDriving.h"
#include "WindowCapture.h"
#include "window/CCmdUI.h"
#include "window/CWinApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

constexpr UINT kFindCommand = 0x8101;
constexpr UINT kFruitCommand = 0x8102;

// Records the commands and the notifications of the controls, and what the
// fields held when their command arrived.
class CFieldsFrame : public CKitFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<UINT> m_notifications;
    CString m_strCommandText;
    CKitCommandBar* m_pFieldsBar = nullptr;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
        {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_COMMAND))
        {
            if (pHandlerInfo != nullptr)
                return TRUE;
            m_commands.push_back(nID);
            CKitControl* pControl = m_pFieldsBar != nullptr ? m_pFieldsBar->GetControls()->FindControl(nID) : nullptr;
            if (auto* pEdit = dynamic_cast<CKitControlEdit*>(pControl))
                m_strCommandText = pEdit->GetEditText();
            else if (auto* pCombo = dynamic_cast<CKitControlComboBox*>(pControl))
                m_strCommandText = pCombo->GetText();
            return TRUE;
        }
        return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMANDBAR_EXECUTE && lParam != 0)
            m_notifications.push_back(reinterpret_cast<ControlNotify*>(lParam)->hdr.code);
        return CKitFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class CustomizeGallery : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pApp = new CWinApp(L"CommandBars Customize Gallery");
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
        m_pFrame = new CFieldsFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo fields", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 700, 420)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        CKitCommandBars* pBars = m_pFrame->GetCommandBars();
        m_pBar = pBars->CreateToolBar(L"Fields", kBarTop);
        ASSERT_NE(m_pBar, nullptr);
        m_pFrame->m_pFieldsBar = m_pBar;
        CKitControls* pControls = m_pBar->GetControls();
        m_pEdit = dynamic_cast<CKitControlEdit*>(pControls->Add(kControlEdit, kFindCommand));
        ASSERT_NE(m_pEdit, nullptr);
        m_pEdit->SetCaption(L"Find:");
        m_pEdit->SetEditHint(L"type a word");
        m_pEdit->SetWidth(150);
        m_pCombo = dynamic_cast<CKitControlComboBox*>(pControls->Add(kControlComboBox, kFruitCommand));
        ASSERT_NE(m_pCombo, nullptr);
        m_pCombo->SetDropDown(TRUE);
        m_pCombo->m_bAutoCompleteList = TRUE;
        m_pCombo->SetWidth(140);
        for (LPCWSTR pszFruit : {L"Apple", L"Banana", L"Blueberry", L"Cherry"})
            m_pCombo->AddString(pszFruit);
        Relayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pFrame->SetFocus();
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
    static CPoint WindowCentre(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        return rc.CenterPoint();
    }
    static void TypeText(const char* pszKeys)
    {
        for (const char* p = pszKeys; *p != 0; ++p)
            PressKey(static_cast<WORD>(*p));
    }
    static CString WindowText(HWND hWnd)
    {
        wchar_t sz[256] = {};
        ::GetWindowTextW(hWnd, sz, 256);
        return CString(sz);
    }
    bool Notified(UINT nCode) const
    {
        for (UINT n : m_pFrame->m_notifications)
            if (n == nCode)
                return true;
        return false;
    }

    static CWinApp* s_pApp;
    CFieldsFrame* m_pFrame = nullptr;
    CKitCommandBar* m_pBar = nullptr;
    CKitControlEdit* m_pEdit = nullptr;
    CKitControlComboBox* m_pCombo = nullptr;
};

CWinApp* CustomizeGallery::s_pApp = nullptr;

std::string Narrow(const CString& str)
{
    std::string out;
    for (int i = 0; i < str.GetLength(); ++i)
        out += static_cast<char>(str[i] < 128 ? str[i] : '?');
    return out;
}

}  // namespace

TEST_F(CustomizeGallery, EditFieldTextReachesTheCommandHandler)
{
    CKitEdit* pWnd = m_pEdit->GetEditWindow();
    ASSERT_NE(pWnd, nullptr);
    ASSERT_TRUE(::IsWindowVisible(pWnd->m_hWnd));
    EXPECT_EQ(::GetParent(pWnd->m_hWnd), m_pBar->m_hWnd);
    // Empty: the hint shows, but the field's text stays empty.
    EXPECT_EQ(WindowText(pWnd->m_hWnd), CString(L"type a word"));
    EXPECT_TRUE(m_pEdit->GetEditText().IsEmpty());

    ClickAt(WindowCentre(pWnd->m_hWnd));
    ASSERT_TRUE(PumpUntil([&] { return m_pEdit->IsFocused() != FALSE; }));
    EXPECT_TRUE(WindowText(pWnd->m_hWnd).IsEmpty()) << "the hint stayed in the focused field";
    EXPECT_TRUE(Notified(EN_SETFOCUS));
    TypeText("HELLO");
    ASSERT_TRUE(PumpUntil([&] { return m_pEdit->GetEditText() == CString(L"hello"); }))
        << Narrow(m_pEdit->GetEditText());
    EXPECT_TRUE(Notified(EN_CHANGE));
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbfields_edit.bmp"));

    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); }));
    EXPECT_EQ(m_pFrame->m_commands.front(), kFindCommand);
    EXPECT_EQ(m_pFrame->m_strCommandText, CString(L"hello"));

    // Esc puts back the text the field had when it took the focus.
    ClickAt(WindowCentre(pWnd->m_hWnd));
    ASSERT_TRUE(PumpUntil([&] { return m_pEdit->IsFocused() != FALSE; }));
    PressKey(VK_END);
    TypeText("XY");
    ASSERT_TRUE(PumpUntil([&] { return m_pEdit->GetEditText() == CString(L"helloxy"); }));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return m_pEdit->IsFocused() == FALSE; }));
    EXPECT_EQ(m_pEdit->GetEditText(), CString(L"hello"));
}

TEST_F(CustomizeGallery, ComboCompletesTypedTextAndChoosesFromItsList)
{
    CKitEdit* pWnd = m_pCombo->GetEditWindow();
    ASSERT_NE(pWnd, nullptr);
    ASSERT_TRUE(::IsWindowVisible(pWnd->m_hWnd));
    ClickAt(WindowCentre(pWnd->m_hWnd));
    ASSERT_TRUE(PumpUntil([&] { return m_pCombo->IsFocused() != FALSE; }));

    // "b" completes to the first item starting with it, "bl" to the next match;
    // the completed part is selected, the caret stays after the typed part.
    TypeText("B");
    ASSERT_TRUE(PumpUntil([&] { return m_pCombo->GetEditText() == CString(L"Banana"); }))
        << Narrow(m_pCombo->GetEditText());
    TypeText("L");
    ASSERT_TRUE(PumpUntil([&] { return m_pCombo->GetEditText() == CString(L"Blueberry"); }))
        << Narrow(m_pCombo->GetEditText());
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    pWnd->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    EXPECT_EQ(std::min(dwStart, dwEnd), 2u);
    EXPECT_EQ(std::max(dwStart, dwEnd), 9u);
    EXPECT_EQ(m_pCombo->GetCurSel(), 2) << "the completed item is the list's selection";
    EXPECT_TRUE(Notified(CBN_EDITCHANGE));

    // Backspace removes the completion and does not complete again.
    PressKey(VK_BACK);
    ASSERT_TRUE(PumpUntil([&] { return m_pCombo->GetEditText() == CString(L"Bl"); }))
        << Narrow(m_pCombo->GetEditText());

    // The button opens the list, four rows high for four items.
    CRect rcCombo = m_pCombo->GetRect();
    m_pBar->ClientToScreen(&rcCombo);
    ClickAt(CPoint(rcCombo.right - std::max(m_pCombo->m_nButtonWidth / 2, 3), rcCombo.CenterPoint().y));
    CKitControlComboBoxList* pList = m_pCombo->GetList();
    ASSERT_TRUE(PumpUntil([&] { return m_pCombo->IsListOpen() != FALSE; }));
    EXPECT_TRUE(Notified(CBN_DROPDOWN));
    const int nItemHeight = static_cast<int>(pList->SendMessage(LB_GETITEMHEIGHT, 0, 0));
    CRect rcList;
    pList->GetWindowRect(&rcList);
    EXPECT_EQ(rcList.Height(), nItemHeight * 4 + 4);
    EXPECT_GE(rcList.top, rcCombo.bottom - 1) << "the list opens below the combo";
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(::GetDesktopWindow(), L"cbfields_combo_list.bmp"));

    // A click on "Banana" commits it: the field shows it and the command runs.
    CRect rcItem;
    pList->SendMessage(LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rcItem));
    pList->ClientToScreen(&rcItem);
    m_pFrame->m_notifications.clear();
    ClickAt(rcItem.CenterPoint());
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); }));
    EXPECT_EQ(m_pFrame->m_commands.front(), kFruitCommand);
    EXPECT_EQ(m_pFrame->m_strCommandText, CString(L"Banana"));
    EXPECT_TRUE(Notified(CBN_SELENDOK));
    EXPECT_FALSE(Notified(CBN_SELENDCANCEL));
    EXPECT_TRUE(PumpUntil([&] { return !pList->IsVisible(); }));
}

TEST_F(CustomizeGallery, ComboListIsAtMostItsItemCountHigh)
{
    auto* pLong = dynamic_cast<CKitControlComboBox*>(m_pBar->GetControls()->Add(kControlComboBox, 0x8103));
    ASSERT_NE(pLong, nullptr);
    for (int i = 0; i < 30; ++i)
    {
        CString strItem;
        strItem.Format(L"Item %d", i);
        pLong->AddString(strItem);
    }
    auto* pEmpty = dynamic_cast<CKitControlComboBox*>(m_pBar->GetControls()->Add(kControlComboBox, 0x8104));
    ASSERT_NE(pEmpty, nullptr);
    Relayout();
    struct Case
    {
        CKitControlComboBox* pCombo;
        int nRows;
    };
    for (const Case& c : {Case{pLong, 12}, Case{pEmpty, 1}, Case{m_pCombo, 4}})
    {
        ASSERT_TRUE(m_pBar->SetPopuped(c.pCombo->GetIndex(), FALSE));
        PumpFor(50);
        CKitControlComboBoxList* pList = c.pCombo->GetList();
        ASSERT_TRUE(c.pCombo->IsListOpen());
        const int nItemHeight = static_cast<int>(pList->SendMessage(LB_GETITEMHEIGHT, 0, 0));
        CRect rc;
        pList->GetWindowRect(&rc);
        EXPECT_EQ(rc.Height(), nItemHeight * c.nRows + 4) << c.nRows;
        m_pBar->SetPopuped(-1, FALSE);
        PumpFor(50);
        EXPECT_FALSE(c.pCombo->IsListOpen());
    }
}
