// What the preview pane shares with the program around it: the file in preview,
// whether its viewer could show it (and why not), and the results list's flags.
// The program's document owns one record and hands it out through
// IPreviewSessionOwner; the pane and every viewer reach it through the document
// they were created with, so the preview needs nothing of the program's classes.
#pragma once

#include "Framework.h"
#include "PreviewDatabase.h"

#include <functional>

struct CPreviewSession
{
    // The preview pane, entered by the pane when it is created (the frame's preview view).
    CView* PreviewView = nullptr;
    // Written by the pane before each viewer is created; the viewer reads it in OnCreate.
    CString PreviewFilePath;
    // Cleared by a viewer that cannot show its file; the pane then shows its no-preview view.
    int PreviewOk = 1;
    // Whether the last file handed to the pane had a previewable extension.
    int LastPreviewable = 0;
    // Set by the results list when the chosen row holds no file.
    int NothingToPreview = 0;
    // The tree path of the item in preview, drawn in the pane's caption band.
    CString PreviewItemPath;
    // Why the last viewer could not show its file (empty when there is no reason to give).
    CString FailureReason;
    // The viewer needs a component this machine lacks: nothing is wrong with the file.
    int ComponentMissing = 0;
    // Set while the results come from File Trace, whose drawings are not previewed.
    int FileTraceMode = 0;
    // The open database of the Access preview, and how one is opened (the DAO
    // engine when empty).
    std::unique_ptr<IPreviewDatabase> Database;
    PreviewDatabaseOpener OpenDatabase;
    // The window that gets the keyboard focus after each preview (the results list).
    HWND FocusAfterPreview = nullptr;
    // Shows an error message of a viewer the way the program shows its messages; a
    // plain message box when empty.
    std::function<void(const CString&)> ShowError;

    void ShowErrorMessage(LPCTSTR text)
    {
        if (ShowError)
            ShowError(text);
        else
            ::MessageBoxW(nullptr, text, L"Pelmo Windows Data Recovery", MB_OK | MB_ICONERROR);
    }

    // A viewer that cannot show its file says so, and why.
    void ReportFailure(LPCTSTR reason)
    {
        PreviewOk = 0;
        if (FailureReason.IsEmpty())
            FailureReason = reason;
    }
    void ReportMissingComponent(LPCTSTR reason)
    {
        ReportFailure(reason);
        ComponentMissing = 1;
    }
};

class IPreviewSessionOwner
{
public:
    virtual CPreviewSession& GetPreviewSession() = 0;

protected:
    ~IPreviewSessionOwner() = default;
};

// The session of the document a view was created with; null when the document
// (or the view) has none.
CPreviewSession* FindPreviewSession(CDocument* pDocument);
CPreviewSession* FindPreviewSession(CView* pView);

// The extension a viewer takes its road by: the text after the last "." with the
// dot, lower-cased; a path without "." gives "." and the whole lower-cased path.
CString PreviewPathExtension(const CString& strPath);
