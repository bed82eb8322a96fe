// The panel's start and a change of category as the user sees them: the
// milestones of a start watched from outside the process, and the grid's
// cells on screen compared pixel for pixel with the pictures drawn from their
// files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// The cells of a category's pictures as the grid must show them: each file
// fitted into a white 43 x 43 cell by the fit-and-draw routine.
class ExpectedCells {
 public:
  explicit ExpectedCells(const std::wstring& categoryFolder);
  int count() const { return static_cast<int>(cells_.size()); }
  // Whether every cell wholly in view in the grid's viewport on the screen
  // shows its picture (none in view: false).
  bool OnScreen(HWND grid) const;

 private:
  std::vector<std::vector<uint32_t>> cells_;  // 0x00RRGGBB, rows top-down
};

// Milliseconds after CreateProcess; 0 when not reached.
struct StartMilestones {
  double window = 0;  // the panel window exists
  double cells = 0;   // the main grid has its cells (its rows laid out)
  double docked = 0;  // the panel sits beside the chat window
  double drawn = 0;   // the cells in view show their pictures
};

// Starts Tarnwick.exe of folder with chat kept in front and watches it until
// it sits at dockedAt with its first grid drawn. panel receives the process.
StartMilestones WatchStart(const std::wstring& folder, HWND chat, POINT dockedAt, const ExpectedCells& first,
                           HANDLE& panel);
// Chooses the category of that name in the main category list as a user
// does and waits until the cells in view show its pictures; ms, or -1.
double WatchCategorySwitch(HANDLE panel, const std::wstring& name, const ExpectedCells& category);
// The bench library's categories hold pictures alike: a category of folder's
// library with the pictures of category in the reverse order, so that every
// cell changes when it is chosen (made once). Its folder.
std::wstring MirroredCategory(const std::wstring& folder, const std::wstring& category);
// Wine's floor: from CreateProcess until a program that only shows an empty
// window has it on screen (the best of three); -1 when it can't run.
double EmptyProgramStart(const std::wstring& exe);

}  // namespace bench
