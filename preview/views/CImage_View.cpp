#include "CImage_View.h"

#include "ImageFormat.h"
#include "PreviewSession.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNCREATE(CImage_View, CView)

BEGIN_MESSAGE_MAP(CImage_View, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CImage_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 0;
    const CString& path = pSession->PreviewFilePath;
    const int format = preview::ImageFormatOfName(
        std::u16string_view(reinterpret_cast<const char16_t*>(path.GetString()), path.GetLength()));
    if (format == preview::kImageUnknown)
        return 0;
    // Decoded once here; painting only draws.
    if (!m_image.Load(path, format))
    {
        if (m_image.LacksDecoder())
            pSession->ReportMissingComponent(L"This machine has no decoder for pictures of this format.");
        else
            pSession->ReportFailure(L"The image could not be decoded.");
    }
    return 0;
}

CRect CImage_View::PictureRect(int clientWidth, uint32_t width, uint32_t height)
{
    const float ratio = static_cast<float>(height) / static_cast<float>(width);
    // A picture a million times taller than wide is drawn as one that is 10,000 times.
    const int k = static_cast<int>(std::min(ratio * 100, 1.0e6f));
    const int left = clientWidth / 2 - 100;
    const int top = (120 - k) / 2;
    return CRect(left, top, left + 200, top + k + 100);
}

void CImage_View::OnDraw(CDC* pDC)
{
    if (!m_image.IsValid())
        return;
    CRect client;
    GetClientRect(&client);
    const CRect target = PictureRect(client.Width(), m_image.GetWidth(), m_image.GetHeight());
    m_image.Stretch(pDC->GetSafeHdc(), target.left, target.top, target.Width(), target.Height(), SRCCOPY);
}
