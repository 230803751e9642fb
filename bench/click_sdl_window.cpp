// The baseline of the menu latencies: a minimal SDL2 program that, for each
// click it reads from the X server through SDL's event queue, fills a
// rectangle of the given size in a new colour and presents it. It quits
// when its standard input ends.
// Arguments: the rectangle's width and height, then optionally the window's
// place on the screen (beside a 1024-pixel-wide window by default).
#include <SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int w = std::atoi(argv[1]), h = std::atoi(argv[2]);
  const int x = argc >= 5 ? std::atoi(argv[3]) : 1030, y = argc >= 5 ? std::atoi(argv[4]) : 0;
  if (w <= 0 || h <= 0 || w > 4096 || h > 4096 || x < 0 || y < 0 || x > 4096 || y > 4096) return 2;
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("click", x, y, w, h, SDL_WINDOW_SHOWN);
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface) return 1;
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x20, 0x30, 0x40));
  SDL_UpdateWindowSurface(window);
  std::thread clicks([] {
    char c;
    while (read(0, &c, 1) == 1) {
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  });
  int round = 0;
  SDL_Event e;
  while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) {
    if (e.type != SDL_MOUSEBUTTONUP) continue;
    ++round;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, round & 1 ? 0xE0 : 0x40, 0x80, round & 1 ? 0x40 : 0xE0));
    SDL_UpdateWindowSurface(window);
  }
  clicks.detach();
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
