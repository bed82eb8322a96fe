// Tarnwick's entry point.
#include <windows.h>

#include "foundation/mod_data.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  foundation::Main({});
  return 0;
}
