// The bars' contents kept across runs: a frame that allows customization
// (it handles the customize command) changes its "Standard" toolbar through
// the bars' interface — a button added, one removed, a caption and an icon of
// the user's, a combo box widened — and is closed; a second process starts
// with those contents. Damaged stored contents start with the resource
// toolbar. Screenshots go beside the results.
#include "CBarTreeStore.h"
#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CIconImage.h"
#include "CKitCommandBars.h"
#include "CKitControlComboBox.h"
#include "CKitControlComboBoxList.h"
#include "CKitFrameWnd.h"
#include "CKitMenuBar.h"
#include "CKitPropExchangeArchive.h"
#include "CKitToolBar.h"
#include "CMenuSoundPlayer.h"
#include "InputDriving.h"
#include "ResourceIds.h"
#include "WindowCapture.h"
#include "window/CCmdUI.h"
#include "window/CWinApp.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace
{

constexpr LPCTSTR kRegistryKey = L"Pelmo Tests";
constexpr LPCTSTR kAppName = L"CommandBars Contents";
constexpr LPCTSTR kAppKey = L"Software\\Pelmo Tests\\CommandBars Contents";
constexpr LPCTSTR kProfile = L"CommandBars";
constexpr LPCTSTR kDamaged = L"Damaged";
constexpr COLORREF kCustomIconColor = RGB(200, 30, 160);

// The frame handles the customize command, so its bars may be customized
// and keep their contents, and every command of the program's menus.
class CContentsFrame : public CKitFrameWnd
{
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == ID_COMMANDBARS_CUSTOMIZE && nCode == static_cast<int>(CN_COMMAND))
            return TRUE;
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
        {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_COMMAND))
            return TRUE;
        return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    // As the program's frame does at exit: the stores are written while the
    // bars still stand.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE && GetCommandBars() != nullptr)
            GetCommandBars()->SaveLayout(kProfile, TRUE);
        return CKitFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class CommandBarsContents : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pApp = new CWinApp(kAppName);
        s_pApp->SetRegistryKey(kRegistryKey);
        SelectCommandBarDrawingStyle(4);
    }
    static void TearDownTestSuite()
    {
        ReleaseCommandBarDrawer();
        CMenuSoundPlayer::Instance().Stop();
    }

    void SetUp() override { OpenFrame(); }
    void TearDown() override { CloseFrame(); }

    // The frame as the program makes it: the menu bar and the "Standard"
    // toolbar from the resources, then the stored layout and contents.
    void OpenFrame(LPCTSTR lpszLoadProfile = nullptr, BOOL bSilent = FALSE)
    {
        m_pFrame = new CContentsFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo contents", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(40, 40, 900, 400)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        CKitCommandBars* pBars = m_pFrame->GetCommandBars();
        ASSERT_TRUE(pBars->IsCustomizationAllowed());
        m_pMenuBar = dynamic_cast<CKitMenuBar*>(pBars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME));
        ASSERT_NE(m_pMenuBar, nullptr);
        m_pToolBar = dynamic_cast<CKitToolBar*>(pBars->CreateToolBar(L"Standard", kBarTop));
        ASSERT_NE(m_pToolBar, nullptr);
        ASSERT_TRUE(m_pToolBar->LoadToolBar(IDR_MAINFRAME));
        m_pToolBar->SetTextBelowIcons(1);
        if (lpszLoadProfile != nullptr)
            pBars->LoadLayout(lpszLoadProfile, bSilent);
        Relayout();
    }
    void CloseFrame()
    {
        CKitCommandBars::ClosePopups();
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        PumpFor(50);
    }
    void Relayout()
    {
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(150);
    }

    // The ids of the toolbar's stored (not temporary) controls in order.
    std::vector<int> ToolBarIds() const
    {
        std::vector<int> ids;
        CKitControls* pControls = m_pToolBar->GetControls();
        for (int i = 0; i < pControls->GetCount(); ++i)
            if (!pControls->GetAt(i)->IsTemporary())
                ids.push_back(pControls->GetAt(i)->GetId());
        return ids;
    }
    BOOL ToolBarIsAsItsResource() const
    {
        CKitControls* pControls = m_pToolBar->GetControls();
        return pControls->GetOriginalControls() != nullptr && !pControls->IsChanged();
    }

    static CWinApp* s_pApp;
    CContentsFrame* m_pFrame = nullptr;
    CKitMenuBar* m_pMenuBar = nullptr;
    CKitToolBar* m_pToolBar = nullptr;
};

CWinApp* CommandBarsContents::s_pApp = nullptr;

// What the first run leaves and the second expects.
const std::vector<int> kChangedIds = {ID_RECOVERY_EXIT,  ID_RECOVER_SELECTED,  ID_DRIVE_INFORMATION,
                                      ID_SAVE_SNAPSHOT,  ID_LOAD_SNAPSHOT,     ID_FIND_FILES,
                                      ID_RECOVERY_SETTINGS, ID_FILE_FILTERS};
constexpr int kComboWidth = 180;
constexpr int kOwnToolBarId = 200;
constexpr POINT kOwnToolBarPlace = {500, 250};

// A 32 x 32 icon of one colour, the user's own picture for a button.
UINT AddCustomIcon(CCommandIconStore* pStore)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = 32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hColor = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    auto* pPixels = static_cast<DWORD*>(pBits);
    const DWORD dwPixel = (GetRValue(kCustomIconColor) << 16) | (GetGValue(kCustomIconColor) << 8) |
                          GetBValue(kCustomIconColor);
    for (int i = 0; i < 32 * 32; ++i)
        pPixels[i] = dwPixel;
    HBITMAP hMask = ::CreateBitmap(32, 32, 1, 1, nullptr);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hMask);
    ::PatBlt(hDC, 0, 0, 32, 32, BLACKNESS);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ICONINFO iconInfo = {TRUE, 0, 0, hMask, hColor};
    HICON hIcon = ::CreateIconIndirect(&iconInfo);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    CIconImage image(hIcon);
    const UINT nId = pStore->AddCustomIcon(image);
    ::DestroyIcon(hIcon);
    return nId;
}

COLORREF ScreenPixel(CPoint pt)
{
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clr = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(nullptr, hScreen);
    return clr;
}

// The custom icon's magenta, also as style 4 draws icons faded while the
// button is not hot: red and blue well above green.
bool IsCustomIconColor(COLORREF clr)
{
    return GetRValue(clr) > GetGValue(clr) + 60 && GetBValue(clr) > GetGValue(clr) + 60;
}

}  // namespace

// The first process: the toolbar's contents changed through the bars'
// interface, the frame closed, and the contents are in the profile.
TEST_F(CommandBarsContents, ChangedToolBarFirstRun)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    CKitControls* pControls = m_pToolBar->GetControls();
    ASSERT_TRUE(ToolBarIsAsItsResource());

    CKitControl* pAdded = pControls->Add(kControlButton, ID_DRIVE_INFORMATION, CString(), 2);
    ASSERT_NE(pAdded, nullptr);
    pAdded->SetCaption(L"Drive &Info");
    pAdded->m_nCustomStyle = 1;  // caption only
    pControls->Remove(pControls->FindControl(ID_HELP_MANUAL));
    pControls->FindControl(ID_RECOVER_SELECTED)->m_strCustomCaption = L"Rescue";
    const UINT nIconId = AddCustomIcon(m_pFrame->GetCommandBars()->GetIconManager());
    ASSERT_GT(nIconId, 0u);
    pControls->FindControl(ID_FIND_FILES)->m_nCustomIconId = static_cast<int>(nIconId);
    auto* pCombo = new CKitControlComboBox;
    pControls->Add(pCombo, ID_FILE_FILTERS);
    pCombo->SetCaption(L"Filter");
    pCombo->SetDropDown(TRUE);
    pCombo->AddString(L"*.jpg");
    pCombo->AddString(L"*.doc");
    pCombo->SetWidth(kComboWidth);
    m_pToolBar->OnRecalcLayout();

    // A toolbar of the user's own, floating.
    auto* pMine = dynamic_cast<CKitToolBar*>(m_pFrame->GetCommandBars()->CreateToolBar(L"Mine", kBarTop));
    ASSERT_NE(pMine, nullptr);
    pMine->m_nBarId = kOwnToolBarId;
    pMine->m_bBuiltIn = FALSE;
    pMine->GetControls()->Add(kControlButton, ID_VIEW_ICONS)->SetCaption(L"Icons");
    pMine->GetControls()->Add(kControlButton, ID_RESULTS_LIST)->SetCaption(L"List");
    ASSERT_TRUE(pMine->SetPosition(kBarFloating));
    pMine->OnRecalcLayout();
    pMine->SetWindowPos(nullptr, kOwnToolBarPlace.x, kOwnToolBarPlace.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout();
    EXPECT_EQ(ToolBarIds(), kChangedIds);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbcontents_changed.bmp"));

    const HWND hFrame = m_pFrame->m_hWnd;
    m_pFrame->SendMessage(WM_CLOSE);
    PumpFor(100);
    EXPECT_FALSE(::IsWindow(hFrame));
    m_pFrame = nullptr;
    EXPECT_EQ(s_pApp->GetProfileInt(L"CommandBars-Controls", L"LoadFromFile", 7), 0u);
    BYTE* pData = nullptr;
    UINT nSize = 0;
    ASSERT_TRUE(s_pApp->GetProfileBinary(L"CommandBars-Controls", L"Controls", &pData, &nSize));
    EXPECT_GT(nSize, 100u);
    EXPECT_LE(nSize, CBarTreeStore::kLargestProfileImage);
    delete[] pData;
    EXPECT_EQ(s_pApp->GetProfileInt(L"CommandBars-Summary", L"Bars", 0), 3u) << "the layout is stored beside";
}

// The second process starts with the contents the first one left.
TEST_F(CommandBarsContents, ChangedToolBarSecondRun)
{
    if (s_pApp->GetProfileInt(L"CommandBars-Summary", L"Bars", 0) == 0)
        GTEST_SKIP() << "runs after ChangedToolBarFirstRun in another process";
    const int nMenuTitles = m_pMenuBar->GetControls()->GetCount();
    m_pFrame->GetCommandBars()->LoadLayout(kProfile, FALSE);
    Relayout();

    EXPECT_EQ(ToolBarIds(), kChangedIds);
    CKitControls* pControls = m_pToolBar->GetControls();
    EXPECT_EQ(pControls->FindControl(ID_RECOVER_SELECTED)->GetCaption(), CString(L"Rescue"));
    EXPECT_EQ(pControls->FindControl(ID_DRIVE_INFORMATION)->GetCaption(), CString(L"Drive &Info"));
    EXPECT_TRUE(pControls->FindControl(ID_DRIVE_INFORMATION)->IsCaptionVisible());
    EXPECT_EQ(pControls->FindControl(ID_HELP_MANUAL), nullptr);
    EXPECT_TRUE(pControls->IsChanged());
    EXPECT_TRUE(pControls->GetOriginalControls()->FindControl(ID_HELP_MANUAL) != nullptr)
        << "the resource's buttons stay the original set, for a reset";

    auto* pCombo = dynamic_cast<CKitControlComboBox*>(pControls->FindControl(ID_FILE_FILTERS));
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->m_nFieldWidth, kComboWidth);
    ASSERT_NE(pCombo->GetList(), nullptr);
    ASSERT_EQ(pCombo->GetList()->GetItemCount(), 2);
    EXPECT_EQ(pCombo->GetList()->GetItemText(1), CString(L"*.doc"));
    ASSERT_NE(pCombo->GetEditWindow(), nullptr);
    EXPECT_TRUE(::IsWindow(pCombo->GetEditWindow()->m_hWnd)) << "the field is placed on the bar";
    CRect rcEdit;
    pCombo->GetEditWindow()->GetWindowRect(&rcEdit);
    EXPECT_GT(rcEdit.Width(), kComboWidth / 2);
    EXPECT_GE(pCombo->GetRect().Width(), kComboWidth);

    CKitControl* pFind = pControls->FindControl(ID_FIND_FILES);
    ASSERT_GT(pFind->m_nCustomIconId, 0);
    EXPECT_NE(m_pFrame->GetCommandBars()->GetIconManager()->FindIconSet(static_cast<UINT>(pFind->m_nCustomIconId)),
              nullptr)
        << "the user's icon came back with its button";
    CRect rcFind = pFind->GetRect();
    m_pToolBar->ClientToScreen(&rcFind);
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    ::SetWindowPos(m_pFrame->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Relayout();
    // The icon sits centred in the upper part of the button, text below it.
    EXPECT_TRUE(IsCustomIconColor(ScreenPixel(CPoint(rcFind.CenterPoint().x, rcFind.top + 14))))
        << std::hex << ScreenPixel(CPoint(rcFind.CenterPoint().x, rcFind.top + 14));

    EXPECT_EQ(m_pMenuBar->GetControls()->GetCount(), nMenuTitles) << "the menu bar was not changed";
    EXPECT_EQ(m_pFrame->GetCommandBars()->GetMenuBar(), m_pMenuBar);
    EXPECT_EQ(m_pFrame->GetCommandBars()->GetCount(), 3);

    // The user's own toolbar is made again and put where it was.
    auto* pMine = dynamic_cast<CKitToolBar*>(m_pFrame->GetCommandBars()->FindBarById(kOwnToolBarId));
    ASSERT_NE(pMine, nullptr);
    EXPECT_EQ(pMine->GetTitle(), CString(L"Mine"));
    EXPECT_FALSE(pMine->m_bBuiltIn);
    ASSERT_NE(pMine->GetControls()->FindControl(ID_RESULTS_LIST), nullptr);
    ASSERT_NE(pMine->GetControls()->FindControl(ID_VIEW_ICONS), nullptr);
    EXPECT_EQ(pMine->GetControls()->FindControl(ID_RESULTS_LIST)->GetCaption(), CString(L"List"));
    EXPECT_TRUE(pMine->GetControls()->FindControl(ID_RESULTS_LIST)->IsCaptionVisible());
    EXPECT_EQ(pMine->GetPosition(), kBarFloating);
    EXPECT_TRUE(pMine->IsVisible());
    EXPECT_TRUE(::IsWindowVisible(pMine->m_hWnd));
    CRect rcMine;
    pMine->GetWindowRect(&rcMine);
    EXPECT_EQ(rcMine.TopLeft(), CPoint(kOwnToolBarPlace));
    EXPECT_NE(pMine->GetDragTracker(), nullptr) << "it can be dragged and docked";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbcontents_second_run.bmp"));
    EXPECT_TRUE(CaptureWindowToBmp(pMine->m_hWnd, L"cbcontents_own_toolbar.bmp"));
}

// Stored contents that are damaged: each case starts with the toolbar of
// the resource, never an empty or half-read one.
TEST_F(CommandBarsContents, DamagedStoredContentsStartWithTheResourceToolBar)
{
    CKitCommandBars* pBars = m_pFrame->GetCommandBars();
    // A sound image of a changed toolbar to damage.
    m_pToolBar->GetControls()->Remove(0);
    CBarTreeOptions options;
    options.pCommandBars = pBars;
    std::vector<CKitCommandBar*> bars;
    pBars->CollectBarsToSave(options, bars);
    ASSERT_EQ(bars.size(), 1u);
    auto image = [&](const std::function<void(CKitCommandBar*)>& damage) {
        CKitCommandBar* pClone = bars[0]->Clone(TRUE);
        damage(pClone);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            CKitPropExchangeArchive exchange(ar);
            exchange.m_dwData = reinterpret_cast<DWORD_PTR>(&options);
            EXPECT_TRUE(pBars->SaveBarTree(&exchange, {pClone}));
            ar.Close();
        }
        pClone->InternalRelease();
        const auto nSize = static_cast<size_t>(file.GetLength());
        BYTE* pBytes = file.Detach();
        std::vector<BYTE> bytes(pBytes, pBytes + nSize);
        std::free(pBytes);
        return bytes;
    };
    const std::vector<BYTE> sound = image([](CKitCommandBar*) {});
    for (CKitCommandBar* pBar : bars)
        pBar->InternalRelease();
    ASSERT_GT(sound.size(), 64u);

    struct Case
    {
        const char* name;
        std::vector<BYTE> bytes;
        BOOL bFromFile = FALSE;
    };
    std::vector<Case> cases;
    cases.push_back({"cut in half", std::vector<BYTE>(sound.begin(), sound.begin() + sound.size() / 2)});
    cases.push_back({"cut to ten bytes", std::vector<BYTE>(sound.begin(), sound.begin() + 10)});
    cases.push_back({"last byte missing", std::vector<BYTE>(sound.begin(), sound.end() - 1)});
    cases.push_back({"garbage", std::vector<BYTE>(200, 0xA7)});
    cases.push_back({"bar count beyond reason", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}});
    cases.push_back({"every control of an unknown kind", image([](CKitCommandBar* pBar) {
                         for (int i = 0; i < pBar->GetControls()->GetCount(); ++i)
                             pBar->GetControls()->GetAt(i)->m_nType = 9;
                     })});
    cases.push_back({"every id out of range", image([](CKitCommandBar* pBar) {
                         for (int i = 0; i < pBar->GetControls()->GetCount(); ++i)
                             pBar->GetControls()->GetAt(i)->m_nId = 0x12345;
                     })});
    cases.push_back({"a file that is not there", {}, TRUE});
    cases.push_back({"a file of garbage", std::vector<BYTE>(20000, 0x5A), TRUE});

    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const CString strFile = CString(szTemp) + L"cbcontents_damaged.bin";
    const int nResourceButtons = static_cast<int>(ToolBarIds().size()) + 1;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CloseFrame();
        s_pApp->WriteProfileString(L"Damaged-Controls", nullptr, nullptr);
        if (c.bFromFile)
        {
            ::DeleteFileW(strFile);
            if (!c.bytes.empty())
            {
                HANDLE hFile = ::CreateFileW(strFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
                DWORD nWritten = 0;
                ::WriteFile(hFile, c.bytes.data(), static_cast<DWORD>(c.bytes.size()), &nWritten, nullptr);
                ::CloseHandle(hFile);
            }
            s_pApp->WriteProfileString(L"Damaged-Controls", L"Controls", strFile);
            s_pApp->WriteProfileInt(L"Damaged-Controls", L"LoadFromFile", 1);
        }
        else
        {
            s_pApp->WriteProfileBinary(L"Damaged-Controls", L"Controls", const_cast<BYTE*>(c.bytes.data()),
                                       static_cast<UINT>(c.bytes.size()));
        }
        OpenFrame(kDamaged, TRUE);
        EXPECT_TRUE(ToolBarIsAsItsResource());
        EXPECT_EQ(static_cast<int>(ToolBarIds().size()), nResourceButtons);
        EXPECT_TRUE(m_pToolBar->IsVisible());
        EXPECT_EQ(m_pFrame->GetCommandBars()->GetMenuBar(), m_pMenuBar);
        EXPECT_GT(m_pMenuBar->GetControls()->GetCount(), 0);
    }
    ::DeleteFileW(strFile);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbcontents_damaged.bmp"));
}

// Contents larger than the profile keeps go to a hidden file in the user's
// application data; smaller contents later go back into the profile and the
// file goes.
TEST_F(CommandBarsContents, LargeContentsGoToAHiddenFileAndComeBack)
{
    constexpr LPCTSTR kLarge = L"Large";
    constexpr int kAdded = 120;
    CKitControls* pControls = m_pToolBar->GetControls();
    const CString strLong(L'x', 80);
    for (int i = 0; i < kAdded; ++i)
    {
        CString strCaption;
        strCaption.Format(L"%d %s", i, static_cast<LPCTSTR>(strLong));
        CKitControl* pControl = pControls->Add(kControlButton, ID_UNUSED_COMMAND_1);
        pControl->SetCaption(strCaption);
        pControl->m_nCustomStyle = 1;
        pControl->SetHideFlags(kHideByUser);  // hidden, so the frame stays drawable
    }
    const std::vector<int> ids = ToolBarIds();
    m_pFrame->GetCommandBars()->SaveLayout(kLarge, TRUE);

    wchar_t szAppData[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szAppData)));
    const CString strExpected = CString(szAppData) + L"\\" + kAppName + L"\\" + kLarge;
    EXPECT_EQ(s_pApp->GetProfileInt(L"Large-Controls", L"LoadFromFile", 0), 1u);
    EXPECT_EQ(s_pApp->GetProfileString(L"Large-Controls", L"Controls"), strExpected);
    const DWORD dwAttributes = ::GetFileAttributesW(strExpected);
    ASSERT_NE(dwAttributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(dwAttributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(::GetFileAttributesExW(strExpected, GetFileExInfoStandard, &data));
    EXPECT_GT(data.nFileSizeLow, CBarTreeStore::kLargestProfileImage);

    CloseFrame();
    OpenFrame(kLarge, FALSE);
    EXPECT_EQ(ToolBarIds(), ids);
    CKitControl* pLast = m_pToolBar->GetControls()->GetAt(static_cast<int>(ids.size()) - 1);
    EXPECT_EQ(pLast->GetCaption().Left(4), CString(L"119 "));
    EXPECT_EQ(pLast->GetHideFlags() & kHideByUser, kHideByUser);

    // Back to a small change: the profile holds it again, the file is gone.
    for (int i = 0; i < kAdded; ++i)
        m_pToolBar->GetControls()->Remove(m_pToolBar->GetControls()->FindControl(ID_UNUSED_COMMAND_1));
    m_pToolBar->GetControls()->Remove(0);
    m_pFrame->GetCommandBars()->SaveLayout(kLarge, TRUE);
    EXPECT_EQ(s_pApp->GetProfileInt(L"Large-Controls", L"LoadFromFile", 1), 0u);
    EXPECT_EQ(::GetFileAttributesW(strExpected), INVALID_FILE_ATTRIBUTES);
}

// Contents stored while the program's toolbar had other buttons: the user
// is asked whether the new toolbar replaces the customized one. No keeps
// the stored contents (with the new resource as the original set), Yes the
// new toolbar.
TEST_F(CommandBarsContents, ContentsOfAnOlderToolBarAskBeforeTheyAreTaken)
{
    constexpr LPCTSTR kOlder = L"Older";
    CKitControls* pControls = m_pToolBar->GetControls();
    // The toolbar of an older program: its original set lacks the last button.
    pControls->GetOriginalControls()->Remove(pControls->GetOriginalControls()->GetCount() - 1);
    pControls->FindControl(ID_FIND_FILES)->m_strCustomCaption = L"Seek";
    m_pFrame->GetCommandBars()->SaveLayout(kOlder, TRUE);

    struct Answer
    {
        int nButton;
        CString strSeen;
    };
    static Answer s_answer;
    // Answers the question box when it shows; the box runs its own loop, in
    // which this thread timer still fires.
    const auto answerWith = [](int nButton) {
        s_answer = {nButton, CString()};
        return ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
            HWND hBox = ::FindWindowW(L"#32770", kAppName);
            if (hBox == nullptr)
                return;
            wchar_t szText[512] = {};
            // The text's id is 0xFFFF on Windows and 100 under Wine.
            if (::GetDlgItemTextW(hBox, 0xFFFF, szText, 512) == 0)
                ::GetDlgItemTextW(hBox, 100, szText, 512);
            s_answer.strSeen = szText;
            ::PostMessageW(hBox, WM_COMMAND, s_answer.nButton, 0);
        });
    };

    CloseFrame();
    UINT_PTR nTimer = answerWith(IDNO);
    OpenFrame(kOlder, FALSE);
    ::KillTimer(nullptr, nTimer);
    EXPECT_NE(s_answer.strSeen.Find(L"toolbar 'Standard' has changed"), -1) << static_cast<LPCTSTR>(s_answer.strSeen);
    EXPECT_EQ(m_pToolBar->GetControls()->FindControl(ID_FIND_FILES)->GetCaption(), CString(L"Seek"));
    ASSERT_NE(m_pToolBar->GetControls()->GetOriginalControls(), nullptr);
    EXPECT_NE(m_pToolBar->GetControls()->GetOriginalControls()->FindControl(ID_HELP_MANUAL), nullptr)
        << "the new toolbar's buttons are the original set now";

    CloseFrame();
    nTimer = answerWith(IDYES);
    OpenFrame(kOlder, FALSE);
    ::KillTimer(nullptr, nTimer);
    EXPECT_FALSE(s_answer.strSeen.IsEmpty());
    EXPECT_TRUE(ToolBarIsAsItsResource());
    EXPECT_EQ(m_pToolBar->GetControls()->FindControl(ID_FIND_FILES)->GetCaption(), CString(L"Find"));
}
