// The tables of cases and the expected texts that the library's tests keep in testdata
// folders, each named by its path from the source folder: TestRows("store/testdata/x.txt").
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace dayweave {

inline std::string TestFile(const std::string& path) {
  std::ifstream file(std::string(DAYWEAVE_SOURCE_DIR) + "/" + path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The rows of a table, each to be read with >> (a text with blanks in it quoted, for
// std::quoted); blank lines and lines that begin with "#" are left out. A table without rows
// (or not there) fails the test.
inline std::vector<std::istringstream> TestRows(const std::string& path) {
  std::istringstream lines(TestFile(path));
  std::vector<std::istringstream> rows;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] != '#') rows.emplace_back(line);
  }
  EXPECT_FALSE(rows.empty()) << path << " has no rows";
  return rows;
}

}  // namespace dayweave
