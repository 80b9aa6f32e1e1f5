// The bars' contents (the bar tree) beside the layout under one profile
// name: the bars whose controls differ from their resource, written through
// an archive property exchange and kept in "<profile>-Controls" as the
// binary value "Controls", or, when larger than 16000 bytes, in a hidden
// file whose path "Controls" names ("LoadFromFile" 1). Only while the
// command bars allow customization (the site handles
// ID_COMMANDBARS_CUSTOMIZE).
//
// Reading back trusts nothing: a tree that cannot be read is not applied at
// all, a bar whose every stored control was refused keeps its resource
// controls, and an image larger than any frame makes is not read.
#pragma once

#include "window/CWnd.h"

class CKitCommandBars;

class CBarTreeStore
{
public:
    // An image at most this large stays in the profile.
    static constexpr UINT kLargestProfileImage = 16000;
    // Larger stored images are damage.
    static constexpr ULONGLONG kLargestImage = 16 * 1024 * 1024;

    explicit CBarTreeStore(CKitCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

    void Save(LPCTSTR lpszProfile, BOOL bChangedOnly);
    void Load(LPCTSTR lpszProfile, BOOL bSilent);

    // The file a large image goes to: the command bars' own path when set,
    // else the profile name (each "\" made "_") in the application's folder
    // of the user's application data, else beside the program.
    CString GetControlsFilePath(LPCTSTR lpszProfile) const;

private:
    CKitCommandBars* m_pCommandBars;
};
