#pragma once
// Drawing the background picture: one file at random from the files directly inside the picture
// folder whose extension names a picture kind the program can load.

#include <string>
#include <vector>

class RandomSource;

// Names of the picture files directly inside the folder, sorted: regular files only (no
// sub-folders), hidden files (a leading dot) left out, the extension one of the loadable picture
// kinds in any letter case. Empty when the folder is missing or cannot be read.
std::vector<std::string> ListPictureFiles(const std::string& folder);

// The full path of one listed file drawn uniformly after reseeding from the clock, or an empty
// text when the folder holds no picture file. The folder may end in '/' or not.
std::string PickRandomPicture(const std::string& folder, RandomSource& random);

// Whether a folder exists at the path; false for an empty path.
bool FolderExists(const std::string& path);

// Whether a file (not a folder) exists at the path; false for an empty path.
bool FileExists(const std::string& path);
