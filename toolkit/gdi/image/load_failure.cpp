#include "gdi/load_failure.h"

#include "gdi/readable_file.h"
#include "gui/image.h"

namespace gui::image {

std::string LoadFailure(const char* path, int code) {
  switch (code) {
    case ERR_BMP_FILEIO: {
      const files::ReadableFile file(path, files::kMaxBinaryFile);
      return file.IsOpen() ? "cannot be read" : file.Why();
    }
    case ERR_BMP_UNKNOWN_TYPE: return "has a file type no image loader reads";
    case ERR_BMP_MEM: return "is larger than the memory the system gives";
    default: return "is damaged or cut short";
  }
}

}  // namespace gui::image
