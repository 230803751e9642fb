// The baseline of the mouse-move load: a minimal SDL2 program that redraws
// a small square at the pointer and presents it on every motion event, then
// sleeps until the next event.
#include <SDL.h>

int main() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("motion", 0, 0, 1024, 768, SDL_WINDOW_SHOWN);
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface) return 1;
  const Uint32 back = SDL_MapRGB(surface->format, 0x20, 0x30, 0x40);
  const Uint32 mark = SDL_MapRGB(surface->format, 0xE0, 0xE0, 0xE0);
  SDL_FillRect(surface, nullptr, back);
  SDL_UpdateWindowSurface(window);
  SDL_Rect last{0, 0, 0, 0};
  SDL_Event e;
  while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) {
    if (e.type != SDL_MOUSEMOTION) continue;
    SDL_FillRect(surface, &last, back);
    SDL_Rect now{e.motion.x - 8, e.motion.y - 8, 16, 16};
    SDL_FillRect(surface, &now, mark);
    SDL_Rect both[2] = {last, now};
    SDL_UpdateWindowSurfaceRects(window, both, 2);
    last = now;
  }
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
