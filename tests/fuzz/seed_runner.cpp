// Runs a fuzz target over files and folders of seeds, once each: the committed seeds of every
// target run so in every build, as the fuzz build's starting corpus does under libFuzzer.
// A seed named *.hex holds its bytes as lines of hexadecimal digits, after comment lines starting
// with # (binary files are not committed).
//   fuzz_NAME SEED_FILE_OR_FOLDER...
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_target.h"

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (file.extension() != ".hex") return bytes;
  // Lines of hexadecimal digits; a line starting with # says what the seed is.
  std::string digits;
  std::istringstream lines(bytes);
  for (std::string line; std::getline(lines, line);)
    if (!line.starts_with('#'))
      for (char c : line)
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
  std::string decoded;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
    decoded += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
  return decoded;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> seeds;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const auto& entry : fs::directory_iterator(argv[i]))
        if (entry.is_regular_file()) seeds.push_back(entry.path());
    } else {
      seeds.emplace_back(argv[i]);
    }
  }
  std::sort(seeds.begin(), seeds.end());
  if (seeds.empty()) {
    std::cerr << argv[0] << ": no seeds\n";
    return 1;
  }
  for (const fs::path& seed : seeds) {
    const std::string bytes = bytesOf(seed);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::cout << seeds.size() << " seeds ran\n";
  return 0;
}
