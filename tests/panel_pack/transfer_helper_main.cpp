// The test program runs the panel's transfers in helpers started from its own
// file, as the panel does: started as a helper, it does that transfer alone.
#include <gtest/gtest.h>
#include <windows.h>

#include "panel/transfer_helper.h"

int main(int argc, char** argv) {
  if (const auto helped = panel::RunAsTransferHelper(::GetCommandLineW())) return *helped;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
