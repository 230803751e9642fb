// The source of configuration values the font loaders read: any function
// answering a section and key, so that tests and fuzzers can feed values
// without a configuration file.
#ifndef TOOLKIT_GDI_FONT_CONFIG_READ_H
#define TOOLKIT_GDI_FONT_CONFIG_READ_H

#include <functional>

namespace devfont {

// Reads section/key into value (at most len bytes); 0 on success, a negative
// configuration code otherwise.
using ConfigRead = std::function<int(const char* section, const char* key, char* value, int len)>;

}  // namespace devfont

#endif
