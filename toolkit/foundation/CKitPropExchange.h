// CKitPropExchange: one interface through which every persistent toolkit object
// stores and loads itself. The exchange knows its direction; each typed call
// writes the member or reads it back, with a default for missing values. The
// back ends: CKitPropExchangeArchive (a CArchive stream) and
// CKitPropExchangeRegistry (a registry key; sections are sub-keys).
#pragma once

#include "Framework.h"
#include "core/PropValueCodec.h"

class CPropSectionEnum;

// Type codes of ExchangeValue (see kit::PropType for their sizes).
enum
{
    PX_SHORT = kit::kPropShort,
    PX_LONG = kit::kPropLong,
    PX_FLOAT = kit::kPropFloat,
    PX_DOUBLE = kit::kPropDouble,
    PX_CURRENCY = kit::kPropCurrency,
    PX_DATE = kit::kPropDate,
    PX_BSTR = kit::kPropBstr,
    PX_BOOL = kit::kPropBool,
    PX_VARIANT = kit::kPropVariant,
    PX_BYTE = kit::kPropByte,
    PX_STRING = kit::kPropString,
    PX_RECT = kit::kPropRect,
    PX_SIZE = kit::kPropSize,
};

class CKitPropExchange : public CCmdTarget
{
    DECLARE_DYNAMIC(CKitPropExchange)
public:
    CKitPropExchange() = default;

    // Owner data that sections copy from their parent (the docking loader and
    // the task panel keep a pointer here); pointer-sized.
    DWORD_PTR m_dwData = 0;
    BOOL m_bLoading = FALSE;
    UINT m_nSchema = 16;
    BOOL m_bSection = FALSE;
    BOOL m_bSectionEmptied = FALSE;
    BOOL m_bPrepared = FALSE;
    BOOL m_bUseDefaultOnLoad = TRUE;
    BOOL m_bUseDefaultOnStore = TRUE;

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }

    // pValue points to the value of the type code (a CString for PX_STRING);
    // pDefault to a value of the same kind (a plain string for PX_STRING) or null.
    virtual BOOL ExchangeValue(LPCTSTR pszName, WORD nType, void* pValue, const void* pDefault) = 0;
    // A buffer of *pnSize bytes. Loading with *ppBuffer null allocates one with
    // malloc, which the caller frees with free().
    virtual BOOL ExchangeBinary(LPCTSTR pszName, BYTE** ppBuffer, DWORD* pnSize);
    virtual BOOL ExchangeClass(LPCTSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pBaseClass);
    virtual BOOL ExchangeInstance(CObject** ppObject, CRuntimeClass* pBaseClass);
    virtual CArchive* OpenArchive(LPCTSTR pszName);
    virtual void CloseArchive(LPCTSTR pszName, CArchive* pArchive);
    // A new exchange for the named section; the caller releases it (InternalRelease).
    virtual CKitPropExchange* OpenSection(LPCTSTR pszName) = 0;
    virtual BOOL ClearSection();
    virtual void StoreCount(DWORD nCount);
    virtual DWORD LoadCount();
    virtual void StoreBytes(LPCTSTR pszName, const void* pData, DWORD nSize);
    // The size read, or 0.
    virtual DWORD LoadBytes(LPCTSTR pszName, void* pData, DWORD nSize);
    virtual BOOL CanOmitDefaults() const { return TRUE; }
    virtual BOOL CanStoreBlobs() const { return FALSE; }
    virtual BOOL PrepareExchange();
    // A new enumerator of numbered sections; the caller deletes it.
    virtual CPropSectionEnum* CreateSectionEnum(LPCTSTR pszBaseName);

    // The names other parts of the program use for the same operations.
    CKitPropExchange* GetSection(LPCTSTR pszName) { return OpenSection(pszName); }
    CPropSectionEnum* GetEnumerator(LPCTSTR pszName) { return CreateSectionEnum(pszName); }
    BOOL ExchangeObjectInstance(CObject** ppObject, CRuntimeClass* pBaseClass)
    {
        return ExchangeInstance(ppObject, pBaseClass);
    }
    BOOL EmptySection() { return ClearSection(); }
    // The section's own schema under "Schema", default 16.
    BOOL ExchangeSchema();

protected:
    // A section takes the owner data, schema, emptied state and default rules of its parent.
    void InheritFrom(const CKitPropExchange& parent);
    kit::ExchangeFlags Flags() const;
};

// Holds the reference of a section from OpenSection or GetNext and releases it.
class CKitPropSectionRef
{
public:
    explicit CKitPropSectionRef(CKitPropExchange* pSection) : m_pSection(pSection) {}
    ~CKitPropSectionRef()
    {
        if (m_pSection != nullptr)
            m_pSection->InternalRelease();
    }
    CKitPropSectionRef(const CKitPropSectionRef&) = delete;
    CKitPropSectionRef& operator=(const CKitPropSectionRef&) = delete;
    CKitPropExchange* Get() const { return m_pSection; }
    CKitPropExchange* operator->() const { return m_pSection; }

private:
    CKitPropExchange* m_pSection;
};

// Typed exchanges, all through ExchangeValue.
BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, long& nValue, long nDefault);
BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, long& nValue);
BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, int& nValue, int nDefault);
BOOL AFXAPI ExchangeLong(CKitPropExchange* pPX, LPCTSTR pszName, int& nValue);
BOOL AFXAPI ExchangeBool(CKitPropExchange* pPX, LPCTSTR pszName, BOOL& bValue, BOOL bDefault);
BOOL AFXAPI ExchangeString(CKitPropExchange* pPX, LPCTSTR pszName, CString& strValue, LPCTSTR pszDefault);
BOOL AFXAPI ExchangeString(CKitPropExchange* pPX, LPCTSTR pszName, CString& strValue);
BOOL AFXAPI ExchangeSize(CKitPropExchange* pPX, LPCTSTR pszName, SIZE& szValue, SIZE szDefault);
BOOL AFXAPI ExchangeRect(CKitPropExchange* pPX, LPCTSTR pszName, RECT& rcValue, RECT rcDefault);
BOOL AFXAPI ExchangeSchema(CKitPropExchange* pPX);
BOOL AFXAPI ExchangeClass(CKitPropExchange* pPX, LPCTSTR pszName, CRuntimeClass*& pClass, CRuntimeClass* pBaseClass);
BOOL AFXAPI ExchangeBinary(CKitPropExchange* pPX, LPCTSTR pszName, BYTE*& pBuffer, DWORD& nSize);
// The object's Serialize over OpenArchive(name); archive and OLE exceptions
// give FALSE.
BOOL AFXAPI ExchangeObject(CKitPropExchange* pPX, LPCTSTR pszName, CObject* pObject);

// Back ends of which this program has only the class records: the base
// behaviour serves them and they hold no values.
class CKitPropExchangeXMLNode : public CKitPropExchange
{
    DECLARE_DYNAMIC(CKitPropExchangeXMLNode)
public:
    BOOL ExchangeValue(LPCTSTR, WORD, void*, const void*) override { return FALSE; }
    CKitPropExchange* OpenSection(LPCTSTR) override { return nullptr; }
};

class CKitPropExchangeIniFile : public CKitPropExchange
{
    DECLARE_DYNAMIC(CKitPropExchangeIniFile)
public:
    BOOL ExchangeValue(LPCTSTR, WORD, void*, const void*) override { return FALSE; }
    CKitPropExchange* OpenSection(LPCTSTR) override { return nullptr; }
};
