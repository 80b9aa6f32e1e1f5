#include "CDocTemplate.h"

#include "../core/Exceptions.h"
#include "CCreateContext.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    rString.Empty();
    int start = 0;
    for (int part = 0; part < static_cast<int>(index); ++part)
    {
        int newline = m_strDocStrings.Find(L'\n', start);
        if (newline < 0)
            return FALSE;
        start = newline + 1;
    }
    int end = m_strDocStrings.Find(L'\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr)
        return nullptr;
    auto* pDocument = static_cast<CDocument*>(m_pDocClass->CreateObject());
    if (pDocument != nullptr)
        AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    auto* pFrame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (pFrame == nullptr)
        return nullptr;
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr; // the frame deleted itself
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    for (POSITION pos = GetFirstDocPosition(); pos != nullptr;)
        GetNextDoc(pos)->OnCloseDocument();
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr)
    {
        CDocument* pDoc = m_pOnlyDoc;
        pDoc->OnCloseDocument(); // deletes itself and leaves the template
        if (m_pOnlyDoc == pDoc)
            m_pOnlyDoc = nullptr;
    }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != nullptr ? BEFORE_START_POSITION : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == BEFORE_START_POSITION ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName) || title.IsEmpty())
        title = L"Untitled";
    pDocument->SetTitle(title);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    bool created = false;
    if (pDocument == nullptr)
    {
        pDocument = CreateNewDocument();
        if (pDocument == nullptr)
            return nullptr;
        created = true;
        BOOL autoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE; // the frame's view is not there yet
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = autoDelete;
        if (pFrame == nullptr)
        {
            delete pDocument;
            return nullptr;
        }
    }
    else
    {
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != nullptr)
            pFrame = reinterpret_cast<CWnd*>(pDocument->GetNextView(pos))->GetParentFrame();
    }

    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument())
        {
            if (created && pFrame != nullptr)
                pFrame->DestroyWindow();
            return nullptr;
        }
    }
    else
    {
        if (!pDocument->OnOpenDocument(lpszPathName))
        {
            if (created && pFrame != nullptr)
                pFrame->DestroyWindow();
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinApp* pApp = AfxGetApp();
    if (created && pApp != nullptr && pApp->m_pMainWnd == nullptr)
        pApp->m_pMainWnd = pFrame;
    if (pFrame != nullptr)
        InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open close with the template (each leaves the list).
    while (!m_docList.IsEmpty())
    {
        auto* pDoc = static_cast<CDocument*>(m_docList.GetHead());
        pDoc->OnCloseDocument();
        if (!m_docList.IsEmpty() && m_docList.GetHead() == pDoc)
            RemoveDocument(pDoc);
    }
    if (m_hMenuShared != nullptr)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_hMenuShared == nullptr)
        m_hMenuShared = ::LoadMenuW(hInst, MAKEINTRESOURCEW(m_nIDResource));
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAcceleratorsW(hInst, MAKEINTRESOURCEW(m_nIDResource));
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (POSITION pos = m_docList.Find(pDoc))
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString name;
    if (!GetDocString(name, docName) || name.IsEmpty())
        name = L"Untitled";
    CString title;
    title.Format(L"%s%u", static_cast<LPCTSTR>(name), ++m_nUntitledCount);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr)
        return nullptr;
    BOOL autoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE; // the frame's view is not there yet
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = autoDelete;
    if (pFrame == nullptr)
    {
        delete pDocument;
        return nullptr;
    }
    BOOL opened;
    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDocument);
        opened = pDocument->OnNewDocument();
    }
    else
    {
        opened = pDocument->OnOpenDocument(lpszPathName);
        if (opened)
            pDocument->SetPathName(lpszPathName);
    }
    if (!opened)
    {
        pFrame->DestroyWindow(); // takes the view, and with it the document
        return nullptr;
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
