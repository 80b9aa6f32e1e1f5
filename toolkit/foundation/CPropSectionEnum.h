// CPropSectionEnum: numbered sections of one base name ("Icon0", "Icon1", ...)
// with their count, in either direction of an exchange.
#pragma once

#include "Framework.h"

class CKitPropExchange;

class CPropSectionEnum
{
public:
    CPropSectionEnum(CKitPropExchange* pPX, LPCTSTR pszBaseName) : m_pPX(pPX), m_strBaseName(pszBaseName) {}

    // Exchanges the count: as the exchange's own count when bNative is set
    // (compact in an archive, "Count" in the registry), else as the value
    // "Count". Returns the first position: 1 when a section follows, else 0.
    UINT Begin(DWORD nCount, BOOL bNative = TRUE);
    UINT GetPosition(DWORD nCount, BOOL bCompact = TRUE) { return Begin(nCount, bCompact); }
    // Opens the section of the position and advances it (0 after the last).
    // The caller releases the section.
    CKitPropExchange* GetNext(UINT& nPosition);

    DWORD GetCount() const { return m_nCount; }

private:
    CKitPropExchange* m_pPX;
    CString m_strBaseName;
    DWORD m_nCount = 0;
};
