#include "CDaoPreviewDatabase.h"

namespace {

class CDaoPreviewRecordset : public IPreviewRecordset
{
public:
    CDaoPreviewRecordset(CDaoDatabase* pDatabase, const CString& sql) : m_recordset(pDatabase)
    {
        m_recordset.Open(dbOpenDynaset, sql);
    }
    ~CDaoPreviewRecordset() override { m_recordset.Close(); }
    BOOL IsEOF() override { return m_recordset.IsEOF(); }
    void MoveNext() override { m_recordset.MoveNext(); }
    short GetFieldCount() override { return m_recordset.GetFieldCount(); }
    COleVariant GetFieldValue(int index) override { return m_recordset.GetFieldValue(index); }

private:
    CDaoRecordset m_recordset;
};

class CDaoPreviewDatabase : public IPreviewDatabase
{
public:
    ~CDaoPreviewDatabase() override { m_database.Close(); }
    CDaoDatabase& Database() { return m_database; }

    std::vector<PreviewDatabaseObject> GetTableDefs() override
    {
        std::vector<PreviewDatabaseObject> tables;
        for (int i = 0; i < m_database.GetTableDefCount(); ++i)
        {
            CDaoTableDefInfo info;
            m_database.GetTableDefInfo(i, info);
            tables.push_back({info.m_strName, info.m_lAttributes, 0});
        }
        return tables;
    }
    // The engine's classes here give no query or relation records.
    std::vector<PreviewDatabaseObject> GetQueryDefs() override { return {}; }
    std::vector<PreviewDatabaseObject> GetRelations() override { return {}; }
    std::vector<CString> GetFieldNames(const CString& table) override
    {
        CDaoTableDef tableDef(&m_database);
        tableDef.Open(table);
        std::vector<CString> names;
        for (int i = 0; i < tableDef.GetFieldCount(); ++i)
        {
            CDaoFieldInfo info;
            tableDef.GetFieldInfo(i, info);
            names.push_back(info.m_strName);
        }
        tableDef.Close();
        return names;
    }
    std::unique_ptr<IPreviewRecordset> OpenRecordset(const CString& sql) override
    {
        return std::make_unique<CDaoPreviewRecordset>(&m_database, sql);
    }

private:
    CDaoDatabase m_database;
};

}  // namespace

std::unique_ptr<IPreviewDatabase> OpenDaoPreviewDatabase(const CString& path, CString& reason, bool& engineMissing)
{
    engineMissing = false;
    if (!CDaoDatabase::IsEngineAvailable())
    {
        engineMissing = true;
        reason = L"Access databases are shown through the DAO database engine, which is not installed.";
        return nullptr;
    }
    auto database = std::make_unique<CDaoPreviewDatabase>();
    try
    {
        database->Database().Open(path, FALSE, TRUE);
    }
    catch (CException* e)
    {
        e->Delete();
        reason = L"The Access database could not be opened.";
        return nullptr;
    }
    return database;
}
