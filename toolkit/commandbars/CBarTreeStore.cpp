#include "CBarTreeStore.h"

#include "BarTreeExchange.h"
#include "CKitCommandBars.h"
#include "CKitMenuBar.h"
#include "CKitPopupBar.h"
#include "CKitPropExchangeArchive.h"
#include "CKitToolBar.h"
#include "CToolkitResources.h"
#include "window/CWinApp.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

using namespace bartree;

namespace
{

constexpr int kArchiveBufferSize = 4096;
constexpr UINT kMemFileGrowBy = 1024;
constexpr int kFirstTreeBarId = 0x1000000;
// "Due to a software update the toolbar '%s' has changed. ..."
constexpr UINT kToolBarChangedQuestion = 9394;

CString ControlsSection(LPCTSTR lpszProfile)
{
    CString strSection;
    strSection.Format(L"%s-Controls", lpszProfile);
    return strSection;
}

void ReleaseAll(std::vector<CKitCommandBar*>& bars)
{
    for (CKitCommandBar* pBar : bars)
        pBar->InternalRelease();
    bars.clear();
}

BOOL WriteWholeFile(const CString& strPath, const BYTE* pBytes, DWORD nSize)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    const BOOL bWritten = ::WriteFile(hFile, pBytes, nSize, &nWritten, nullptr) && nWritten == nSize;
    const BOOL bClosed = ::CloseHandle(hFile);
    if (!bWritten || !bClosed)
    {
        ::DeleteFileW(strPath);
        return FALSE;
    }
    return TRUE;
}

BOOL ReadWholeFile(const CString& strPath, std::vector<BYTE>& bytes)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    BOOL bResult = ::GetFileSizeEx(hFile, &size) && size.QuadPart > 0 &&
                   static_cast<ULONGLONG>(size.QuadPart) <= CBarTreeStore::kLargestImage;
    if (bResult)
    {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD nRead = 0;
        bResult = ::ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &nRead, nullptr) &&
                  nRead == bytes.size();
    }
    ::CloseHandle(hFile);
    return bResult;
}

// Whether a loaded bar may replace the controls of the bar of its id: a
// record whose every control was refused is damage, and the bar keeps what
// its resource gave it.
BOOL HasSoundContents(CKitCommandBar* pLoaded)
{
    CKitControls* pControls = pLoaded->GetControls();
    return pControls->GetCount() > 0 || pControls->m_nRefusedOnLoad == 0;
}

}  // namespace

CString CBarTreeStore::GetControlsFilePath(LPCTSTR lpszProfile) const
{
    if (!m_pCommandBars->GetControlsFilePath().IsEmpty())
        return m_pCommandBars->GetControlsFilePath();
    CString strName(lpszProfile);
    strName.Replace(L"\\", L"_");
    wchar_t szFolder[MAX_PATH] = {};
    LPCTSTR lpszApp = AfxGetAppName();
    if (lpszApp != nullptr && *lpszApp != 0 &&
        SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szFolder)))
    {
        CString strFolder;
        strFolder.Format(L"%s\\%s", szFolder, lpszApp);
        ::CreateDirectoryW(strFolder, nullptr);
        const DWORD dwAttributes = ::GetFileAttributesW(strFolder);
        if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return strFolder + L"\\" + strName;
    }
    wchar_t szModule[MAX_PATH] = {};
    const DWORD nLength = ::GetModuleFileNameW(nullptr, szModule, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
        return CString();
    CString strPath;
    strPath.Format(L"%s-%s", szModule, static_cast<LPCTSTR>(strName));
    return strPath;
}

void CBarTreeStore::Save(LPCTSTR lpszProfile, BOOL bChangedOnly)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_pCommandBars == nullptr || !m_pCommandBars->IsCustomizationAllowed())
        return;
    CBarTreeOptions options;
    options.bChangedOnly = bChangedOnly;
    options.pCommandBars = m_pCommandBars;
    std::vector<CKitCommandBar*> bars;
    m_pCommandBars->CollectBarsToSave(options, bars);

    CMemFile file(kMemFileGrowBy);
    BOOL bStored = FALSE;
    {
        CArchive ar(&file, CArchive::store, kArchiveBufferSize);
        CKitPropExchangeArchive exchange(ar);
        exchange.m_dwData = reinterpret_cast<DWORD_PTR>(&options);
        bStored = m_pCommandBars->SaveBarTree(&exchange, bars);
        try
        {
            if (bStored)
                ar.Close();
        }
        catch (CException* e)
        {
            e->Delete();
            bStored = FALSE;
        }
        if (!bStored)
            ar.Abort();
    }
    ReleaseAll(bars);

    const CString strSection = ControlsSection(lpszProfile);
    if (!bStored)
    {
        pApp->WriteProfileString(strSection, nullptr, nullptr);
        return;
    }
    const auto nSize = static_cast<UINT>(file.GetLength());
    BYTE* pBytes = file.Detach();
    const CString strPath = GetControlsFilePath(lpszProfile);
    if (!strPath.IsEmpty())
    {
        ::SetFileAttributesW(strPath, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(strPath);
    }
    if (nSize > kLargestProfileImage && !strPath.IsEmpty())
    {
        // A file that cannot be written leaves the stored contents as they were.
        if (WriteWholeFile(strPath, pBytes, nSize))
        {
            pApp->WriteProfileString(strSection, L"Controls", strPath);
            pApp->WriteProfileInt(strSection, L"LoadFromFile", 1);
            ::SetFileAttributesW(strPath, FILE_ATTRIBUTE_HIDDEN);
        }
    }
    else
    {
        pApp->WriteProfileBinary(strSection, L"Controls", pBytes, nSize);
        pApp->WriteProfileInt(strSection, L"LoadFromFile", 0);
    }
    std::free(pBytes);
}

void CBarTreeStore::Load(LPCTSTR lpszProfile, BOOL bSilent)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_pCommandBars == nullptr || !m_pCommandBars->IsCustomizationAllowed())
        return;
    const CString strSection = ControlsSection(lpszProfile);
    std::vector<BYTE> bytes;
    if (pApp->GetProfileInt(strSection, L"LoadFromFile", 0) != 0)
    {
        const CString strPath = pApp->GetProfileString(strSection, L"Controls");
        if (strPath.IsEmpty() || !ReadWholeFile(strPath, bytes))
            return;
    }
    else
    {
        BYTE* pData = nullptr;
        UINT nSize = 0;
        if (!pApp->GetProfileBinary(strSection, L"Controls", &pData, &nSize))
            return;
        if (nSize > 0 && nSize <= kLargestImage)
            bytes.assign(pData, pData + nSize);
        delete[] pData;
        if (bytes.empty())
            return;
    }

    CBarTreeOptions options;
    options.bSilent = bSilent;
    options.pCommandBars = m_pCommandBars;
    std::vector<CKitCommandBar*> bars;
    BOOL bLoaded = FALSE;
    {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        CKitPropExchangeArchive exchange(ar);
        exchange.m_dwData = reinterpret_cast<DWORD_PTR>(&options);
        bLoaded = m_pCommandBars->LoadBarTree(&exchange, bars);
        ar.Abort();
        file.Detach();
    }
    if (bLoaded)
        m_pCommandBars->ApplyLoadedBars(bars, bSilent);
    ReleaseAll(bars);
}

// --- the bar tree operations of the command bars ---

void CKitCommandBars::CollectBarsToSave(const CBarTreeOptions& options, std::vector<CKitCommandBar*>& bars)
{
    int nNextId = kFirstTreeBarId;
    for (CKitCommandBar* pBar : m_bars)
    {
        // A dialog bar hosts a window of its own, not controls.
        if (pBar->IsDialogBar())
            continue;
        auto* pToolBar = dynamic_cast<CKitToolBar*>(pBar);
        BOOL bTake = TRUE;
        if (options.bChangedOnly)
        {
            auto* pMenuBar = dynamic_cast<CKitMenuBar*>(pBar);
            bTake = (pToolBar != nullptr && !pToolBar->m_bBuiltIn) ||
                    (pBar->m_bCustomizable &&
                     ((pMenuBar != nullptr && pMenuBar->HasKeptMenus()) || pBar->GetControls()->IsChanged()));
        }
        if (bTake)
            pBar->CollectForSave(&nNextId, bars, options);
    }
}

BOOL CKitCommandBars::SaveBarTree(CKitPropExchange* pPX, const std::vector<CKitCommandBar*>& bars)
{
    try
    {
        CKitPropSectionRef tree(pPX->OpenSection(L"CommandBars"));
        if (tree.Get() == nullptr)
            return FALSE;
        CCheckedSections sections(tree.Get(), L"CommandBar");
        UINT nPosition = sections.Begin(static_cast<DWORD>(bars.size()), kMaxStoredBars);
        for (CKitCommandBar* pBar : bars)
        {
            CKitPropSectionRef section(sections.Next(nPosition));
            CObject* pObject = pBar;
            if (!section->ExchangeInstance(&pObject, RUNTIME_CLASS(CKitCommandBar)))
                return FALSE;
            pBar->DoPropExchange(section.Get());
        }
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CKitCommandBars::LoadBarTree(CKitPropExchange* pPX, std::vector<CKitCommandBar*>& bars)
{
    try
    {
        CKitPropSectionRef tree(pPX->OpenSection(L"CommandBars"));
        if (tree.Get() == nullptr)
            return FALSE;
        CCheckedSections sections(tree.Get(), L"CommandBar");
        for (UINT nPosition = sections.Begin(0, kMaxStoredBars); nPosition != 0;)
        {
            CKitPropSectionRef section(sections.Next(nPosition));
            CObject* pObject = nullptr;
            if (!section->ExchangeInstance(&pObject, RUNTIME_CLASS(CKitCommandBar)))
                return FALSE;
            auto* pBar = static_cast<CKitCommandBar*>(pObject);
            pBar->SetCommandBars(this);
            // Listed before its keys are read, so a failure releases it with the rest.
            bars.push_back(pBar);
            pBar->DoPropExchange(section.Get());
            pBar->GetControls()->RefreshIndexes();
        }
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CKitCommandBars::ApplyLoadedBars(const std::vector<CKitCommandBar*>& bars, BOOL bSilent)
{
    for (CKitCommandBar* pLoaded : bars)
    {
        auto* pLoadedToolBar = dynamic_cast<CKitToolBar*>(pLoaded);
        if (pLoadedToolBar == nullptr || pLoaded->IsDialogBar())
            continue;
        pLoaded->ResolvePopupReferences(bars);
        // A toolbar needs an id to be found again; the tree's own ids are for popups.
        if (pLoaded->GetBarId() <= 0 || pLoaded->GetBarId() >= kFirstTreeBarId || !HasSoundContents(pLoaded))
            continue;
        CKitCommandBar* pExisting = FindBarById(pLoaded->GetBarId());
        if (pExisting != nullptr)
        {
            if (pExisting->IsDialogBar() || pExisting->GetRuntimeClass() != pLoaded->GetRuntimeClass())
                continue;
            CKitControls* pLoadedOriginal = pLoaded->GetControls()->GetOriginalControls();
            CKitControls* pExistingOriginal = pExisting->GetControls()->GetOriginalControls();
            if (pLoadedOriginal != nullptr && pExistingOriginal != nullptr &&
                !pExistingOriginal->IsEqualTo(pLoadedOriginal) && !bSilent)
            {
                CString strFormat;
                GetToolkitResources()->LoadString(strFormat, kToolBarChangedQuestion);
                CString strQuestion;
                strQuestion.Format(strFormat, static_cast<LPCTSTR>(pExisting->GetTitle()));
                HWND hOwner = m_pSite != nullptr ? m_pSite->m_hWnd : nullptr;
                if (::MessageBoxW(hOwner, strQuestion, AfxGetAppName(), MB_YESNO | MB_ICONQUESTION) == IDYES)
                    continue;
            }
            // The bar keeps its window, its place and its own original set.
            const int nPosition = pExisting->m_nPosition;
            const DWORD dwFlags = pExisting->m_dwFlags;
            pExisting->Copy(pLoaded, FALSE);
            pExisting->m_nPosition = nPosition;
            pExisting->m_dwFlags = dwFlags;
            pExisting->SetCommandBars(this);
            if (::IsWindow(pExisting->m_hWnd))
                pExisting->SetWindowText(pExisting->GetTitle());
            pExisting->OnRecalcLayout();
            continue;
        }
        // A toolbar the program does not make (one the user made): it joins
        // the list at the top; the layout puts it where it was.
        DWORD dwFlags = pLoaded->m_dwFlags & 0x7F;
        if ((dwFlags & 0x1F) == 0)
            dwFlags = 0x3F;
        pLoaded->m_nPosition = 7;
        pLoaded->m_dwFlags = 0;
        pLoaded->EnableBarDocking(dwFlags);
        if (!DockCommandBar(pLoaded, nullptr, kDockTop))
            continue;
        pLoaded->InternalAddRef();
        AddBar(pLoaded);
        AddBarToReBar(pLoaded);
    }
    CKitCommandBar* pMenuBar = FindBarById(1);
    m_pMenuBar = pMenuBar != nullptr && pMenuBar->IsKindOf(RUNTIME_CLASS(CKitMenuBar)) ? pMenuBar : nullptr;
    RelayoutFrame(FALSE);
}
