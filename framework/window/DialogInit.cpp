// RT_DLGINIT: the initial strings of a dialog's combo and list boxes, kept
// beside the template as {WORD id, WORD message, DWORD length, bytes} records
// ending in a zero id. The messages are the 16-bit era values.
#include "CWnd.h"

#include <commctrl.h>
#include <string>

namespace
{
constexpr WORD kLegacyListAddString = 0x0401;
constexpr WORD kLegacyComboAddString = 0x0403;
constexpr WORD kComboExInsertItem = 0x1234;
const LPCWSTR kDialogInitType = MAKEINTRESOURCEW(240);

BOOL RunDialogInit(HWND hWndDialog, const BYTE* data, size_t size)
{
    size_t offset = 0;
    BOOL ok = TRUE;
    while (offset + 2 <= size)
    {
        WORD nIDC = *reinterpret_cast<const WORD*>(data + offset);
        if (nIDC == 0)
            break;
        if (offset + 8 > size)
            return FALSE;
        WORD message = *reinterpret_cast<const WORD*>(data + offset + 2);
        DWORD length = *reinterpret_cast<const DWORD*>(data + offset + 4);
        offset += 8;
        if (length > size - offset)
            return FALSE;
        const char* text = reinterpret_cast<const char*>(data + offset);
        HWND hWndCtrl = ::GetDlgItem(hWndDialog, nIDC);
        if (message == kLegacyListAddString || message == kLegacyComboAddString)
        {
            UINT actual = message == kLegacyListAddString ? LB_ADDSTRING : CB_ADDSTRING;
            // The strings are ANSI; the A entry point converts them.
            LRESULT added = ::SendMessageA(hWndCtrl, actual, 0, reinterpret_cast<LPARAM>(text));
            if (added == LB_ERR || added == LB_ERRSPACE)
                ok = FALSE;
        }
        else if (message == kComboExInsertItem)
        {
            int wideLength = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
            std::wstring wide(static_cast<size_t>(wideLength > 0 ? wideLength : 1), L'\0');
            ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), wideLength);
            COMBOBOXEXITEMW item{};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = wide.data();
            if (::SendMessageW(hWndCtrl, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) == -1)
                ok = FALSE;
        }
        offset += length;
    }
    return ok;
}
} // namespace

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, lpszResourceName, kDialogInitType);
    if (hResource == nullptr)
        return TRUE; // no initial data is fine
    auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(hInst, hResource)));
    return data != nullptr && RunDialogInit(m_hWnd, data, ::SizeofResource(hInst, hResource));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    // Without the resource's size the records are trusted to end in a zero id.
    return lpResource == nullptr || RunDialogInit(m_hWnd, static_cast<const BYTE*>(lpResource), SIZE_MAX);
}
