// Late-bound calls on Word's automation objects: one wrapper per object (the
// application, its documents collection, a document), each call one dispatch id.
#pragma once

#include "Framework.h"

class CWordDriver : public COleDispatchDriver
{
public:
    enum : DISPID
    {
        kDispDocuments = 6,
        kDispAdd = 11,
        kDispOpen = 12,
        kDispSaveAs = 102,
        kDispClose = 1105,
        kDispQuit = 1105,
    };

    LPDISPATCH GetDocuments();
    LPDISPATCH Add(VARIANT* Template, VARIANT* NewTemplate);
    LPDISPATCH Open(VARIANT* FileName, VARIANT* ConfirmConversions, VARIANT* ReadOnly, VARIANT* AddToRecentFiles,
                    VARIANT* PasswordDocument, VARIANT* PasswordTemplate, VARIANT* Revert,
                    VARIANT* WritePasswordDocument, VARIANT* WritePasswordTemplate, VARIANT* Format);
    void Close(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument);
    void SaveAs(VARIANT* FileName, VARIANT* FileFormat, VARIANT* LockComments, VARIANT* Password,
                VARIANT* AddToRecentFiles, VARIANT* WritePassword, VARIANT* ReadOnlyRecommended,
                VARIANT* EmbedTrueTypeFonts, VARIANT* SaveNativePictureFormat, VARIANT* SaveFormsData,
                VARIANT* SaveAsAOCELetter);
    void Quit(VARIANT* SaveChanges, VARIANT* OriginalFormat, VARIANT* RouteDocument);
    // Sets the application's automation security so that documents it opens run no
    // macros. Its dispatch id is looked up by name: Word versions differ. Throws when
    // the property is missing or refused.
    void DisableMacros();
};
