// SynthText: the line reader shared by the sound sources (".sfx" effects and
// ".score" music). A source is read line by line; "#" starts a comment that
// runs to the end of the line, words are split on spaces and tabs, and blank
// lines are dropped. Every line keeps its number, so a parser can name the
// line of a fault ("file:line: message", the SourceError of SheetBuilder.h).
#pragma once

#include <string>
#include <vector>

#include "SheetBuilder.h"

struct SourceLine {
    int number = 0;                  // 1-based line of the source
    std::vector<std::string> words;  // never empty
};

std::vector<SourceLine> SplitSourceLines(const std::string& text);

// A whole word as a finite decimal number ("0.25", "-3", "1e-3").
bool ReadNumber(const std::string& word, double& value);

// A whole word as an integer within [low, high].
bool ReadInteger(const std::string& word, long low, long high, long& value);

// Reads the numbers after a line's key into values (count of them, at least
// `required`, at most values.size()), each within [low, high]. On a fault the
// message names the key and what it needs.
bool ReadKeyNumbers(const SourceLine& line, size_t required, double low, double high,
                    std::vector<double>& values, std::string& message);

// Fills a SourceError for a line of a file; returns false for `return Fail(...)`.
bool Fail(SourceError& error, const std::string& file, int line, const std::string& message);

// The whole text of a file; false when it cannot be read.
bool ReadTextFile(const std::string& path, std::string& text);
