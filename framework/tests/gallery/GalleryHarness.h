// Runs the gallery inside a test: the application object, its frame,
// document and view, and the loop's steps one at a time.
#pragma once

#include "GalleryApp.h"
#include "GalleryDocument.h"
#include "GalleryFrame.h"
#include "GalleryView.h"

#include <functional>

class GalleryHarness
{
public:
    GalleryHarness();
    ~GalleryHarness();
    GalleryHarness(const GalleryHarness&) = delete;
    GalleryHarness& operator=(const GalleryHarness&) = delete;

    // Dispatches what is queued, then runs both idle passes, as Run does
    // when the queue empties.
    void Idle();
    // Pumps until the condition holds or the time runs out.
    bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

    // Dispatches one queued message; false when the queue is empty.
    bool DispatchOne();

    CGalleryApp app;
    CGalleryFrame* frame = nullptr;
    CGalleryView* view = nullptr;
    CGalleryDocument* document = nullptr;
};

// The rectangle of a child in its parent's client coordinates.
CRect ChildRect(CWnd* pChild);
