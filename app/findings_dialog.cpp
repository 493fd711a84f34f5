#include "app/findings_dialog.h"

#include "ui/panel_ids.h"

namespace qv {
namespace {

void Close(int panel) {
  RemovePopup(0);
  DiscardPanel(panel);
}

}  // namespace

void ShowFindings(std::string_view title, std::string_view summary, const TableContents& list) {
  const bool listed = !list.rows.empty();
  const int panel =
      listed ? LoadPanel(0, LIST_PANEL_FILE, LISTPNL) : LoadPanel(0, NOTE_PANEL_FILE, NOTEPNL);
  SetPanelAttribute(panel, ATTR_TITLE, title);
  SetCtrlVal(panel, listed ? listpnl::SUMMARY : notepnl::SUMMARY, summary);
  if (listed) SetTableContents(panel, listpnl::LIST, list);
  InstallPopup(panel);
}

int OnCloseFindingsClicked(int panel, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Close(panel);
  return 0;
}

int FindingsPanelCallback(int panel, int event, void*, int, int) {
  if (event == EVENT_CLOSE) Close(panel);
  return 0;
}

}  // namespace qv
