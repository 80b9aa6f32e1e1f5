#include "PlaceholderPicture.h"

#include "CSharedMetrics.h"

void DrawPlaceholderPicture(CWnd* pView, CDC* pDC, UINT nBitmapId, const CString& strReason)
{
    CRect client;
    pView->GetClientRect(&client);
    int pictureBottom = client.Height() / 2;

    CBitmap bitmap;
    BITMAP info{};
    if (bitmap.LoadBitmap(nBitmapId) && bitmap.GetObject(sizeof(info), &info) != 0)
    {
        const int left = client.Width() / 2 - info.bmWidth / 2;
        const int top = client.Height() / 2 - info.bmHeight / 2;
        CDC memory;
        if (memory.CreateCompatibleDC(pDC))
        {
            CBitmap* pOld = memory.SelectObject(&bitmap);
            pDC->BitBlt(left, top, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
            memory.SelectObject(pOld);
        }
        pictureBottom = top + info.bmHeight;
    }

    if (strReason.IsEmpty())
        return;
    CRect textRect(client.left + 8, pictureBottom + 8, client.right - 8, client.bottom);
    CFont* pOldFont = pDC->SelectObject(&GetSharedMetrics()->m_fontNormal);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(RGB(64, 64, 64));
    pDC->DrawText(strReason, &textRect, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOldFont);
}
