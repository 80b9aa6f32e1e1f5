// The one document of the program. It holds nothing of a recovery: the preview's
// viewers use it as their shared store (the image names of a folder and the image
// in view, the open Access database, the path of the file in preview).
#pragma once

#include "Framework.h"
#include "PreviewSession.h"

#include <memory>

class CEx_StyleDoc : public CDocument, public IPreviewSessionOwner {
  DECLARE_DYNCREATE(CEx_StyleDoc)
 public:
  CEx_StyleDoc();
  ~CEx_StyleDoc() override;

  BOOL OnNewDocument() override;
  // The document is never stored in or read from a file.
  void Serialize(CArchive&) override {}

  // Image format number of a file name by its ending; 0 for no image.
  static int GetImageType(const CString& name);
  // Lists the image files of a folder (lower-cased, sorted) and forgets the current image.
  void ScanImageFolder(const CString& folder);
  // Makes image n the current one (nothing when it already is).
  void LoadImageAt(int n);
  // Deletes the files (not the sub-folders) of a folder and forgets its images.
  void DeleteFolderFiles(const CString& folder);

  // The Access preview: FALSE (after the database error) when the file does not open.
  BOOL OpenDatabase(const CString& path);
  void RefreshDatabaseViews();

  // What the preview pane and its viewers share: the file in preview and their flags.
  CPreviewSession& GetPreviewSession() override { return PreviewSession; }
  CPreviewSession PreviewSession;

  CStringArray ImageNames;
  int CurrentImageIndex = -1;
  CString PreviewFilePath;
  CString ImageFolder;
  std::unique_ptr<CDaoDatabase> Database;
  CView* DatabaseTree = nullptr;
  CView* DatabaseList = nullptr;

 private:
  void ForgetImages(const CString& folder);
};

// Reports a database error through the message dialog.
void ReportDaoException(CDaoException* exception);
