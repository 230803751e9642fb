// Pictures of the live view: a neutral dark placeholder where the video of
// a recorder would show.
#include "bmp_writer.h"

namespace {

Image VideoBackground() { return Image(64, 48, Rgb{0x18, 0x1A, 0x1E}); }

const SkinFamily kLiveSkins{
    {"video_bmp", VideoBackground},
};

}  // namespace
