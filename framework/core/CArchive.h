// CArchive: a buffered binary stream over a CFile, in the classic layouts.
//
// Numbers are little-endian and raw. A count is a 16-bit value, or 0xFFFF and
// a 32-bit value from 0xFFFF on. A string is its length (8-bit; 0xFF then
// 16-bit; 0xFF 0xFFFF then 32-bit), tagged as UTF-16 by 0xFF 0xFFFE before
// it. Objects are written as class tags and object indexes (see
// ArchiveObjects.cpp). Every failure throws CArchiveException, CFileException
// or CMemoryException.
#pragma once

#include "CObject.h"
#include "CString.h"
#include "Exceptions.h"

#include <vector>

class CFile;
class CPtrArray;
class CMapPtrToPtr;

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        bNoByteSwap = 4
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes the archive when it still is open (see Close); a failure there
    // cannot be reported from a destructor, so callers that need to know call
    // Close or Flush themselves.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded, once: later calls give
    // (UINT)-1 until the next object is read.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // --- raw bytes. Read returns fewer bytes at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws CArchiveException::endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);
    // Throws CArchiveException::endOfFile unless nBytes are left to read;
    // used before a count or length from the data sizes anything.
    void RequireBytes(ULONGLONG nBytes);

    // Storing: writes the buffer out. Loading: gives back the bytes read
    // ahead, so the file position is where the archive has read to.
    void Flush();
    void Close();
    // Detaches the file without writing what is buffered; never throws.
    void Abort();

    // --- counts
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    // --- objects and classes
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteObject(const CObject* pOb);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void WriteClass(const CRuntimeClass* pClassRef);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Gives an object that is stored by other means an index in the object
    // map, so later WriteObject calls write a reference to it.
    void MapObject(const CObject* pOb);
    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
    void SetLoadParams(UINT nGrowBy = 1024);

    // --- numbers
    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(int i) { return WriteValue(static_cast<LONG>(i)); }
    CArchive& operator<<(UINT u) { return WriteValue(static_cast<DWORD>(u)); }
    CArchive& operator<<(short w) { return WriteValue(w); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(signed char ch) { return WriteValue(ch); }
    CArchive& operator<<(wchar_t ch) { return WriteValue(ch); }
    CArchive& operator<<(LONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return WriteValue(dwdw); }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(int& i) { return ReadValue(i); }
    CArchive& operator>>(UINT& u) { return ReadValue(u); }
    CArchive& operator>>(short& w) { return ReadValue(w); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(signed char& ch) { return ReadValue(ch); }
    CArchive& operator>>(wchar_t& ch) { return ReadValue(ch); }
    CArchive& operator>>(LONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return ReadValue(dwdw); }

    CDocument* m_pDocument = nullptr;
    CString m_strFileName;

private:
    // The host is little-endian, as are the stored layouts.
    template <class T>
    CArchive& WriteValue(T value)
    {
        Write(&value, sizeof(value));
        return *this;
    }
    template <class T>
    CArchive& ReadValue(T& value)
    {
        EnsureRead(&value, sizeof(value));
        return *this;
    }

    void FillBuffer();
    void WriteBuffer();
    void CheckStoring() const;
    void CheckLoading() const;
    void CheckMapCount() const;
    void InitLoadArray();
    void InitStoreMap();

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_ownedBuffer;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax; // loading: end of the bytes read ahead; storing: end of buffer
    UINT m_nBufSize;

    UINT m_nObjectSchema = static_cast<UINT>(-1);
    UINT m_nMapCount = 0;
    UINT m_nHashSize = 2053;
    UINT m_nGrowSize = 1024;
    CMapPtrToPtr* m_pStoreMap = nullptr;  // object or class -> index
    CPtrArray* m_pLoadArray = nullptr;    // index -> object or class
    std::vector<bool> m_loadedIsClass;    // what each load index holds
    CMapPtrToPtr* m_pSchemaMap = nullptr; // versionable class -> stored schema
};

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
