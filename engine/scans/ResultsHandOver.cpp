#include "scans/ResultsHandOver.h"

namespace engine {

TreeItem HandOverToResultsPage(EngineContext& ctx, const std::function<void(TreeItem root)>& addFolders,
                               const std::function<void()>& fillList) {
  EngineHost& host = *ctx.Host;
  host.SetButton(PageButton::ScanNext, ButtonAction::Disable);
  host.SetButton(PageButton::ScanBack, ButtonAction::Disable);
  host.ShowWaitCursor();
  const TreeItem root = host.ResultTreeInsertItem(u"Root", kTreeRootLevel);
  host.SetStatusText(Panel::Scan, u"Please wait creating tree...");
  ctx.Results.TreeItemsBuilt = 0;
  ctx.ScanControl.StopOrDone = 0;
  host.SetButton(PageButton::ScanStop, ButtonAction::Hide);
  addFolders(root);
  host.ResultTreeExpand(root);
  host.ListSetReportView();
  fillList();
  ctx.ScanControl.StopOrDone = 1;
  ctx.ScanControl.Running = 0;
  return root;
}

}  // namespace engine
