// Themes of the toolkit's controls. A themed control does not paint itself: it
// holds a theme host that hands painting to a theme object. Each control
// family has one process-wide factory (made on demand from its class record)
// that owns the family's current theme and tells every attached host when it
// changes; a host may also own a private factory with a theme of its own.
#pragma once

#include "Framework.h"

#include <unordered_map>
#include <vector>

class CThemeHost;
class CUiThemeManagerStyleFactory;

enum ThemeType
{
    kThemeDefault = 0, // 3D, system colours
    kThemeFlat = 1,    // office colours of the colour table
    kThemeScheme = 2,  // the visual-style scheme colours
};

// Base of every theme.
class CControlTheme
{
public:
    CControlTheme() = default;
    virtual ~CControlTheme() = default;
    CControlTheme(const CControlTheme&) = delete;
    CControlTheme& operator=(const CControlTheme&) = delete;

    virtual void UpdateMetrics() {}
    // Copies the part of the parent under the window into m_parentBackground.
    virtual BOOL CacheParentBackground(CWnd* pWnd);
    // Only for WS_EX_TRANSPARENT windows: draws the cached parent background.
    virtual BOOL DrawParentBackground(CDC* pDC, CWnd* pWnd);

    CUiThemeManagerStyleFactory* m_pFactory = nullptr;
    int m_nType = kThemeDefault;
    CBitmap m_parentBackground;
};

// One control family's factory: the current theme and the attached hosts.
class CUiThemeManagerStyleFactory : public CObject
{
    DECLARE_DYNAMIC(CUiThemeManagerStyleFactory)
public:
    CUiThemeManagerStyleFactory();
    ~CUiThemeManagerStyleFactory() override;

    // The family's theme of that type (flat, scheme, else default).
    virtual CControlTheme* MakeTheme(int nType) = 0;
    virtual void ReloadMetrics();

    // Made with the registry's default type on first use.
    CControlTheme* GetTheme();
    // Takes ownership, refreshes the metrics and tells every host.
    void SetTheme(CControlTheme* pTheme);
    CControlTheme* GetCurrentTheme() const { return m_pTheme; }

    void AttachHost(CThemeHost* pHost);
    void DetachHost(CThemeHost* pHost);
    size_t GetHostCount() const { return m_hosts.size(); }

private:
    CControlTheme* m_pTheme = nullptr;
    std::vector<CThemeHost*> m_hosts;
};

// The process-wide factories, one per class record.
class CThemeFactoryRegistry
{
public:
    CThemeFactoryRegistry() = default;
    ~CThemeFactoryRegistry();
    CThemeFactoryRegistry(const CThemeFactoryRegistry&) = delete;
    CThemeFactoryRegistry& operator=(const CThemeFactoryRegistry&) = delete;

    // Created with CreateObject and kept on first request; null when the
    // class cannot be created or is no factory.
    CUiThemeManagerStyleFactory* GetFactory(CRuntimeClass* pFactoryClass);

    int m_nDefaultThemeType = kThemeDefault;

private:
    friend class CUiThemeManagerStyleFactory;
    std::unordered_map<const CRuntimeClass*, CUiThemeManagerStyleFactory*> m_factories;
    std::vector<CUiThemeManagerStyleFactory*> m_live;
};

CThemeFactoryRegistry* AFXAPI GetThemeFactoryRegistry();

// Carried by a themed control (as a second base): attaches the control to its
// family's factory, or to a private one with its own theme.
class CThemeHost
{
public:
    explicit CThemeHost(CRuntimeClass* pFactoryClass);
    virtual ~CThemeHost();
    CThemeHost(const CThemeHost&) = delete;
    CThemeHost& operator=(const CThemeHost&) = delete;

    void SetFactoryClass(CRuntimeClass* pFactoryClass);
    CUiThemeManagerStyleFactory* GetFactory() const;
    CControlTheme* GetTheme() const;
    // With a theme: a private factory owns it; null returns to the shared one.
    void SetTheme(CControlTheme* pTheme);
    BOOL OwnsPrivateFactory() const { return m_bOwnsPrivateFactory; }

    virtual CUiThemeManagerStyleFactory* CreateFactory();
    // The control repaints (and lays itself out again where it needs to).
    virtual void ThemeChanged() {}

private:
    void Detach();
    void Attach();

    BOOL m_bOwnsPrivateFactory = FALSE;
    CRuntimeClass* m_pFactoryClass = nullptr;
    CUiThemeManagerStyleFactory* m_pPrivateFactory = nullptr;
    CUiThemeManagerStyleFactory* m_pSharedFactory = nullptr;
    CUiThemeManagerStyleFactory* m_pAttachedTo = nullptr;
};
