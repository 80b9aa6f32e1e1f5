// The panels' group box with rounded corners, in two looks: a frame with the
// caption set into its top edge (style 0) or a filled caption band above a
// body (any other style). Setters return the box, so that calls chain.
#pragma once

#include "Framework.h"

class CXPGroupBox : public CButton {
  DECLARE_DYNAMIC(CXPGroupBox)
 public:
  CXPGroupBox();
  ~CXPGroupBox() override = default;

  virtual CXPGroupBox& SetFrameColor(COLORREF color);
  virtual CXPGroupBox& SetCaptionColor(COLORREF color);
  virtual CXPGroupBox& SetFillColors(COLORREF fill, COLORREF body);
  // Both background colours: the caption band (or the gap under the caption)
  // and the body. SetBackgroundColor is the name the wizard's panels use.
  virtual CXPGroupBox& SetFillColor(COLORREF color);
  CXPGroupBox& SetBackgroundColor(COLORREF color) { return SetFillColor(color); }
  virtual CXPGroupBox& SetBoxStyle(int style);
  virtual CXPGroupBox& SetCaption(LPCTSTR caption);
  virtual CXPGroupBox& SetCaptionBold(BOOL bold);
  virtual CXPGroupBox& SetCaptionFace(const CString& face, BYTE charSet);
  virtual CXPGroupBox& SetCaptionUnderline(BYTE underline);
  virtual CXPGroupBox& SetCaptionItalic(BYTE italic);
  virtual CXPGroupBox& SetCaptionPointSize(int points);
  virtual CXPGroupBox& SetCaptionLogFont(LOGFONTW logFont);
  virtual CXPGroupBox& SetCaptionAlignment(int alignment);

  const LOGFONTW& CaptionLogFont() const { return logFont_; }
  int Alignment() const { return alignment_; }

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PreSubclassWindow() override;
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void RebuildFont();
  void RedrawBox();

  CString caption_;
  COLORREF frameColor_;
  COLORREF fillColor_;
  COLORREF bodyColor_;
  COLORREF textColor_ = 0x00FF0000;
  int boxStyle_ = 0;
  int alignment_ = 0;
  LOGFONTW logFont_{};
  CFont font_;
};
