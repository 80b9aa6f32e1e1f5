// What a frame needs to make its view: the view class, the document and
// the template (passed through CREATESTRUCT::lpCreateParams).
#pragma once

#include "../core/CObject.h"

class CView;
class CDocument;
class CDocTemplate;
class CFrameWnd;

class CCreateContext
{
public:
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
