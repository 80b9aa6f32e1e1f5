#include "CKitTabManagerItem.h"

#include "CTabStrip.h"

void CKitTabManagerItem::SetCaption(LPCTSTR pszCaption)
{
    if (m_strCaption == pszCaption)
        return;
    m_strCaption = pszCaption;
    if (m_pStrip)
        m_pStrip->Relayout();
}

void CKitTabManagerItem::SetColor(COLORREF crColor)
{
    m_crColor = crColor;
    if (m_pStrip)
        m_pStrip->RedrawOwner();
}

CString CKitTabManagerItem::GetCaption() const
{
    return m_pStrip ? m_pStrip->GetItemCaption(this) : m_strCaption;
}

COLORREF CKitTabManagerItem::GetColor() const
{
    return m_pStrip ? m_pStrip->GetItemColor(this) : GetAutoTabColor(m_crColor);
}

void CKitTabManagerItem::Remove()
{
    if (m_pStrip)
        m_pStrip->DeleteItem(m_nIndex);
}
