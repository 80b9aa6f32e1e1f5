#include "CThumbView.h"

#include "CxImage.h"
#include "ImageFormat.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNCREATE(CThumbView, CListView)

namespace {

int FormatOf(const CString& name)
{
    return preview::ImageFormatOfName(
        std::u16string_view(reinterpret_cast<const char16_t*>(name.GetString()), name.GetLength()));
}

}  // namespace

CThumbView::~CThumbView()
{
    if (m_hImages != nullptr)
        ::ImageList_Destroy(m_hImages);
}

BOOL CThumbView::Create(LPCTSTR lpszClassName, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext)
{
    dwStyle |= LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_ICON | LVS_SHAREIMAGELISTS;
    return CListView::Create(lpszClassName, L"ListView", dwStyle, rect, pParentWnd, nID, pContext);
}

void CThumbView::ResetImages()
{
    if (m_hImages != nullptr)
        ::ImageList_Destroy(m_hImages);
    m_hImages = ::ImageList_Create(kThumbWidth, kThumbHeight, ILC_COLOR24, 0, 1);
    SendMessage(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_hImages));
}

void CThumbView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    ResetImages();
}

std::vector<CString> CThumbView::ListImageFolder(const CString& strFolder)
{
    std::vector<CString> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(strFolder + L"\\*.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        CString name = found.cFileName;
        if (FormatOf(name) != preview::kImageUnknown)
            names.push_back(name.MakeLower());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const CString& a, const CString& b) { return std::wcscmp(a.GetString(), b.GetString()) < 0; });
    return names;
}

CRect CThumbView::ThumbRect(uint32_t width, uint32_t height)
{
    const double ratio = static_cast<double>(height) / width;
    if (ratio > 0.75)
    {
        const int thumbWidth = static_cast<int>(kThumbHeight / ratio);
        const int left = (kThumbWidth - thumbWidth) / 2;
        return CRect(left, 0, left + thumbWidth, kThumbHeight);
    }
    const int thumbHeight = static_cast<int>(ratio * kThumbWidth);
    const int top = (kThumbHeight - thumbHeight) / 2;
    return CRect(0, top, kThumbWidth, top + thumbHeight);
}

void CThumbView::BuildThumbnails(const CString& strFolder, const std::vector<CString>& names)
{
    ResetImages();
    SendMessage(LVM_DELETEALLITEMS);
    // Every item has its blank slot before any picture is decoded.
    ::ImageList_SetImageCount(m_hImages, static_cast<UINT>(names.size()));
    SendMessage(WM_SETREDRAW, FALSE);
    for (size_t i = 0; i < names.size(); ++i)
    {
        CString label;
        label.Format(L"%d", static_cast<int>(i) + 1);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<LPWSTR>(label.GetString());
        item.iImage = static_cast<int>(i);
        SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(TRUE);

    HBRUSH hBlack = ::CreateSolidBrush(RGB(0, 0, 0));
    HBRUSH hWhite = ::CreateSolidBrush(RGB(255, 255, 255));
    const RECT frame{0, 0, kThumbWidth, kThumbHeight};
    for (size_t i = 0; i < names.size(); ++i)
    {
        const CString path = strFolder + L"\\" + names[i];
        const int format = FormatOf(names[i]);
        CxImage image;
        if (format == preview::kImageUnknown || !image.Load(path, format))
            continue;  // the slot stays blank
        if (GetSafeHwnd() == nullptr || !::IsWindow(GetSafeHwnd()))
            break;
        const CRect place = ThumbRect(image.GetWidth(), image.GetHeight());
        HDC hScreen = ::GetDC(GetSafeHwnd());
        HDC hMemory = ::CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, kThumbWidth, kThumbHeight);
        ::ReleaseDC(GetSafeHwnd(), hScreen);
        HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
        ::FillRect(hMemory, &frame, hWhite);
        image.Stretch(hMemory, place.left, place.top, place.Width(), place.Height(), SRCCOPY);
        ::FrameRect(hMemory, &frame, hBlack);
        ::SelectObject(hMemory, hOld);
        ::ImageList_Replace(m_hImages, static_cast<int>(i), hBitmap, nullptr);
        SendMessage(LVM_REDRAWITEMS, i, i);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMemory);
    }
    ::DeleteObject(hBlack);
    ::DeleteObject(hWhite);
    Invalidate(TRUE);
}
