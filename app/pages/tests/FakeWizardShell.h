// The application around the pages, for the pages' window tests: the frame's
// state, the engine's records with a recording host and a table of drives, a
// page table, and a record of the pages shown and the messages given.
#pragma once

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "EngineContext.h"
#include "RecordingHost.h"
#include "TableDriveCatalogue.h"
#include "WizardLinks.h"

class CFirstView_HDD;

namespace pagestest {

// Hands the drive enumeration's tree paths to the drive page, as the program's host does.
class PageHost : public testsupport::RecordingHost {
 public:
  CFirstView_HDD* DrivePage = nullptr;
  void DriveTreeAddPath(const std::string& path) override;
  void DriveTreeExpandRoot() override;
};

class NoDevices : public engine::DeviceOpener {
 public:
  std::unique_ptr<engine::SectorSource> OpenForReading(const std::u16string&, engine::DeviceShare) override {
    return nullptr;
  }
};

struct FakeShell {
  FakeShell();

  WizardFrameState Frame;
  PageHost Host;
  NoDevices Devices;
  engine::EngineContext Engine{Host, Devices};
  testsupport::TableDriveCatalogue Drives;
  std::array<CView*, 5> Pages{};
  std::vector<int> PagesShown;
  std::vector<std::pair<std::wstring, int>> Messages;
  std::deque<bool> Answers;
  int ExitEnabled = 1;
  int ResultResets = 0;
  CListCtrl* Results = nullptr;
};

// The one shell of the test program.
FakeShell& Shell();
void ResetShell();

}  // namespace pagestest
