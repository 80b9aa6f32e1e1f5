#include "CKitMenuBar.h"

#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CKitCommandBars.h"
#include "CPopupMouseTracker.h"
#include "CSubclassHookTable.h"
#include "CToolBarControls.h"
#include "CToolkitResources.h"
#include "AlphaBitmaps.h"
#include "window/CWinApp.h"

#include <algorithm>
#include <vector>

IMPLEMENT_SERIAL(CKitMenuBar, CKitToolBar, VERSIONABLE_SCHEMA | 16)

namespace
{

constexpr UINT kWindowCommandIcons = 9407;
constexpr UINT kMenuBarResetQuestion = 9349;
constexpr DWORD kWindowButtonFlags = 0x1B;

// A window button of a maximized MDI child: a Marlett glyph that posts its
// system command to the child.
class CMdiWindowButton : public CKitControlButton
{
public:
    CMdiWindowButton(UINT nCommand, LPCWSTR lpszGlyph) : m_nCommand(nCommand)
    {
        m_dwFlags = kWindowButtonFlags;
        m_strParameter = lpszGlyph;
    }

    CSize GetSize(CDC* /*pDC*/) override { return CSize(16, 16); }
    void Draw(CDC* pDC) override { DrawWindowButtonGlyph(pDC, this, m_strParameter); }
    void Execute() override
    {
        if (auto* pMenuBar = dynamic_cast<CKitMenuBar*>(m_pParent))
            if (HWND hChild = pMenuBar->GetActiveMdiChild(nullptr))
                ::PostMessageW(hChild, WM_SYSCOMMAND, m_nCommand, 0);
    }

private:
    UINT m_nCommand;
};

constexpr DWORD kSystemIconFlags = 0x18;
constexpr UINT kFirstSystemCommand = 0xF000;
constexpr UINT kLastSystemCommand = 0xF1EF;
constexpr UINT kFirstSystemCommandPrompt = 0xEF00;
// Asked first for the icon a document window shows in its caption.
constexpr UINT kQueryChildIcon = 0x2860;

// An item of a maximized child's system menu: the command goes to the child,
// as the system menu's own would send it, and not to the frame.
class CMdiSystemCommand : public CKitControlButton
{
public:
    explicit CMdiSystemCommand(HWND hChild) : m_hChild(hChild) { m_dwFlags |= kControlFlagManualUpdate; }

    void Execute() override
    {
        const HWND hChild = m_hChild;
        const int nCommand = m_nId;
        if (m_pParent != nullptr)
        {
            CKitCommandBar* pRoot = m_pParent->GetRootBar();
            if (pRoot->GetTrackingMode() != 0)
                pRoot->EndTracking();
            else
                CKitCommandBars::ClosePopups();
        }
        if (::IsWindow(hChild))
            ::PostMessageW(hChild, WM_SYSCOMMAND, static_cast<WPARAM>(nCommand), 0);
    }

private:
    HWND m_hChild;
};

// The maximized child's small icon at the start of the bar; it opens the
// child's system menu.
class CMdiSystemMenuControl : public CKitControlPopup
{
public:
    CMdiSystemMenuControl(HWND hChild, HMENU hSystemMenu, HICON hIcon)
        : m_hChild(hChild), m_hSystemMenu(hSystemMenu), m_hIcon(hIcon)
    {
        m_dwFlags = kSystemIconFlags;
        m_strCaption = L"-";
    }
    ~CMdiSystemMenuControl() override
    {
        if (m_hIcon != nullptr)
            ::DestroyIcon(m_hIcon);
    }

    BOOL Shows(HWND hChild, HMENU hSystemMenu) const { return hChild == m_hChild && hSystemMenu == m_hSystemMenu; }
    HICON GetChildIcon() const { return m_hIcon; }
    CSize GetSize(CDC* /*pDC*/) override { return CSize(16, 16); }
    void Draw(CDC* pDC) override
    {
        if (m_hIcon == nullptr)
            return;
        const CRect& rc = GetRect();
        ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_hIcon), 0,
                     rc.left + (rc.Width() - 16) / 2, rc.top + (rc.Height() - 16) / 2, 16, 16, DST_ICON | DSS_NORMAL);
    }
    // The menu opens clear of the icon by a pixel on every side.
    BOOL SetPopupOpen(BOOL bOpen) override
    {
        if (!bOpen)
            return CKitControlPopup::SetPopupOpen(bOpen);
        const CRect rcIcon = m_rcControl;
        m_rcControl.InflateRect(1, 1);
        const BOOL bOpened = CKitControlPopup::SetPopupOpen(bOpen);
        m_rcControl = rcIcon;
        return bOpened;
    }

private:
    HWND m_hChild;
    HMENU m_hSystemMenu;
    HICON m_hIcon;
};

// The child's own small icon, scaled to 16 pixels wide; the caller owns it.
HICON CopyChildIcon(HWND hChild)
{
    auto asIcon = [](LRESULT lResult) { return reinterpret_cast<HICON>(lResult); };
    HICON hIcon = asIcon(::SendMessageW(hChild, kQueryChildIcon, 0, 0));
    if (hIcon == nullptr)
        hIcon = asIcon(::SendMessageW(hChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = asIcon(::SendMessageW(hChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hChild, GCLP_HICONSM));
    if (hIcon == nullptr)
        hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    return hIcon != nullptr ? ScaleIcon(hIcon, GetIconSize(hIcon), 16) : nullptr;
}

// The items of the child's system menu: its window commands go to the
// child; anything else an application added is an ordinary menu item.
void FillFromSystemMenu(CKitCommandBar* pPopup, HWND hChild, HMENU hMenu)
{
    CKitControls* pControls = pPopup->GetControls();
    const int nCount = ::GetMenuItemCount(hMenu);
    const UINT nDefault = ::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED);
    BOOL bGroupPending = FALSE;
    for (int nPosition = 0; nPosition < nCount; ++nPosition)
    {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(nPosition), TRUE, &info))
            continue;
        if ((info.fType & MFT_SEPARATOR) != 0)
        {
            bGroupPending = TRUE;
            continue;
        }
        CKitControl* pControl = nullptr;
        if (info.hSubMenu == nullptr && info.wID >= kFirstSystemCommand && info.wID <= kLastSystemCommand)
        {
            pControl = pControls->Add(new CMdiSystemCommand(hChild), static_cast<int>(info.wID));
            const int nLength = ::GetMenuStringW(hMenu, static_cast<UINT>(nPosition), nullptr, 0, MF_BYPOSITION);
            if (nLength > 0)
            {
                std::vector<wchar_t> text(static_cast<size_t>(nLength) + 1);
                ::GetMenuStringW(hMenu, static_cast<UINT>(nPosition), text.data(), nLength + 1, MF_BYPOSITION);
                pControl->SetCaption(text.data());
            }
            CString strPrompt;
            if (strPrompt.LoadString((info.wID - kFirstSystemCommand) / 16 + kFirstSystemCommandPrompt))
                pControl->m_strDescription = strPrompt;
            pControl->SetDefaultItem(nDefault == static_cast<UINT>(nPosition));
            pControl->SetEnabled((info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
        }
        else
        {
            pControl = pControls->AddFromMenuItem(hMenu, nPosition);
        }
        if (pControl != nullptr && bGroupPending)
            pControl->SetBeginGroup(TRUE);
        if (pControl != nullptr)
            bGroupPending = FALSE;
    }
}

// Moves the controls that come from the menu to the end of another
// collection as they are, with whatever the user changed in them. The
// temporary window controls of a maximized child stay out: the MDI state
// makes them again for the bar.
void MoveMenuControls(CKitControls& from, CKitControls& to)
{
    std::vector<CKitControl*> controls;
    for (int i = 0; i < from.GetCount(); ++i)
        controls.push_back(from.GetAt(i));
    for (CKitControl* pControl : controls)
    {
        if (pControl->IsTemporary())
        {
            from.Remove(pControl);
            continue;
        }
        pControl->InternalAddRef();
        from.Remove(pControl);
        const CString strParameter = pControl->m_strParameter;
        to.Add(pControl, pControl->GetId(), strParameter, -1, FALSE);
    }
}

// Gives an empty collection an original set equal to the given one.
void CopyOriginalControls(CKitControls& target, const CKitControls* pOriginal)
{
    if (pOriginal == nullptr)
        return;
    for (int i = 0; i < pOriginal->GetCount(); ++i)
        target.AddCopy(pOriginal->GetAt(i), -1, TRUE);
    target.CreateOriginalControls();
    target.RemoveAll();
}

// A deep copy of a kept collection with its original set.
CKitControls* CopyKeptControls(const CKitControls* pSource)
{
    auto* pCopy = new CKitControls;
    pCopy->SetCommandBars(pSource->GetCommandBars());
    CopyOriginalControls(*pCopy, pSource->GetOriginalControls());
    for (int i = 0; i < pSource->GetCount(); ++i)
        pCopy->AddCopy(pSource->GetAt(i), -1, TRUE);
    return pCopy;
}

}  // namespace

CKitMenuBar::CKitMenuBar()
{
    m_nType = kBarTypeMenuBar;
    m_bShowExpandButton = FALSE;
}

CKitMenuBar::~CKitMenuBar()
{
    Unhook();
    ReleaseKeptMenus();
    if (m_hFrameMenu != nullptr)
        ::DestroyMenu(m_hFrameMenu);
}

void CKitMenuBar::ReleaseKeptMenus()
{
    std::map<UINT, CKitControls*> kept;
    kept.swap(m_keptMenus);
    for (auto& entry : kept)
        entry.second->InternalRelease();
}

CKitControls* CKitMenuBar::GetKeptMenuControls(UINT nMenuId) const
{
    const auto it = m_keptMenus.find(nMenuId);
    return it != m_keptMenus.end() ? it->second : nullptr;
}

void CKitMenuBar::Copy(CKitCommandBar* pSource, BOOL bRecursive)
{
    CKitToolBar::Copy(pSource, bRecursive);
    auto* pMenuBar = dynamic_cast<CKitMenuBar*>(pSource);
    if (pMenuBar == nullptr || pMenuBar == this)
        return;
    m_nDefaultMenuId = pMenuBar->m_nDefaultMenuId;
    ReleaseKeptMenus();
    for (const auto& entry : pMenuBar->m_keptMenus)
        m_keptMenus[entry.first] = CopyKeptControls(entry.second);
}

void CKitMenuBar::Unhook()
{
    CSubclassHookTable::Instance().RemoveSinkEverywhere(&m_hookSink);
    m_hActiveChild = nullptr;
}

BOOL CKitMenuBar::LoadMenuBar(UINT nMenuId)
{
    if (nMenuId != 0)
    {
        const LPCWSTR lpszName = MAKEINTRESOURCEW(nMenuId);
        HMENU hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
        if (hMenu == nullptr)
            return FALSE;
        const BOOL bFilled = FillFromMenu(hMenu, TRUE);
        ::DestroyMenu(hMenu);
        if (!bFilled)
            return FALSE;
        m_nDefaultMenuId = nMenuId;
        m_nCurrentMenuId = nMenuId;
    }
    CKitCommandBars* pCommandBars = FindCommandBars();
    CWnd* pSite = pCommandBars != nullptr ? pCommandBars->GetSite() : GetNotifySite();
    m_hSite = pSite != nullptr ? pSite->m_hWnd : nullptr;
    if (::IsWindow(m_hSite))
    {
        m_hMdiClient = ::FindWindowExW(m_hSite, nullptr, L"MDIClient", nullptr);
        m_bMdiFrame = m_hMdiClient != nullptr;
        CSubclassHookTable::Instance().AddSink(m_hSite, &m_hookSink);
        if (m_bMdiFrame)
            CSubclassHookTable::Instance().AddSink(m_hMdiClient, &m_hookSink);
    }
    if (pCommandBars != nullptr)
    {
        const UINT ids[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
        pCommandBars->GetIconManager()->SetIconsFromBitmap(kWindowCommandIcons, ids, 4, 16, 16);
    }
    if (::IsWindow(m_hSite))
    {
        HMENU hMenu = ::GetMenu(m_hSite);
        if (hMenu != nullptr)
        {
            if (m_hFrameMenu != nullptr && m_hFrameMenu != hMenu)
                ::DestroyMenu(m_hFrameMenu);
            m_hFrameMenu = hMenu;
            ::SetMenu(m_hSite, nullptr);
        }
    }
    return TRUE;
}

int CKitMenuBar::CHookSink::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                         LRESULT& lResult)
{
    return m_pBar->OnSiteMessage(hWnd, nMessage, wParam, lParam, lResult);
}

int CKitMenuBar::OnSiteMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    switch (nMessage)
    {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (hWnd == m_hActiveChild && ::IsWindow(m_hWnd))
            PostMessage(WM_TIMER, kMdiStateTimer, 0);
        break;
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
        if (::IsWindow(m_hWnd))
            PostMessage(WM_TIMER, kMdiStateTimer, 0);
        break;
    case WM_SYSCOMMAND:
    {
        // The menu key alone (Alt or F10) walks the menu titles.
        if ((wParam & 0xFFF0) != SC_KEYMENU || lParam != 0 || hWnd != m_hSite)
            break;
        CKitCommandBars* pCommandBars = FindCommandBars();
        if (pCommandBars != nullptr && pCommandBars->TakeMenuKeyUsedByMnemonic())
        {
            // The release of Alt held for a mnemonic: the menu it opened stays.
            lResult = 0;
            return CSubclassHookSink::kHandled;
        }
        if (!IsVisible() || CPopupMouseTracker::GetThreadTracker()->m_nLock > 0 || ::GetKeyState(VK_SHIFT) < 0 ||
            (pCommandBars != nullptr && pCommandBars->IsCustomizeMode()))
            break;
        if (pCommandBars != nullptr)
        {
            pCommandBars->SetTrackingBar(this, 0);
        }
        else
        {
            SetTrackingMode(1, FALSE, TRUE);
            SetSelected(m_controls.GetNextIndex(-1, 1), TRUE);
        }
        lResult = 0;
        return CSubclassHookSink::kHandled;
    }
    case WM_MDISETMENU:
        if (hWnd != m_hMdiClient)
            break;
        if (IsVisible())
        {
            if ((m_dwFlags & kKeepControlsOnMenuChange) == 0)
            {
                HMENU hNew = reinterpret_cast<HMENU>(wParam);
                if (hNew != nullptr)
                    SwitchMenu(hNew);
                else if (m_hFrameMenu != nullptr)
                    SwitchMenu(m_hFrameMenu);
            }
            ::SetMenu(m_hSite, nullptr);
            UpdateMdiState();
            wParam = 0;
            lResult = 0;
            return CSubclassHookSink::kHandled;
        }
        if (::GetMenu(m_hSite) == nullptr)
        {
            wParam = 0;
            lResult = 0;
            return CSubclassHookSink::kHandled;
        }
        break;
    default:
        break;
    }
    return CSubclassHookSink::kNotHandled;
}

HWND CKitMenuBar::GetMdiClient() const
{
    return m_bMdiFrame && ::IsWindow(m_hMdiClient) ? m_hMdiClient : nullptr;
}

HWND CKitMenuBar::GetActiveMdiChild(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hChild = nullptr;
    if (HWND hClient = GetMdiClient())
        hChild = reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized != nullptr)
        *pbMaximized = hChild != nullptr && bMaximized;
    return hChild;
}

void CKitMenuBar::UpdateMdiState()
{
    BOOL bMaximized = FALSE;
    HWND hChild = GetActiveMdiChild(&bMaximized);
    if (hChild != m_hActiveChild)
    {
        if (::IsWindow(m_hActiveChild))
            CSubclassHookTable::Instance().RemoveSink(m_hActiveChild, &m_hookSink);
        m_hActiveChild = hChild;
        if (hChild != nullptr)
            CSubclassHookTable::Instance().AddSink(hChild, &m_hookSink);
    }
    if (IsVisible())
        RefreshMdiControls(hChild, bMaximized);
}

void CKitMenuBar::RefreshMdiControls(HWND hChild, BOOL bMaximized)
{
    const DWORD dwChildStyle = hChild != nullptr ? static_cast<DWORD>(::GetWindowLongPtrW(hChild, GWL_STYLE)) : 0;
    struct ButtonSpec
    {
        int nId;
        UINT nCommand;
        LPCWSTR lpszGlyph;
        BOOL bWanted;
    };
    const ButtonSpec specs[] = {
        {kMdiMinimizeId, SC_MINIMIZE, L"0",
         bMaximized && (dwChildStyle & WS_MINIMIZEBOX) != 0 && (m_dwFlags & kNoMinimizeButton) == 0},
        {kMdiRestoreId, SC_RESTORE, L"2",
         bMaximized && (dwChildStyle & WS_MAXIMIZEBOX) != 0 && (m_dwFlags & kNoRestoreButton) == 0},
        {kMdiCloseId, SC_CLOSE, L"r", bMaximized && (m_dwFlags & kNoCloseButton) == 0},
    };
    BOOL bChanged = FALSE;
    // The icon is made again for another child or a changed system menu.
    const BOOL bWantIcon = bMaximized && (m_dwFlags & kShowSystemIcon) != 0;
    HMENU hSystemMenu = bWantIcon ? ::GetSystemMenu(hChild, FALSE) : nullptr;
    auto* pIcon = dynamic_cast<CMdiSystemMenuControl*>(m_controls.FindControl(kMdiSystemMenuId));
    if (pIcon != nullptr && (!bWantIcon || !pIcon->Shows(hChild, hSystemMenu)))
    {
        m_controls.Remove(pIcon);
        pIcon = nullptr;
        bChanged = TRUE;
    }
    if (bWantIcon && hSystemMenu != nullptr && pIcon == nullptr)
    {
        if (CKitCommandBar* pPopup = CKitCommandBars::NewPopupBar(FindCommandBars()))
        {
            FillFromSystemMenu(pPopup, hChild, hSystemMenu);
            auto* pNew = new CMdiSystemMenuControl(hChild, hSystemMenu, CopyChildIcon(hChild));
            pNew->SetCommandBar(pPopup);
            m_controls.Add(pNew, kMdiSystemMenuId, CString(), 0, TRUE);
            bChanged = TRUE;
        }
    }
    for (const ButtonSpec& spec : specs)
    {
        CKitControl* pButton = m_controls.FindControl(spec.nId);
        if (spec.bWanted && pButton == nullptr)
        {
            auto* pNew = new CMdiWindowButton(spec.nCommand, spec.lpszGlyph);
            m_controls.Add(pNew, spec.nId, spec.lpszGlyph, -1, TRUE);
            pNew->SetFlags(pNew->GetFlags() | kControlFlagFarEnd);
            bChanged = TRUE;
        }
        else if (!spec.bWanted && pButton != nullptr)
        {
            m_controls.Remove(pButton);
            bChanged = TRUE;
        }
    }
    if (bChanged)
        OnRecalcLayout();
}

void CKitMenuBar::SwitchMenu(HMENU hMenu)
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    UINT nMenuId = pCommandBars != nullptr ? pCommandBars->GetActiveMenuId() : 0;
    if (hMenu == m_hFrameMenu)
        nMenuId = m_nDefaultMenuId;
    if (nMenuId == 0 || m_nCurrentMenuId == 0 || nMenuId == m_nCurrentMenuId || ::GetMenuItemCount(hMenu) <= 0)
        return;
    if (pCommandBars == nullptr || !pCommandBars->IsCustomizationAllowed())
    {
        FillFromMenu(hMenu, TRUE);
    }
    else
    {
        // The shown controls are kept for their menu, with their original set.
        auto* pKept = new CKitControls;
        pKept->SetCommandBars(pCommandBars);
        CopyOriginalControls(*pKept, m_controls.GetOriginalControls());
        MoveMenuControls(m_controls, *pKept);
        if (CKitControls* pOlder = GetKeptMenuControls(m_nCurrentMenuId))
            pOlder->InternalRelease();
        m_keptMenus[m_nCurrentMenuId] = pKept;
        m_controls.RemoveAll();
        m_controls.ClearOriginalControls();

        const auto it = m_keptMenus.find(nMenuId);
        if (it != m_keptMenus.end())
        {
            CKitControls* pStored = it->second;
            m_keptMenus.erase(it);
            if (pStored->GetOriginalControls() != nullptr)
                CopyOriginalControls(m_controls, pStored->GetOriginalControls());
            else
            {
                m_controls.AddFromMenu(hMenu);
                m_controls.CreateOriginalControls();
                m_controls.RemoveAll();
            }
            MoveMenuControls(*pStored, m_controls);
            pStored->InternalRelease();
        }
        else
        {
            FillFromMenu(hMenu, TRUE);
            m_controls.CreateOriginalControls();
        }
    }
    OnRecalcLayout();
    m_nCurrentMenuId = nMenuId;
}

void CKitMenuBar::SetSelected(int nIndex, BOOL bKeyboard)
{
    CKitToolBar::SetSelected(nIndex, bKeyboard);
    CKitControl* pHot = GetHotControl();
    if (GetTrackingMode() == 2 && pHot != nullptr && GetPopupedIndex() != nIndex && pHot->IsPopupControl() &&
        pHot->GetEnabled())
        SetPopuped(nIndex, bKeyboard);
}

void CKitMenuBar::ResetBar()
{
    if (m_nCurrentMenuId != 0 && (!m_keptMenus.empty() || m_controls.GetOriginalControls() == nullptr))
    {
        CString strFormat;
        GetToolkitResources()->LoadString(strFormat, kMenuBarResetQuestion);
        CString strQuestion;
        strQuestion.Format(strFormat, static_cast<LPCTSTR>(m_strTitle));
        if (::MessageBoxW(m_hSite, strQuestion, AfxGetAppName(), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
        {
            const LPCWSTR lpszName = MAKEINTRESOURCEW(m_nCurrentMenuId);
            if (HMENU hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszName, RT_MENU), lpszName))
            {
                FillFromMenu(hMenu, TRUE);
                ::DestroyMenu(hMenu);
            }
        }
    }
    else
    {
        CKitToolBar::ResetBar();
    }
    UpdateMdiState();
    OnIdleUpdate(TRUE);
    OnRecalcLayout();
}

LRESULT CKitMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kMdiStateTimer)
        UpdateMdiState();
    if (message == WM_DESTROY)
        Unhook();
    return CKitToolBar::WindowProc(message, wParam, lParam);
}
