#include "CObject.h"

#include "CArchive.h"
#include "Exceptions.h"
#include "ModuleState.h"

#include <cstring>
#include <new>
#include <string>

namespace {

// Longest class name a class tag may carry; a longer one is damaged data.
constexpr WORD kMaxStoredClassName = 64;

CRuntimeClass* FindClassByName(const char* name)
{
    AFX_MODULE_STATE* state = AfxGetAppModuleState();
    std::lock_guard<std::mutex> lock(state->m_classListLock);
    for (CRuntimeClass* pClass = state->m_classList; pClass != nullptr; pClass = pClass->m_pNextClass)
    {
        if (std::strcmp(pClass->m_lpszClassName, name) == 0)
            return pClass;
    }
    return nullptr;
}

// Class names are plain ASCII identifiers; anything else matches nothing.
bool NarrowClassName(LPCWSTR wide, std::string& narrow)
{
    narrow.clear();
    for (; *wide != L'\0'; ++wide)
    {
        if (*wide > 0x7F)
            return false;
        narrow.push_back(static_cast<char>(*wide));
    }
    return true;
}

} // namespace

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* AFXAPI CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    return lpszClassName == nullptr ? nullptr : FindClassByName(lpszClassName);
}

CRuntimeClass* AFXAPI CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    std::string narrow;
    if (lpszClassName == nullptr || !NarrowClassName(lpszClassName, narrow))
        return nullptr;
    return FindClassByName(narrow.c_str());
}

CObject* AFXAPI CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == nullptr ? nullptr : pClass->CreateObject();
}

CObject* AFXAPI CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == nullptr ? nullptr : pClass->CreateObject();
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD nameLength = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nameLength;
    ar.Write(m_lpszClassName, nameLength);
}

CRuntimeClass* AFXAPI CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD schema = 0;
    WORD nameLength = 0;
    ar >> schema >> nameLength;
    *pwSchemaNum = schema;

    char name[kMaxStoredClassName + 1];
    if (nameLength >= kMaxStoredClassName || ar.Read(name, nameLength) != nameLength)
        return nullptr;
    name[nameLength] = '\0';
    return FindClassByName(name);
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    AFX_MODULE_STATE* state = AfxGetAppModuleState();
    std::lock_guard<std::mutex> lock(state->m_classListLock);
    pNewClass->m_pNextClass = state->m_classList;
    state->m_classList = pNewClass;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->IsSerializable();
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
    // A CObject has no data of its own.
}

void* CObject::operator new(size_t nSize)
{
    try
    {
        return ::operator new(nSize);
    }
    catch (const std::bad_alloc&)
    {
        AfxThrowMemoryException();
    }
}

void CObject::operator delete(void* p) noexcept
{
    ::operator delete(p);
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
