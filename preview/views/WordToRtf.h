// Has Word open a document read-only and save it as RTF, through its automation
// objects. Word is ended only when this call started it.
#pragma once

#include "Framework.h"

class CWordDriver;

// The application object is one this call created; it is told to quit on every
// road. TRUE when Word saved the RTF file.
BOOL ConvertWordDocumentToRtf(CWordDriver& application, const CString& strDocument, const CString& strRtf);
