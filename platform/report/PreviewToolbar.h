#pragma once

#include <QString>
#include <array>

namespace report {

// The tools of the preview window, by index from 0. A separator has no caption and does nothing.
enum class PreviewAction {
  CopyPage,  // the page shown, as an image, to the clipboard
  Separator,
  Print,  // prints on the report's printer, without a print dialog
  FirstPage,
  LastPage,
  ZoomOut,
  ZoomIn,
  ZoomChoice,  // the list of zoom choices
  PreviousPage,
  NextPage,
  PageNumber,  // the number of the page shown, typed to go there
  Back,        // to the page shown before the last move
  Forward,
  CopyText,  // the texts of the page shown, one line per row, to the clipboard
  Close,
};

struct PreviewTool {
  PreviewAction action;
  QString caption;
  bool visible = true;
};

// The preview window's toolbar and zoom choices as a report carries them: the caller changes them
// before Show, the window shows them as set. Hidden tools are not offered at all.
// Zoom choices count from 1: 1 fits the page width, 2 the whole page, 3 onwards are percentages.
class PreviewToolbar {
 public:
  static constexpr int ToolCount = 21;

  PreviewToolbar();
  PreviewTool& tool(int index);  // throws std::out_of_range outside 0..ToolCount-1
  const PreviewTool& tool(int index) const;

  int zoomChoiceCount() const;
  QString zoomCaption(int choice) const;  // empty outside 1..zoomChoiceCount()
  // Names one of the two fitting choices; the percentages keep their own captions ("150%").
  void setZoomCaption(int choice, const QString& caption);
  // The scale of a percentage choice (3 onwards), 0 for the two fitting choices.
  static int zoomPercent(int choice);

 private:
  std::array<PreviewTool, ToolCount> m_tools;
  QString m_fitWidth;
  QString m_fitPage;
};

}  // namespace report
