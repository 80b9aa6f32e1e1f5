// The numbers by which bars, bar positions and controls tell the drawers what
// they are. They are stored in the profile, so the values are fixed.
#pragma once

#include <windows.h>

// Bar types.
constexpr int kBarTypeMenuBar = 0;
constexpr int kBarTypeToolBar = 1;
constexpr int kBarTypePopup = 2;

// Bar positions.
constexpr int kBarTop = 0;
constexpr int kBarBottom = 1;
constexpr int kBarLeft = 2;
constexpr int kBarRight = 3;
constexpr int kBarFloating = 4;
constexpr int kBarPopup = 5;

// Control types.
constexpr int kControlButton = 1;
constexpr int kControlPopup = 2;
constexpr int kControlButtonPopup = 3;
constexpr int kControlSplitButtonPopup = 4;
constexpr int kControlComboBox = 5;
constexpr int kControlEdit = 6;
constexpr int kControlCustom = 7;
constexpr int kControlLabel = 8;

// Selection and press states of a control.
constexpr int kNotSelected = 0;
constexpr int kSelectedByMouse = 1;
constexpr int kSelectedByKeyboard = 2;
constexpr int kNotPressed = 0;
constexpr int kPressedInClickLoop = 1;
constexpr int kPressedExecuted = 2;

// Docking permissions of a bar: the four sides.
constexpr DWORD kDockSideFlags = 0x1 | 0x2 | 0x4 | 0x8;

// Bar style flag: the bar draws a gripper.
constexpr DWORD kBarStyleGripper = 0x400000;

// Kinds of special controls that DrawSpecialControl draws.
constexpr int kSpecialToolbarExpand = 0;
constexpr int kSpecialPopupExpand = 1;
constexpr int kSpecialCaptionClose = 2;
constexpr int kSpecialCaptionOptions = 3;

// Popup animations.
constexpr int kAnimateUnfold = 2;
constexpr int kAnimateSlide = 3;
constexpr int kAnimateFade = 4;
