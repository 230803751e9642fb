// Which file a display's records are read from when no configuration object
// is loaded, and where the language text files live.
#pragma once

#include <string>

namespace layout {

// Path of the text file of a language index ("%s%d.cfg").
std::string TextFilePath(int languageIndex);
// Tests point the text files elsewhere; an empty directory restores the
// shipped one.
void SetTextFileDirectory(const std::string& directory);

// The text file of the current language once the layout is loaded and the
// language has one; else the auxiliary file for a low-resolution display;
// else the main file.
std::string SourceFileFor(int display);

}  // namespace layout
