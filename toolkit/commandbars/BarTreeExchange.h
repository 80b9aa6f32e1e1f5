// Helpers of the stored bar tree (the bars' contents): typed exchanges of
// the unsigned fields, numbered sections whose stored count is checked
// before anything is read, and the bounds every loaded value must keep.
// Stored data is untrusted: a count the stream cannot hold ends the load
// with the framework's archive exception, which the tree's loader catches.
#pragma once

#include "CKitPropExchange.h"
#include "CPropSectionEnum.h"

#include <memory>

struct CBarTreeOptions;

namespace bartree
{

// More than any frame makes; a stored count beyond them is damage.
constexpr DWORD kMaxStoredBars = 1024;
constexpr DWORD kMaxStoredControls = 4096;
constexpr DWORD kMaxStoredItems = 32767;
constexpr DWORD kMaxStoredMenus = 256;
// Command ids travel in the low word of WM_COMMAND.
constexpr int kMaxCommandId = 0xFFFF;
// The ids of the controls bars add for themselves (9399-9406); never stored.
constexpr int kFirstBarOwnId = 9399;
constexpr int kLastBarOwnId = 9406;
constexpr int kMaxCustomIconId = 0xFFFFFF;
constexpr int kMinFieldWidth = 10;
constexpr int kMaxFieldWidth = 4000;
constexpr int kMaxIconSide = 256;

// The options of the bar-tree pass the exchange belongs to, or null.
inline const CBarTreeOptions* OptionsOf(CKitPropExchange* pPX)
{
    return reinterpret_cast<const CBarTreeOptions*>(pPX->m_dwData);
}

inline BOOL ExchangeDword(CKitPropExchange* pPX, LPCTSTR pszName, DWORD& dwValue, DWORD dwDefault)
{
    long nValue = static_cast<long>(dwValue);
    const BOOL bResult = ExchangeLong(pPX, pszName, nValue, static_cast<long>(dwDefault));
    dwValue = static_cast<DWORD>(nValue);
    return bResult;
}

// Raised for stored data the tree cannot be read past.
[[noreturn]] inline void ThrowDamaged()
{
    AfxThrowArchiveException(CArchiveException::badIndex);
}

// Numbered sections "<base>0", "<base>1", ... with their count. Loading
// refuses a count above nMax before a section is opened.
class CCheckedSections
{
public:
    CCheckedSections(CKitPropExchange* pPX, LPCTSTR pszBaseName) : m_pEnum(pPX->CreateSectionEnum(pszBaseName)) {}

    // The first position (0: none). Storing writes nCount.
    UINT Begin(DWORD nCount, DWORD nMax)
    {
        const UINT nPosition = m_pEnum->Begin(nCount, TRUE);
        if (m_pEnum->GetCount() > nMax)
            ThrowDamaged();
        return nPosition;
    }
    DWORD GetCount() const { return m_pEnum->GetCount(); }
    // The next section, never null; the caller releases it.
    CKitPropExchange* Next(UINT& nPosition)
    {
        CKitPropExchange* pSection = m_pEnum->GetNext(nPosition);
        if (pSection == nullptr)
            ThrowDamaged();
        return pSection;
    }

private:
    std::unique_ptr<CPropSectionEnum> m_pEnum;
};

inline int Clamp(int nValue, int nLow, int nHigh)
{
    return nValue < nLow ? nLow : (nValue > nHigh ? nHigh : nValue);
}

}  // namespace bartree
