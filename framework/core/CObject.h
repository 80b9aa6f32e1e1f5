// CObject, its run-time class records and the macros that declare them.
#pragma once

#include "FrameworkBase.h"

// The schema flag of classes whose stored objects may carry an older schema;
// the loader hands that schema to Serialize through GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000)

// Schema of classes that cannot be serialized.
constexpr UINT kNoSchema = 0xFFFF;

// One static record per class. Every record made by the IMPLEMENT_ macros is
// linked into the module state's class list, so a class can be found by name
// even when no object of it was ever made.
class CRuntimeClass
{
public:
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (AFXAPI* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;

    // NULL when the class has no creation function; throws CMemoryException
    // when the object cannot be allocated.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    BOOL IsSerializable() const { return m_wSchema != kNoSchema; }

    static CRuntimeClass* AFXAPI FromName(LPCSTR lpszClassName);
    static CRuntimeClass* AFXAPI FromName(LPCWSTR lpszClassName);
    static CObject* AFXAPI CreateObject(LPCSTR lpszClassName);
    static CObject* AFXAPI CreateObject(LPCWSTR lpszClassName);

    // Class tag body: 16-bit schema, 16-bit name length, the name's bytes.
    void Store(CArchive& ar) const;
    // NULL when the name is too long, cut short or names no known class.
    static CRuntimeClass* AFXAPI Load(CArchive& ar, UINT* pwSchemaNum);
};

// Links a record into the module's class list at static initialisation.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject
{
public:
    static CRuntimeClass classCObject;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    // Allocation failure of a framework object raises CMemoryException, which
    // is what callers of the framework catch.
    static void* operator new(size_t nSize);
    static void* operator new(size_t, void* p) noexcept { return p; }
    static void operator delete(void* p) noexcept;
    static void operator delete(void*, void*) noexcept {}

protected:
    CObject() = default;

private:
    // Objects are owned through pointers; copying one is always a mistake.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                  \
public:                                                              \
    static CRuntimeClass class##class_name;                          \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                \
    DECLARE_DYNAMIC(class_name)                                      \
    static CObject* AFXAPI CreateObject();

#define DECLARE_SERIAL(class_name)                                   \
    DECLARE_DYNCREATE(class_name)                                    \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)        \
    CRuntimeClass class_name::class##class_name = {                                 \
        #class_name, sizeof(class class_name), wSchema, pfnNew,                     \
        RUNTIME_CLASS(base_class_name), nullptr};                                   \
    static AFX_CLASSINIT _afx_init_##class_name(RUNTIME_CLASS(class_name));         \
    CRuntimeClass* class_name::GetRuntimeClass() const                              \
    {                                                                               \
        return RUNTIME_CLASS(class_name);                                           \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                            \
    CObject* AFXAPI class_name::CreateObject() { return new class_name; }           \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema,                  \
                           class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                      \
    CObject* AFXAPI class_name::CreateObject() { return new class_name; }           \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema,                    \
                           class_name::CreateObject)                                \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)                     \
    {                                                                               \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));   \
        return ar;                                                                  \
    }

// Checked down-cast: NULL when the object is not of the class.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
