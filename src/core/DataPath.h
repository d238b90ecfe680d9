// DataPath: the one way any data file is found.
//
// Data paths are written the way the game's data was made: "\" or "/" between
// folders and any letter case ("Data\sfx\SE_PL00\ROOK_Jump.WAV"). Every path
// the program opens goes through ResolveDataPath, which walks it one name at a
// time and matches each name against its folder's entries without regard to
// case (an exact match wins when two entries differ only in case). Folder
// listings are read once and cached. A path that matches nothing resolves to
// the empty string and behaves as a missing file.
#pragma once

#include <cstdio>
#include <string>

// The path on disk for a data path, relative paths taken from the working
// directory; "" when no file or folder matches.
std::string ResolveDataPath(const std::string& dataPath);

// fopen of the resolved path; null when it does not resolve or cannot be opened.
std::FILE* OpenDataFile(const std::string& dataPath, const char* mode);

// The whole file at a data path, as bytes; false when it cannot be opened.
bool ReadDataFile(const std::string& dataPath, std::string& bytes);

// The text in lower case, as the lookup compares names (ASCII letters only).
std::string LowerCase(std::string text);

// Forgets every cached folder listing (for tools and tests that create files).
void ClearDataPathCache();

// Counts the calls of ClearDataPathCache, so that caches of what data files
// hold can tell they are out of date.
unsigned DataPathGeneration();

// A data path as messages show it: "\\" turned into "/".
std::string ShownPath(std::string path);
