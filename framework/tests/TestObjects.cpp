#include "TestObjects.h"

IMPLEMENT_SERIAL(CShape, CObject, 1)
IMPLEMENT_SERIAL(CGroupShape, CShape, 1)
IMPLEMENT_SERIAL(CLabel, CObject, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_DYNAMIC(CNeverMade, CShape)

void CShape::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_id;
    else
        ar >> m_id;
}

void CGroupShape::Serialize(CArchive& ar)
{
    CShape::Serialize(ar);
    if (ar.IsStoring())
        ar << m_pChild;
    else
        ar >> m_pChild;
}

void CLabel::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_value << m_name;
        return;
    }
    m_loadedSchema = ar.GetObjectSchema();
    ar >> m_value;
    if (m_loadedSchema >= 5)
        ar >> m_name;
}
