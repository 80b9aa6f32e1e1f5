// Registers the snapshot file type: the extension, its document type, icon and open
// command. Written for the current user (HKEY_CURRENT_USER\Software\Classes, which
// the system merges into HKEY_CLASSES_ROOT), and only values that differ are
// written, so a start changes nothing once the type is registered.
#pragma once

#include "Framework.h"

class CGCFileTypeAccess : public CObject {
  DECLARE_DYNAMIC(CGCFileTypeAccess)
 public:
  CGCFileTypeAccess();
  ~CGCFileTypeAccess() override;

  virtual void Clear();
  // Runs the writers and the two hooks in order, ignoring their results.
  virtual BOOL RegisterAll();
  virtual BOOL WriteExtensionKeys();
  virtual BOOL WriteTypeKeys();
  virtual BOOL WriteFirstHook() { return TRUE; }
  virtual BOOL WriteSecondHook() { return TRUE; }

  // Writes the default value of root\subKey; FALSE (last error E_INVALIDARG) for a
  // missing argument, FALSE when the write fails. A value already equal is kept.
  static BOOL SetRegistryValue(HKEY root, LPCTSTR subKey, LPCTSTR valueName, LPCTSTR text);

  CString Extension;      // without the dot
  CString OpenCommand;
  CString DocumentType;
  CString Description;
  CString DefaultIcon;
  CString OpenCommandCopy;
  CString Unused[5];

  // Where the keys go: the per-user classes.
  static constexpr LPCTSTR kClassesKey = L"Software\\Classes\\";
};
