// Serializable classes shared by the object-model and archive tests.
#pragma once

#include "Framework.h"

// Schema 1, not versionable: its data is one 32-bit id.
class CShape : public CObject
{
    DECLARE_SERIAL(CShape)
public:
    CShape() = default;
    explicit CShape(LONG id) : m_id(id) {}
    void Serialize(CArchive& ar) override;
    LONG m_id = 0;
};

// A shape that holds another object, possibly itself.
class CGroupShape : public CShape
{
    DECLARE_SERIAL(CGroupShape)
public:
    void Serialize(CArchive& ar) override;
    CObject* m_pChild = nullptr;
};

// Versionable schema 16; data written before schema 5 had no name.
class CLabel : public CObject
{
    DECLARE_SERIAL(CLabel)
public:
    void Serialize(CArchive& ar) override;
    LONG m_value = 0;
    CString m_name;
    UINT m_loadedSchema = 0;
};

// Never instantiated, yet found by name and by IsKindOf.
class CNeverMade : public CShape
{
    DECLARE_DYNAMIC(CNeverMade)
};
