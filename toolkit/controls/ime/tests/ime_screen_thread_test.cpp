// The input-method window as the user sees it, compared pixel for pixel
// with reference images: candidates for typed keys, a key that matches
// nothing, the English state, and the symbol list.
//
// GUI_UPDATE_REFERENCES=1 writes the reference images anew instead of
// comparing (make update-references).
#include <png.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/ime/tests/ime_gui_fixture.h"
#include "core/message/tests/watchdog.h"
#include "core/window/window_damage.h"
#include "gui/dc.h"

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

Picture Grab(const Rect& r) {
  Picture p{r.right - r.left, r.bottom - r.top, {}};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      uint8_t red = 0, green = 0, blue = 0;
      GetPixelRGB(HDC_SCREEN, x, y, &red, &green, &blue);
      p.rgb.insert(p.rgb.end(), {red, green, blue});
    }
  return p;
}

bool WritePng(const std::string& path, const Picture& p) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(p.width);
  image.height = static_cast<png_uint_32>(p.height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, p.rgb.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::string& path, Picture* p) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  p->width = static_cast<int>(image.width);
  p->height = static_cast<int>(image.height);
  p->rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, p->rgb.data(), 0, nullptr) != 0;
}

class ImeOnScreen : public imetest::ImeOnGui {
 protected:
  // Compares the window's picture with data/<name>.png, or writes it.
  void Matches(const char* name) {
    AwaitPainted();
    const Picture shot = Grab(ScreenRectOf(WindowOf(ime_)));
    std::string here = __FILE__;
    const std::string path = here.substr(0, here.rfind('/')) + "/data/" + name + ".png";
    const char* update = std::getenv("GUI_UPDATE_REFERENCES");
    if (update && std::string(update) == "1") {
      ASSERT_TRUE(WritePng(path, shot)) << path;
      return;
    }
    Picture reference;
    ASSERT_TRUE(ReadPng(path, &reference)) << path << " (make update-references writes it)";
    ASSERT_EQ(reference.width, shot.width) << name;
    ASSERT_EQ(reference.height, shot.height) << name;
    size_t differing = 0;
    for (size_t i = 0; i < reference.rgb.size(); ++i) differing += reference.rgb[i] != shot.rgb[i];
    EXPECT_EQ(differing, 0u) << name;
  }
};

TEST_F(ImeOnScreen, CandidatesEnglishAndSymbolsMatchTheReferences) {
  Watchdog dog(60, "the input-method pictures");
  OpenIme();
  SendMessage(ime_, 339, 0, 0);
  for (char c : std::string("nih")) SendMessage(ime_, 19, static_cast<WParam>(c), 0);
  SendMessage(ime_, 19, 20, 0);  // the highlight on the second candidate
  Matches("candidates");
  SendMessage(ime_, 19, 'x', 0);  // no match: the keys after the matched ones follow a "-"
  Matches("unmatched");
  SendMessage(ime_, 342, 1, 0);
  Matches("english");
  SendMessage(ime_, 342, 1, 1);
  SendMessage(ime_, 342, 3, 1);  // the English state turned Chinese punctuation off
  SendMessage(ime_, 18, 130, 0);
  SendMessage(ime_, 19, 130, 0);
  SendMessage(ime_, 19, 22, 0);
  Matches("symbols");
}

}  // namespace
