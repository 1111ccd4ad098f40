// replay.cpp - runs the fuzz target's checks over saved inputs without
// libFuzzer, so any compiler builds it and valgrind can run it:
//   ovrix_fuzz_replay <file or folder>...
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void collect(const std::string &path, std::vector<std::string> &files) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    std::fprintf(stderr, "no such input: %s\n", path.c_str());
    std::exit(2);
  }
  if (!S_ISDIR(st.st_mode)) {
    files.push_back(path);
    return;
  }
  DIR *d = opendir(path.c_str());
  std::vector<std::string> names;
  while (dirent *e = d ? readdir(d) : nullptr)
    if (e->d_name[0] != '.') names.push_back(path + "/" + e->d_name);
  if (d) closedir(d);
  std::sort(names.begin(), names.end());
  for (const std::string &n : names) collect(n, files);
}

}  // namespace

int main(int argc, char **argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  std::vector<std::string> files;
  for (int i = 1; i < argc; i++) collect(argv[i], files);
  for (const std::string &f : files) {
    std::ifstream in(f, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("replayed %zu inputs\n", files.size());
  return files.empty() ? 1 : 0;
}
