// Where the main window's controls go for a window of outer width W and height H (pixels).
#pragma once

namespace tessarine {

struct WindowLayout {
  int pane_height;    // Text, RTF and Html panes
  int tab_height;     // the tab control, aligned to the bottom of the client area
  int progress_left;  // the progress bar, over the right part of the status bar
  int progress_top;
  int txt_button_left;  // the buttons keep their top
  int rtf_button_left;
  int browser_button_left;
};

constexpr WindowLayout LayoutFor(int w, int h) {
  return WindowLayout{h - 122, h - 104, w - 150, h - 60, w - 328, w - 208, w - 88};
}

// Fixed places and sizes of the controls the rules do not move.
inline constexpr int kWindowLeft = 155;
inline constexpr int kWindowTop = 109;
inline constexpr int kWindowWidth = 544;
inline constexpr int kWindowHeight = 375;
inline constexpr int kButtonTop = 8;
inline constexpr int kConvertButtonWidth = 81;
inline constexpr int kBrowserButtonWidth = 73;
inline constexpr int kButtonHeight = 25;
inline constexpr int kProgressWidth = 121;
inline constexpr int kProgressHeight = 9;
inline constexpr int kProgressSteps = 25;
inline constexpr int kPaneCharacterLimit = 10000000;

}  // namespace tessarine
