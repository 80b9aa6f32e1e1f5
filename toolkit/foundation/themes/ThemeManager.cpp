#include "ThemeManager.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNAMIC(CUiThemeManagerStyleFactory, CObject)

// ----- CControlTheme -----

BOOL CControlTheme::CacheParentBackground(CWnd* pWnd)
{
    CWnd* pParent = pWnd != nullptr ? pWnd->GetParent() : nullptr;
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    HDC hParentDC = ::GetDC(pParent->GetSafeHwnd());
    if (hParentDC == nullptr)
        return FALSE;
    BOOL bDone = FALSE;
    m_parentBackground.DeleteObject();
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hParentDC, rect.Width(), rect.Height());
    if (hBitmap != nullptr)
    {
        m_parentBackground.Attach(hBitmap);
        if (HDC hMemDC = ::CreateCompatibleDC(hParentDC))
        {
            HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
            bDone = ::BitBlt(hMemDC, 0, 0, rect.Width(), rect.Height(), hParentDC, rect.left, rect.top, SRCCOPY);
            ::SelectObject(hMemDC, hOld);
            ::DeleteDC(hMemDC);
        }
    }
    ::ReleaseDC(pParent->GetSafeHwnd(), hParentDC);
    return bDone;
}

BOOL CControlTheme::DrawParentBackground(CDC* pDC, CWnd* pWnd)
{
    if (pDC == nullptr || pWnd == nullptr || (pWnd->GetExStyle() & WS_EX_TRANSPARENT) == 0 ||
        !CacheParentBackground(pWnd))
    {
        return FALSE;
    }
    CRect client;
    pWnd->GetClientRect(&client);
    HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (hMemDC == nullptr)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hMemDC, m_parentBackground.GetSafeHandle());
    ::BitBlt(pDC->GetSafeHdc(), 0, 0, client.Width(), client.Height(), hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    return TRUE;
}

// ----- CUiThemeManagerStyleFactory -----

CUiThemeManagerStyleFactory::CUiThemeManagerStyleFactory()
{
    GetThemeFactoryRegistry()->m_live.push_back(this);
}

CUiThemeManagerStyleFactory::~CUiThemeManagerStyleFactory()
{
    delete m_pTheme;
    auto& live = GetThemeFactoryRegistry()->m_live;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void CUiThemeManagerStyleFactory::ReloadMetrics()
{
    if (m_pTheme != nullptr)
        m_pTheme->UpdateMetrics();
}

CControlTheme* CUiThemeManagerStyleFactory::GetTheme()
{
    if (m_pTheme == nullptr)
    {
        const int nType = GetThemeFactoryRegistry()->m_nDefaultThemeType;
        m_pTheme = MakeTheme(nType);
        if (m_pTheme != nullptr)
        {
            m_pTheme->m_pFactory = this;
            m_pTheme->m_nType = nType;
            m_pTheme->UpdateMetrics();
        }
    }
    return m_pTheme;
}

void CUiThemeManagerStyleFactory::SetTheme(CControlTheme* pTheme)
{
    if (pTheme != m_pTheme)
    {
        delete m_pTheme;
        m_pTheme = pTheme;
    }
    if (m_pTheme != nullptr)
    {
        m_pTheme->m_pFactory = this;
        m_pTheme->UpdateMetrics();
    }
    // A host may detach while it repaints: walk a copy.
    const std::vector<CThemeHost*> hosts = m_hosts;
    for (CThemeHost* pHost : hosts)
        pHost->ThemeChanged();
}

void CUiThemeManagerStyleFactory::AttachHost(CThemeHost* pHost)
{
    if (std::find(m_hosts.begin(), m_hosts.end(), pHost) == m_hosts.end())
        m_hosts.push_back(pHost);
}

void CUiThemeManagerStyleFactory::DetachHost(CThemeHost* pHost)
{
    m_hosts.erase(std::remove(m_hosts.begin(), m_hosts.end(), pHost), m_hosts.end());
}

// ----- CThemeFactoryRegistry -----

CThemeFactoryRegistry::~CThemeFactoryRegistry()
{
    // Each factory takes itself off the live list as it goes.
    auto factories = std::move(m_factories);
    for (auto& entry : factories)
        delete entry.second;
}

CUiThemeManagerStyleFactory* CThemeFactoryRegistry::GetFactory(CRuntimeClass* pFactoryClass)
{
    if (pFactoryClass == nullptr)
        return nullptr;
    auto found = m_factories.find(pFactoryClass);
    if (found != m_factories.end())
        return found->second;
    if (!pFactoryClass->IsDerivedFrom(RUNTIME_CLASS(CUiThemeManagerStyleFactory)))
        return nullptr;
    auto* pFactory = static_cast<CUiThemeManagerStyleFactory*>(pFactoryClass->CreateObject());
    if (pFactory != nullptr)
        m_factories.emplace(pFactoryClass, pFactory);
    return pFactory;
}

CThemeFactoryRegistry* AFXAPI GetThemeFactoryRegistry()
{
    static CThemeFactoryRegistry registry;
    return &registry;
}

// ----- CThemeHost -----

CThemeHost::CThemeHost(CRuntimeClass* pFactoryClass)
{
    if (pFactoryClass != nullptr)
        SetFactoryClass(pFactoryClass);
}

CThemeHost::~CThemeHost()
{
    Detach();
    if (m_bOwnsPrivateFactory)
        delete m_pPrivateFactory;
}

void CThemeHost::SetFactoryClass(CRuntimeClass* pFactoryClass)
{
    Detach();
    m_pFactoryClass = pFactoryClass;
    m_pSharedFactory = GetThemeFactoryRegistry()->GetFactory(pFactoryClass);
    Attach();
}

CUiThemeManagerStyleFactory* CThemeHost::GetFactory() const
{
    return m_pPrivateFactory != nullptr ? m_pPrivateFactory : m_pSharedFactory;
}

CControlTheme* CThemeHost::GetTheme() const
{
    CUiThemeManagerStyleFactory* pFactory = GetFactory();
    return pFactory != nullptr ? pFactory->GetTheme() : nullptr;
}

void CThemeHost::SetTheme(CControlTheme* pTheme)
{
    Detach();
    if (m_bOwnsPrivateFactory)
        delete m_pPrivateFactory;
    m_pPrivateFactory = nullptr;
    m_bOwnsPrivateFactory = FALSE;
    if (pTheme != nullptr)
    {
        std::unique_ptr<CControlTheme> owned(pTheme);
        m_pPrivateFactory = CreateFactory();
        if (m_pPrivateFactory != nullptr)
        {
            m_bOwnsPrivateFactory = TRUE;
            m_pPrivateFactory->SetTheme(owned.release());
        }
    }
    ThemeChanged();
    Attach();
}

CUiThemeManagerStyleFactory* CThemeHost::CreateFactory()
{
    if (m_pFactoryClass == nullptr || !m_pFactoryClass->IsDerivedFrom(RUNTIME_CLASS(CUiThemeManagerStyleFactory)))
        return nullptr;
    return static_cast<CUiThemeManagerStyleFactory*>(m_pFactoryClass->CreateObject());
}

void CThemeHost::Detach()
{
    if (m_pAttachedTo != nullptr)
        m_pAttachedTo->DetachHost(this);
    m_pAttachedTo = nullptr;
}

void CThemeHost::Attach()
{
    m_pAttachedTo = GetFactory();
    if (m_pAttachedTo != nullptr)
        m_pAttachedTo->AttachHost(this);
}
