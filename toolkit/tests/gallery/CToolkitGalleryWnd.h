// The toolkit gallery: a top-level window that shows one page at a time
// (the colour table and drawing helpers first). Run as a program of its own
// and driven by the gallery tests.
#pragma once

#include "CGalleryPage.h"

#include <memory>
#include <vector>

class CToolkitGalleryWnd : public CWnd
{
public:
    static constexpr int kClientWidth = 720;
    static constexpr int kClientHeight = 560;

    CToolkitGalleryWnd();
    ~CToolkitGalleryWnd() override;

    BOOL CreateGallery();
    // Pages are created when the gallery is; the first one is shown.
    void AddPage(std::unique_ptr<CGalleryPage> page) { m_pages.push_back(std::move(page)); }
    void ShowPage(size_t index);
    CGalleryPage* GetPage(size_t index) const { return index < m_pages.size() ? m_pages[index].get() : nullptr; }
    size_t GetPageCount() const { return m_pages.size(); }

    // The program ends its loop when the gallery closes; tests keep theirs.
    BOOL m_bQuitOnDestroy = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}

private:
    std::vector<std::unique_ptr<CGalleryPage>> m_pages;
};
