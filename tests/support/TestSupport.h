// Helpers shared by the tests: temporary data trees and the repo's folders.
#pragma once

#include <string>

// A fresh empty folder under the system's temporary folder; the working
// directory is not changed.
std::string MakeTempDir(const std::string& tag);

// Writes text (or bytes) to path, creating parent folders.
void WriteFile(const std::string& path, const std::string& contents);

// Changes the working directory for the life of the object (data paths are
// relative to it), then restores it.
class ScopedWorkingDirectory {
public:
    explicit ScopedWorkingDirectory(const std::string& path);
    ~ScopedWorkingDirectory();

private:
    std::string previous_;
};

// The repository's source folder and the demo game's data tree.
std::string SourceDir();
std::string GameDir();
