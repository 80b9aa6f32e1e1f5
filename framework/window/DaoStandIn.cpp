#include "DaoStandIn.h"

IMPLEMENT_DYNAMIC(CDaoDatabase, CObject)
IMPLEMENT_DYNAMIC(CDaoTableDef, CObject)
IMPLEMENT_DYNAMIC(CDaoQueryDef, CObject)
IMPLEMENT_DYNAMIC(CDaoRecordset, CObject)

namespace
{
[[noreturn]] void ThrowEngineUnavailable()
{
    AfxThrowDaoException(AFX_DAO_ERROR_ENGINE_INITIALIZATION, REGDB_E_CLASSNOTREG);
}
} // namespace

BOOL AFXAPI CDaoDatabase::IsEngineAvailable()
{
    return FALSE;
}

void CDaoDatabase::Open(LPCTSTR, BOOL, BOOL, LPCTSTR)
{
    ThrowEngineUnavailable();
}

void CDaoDatabase::GetTableDefInfo(int, CDaoTableDefInfo&, DWORD) const
{
    ThrowEngineUnavailable();
}

void CDaoTableDef::Open(LPCTSTR)
{
    ThrowEngineUnavailable();
}

void CDaoTableDef::GetFieldInfo(int, CDaoFieldInfo&, DWORD) const
{
    ThrowEngineUnavailable();
}

void CDaoQueryDef::Open(LPCTSTR)
{
    ThrowEngineUnavailable();
}

void CDaoRecordset::Open(int, LPCTSTR, int)
{
    ThrowEngineUnavailable();
}

void CDaoRecordset::Open(CDaoTableDef*, int, int)
{
    ThrowEngineUnavailable();
}

void CDaoRecordset::MoveNext()
{
    ThrowEngineUnavailable();
}

COleVariant CDaoRecordset::GetFieldValue(int)
{
    ThrowEngineUnavailable();
}

void CDaoRecordset::GetFieldInfo(int, CDaoFieldInfo&, DWORD) const
{
    ThrowEngineUnavailable();
}
