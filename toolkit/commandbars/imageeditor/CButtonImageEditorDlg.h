// CButtonImageEditorDlg: the modal dialog in which the user draws a button's
// small picture pixel by pixel: the enlarged canvas, the preview at real
// size, sixteen palette swatches plus a transparent and a custom one, the
// tools (pencil, fill, pick, line, rectangle, ellipse), undo and redo,
// clear, copy, paste, import from a file and the four move arrows.
#pragma once

#include "CImageEditorCanvas.h"
#include "CImageEditorPreview.h"
#include "CKitImageEditorPicker.h"
#include "window/CDialog.h"

#include <array>

class CCommandIcon;

class CButtonImageEditorDlg : public CDialog, private CImageEditorHost
{
public:
    static constexpr int kPaletteSize = 16;

    explicit CButtonImageEditorDlg(CWnd* pParent = nullptr);
    ~CButtonImageEditorDlg() override;

    // The picture's size; a picture of another size is dropped.
    void SetImageSize(int nWidth, int nHeight);
    CSize GetImageSize() const { return m_szImage; }
    // Takes the icon's size; an empty icon (or none) gives no picture.
    void SetImageFromIcon(CCommandIcon* pIcon);
    // The icon drawn at the size onto a key-filled picture without alpha.
    void SetImageFromIconScaled(CCommandIcon* pIcon, CSize szImage);
    // The picture into the icon: as its alpha bitmap when the picture has
    // alpha, else as an icon masked with the key colour. FALSE without a
    // picture.
    BOOL GetImageToIcon(CCommandIcon* pIcon) const;
    // The picture of the dialog: while it runs the canvas's, afterwards the
    // one OK kept.
    const CEditorImage& GetImage() const;

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    int GetTool() const override { return m_nTool; }
    void SetTool(int nTool);
    COLORREF GetDrawingColor() const override;
    CImageEditorCanvas& GetCanvas() { return m_canvas; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void OnColorPicked(COLORREF clr) override;
    void CreateToolBars();
    HWND CreateToolBar(UINT nAreaID, UINT nBarID, const UINT* pIDs, int nCount, int nFirstImage, int nPerRow);
    void CreatePalette();
    void SelectSwatch(CKitImageEditorPicker* pSwatch);
    CKitImageEditorPicker* FindSwatch(UINT nID);
    void UpdateToolBars();
    void CopyToClipboard();
    void PasteFromClipboard();
    void ImportFromFile();

    CSize m_szImage{16, 16};
    CEditorImage m_image;
    int m_nTool = kToolPencil;
    int m_nToolBeforePick = kToolPencil;
    CImageEditorCanvas m_canvas;
    CImageEditorPreview m_preview;
    std::array<CKitImageEditorPicker, kPaletteSize> m_palette;
    CKitImageEditorPicker m_transparent;
    CKitImageEditorPicker m_custom;
    CToolTipCtrl m_tips;
    HWND m_hToolsBar = nullptr;
    HWND m_hMoveBar = nullptr;
    HIMAGELIST m_hImages = nullptr;
};
