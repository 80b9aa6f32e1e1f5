#pragma once
// Files for the reader tests, made at test time in a folder of their own.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace preview::test {

// A fresh folder under the system's temporary folder, removed at exit.
const std::filesystem::path& FixtureFolder();
// Runs a shell command in the fixture folder; true when it exited with 0.
bool RunInFixtureFolder(const std::string& command);
std::filesystem::path WriteFixture(const std::string& name, const std::vector<uint8_t>& bytes);
std::filesystem::path WriteFixture(const std::string& name, const std::string& bytes);
std::vector<uint8_t> ReadFixture(const std::filesystem::path& path);

}  // namespace preview::test
