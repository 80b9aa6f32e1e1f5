#include "CCommandShortcuts.h"

#include "window/CFrameWnd.h"
#include "window/CWinApp.h"

#include <vector>

namespace
{

constexpr wchar_t kAcceleratorsEntry[] = L"Accelerators";
constexpr int kSystemKeyNameLength = 50;

struct KeyName
{
    const wchar_t* name;
    UINT key;
};

constexpr KeyName kKeyNames[] = {
    {L"Left Button", 0x01}, {L"Right Button", 0x02}, {L"Ctrl+Break", 0x03}, {L"Middle Button", 0x04},
    {L"Backspace", 0x08}, {L"Tab", 0x09}, {L"Clear", 0x0C}, {L"Enter", 0x0D}, {L"Shift", 0x10},
    {L"Ctrl", 0x11}, {L"Alt", 0x12}, {L"Pause", 0x13}, {L"Caps Lock", 0x14}, {L"Esc", 0x1B},
    {L"Space", 0x20}, {L"Page Up", 0x21}, {L"Page Down", 0x22}, {L"End", 0x23}, {L"Home", 0x24},
    {L"Left Arrow", 0x25}, {L"Up Arrow", 0x26}, {L"Right Arrow", 0x27}, {L"Down Arrow", 0x28},
    {L"Select", 0x29}, {L"Print", 0x2A}, {L"Execute", 0x2B}, {L"Snapshot", 0x2C}, {L"Ins", 0x2D},
    {L"Del", 0x2E}, {L"Help", 0x2F}, {L"Left Windows", 0x5B}, {L"Right Windows", 0x5C},
    {L"Application", 0x5D}, {L"Num *", 0x6A}, {L"Num +", 0x6B}, {L"Separator", 0x6C}, {L"Num -", 0x6D},
    {L"Num .", 0x6E}, {L"Num /", 0x6F}, {L"F1", 0x70}, {L"F2", 0x71}, {L"F3", 0x72}, {L"F4", 0x73},
    {L"F5", 0x74}, {L"F6", 0x75}, {L"F7", 0x76}, {L"F8", 0x77}, {L"F9", 0x78}, {L"F10", 0x79},
    {L"F11", 0x7A}, {L"F12", 0x7B}, {L"Num 0", 0x60}, {L"Num 1", 0x61}, {L"Num 2", 0x62},
    {L"Num 3", 0x63}, {L"Num 4", 0x64}, {L"Num 5", 0x65}, {L"Num 6", 0x66}, {L"Num 7", 0x67},
    {L"Num 8", 0x68}, {L"Num 9", 0x69}, {L"Num Lock", 0x90}, {L"Scrl Lock", 0x91}, {L"Attn", 0xF6},
    {L"Crsel", 0xF7}, {L"Exsel", 0xF8}, {L"Ereof", 0xF9}, {L"Play", 0xFA}, {L"Zoom", 0xFB},
    {L"No Name", 0xFC}, {L"Pa1", 0xFD}, {L"Oem Clear", 0xFE},
};

// Digits and letters name themselves.
constexpr wchar_t kDigitAndLetterNames[] = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::vector<ACCEL> EntriesOf(HACCEL hTable)
{
    std::vector<ACCEL> entries;
    if (hTable == nullptr)
        return entries;
    const int nCount = ::CopyAcceleratorTableW(hTable, nullptr, 0);
    if (nCount <= 0)
        return entries;
    entries.resize(static_cast<size_t>(nCount));
    ::CopyAcceleratorTableW(hTable, entries.data(), nCount);
    return entries;
}

int PriorityOf(const ACCEL& entry)
{
    if ((entry.fVirt & (FCONTROL | FALT | FSHIFT)) == 0)
        return 4;
    if ((entry.fVirt & FCONTROL) != 0)
        return 3;
    if ((entry.fVirt & FALT) != 0)
        return 2;
    return 1;
}

// The layout's own name of the key, "Caps lock" rather than "CAPS LOCK".
CString SystemKeyName(UINT nKey)
{
    if (nKey == VK_CANCEL)
        return CString();
    const UINT nScan = ::MapVirtualKeyExW(nKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0));
    LONG lParam = static_cast<LONG>((nScan & 0xFF) << 16);
    if (nKey >= 0x21 && nKey <= 0x2F)
        lParam |= 1 << 24;
    wchar_t szName[kSystemKeyNameLength + 1] = {};
    if (::GetKeyNameTextW(lParam, szName, kSystemKeyNameLength) <= 0)
        return CString();
    CString strName(szName);
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        if (::IsCharLowerW(strName[i]))
        {
            strName.SetAt(i, static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
                                 ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(strName[i]))))));
            break;
        }
    }
    return strName;
}

wchar_t UpperOf(wchar_t ch)
{
    return static_cast<wchar_t>(
        reinterpret_cast<ULONG_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)))));
}

}  // namespace

CKeyNameMap::CKeyNameMap()
{
    for (int i = 0; kDigitAndLetterNames[i] != 0; ++i)
        m_names[kDigitAndLetterNames[i]] = std::wstring(1, kDigitAndLetterNames[i]);
    for (const KeyName& entry : kKeyNames)
        m_names[entry.key] = entry.name;
}

const wchar_t* CKeyNameMap::Lookup(UINT nKey) const
{
    const auto it = m_names.find(nKey);
    return it != m_names.end() ? it->second.c_str() : nullptr;
}

CCommandShortcuts::~CCommandShortcuts()
{
    DestroyTables();
}

void CCommandShortcuts::DestroyTables()
{
    if (m_hCurrent != nullptr)
        ::DestroyAcceleratorTable(m_hCurrent);
    if (m_hOriginal != nullptr)
        ::DestroyAcceleratorTable(m_hOriginal);
    m_hCurrent = nullptr;
    m_hOriginal = nullptr;
}

HACCEL CCommandShortcuts::LoadAcceleratorResource(UINT nId)
{
    DestroyTables();
    HINSTANCE hModule = AfxFindResourceHandle(MAKEINTRESOURCE(nId), RT_ACCELERATOR);
    HACCEL hLoaded = hModule != nullptr ? ::LoadAcceleratorsW(hModule, MAKEINTRESOURCEW(nId)) : nullptr;
    if (hLoaded == nullptr)
        return nullptr;
    // Two copies of our own: the loaded table is owned by the module.
    m_hOriginal = CopyAccelTable(hLoaded);
    m_hCurrent = CopyAccelTable(hLoaded);
    return m_hCurrent;
}

void CCommandShortcuts::SaveToProfile(LPCTSTR lpszProfile)
{
    CWinApp* pApp = AfxGetApp();
    if (m_hOriginal == nullptr || pApp == nullptr)
        return;
    std::vector<ACCEL> entries = EntriesOf(m_hCurrent);
    pApp->WriteProfileBinary(lpszProfile, kAcceleratorsEntry, reinterpret_cast<LPBYTE>(entries.data()),
                                    static_cast<UINT>(entries.size() * sizeof(ACCEL)));
}

void CCommandShortcuts::LoadFromProfile(LPCTSTR lpszProfile)
{
    CWinApp* pApp = AfxGetApp();
    if (m_hOriginal == nullptr || pApp == nullptr)
        return;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszProfile, kAcceleratorsEntry, &pData, &nBytes) || pData == nullptr)
        return;
    static_assert(sizeof(ACCEL) == 6, "the profile stores 6-byte entries");
    const int nCount = static_cast<int>(nBytes / sizeof(ACCEL));
    std::vector<ACCEL> entries(static_cast<size_t>(nCount));
    if (nCount > 0)
        memcpy(entries.data(), pData, static_cast<size_t>(nCount) * sizeof(ACCEL));
    delete[] pData;
    SetTable(entries.data(), nCount);
}

void CCommandShortcuts::SetTable(const ACCEL* pEntries, int nCount)
{
    HACCEL hNew = nCount > 0 ? ::CreateAcceleratorTableW(const_cast<ACCEL*>(pEntries), nCount) : nullptr;
    if (m_hCurrent != nullptr)
        ::DestroyAcceleratorTable(m_hCurrent);
    m_hCurrent = hNew;
}

void CCommandShortcuts::ResetToOriginal()
{
    if (m_hCurrent != nullptr)
        ::DestroyAcceleratorTable(m_hCurrent);
    m_hCurrent = CopyAccelTable(m_hOriginal);
}

BOOL CCommandShortcuts::Translate(HWND hWnd, MSG* pMsg)
{
    if (m_nPrintPreview > 0)
        return FALSE;
    HACCEL hTable = GetAccelTable();
    return hTable != nullptr && ::TranslateAcceleratorW(hWnd, hTable, pMsg) != 0;
}

BOOL CCommandShortcuts::FindShortcutText(int nCommand, CString& strText)
{
    HACCEL hTable = GetAccelTable();
    if (hTable == nullptr && m_hOriginal == nullptr && m_pSiteFrame != nullptr)
        hTable = m_pSiteFrame->m_hAccelTable;
    if (hTable == nullptr)
        return FALSE;
    CString strBest;
    int nBest = 0;
    for (const ACCEL& entry : EntriesOf(hTable))
    {
        if (entry.cmd != static_cast<WORD>(nCommand))
            continue;
        CString strFormatted;
        int nPriority = 0;
        FormatShortcut(strFormatted, entry, &nPriority);
        if (!strText.IsEmpty() && strFormatted == strText)
            return TRUE;
        if (nPriority > nBest)
        {
            nBest = nPriority;
            strBest = strFormatted;
        }
    }
    strText = strBest;
    return nBest > 0;
}

void CCommandShortcuts::FormatShortcut(CString& strText, const ACCEL& entry, int* pPriority)
{
    strText.Empty();
    if (entry.key != VK_CANCEL)
    {
        const struct
        {
            BYTE flag;
            UINT key;
        } modifiers[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}, {FALT, VK_MENU}};
        for (const auto& modifier : modifiers)
        {
            if ((entry.fVirt & modifier.flag) == 0)
                continue;
            const CString strName = GetKeyName(modifier.key);
            if (!strName.IsEmpty())
                strText += strName + L"+";
        }
    }
    if ((entry.fVirt & FVIRTKEY) != 0)
        strText += GetKeyName(entry.key);
    else if (entry.key != 27 && entry.key != 9 && entry.key != 0)
        strText += static_cast<wchar_t>(entry.key);
    if (entry.key == 0 && !strText.IsEmpty())
        strText = strText.Left(strText.GetLength() - 1);
    if (pPriority != nullptr)
        *pPriority = PriorityOf(entry);
}

CString CCommandShortcuts::GetKeyName(UINT nKey)
{
    if (m_bSystemNamesFirst)
    {
        const CString strSystem = SystemKeyName(nKey);
        if (!strSystem.IsEmpty())
            return strSystem;
    }
    if (const wchar_t* pszName = m_keyNames.Lookup(nKey))
        return pszName;
    return m_bSystemNamesFirst ? CString() : SystemKeyName(nKey);
}

BOOL CCommandShortcuts::IsShortcutAllowed(const ACCEL& entry)
{
    const BOOL bPlainEscape =
        (entry.fVirt & FVIRTKEY) != 0 && entry.key == VK_ESCAPE && (entry.fVirt & (FSHIFT | FCONTROL | FALT)) == 0;
    return !(bPlainEscape && !m_bAllowEscape);
}

BOOL IsMnemonicKey(wchar_t ch, UINT nKey)
{
    if (::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;
    const wchar_t upper = UpperOf(ch);
    if (nKey == ch || nKey == upper)
        return TRUE;
    const int nLayouts = ::GetKeyboardLayoutList(0, nullptr);
    if (nLayouts <= 1)
        return FALSE;
    std::vector<HKL> layouts(static_cast<size_t>(nLayouts));
    ::GetKeyboardLayoutList(nLayouts, layouts.data());
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    for (HKL hLayout : layouts)
    {
        wchar_t produced[2] = {};
        const UINT nScan = ::MapVirtualKeyExW(nKey, MAPVK_VK_TO_VSC, hLayout);
        if (::ToUnicodeEx(nKey, nScan, state, produced, 1, 0, hLayout) != 1)
            continue;
        if (produced[0] == ch || UpperOf(produced[0]) == upper)
            return TRUE;
    }
    return FALSE;
}

HACCEL CopyAccelTable(HACCEL hTable)
{
    std::vector<ACCEL> entries = EntriesOf(hTable);
    if (entries.empty())
        return nullptr;
    return ::CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
}
