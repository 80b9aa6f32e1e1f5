#include "CScreenTipRichWnd.h"

#include "CScreenTipContext.h"

#include <algorithm>
#include <string>

namespace {

struct StreamSource
{
    const std::string* text;
    size_t offset;
};

DWORD CALLBACK ReadFromMemory(DWORD_PTR cookie, LPBYTE pBuffer, LONG cb, LONG* pcb)
{
    auto* pSource = reinterpret_cast<StreamSource*>(cookie);
    const size_t left = pSource->text->size() - pSource->offset;
    const size_t count = std::min(left, static_cast<size_t>(cb));
    std::copy_n(pSource->text->data() + pSource->offset, count, pBuffer);
    pSource->offset += count;
    *pcb = static_cast<LONG>(count);
    return 0;
}

std::string ToAnsi(const CString& strText)
{
    const int length = ::WideCharToMultiByte(CP_ACP, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_ACP, 0, strText, strText.GetLength(), result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace

LRESULT CScreenTipRichWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        const LRESULT lResult = CScreenTipWnd::WindowProc(message, wParam, lParam);
        m_hEdit = ::CreateWindowExW(0, L"RICHEDIT", nullptr, WS_CHILD | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0, m_hWnd,
                                    reinterpret_cast<HMENU>(1), ::GetModuleHandleW(nullptr), nullptr);
        if (m_hEdit)
            ::SendMessageW(m_hEdit, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
        return lResult;
    }
    if (message == WM_NOTIFY) {
        const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        if (pHeader && pHeader->hwndFrom == m_hEdit && pHeader->code == EN_REQUESTRESIZE) {
            const RECT& wanted = reinterpret_cast<const REQRESIZE*>(lParam)->rc;
            m_requested = CSize(wanted.right - wanted.left, wanted.bottom - wanted.top);
            return 0;
        }
    }
    return CScreenTipWnd::WindowProc(message, wParam, lParam);
}

void CScreenTipRichWnd::LoadText(const CString& strText)
{
    ::SendMessageW(m_hEdit, EM_SETBKGNDCOLOR, FALSE, m_pContext->GetBackColor());
    ::SetWindowTextW(m_hEdit, L"");
    CHARFORMATW format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    format.crTextColor = m_pContext->GetTextColor();
    ::SendMessageW(m_hEdit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    ::SendMessageW(m_hEdit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), FALSE);

    const std::string ansi = ToAnsi(strText);
    StreamSource source{&ansi, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &ReadFromMemory};
    ::SendMessageW(m_hEdit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (::GetWindowTextLengthW(m_hEdit) == 0) {
        // Not rich text: the text as it is.
        source.offset = 0;
        ::SendMessageW(m_hEdit, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    }
}

CSize CScreenTipRichWnd::Probe(int nWidth)
{
    ::MoveWindow(m_hEdit, 0, 0, nWidth, 1, FALSE);
    RECT format{0, 0, nWidth, 1};
    ::SendMessageW(m_hEdit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
    m_requested = CSize(0, 0);
    ::SendMessageW(m_hEdit, EM_REQUESTRESIZE, 0, 0);
    return m_requested;
}

CSize CScreenTipRichWnd::CalcTipSize(const Tool& tool)
{
    if (!m_hEdit)
        return CSize(0, 0);
    const CString text = GetToolText(tool);
    if (text.IsEmpty())
        return CSize(0, 0);
    ShowWindow(SW_HIDE);
    LoadText(text);

    int maxWidth = m_pContext->GetMaxTipWidth();
    if (maxWidth < 0)
        maxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    // The height at the widest is the target; the narrowest width that keeps
    // it is searched for.
    CSize wanted = Probe(maxWidth);
    const int targetHeight = wanted.cy;
    int lo = 0;
    int hi = 2 * maxWidth;
    while (hi > lo) {
        const int mid = (lo + hi) / 2;
        wanted = Probe(mid);
        if (wanted.cy > targetHeight)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    if (wanted.cy > targetHeight)
        wanted = Probe(hi + 1);
    // The control takes the wanted size plus a pixel on each side; the tip
    // adds the margins around the control.
    const CSize control(wanted.cx + 2, wanted.cy + 2);
    ::MoveWindow(m_hEdit, 0, 0, control.cx, control.cy, FALSE);
    ::ShowWindow(m_hEdit, SW_HIDE);

    const CRect& margins = m_pContext->m_rcMargins;
    CSize size(control.cx + margins.left + margins.right + 4, control.cy + margins.top + margins.bottom + 2);
    const int quad = text.Find(L"\\q");
    if (quad >= 0 && quad + 2 < text.GetLength() && (text[quad + 2] == L'r' || text[quad + 2] == L'c'))
        size.cx += 5;
    return size;
}

void CScreenTipRichWnd::DrawTipText(CDC* pDC, const CString&, CRect)
{
    if (!m_hEdit)
        return;
    CRect client;
    GetClientRect(&client);
    const CRect& margins = m_pContext->m_rcMargins;
    CRect area(client.left + margins.left + 3, client.top + margins.top + 2, client.right - 1, client.bottom - 1);
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    FORMATRANGE range{};
    range.hdc = pDC->GetSafeHdc();
    range.hdcTarget = pDC->GetSafeHdc();
    range.rc = {::MulDiv(area.left, 1440, dpiX), ::MulDiv(area.top, 1440, dpiY), ::MulDiv(area.right, 1440, dpiX),
                ::MulDiv(area.bottom, 1440, dpiY)};
    range.rcPage = range.rc;
    range.chrg = {0, -1};
    ::SendMessageW(m_hEdit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    ::SendMessageW(m_hEdit, EM_FORMATRANGE, FALSE, 0);
}
