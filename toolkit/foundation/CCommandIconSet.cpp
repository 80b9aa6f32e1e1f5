#include "CCommandIconSet.h"

namespace {

constexpr int kNewIconHeight = 15;

}  // namespace

CCommandIconSet::CCommandIconSet(UINT nID, CCommandIconStore* pStore) : m_nID(nID), m_pStore(pStore)
{
    EnableAutomation();
}

CCommandIconSet::~CCommandIconSet()
{
    RemoveAll();
}

CCommandIcon* CCommandIconSet::GetOrCreateIcon(UINT nWidth)
{
    if (CCommandIcon** ppIcon = m_icons.Find(nWidth))
        return *ppIcon;
    auto* pIcon = new CCommandIcon(m_nID, static_cast<int>(nWidth), kNewIconHeight, this);
    m_icons.Set(nWidth, pIcon);
    return pIcon;
}

// The icon copies the handles; the caller keeps and releases its own.
void CCommandIconSet::SetImage(const CIconImage& image, UINT nWidth)
{
    GetOrCreateIcon(nWidth)->SetImage(CIconImage(image));
}

void CCommandIconSet::SetDisabledImage(const CIconImage& image, UINT nWidth)
{
    GetOrCreateIcon(nWidth)->SetDisabledImage(CIconImage(image));
}

void CCommandIconSet::SetHotImage(const CIconImage& image, UINT nWidth)
{
    GetOrCreateIcon(nWidth)->SetHotImage(CIconImage(image));
}

void CCommandIconSet::SetPressedImage(const CIconImage& image, UINT nWidth)
{
    GetOrCreateIcon(nWidth)->SetPressedImage(CIconImage(image));
}

CCommandIcon* CCommandIconSet::GetIcon(UINT nWidth, BOOL bClosest)
{
    return kit::ResolveIconForWidth(m_icons, nWidth, bClosest != FALSE, [](CCommandIcon* pNearest, UINT nTo) {
        if (pNearest->IsAlpha())
            return static_cast<CCommandIcon*>(nullptr);
        CCommandIcon* pCopy = pNearest->CreateScaledCopy(static_cast<int>(nTo));
        if (pCopy != nullptr)
            pCopy->SetScaled(TRUE);
        return pCopy;
    });
}

void CCommandIconSet::FileIcon(UINT nWidth, CCommandIcon* pIcon)
{
    const auto [bReplaced, pPrevious] = m_icons.Set(nWidth, pIcon);
    if (bReplaced && pPrevious != nullptr && pPrevious != pIcon)
        pPrevious->InternalRelease();
}

void CCommandIconSet::Refresh()
{
    m_icons.RemoveIf([](UINT, CCommandIcon* pIcon) {
        if (!pIcon->IsScaled())
            return false;
        pIcon->InternalRelease();
        return true;
    });
    m_icons.ForEach([](UINT, CCommandIcon* pIcon) { pIcon->ClearDerivedImages(); });
}

void CCommandIconSet::RemoveAll()
{
    kit::IconKeyMap<CCommandIcon*> icons;
    std::swap(icons, m_icons);
    icons.ForEach([](UINT, CCommandIcon* pIcon) { pIcon->InternalRelease(); });
}
