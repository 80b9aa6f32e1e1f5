// CImageEditorCanvas: the editor's drawing surface, subclassed over the
// dialog's canvas control. It shows the current picture enlarged, one square
// cell per pixel, and turns presses and drags into edits. Every edit keeps
// the picture before it, so Undo and Redo walk back and forth through at
// most sixteen steps each.
#pragma once

#include "CEditorImage.h"

#include <deque>

class CImageEditorPreview;

enum EditorTool
{
    kToolPencil = 0,
    kToolFill = 1,
    kToolPick = 2,
    kToolLine = 3,
    kToolRectangle = 4,
    kToolEllipse = 5,
};

// What the canvas asks of its dialog while the user draws.
class CImageEditorHost
{
public:
    virtual int GetTool() const = 0;
    virtual COLORREF GetDrawingColor() const = 0;
    // Pick Color took a colour from the picture.
    virtual void OnColorPicked(COLORREF clr) = 0;

protected:
    ~CImageEditorHost() = default;
};

class CImageEditorCanvas : public CWnd
{
public:
    static constexpr size_t kMaxUndoSteps = 16;

    CImageEditorCanvas() = default;

    // Subclasses the control; its client size is the room the cells share.
    BOOL Attach(CWnd* pDialog, UINT nID, CImageEditorHost* pHost, CImageEditorPreview* pPreview);

    // The picture the editor starts with (no undo step); the control fits
    // itself to whole cells of the picture's size.
    void SetImage(const CEditorImage& image);
    const CEditorImage& GetImage() const { return m_image; }
    // Whole canvas pixels per picture pixel, across and down.
    CSize GetCellSize() const { return m_szCell; }

    // The edits of the dialog's commands; each is one undo step.
    void Clear();
    void Move(int dx, int dy);
    // A picture from the clipboard or a file replaces the current one.
    void Replace(const CEditorImage& image);
    void Undo();
    void Redo();
    BOOL CanUndo() const { return !m_undo.empty(); }
    BOOL CanRedo() const { return !m_redo.empty(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The picture before the edit becomes the previous one.
    void BeginEdit();
    // Ends an edit: the redo list empties and the previous picture becomes
    // the newest undo step.
    void Commit();
    void Refresh();
    void FitToCells();
    // The cell under a client point, clamped to the picture.
    CPoint CellAt(CPoint ptClient) const;
    void OnButtonDown(CPoint ptClient);
    void OnDrag(CPoint ptClient);
    void EndDrag();
    void Paint(HDC hDC);

    CImageEditorHost* m_pHost = nullptr;
    CImageEditorPreview* m_pPreview = nullptr;
    CEditorImage m_image;
    CEditorImage m_previous;
    std::deque<CEditorImage> m_undo;
    std::deque<CEditorImage> m_redo;
    CPoint m_ptStart;
    COLORREF m_clrDrag = CEditorImage::kKeyColor;
    BOOL m_bCaptured = FALSE;
    CSize m_szArea;
    CSize m_szCell{1, 1};
};
