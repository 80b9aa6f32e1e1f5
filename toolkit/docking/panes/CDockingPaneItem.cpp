#include "CDockingPaneItem.h"

#include "CCommandIconStore.h"
#include "CDockingArrangement.h"
#include "CDockingHostWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "core/StoredArrangement.h"
#include "core/TabRowLayout.h"

namespace {

// The window a node's children are shown in: its own, else its site frame's.
HWND NodeWindowOrSite(const CDockingNode* pNode)
{
    if (HWND hWnd = pNode->GetNodeWindow())
        return hWnd;
    return pNode->GetSiteWindow() ? pNode->GetSiteWindow()->GetSafeHwnd() : nullptr;
}

}  // namespace

CDockingPaneItem::CDockingPaneItem(CDockingArrangement* pArrangement)
    : CDockingNode(pArrangement, kit::docking::kNodePane)
{
}

CDockingPaneItem::~CDockingPaneItem() = default;

CDockingPaneItem* AsPane(CDockingNode* pNode)
{
    return pNode && pNode->GetType() == kit::docking::kNodePane ? static_cast<CDockingPaneItem*>(pNode) : nullptr;
}

void CDockingPaneItem::Focus()
{
    if (!::IsWindow(m_hWndAttached))
        return;
    const HWND hFocus = ::GetFocus();
    if (hFocus != m_hWndAttached && !::IsChild(m_hWndAttached, hFocus))
        ::SetFocus(m_hWndAttached);
}

CString CDockingPaneItem::GetTitle() const
{
    const int nBreak = m_strTitle.Find(L'\n');
    return nBreak < 0 ? m_strTitle : m_strTitle.Left(nBreak);
}

CString CDockingPaneItem::GetTabCaption() const
{
    const int nBreak = m_strTitle.Find(L'\n');
    return nBreak < 0 ? m_strTitle : m_strTitle.Mid(nBreak + 1);
}

CCommandIcon* CDockingPaneItem::GetIcon(int nWidth) const
{
    const CDockingHostWnd* pHost = GetHost();
    if (!pHost)
        return nullptr;
    return pHost->GetIcon(m_nIconId == -1 ? m_nId : m_nIconId, nWidth);
}

int CDockingPaneItem::GetTabColor() const
{
    if (m_nTabColor != -1)
        return m_nTabColor;
    if (::IsWindow(m_hWndAttached))
    {
        const LRESULT nAnswer = ::SendMessageW(m_hWndAttached, WM_DOCKINGPANE_GETTABCOLOR, 0, 0);
        if (nAnswer != 0)
            return static_cast<int>(nAnswer);
    }
    // A negative id wraps into the eight automatic colours too; a plain
    // remainder would fall below them and read as a literal colour.
    return static_cast<int>(kit::tabs::AutoTabColorIndex(m_nId));
}

void CDockingPaneItem::CopyFrom(const CDockingPaneItem* pOther)
{
    m_nDockingCX = pOther->m_nDockingCX;
    m_nDockingCY = pOther->m_nDockingCY;
    m_strTitle = pOther->m_strTitle;
    m_nIconId = pOther->m_nIconId;
    m_nOptions = pOther->m_nOptions;
    m_nTag = pOther->m_nTag;
    m_nId = pOther->m_nId;
    m_nMinTrackX = pOther->m_nMinTrackX;
    m_nMinTrackY = pOther->m_nMinTrackY;
    m_nMaxTrackX = pOther->m_nMaxTrackX;
    m_nMaxTrackY = pOther->m_nMaxTrackY;
    m_hWndAttached = nullptr;
}

void CDockingPaneItem::GetTrackLimits(MINMAXINFO* pInfo)
{
    *pInfo = MINMAXINFO{};
    pInfo->ptMinTrackSize = CPoint(m_nMinTrackX, m_nMinTrackY);
    pInfo->ptMaxTrackSize = CPoint(m_nMaxTrackX, m_nMaxTrackY);
}

void CDockingPaneItem::PlaceInRect(CWnd* pSite, const CRect& rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    SetSiteWindow(pSite);
    if (pLayout && !pLayout->hDWP)
        return;  // a size query
    m_rect = rect;
    if (!pSite || !m_pParent || !::IsWindow(m_hWndAttached))
        return;
    CRect rectIn = rect;
    ::MapWindowPoints(pSite->GetSafeHwnd(), NodeWindowOrSite(m_pParent), reinterpret_cast<POINT*>(&rectIn), 2);
    // A pane placed in the layout is on show; its window follows.
    ::SetWindowPos(m_hWndAttached, nullptr, rectIn.left, rectIn.top, rectIn.Width(), rectIn.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CDockingPaneItem::OnIdleUpdate()
{
    if (m_pParent)
        m_pParent->OnIdleUpdate();
}

void CDockingPaneItem::RefreshNode(BOOL bShowPanes)
{
    if (m_pParent)
        m_pParent->RefreshNode(bShowPanes);
}

BOOL CDockingPaneItem::IsAutoHidden() const
{
    return m_pParent ? m_pParent->IsAutoHidden() : FALSE;
}

void CDockingPaneItem::SetParentNode(CDockingNode* pParent)
{
    CDockingNode::SetParentNode(pParent);
    if (!::IsWindow(m_hWndAttached))
        return;
    if (pParent)
    {
        if (HWND hParentWnd = NodeWindowOrSite(pParent))
            ::SetParent(m_hWndAttached, hParentWnd);
        return;
    }
    // A closed pane keeps its window hidden under the host until it is shown
    // again; the host hands such windows back before it goes away.
    ::ShowWindow(m_hWndAttached, SW_HIDE);
    if (CDockingHostWnd* pHost = GetHost(); pHost && pHost->GetSafeHwnd())
        ::SetParent(m_hWndAttached, pHost->GetSafeHwnd());
    m_pSite = nullptr;
}

void CDockingPaneItem::AttachWindow(HWND hWnd)
{
    m_hWndAttached = hWnd;
    if (!::IsWindow(hWnd))
        return;
    if (m_pParent)
    {
        if (HWND hParentWnd = NodeWindowOrSite(m_pParent))
            ::SetParent(hWnd, hParentWnd);
        const CDockingHostWnd* pHost = GetHost();
        if (pHost && pHost->IsLaidOut())
            ::ShowWindow(hWnd, SW_SHOW);
        MarkSiteForLayout();
    }
    else
    {
        ::ShowWindow(hWnd, SW_HIDE);
    }
}

BOOL CDockingPaneItem::HasFocus() const
{
    const HWND hFocus = ::GetFocus();
    return m_hWndAttached && hFocus && (hFocus == m_hWndAttached || ::IsChild(m_hWndAttached, hFocus));
}

void CDockingPaneItem::SetVisible(BOOL bShow)
{
    if (bShow)
    {
        if (CWnd* pSite = GetSiteWindow(); pSite && pSite->GetSafeHwnd())
            ::SendMessageW(pSite->GetSafeHwnd(), WM_DOCKINGPANE_EVENT, kDockingEventShowPane,
                           reinterpret_cast<LPARAM>(this));
        if (::IsWindow(m_hWndAttached))
            ::ShowWindow(m_hWndAttached, SW_SHOW);
    }
    else if (::IsWindow(m_hWndAttached))
    {
        ::ShowWindow(m_hWndAttached, SW_HIDE);
    }
}

void CDockingPaneItem::Close()
{
    if (CDockingHostWnd* pHost = GetHost())
        pHost->DismissPane(this);
}

CWnd* CDockingPaneItem::GetContainerFrame() const
{
    return m_pParent ? m_pParent->GetSiteWindow() : nullptr;
}

BOOL CDockingPaneItem::IsSelectedInContainer() const
{
    if (!m_pParent || m_pParent->GetType() != kit::docking::kNodeTabbedContainer)
        return FALSE;
    return static_cast<const CKitDockingPaneTabbedContainer*>(m_pParent)->GetSelectedPane() == this;
}

int CDockingPaneItem::GetEffectiveOptions() const
{
    const CDockingHostWnd* pHost = GetHost();
    return m_nOptions | (pHost ? pHost->m_nSharedOptions : 0);
}

void CDockingPaneItem::StoreNodeProperties(kit::docking::StoredNode& stored) const
{
    CDockingNode::StoreNodeProperties(stored);
    stored.title = std::u16string(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(m_strTitle)),
                                  static_cast<size_t>(m_strTitle.GetLength()));
    stored.id = m_nId;
    stored.iconId = m_nIconId;
    stored.options = m_nOptions;
    stored.minTrackX = m_nMinTrackX;
    stored.minTrackY = m_nMinTrackY;
    stored.maxTrackX = m_nMaxTrackX;
    stored.maxTrackY = m_nMaxTrackY;
    stored.tabColor = m_nTabColor;
    stored.helpId = m_nHelpId;
    stored.tag = m_nTag;
}

BOOL CDockingPaneItem::LoadNodeProperties(const kit::docking::StoredNode& stored)
{
    CDockingNode::LoadNodeProperties(stored);
    m_strTitle = CString(reinterpret_cast<const wchar_t*>(stored.title.data()), static_cast<int>(stored.title.size()));
    m_nId = stored.id;
    m_nIconId = stored.iconId;
    m_nOptions = stored.options;
    m_nMinTrackX = stored.minTrackX;
    m_nMinTrackY = stored.minTrackY;
    m_nMaxTrackX = stored.maxTrackX;
    m_nMaxTrackY = stored.maxTrackY;
    m_nTabColor = stored.tabColor;
    m_nHelpId = stored.helpId;
    m_nTag = stored.tag;
    return m_nId > 0;
}
