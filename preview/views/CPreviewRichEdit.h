// The document viewer's text window: a read-only rich edit that takes RTF from a
// file and can hold embedded objects (through its storage callback).
#pragma once

#include "Framework.h"

class CRichEditStorageCallback;

class CPreviewRichEdit : public CRichEditCtrl
{
public:
    ~CPreviewRichEdit() override;
    // Streams the file in as RTF; FALSE when it cannot be opened or gives nothing.
    BOOL StreamInFile(const CString& strPath);

    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

private:
    void InstallCallback();
    CRichEditStorageCallback* m_pCallback = nullptr;
    LRESULT m_nCallbackInstalled = 0;
};
