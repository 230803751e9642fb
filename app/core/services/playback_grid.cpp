// Which of playback's windows lies under a point: one window, two side by
// side in the screen's middle half, or square grids of 2, 3 and 4 a side.
#include "app/app_registry.h"
#include "app/playback.h"

namespace {

// Borders count for both neighbours; the first match in row-major order wins.
int gridWindow(int side, int W, int H, int x, int y) {
  const int cw = W / side, ch = H / side;
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side; ++c)
      if (x >= c * cw && x <= (c + 1) * cw && y >= r * ch && y <= (r + 1) * ch) return r * side + c + 1;
  return -1;
}

}  // namespace

extern "C" int getPlaybackWinAtPoint(int output, int x, int y) {
  const int n = getPlaybackWinCount(output);
  const int W = getScreenWidth(output), H = getScreenHeight(output);
  if (n <= 1) return 1;
  if (n == 2) {
    if (y < H / 4 || y > 3 * H / 4) return -1;
    return x < W / 2 ? 1 : 2;
  }
  if (n <= 4) return gridWindow(2, W, H, x, y);
  if (n <= 9) return gridWindow(3, W, H, x, y);
  if (n <= 16) return gridWindow(4, W, H, x, y);
  return -1;
}
