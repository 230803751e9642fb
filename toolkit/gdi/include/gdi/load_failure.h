// Why an image file did not load, in words that follow the file's name,
// for the one line that says so.
#pragma once

#include <string>

namespace gui::image {

// From the loader's code (ERR_BMP_*); a file the loader could not open is
// asked again for its own reason (missing, not a regular file, too large).
std::string LoadFailure(const char* path, int code);

}  // namespace gui::image
