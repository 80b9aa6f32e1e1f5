#include "GalleryHarness.h"

GalleryHarness::GalleryHarness()
{
    if (!app.InitInstance())
        return;
    frame = static_cast<CGalleryFrame*>(app.m_pMainWnd);
    view = static_cast<CGalleryView*>(frame->GetActiveView());
    document = static_cast<CGalleryDocument*>(frame->GetActiveDocument());
    frame->SetWindowPos(nullptr, 20, 20, 760, 480, SWP_NOZORDER);
    Idle();
}

GalleryHarness::~GalleryHarness()
{
    if (app.m_pMainWnd != nullptr)
        app.m_pMainWnd->DestroyWindow();
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
    }
}

// Like PumpMessage, but never blocks: a peeked message can be gone (a paint
// already done) by the time GetMessage would look.
bool GalleryHarness::DispatchOne()
{
    MSG& msg = AfxGetThreadState()->m_msgCur;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT)
    {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!app.PreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

void GalleryHarness::Idle()
{
    while (DispatchOne())
    {
    }
    for (LONG count = 0; app.OnIdle(count); ++count)
    {
    }
}

bool GalleryHarness::PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        if (!DispatchOne())
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

CRect ChildRect(CWnd* pChild)
{
    CRect rect;
    pChild->GetWindowRect(&rect);
    pChild->GetParent()->ScreenToClient(&rect);
    return rect;
}
