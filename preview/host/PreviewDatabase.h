// The database the Access preview browses, as the views use it: its tables,
// queries and relations, the fields of a table and the records of a query. The
// program opens it through the DAO engine; tests give a database of their own.
// Failures are raised as CException objects, as the engine raises them.
#pragma once

#include "Framework.h"

#include <functional>
#include <memory>
#include <vector>

struct PreviewDatabaseObject
{
    CString name;
    long attributes = 0;  // tables and relations
    short type = 0;       // queries
};

class IPreviewRecordset
{
public:
    virtual ~IPreviewRecordset() = default;
    virtual BOOL IsEOF() = 0;
    virtual void MoveNext() = 0;
    virtual short GetFieldCount() = 0;
    // Raises when the value cannot be read.
    virtual COleVariant GetFieldValue(int index) = 0;
};

class IPreviewDatabase
{
public:
    virtual ~IPreviewDatabase() = default;
    virtual std::vector<PreviewDatabaseObject> GetTableDefs() = 0;
    virtual std::vector<PreviewDatabaseObject> GetQueryDefs() = 0;
    virtual std::vector<PreviewDatabaseObject> GetRelations() = 0;
    virtual std::vector<CString> GetFieldNames(const CString& table) = 0;
    virtual std::unique_ptr<IPreviewRecordset> OpenRecordset(const CString& sql) = 0;
};

// Opens the database at the path; null with the reason when it cannot, and with
// `engineMissing` set when no database engine is there to open it.
using PreviewDatabaseOpener =
    std::function<std::unique_ptr<IPreviewDatabase>(const CString& path, CString& reason, bool& engineMissing)>;
