// The DAO classes, standing in for the Jet database engine, which this
// machine does not have. IsEngineAvailable answers first; every Open fails
// with CDaoException (AFX_DAO_ERROR_ENGINE_INITIALIZATION, REGDB_E_CLASSNOTREG)
// exactly where a missing engine makes the real one fail, so the Access
// preview takes its quiet fallback.
#pragma once

#include "../core/Exceptions.h"
#include "../core/OleTypes.h"

#define AFX_DAO_ERROR_ENGINE_INITIALIZATION 100
#define dbOpenDynaset 2
#define dbOpenTable 1
#define dbOpenSnapshot 4

struct CDaoTableDefInfo
{
    CString m_strName;
    long m_lAttributes = 0;
    long m_lRecordCount = 0;
};

struct CDaoFieldInfo
{
    CString m_strName;
    short m_nType = 0;
    long m_lSize = 0;
};

class CDaoDatabase : public CObject
{
    DECLARE_DYNAMIC(CDaoDatabase)
public:
    CDaoDatabase() = default;
    static BOOL AFXAPI IsEngineAvailable();
    virtual void Open(LPCTSTR lpszName, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE, LPCTSTR lpszConnect = L"");
    virtual void Close() {}
    BOOL IsOpen() const { return FALSE; }
    CString GetName() const { return CString(); }
    short GetTableDefCount() const { return 0; }
    void GetTableDefInfo(int nIndex, CDaoTableDefInfo& info, DWORD dwInfoOptions = 1) const;
    short GetQueryDefCount() const { return 0; }
};

class CDaoTableDef : public CObject
{
    DECLARE_DYNAMIC(CDaoTableDef)
public:
    explicit CDaoTableDef(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}
    virtual void Open(LPCTSTR lpszName);
    virtual void Close() {}
    BOOL IsOpen() const { return FALSE; }
    short GetFieldCount() const { return 0; }
    void GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions = 1) const;
    CDaoDatabase* m_pDatabase;
};

class CDaoQueryDef : public CObject
{
    DECLARE_DYNAMIC(CDaoQueryDef)
public:
    explicit CDaoQueryDef(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}
    virtual void Open(LPCTSTR lpszName);
    virtual void Close() {}
    BOOL IsOpen() const { return FALSE; }
    CDaoDatabase* m_pDatabase;
};

class CDaoRecordset : public CObject
{
    DECLARE_DYNAMIC(CDaoRecordset)
public:
    explicit CDaoRecordset(CDaoDatabase* pDatabase = nullptr) : m_pDatabase(pDatabase) {}
    virtual void Open(int nOpenType = dbOpenDynaset, LPCTSTR lpszSQL = nullptr, int nOptions = 0);
    virtual void Open(CDaoTableDef* pTableDef, int nOpenType = dbOpenTable, int nOptions = 0);
    virtual void Close() {}
    BOOL IsOpen() const { return FALSE; }
    BOOL IsEOF() const { return TRUE; }
    BOOL IsBOF() const { return TRUE; }
    void MoveNext();
    short GetFieldCount() const { return 0; }
    long GetRecordCount() const { return 0; }
    COleVariant GetFieldValue(int nIndex);
    void GetFieldInfo(int nIndex, CDaoFieldInfo& info, DWORD dwInfoOptions = 1) const;
    CDaoDatabase* m_pDatabase;
};
