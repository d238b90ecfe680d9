// ConfigFile: the line procedure shared by "Data\game.cfg" and "input.cfg".
//
// A file is read line by line. A line whose first character is ";" is a
// comment. Any other line is one setting: the key is every character up to
// the first "=" (spaces included, so " key=1" and "key =1" name no known key),
// the value is the text after it. A line without "=" does nothing. Settings
// apply in file order, so a later line for the same key wins. Lines are read
// whole whatever their length, so a long line never spills into the next; a
// "\r" before the line end (files saved on Windows) is dropped.
#pragma once

#include <functional>
#include <string>

// Calls apply(key, valueText) for each setting of the file, in order.
// Returns false when the file cannot be opened (nothing is applied).
bool ReadConfigFile(
    const std::string& dataPath,
    const std::function<void(const std::string& key, const std::string& value)>& apply);

// The value without the blanks around it, as messages quote it.
std::string Trimmed(const std::string& value);

// The first white-space separated word of a value ("" when there is none).
std::string FirstWord(const std::string& value);
