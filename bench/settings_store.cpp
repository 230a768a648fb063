// The settings store on a large file: the first read of a key with many values (the file is read
// and parsed), and writes while another process writes to the same file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/registry/store.h"
#include "platform/vb/strings.h"

namespace {

namespace fs = std::filesystem;
namespace reg = platform::registry;

// A private settings folder for the run, removed at its end.
struct PrivateFolder {
  fs::path path;
  PrivateFolder() {
    std::string name = (fs::temp_directory_path() / "qm-bench-settings-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path = name;
    setenv("XDG_CONFIG_HOME", path.c_str(), 1);
  }
  ~PrivateFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path& Folder() {
  static const PrivateFolder folder;
  return folder.path;
}

// The file text of one key with `count` text values.
std::string FileOf(int count) {
  std::string text = "[HKEY_CURRENT_USER\\Software\\Many]\n";
  for (int i = 0; i < count; ++i) text += "\"Value" + std::to_string(i) + "\"=\"text " + std::to_string(i) + "\"\n";
  return text;
}

// Replaces the settings file by a new one holding `text`, flushed to disk when `sync`.
void WriteFile(const std::string& text, bool sync = false) {
  const fs::path file = reg::FilePath();
  fs::create_directories(file.parent_path());
  const fs::path temp = fs::path(file) += ".bench";
  {
    std::ofstream(temp, std::ios::binary) << text;
  }
  if (sync) {
    const int fd = open(temp.c_str(), O_RDONLY);
    fsync(fd);
    close(fd);
  }
  fs::rename(temp, file);  // a new file, so the store reads it again
}

std::u16string Name(int i) { return vb::FromUtf8("Value" + std::to_string(i)); }

// The first read after the file changed: the whole file is read and parsed. The floor is reading
// the file's bytes.
void FirstReadOfAKeyWithManyValues(benchmark::State& state) {
  Folder();
  const int count = static_cast<int>(state.range(0));
  const std::string text = FileOf(count);
  double read = 0;
  double floor = 0;
  for (auto _ : state) {
    WriteFile(text);
    auto start = std::chrono::steady_clock::now();
    std::ifstream in(reg::FilePath(), std::ios::binary);
    benchmark::DoNotOptimize(std::string(std::istreambuf_iterator<char>(in), {}).size());
    floor += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    start = std::chrono::steady_clock::now();
    reg::Value value;
    if (reg::QueryValue(u"Software\\Many", Name(count - 1), &value) != 0) state.SkipWithError("value missing");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    read += seconds;
    state.SetIterationTime(seconds);
  }
  state.counters["ratio"] = read / floor;
  state.SetLabel(std::to_string(count) + " values");
}
BENCHMARK(FirstReadOfAKeyWithManyValues)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// Writes of one process while another writes to the same file as fast as it can. The floor is a
// bare replacement of a file of the same size, flushed to disk.
void WritesWhileAnotherProcessWrites(benchmark::State& state) {
  Folder();
  const int count = static_cast<int>(state.range(0));
  const std::string text = FileOf(count);
  constexpr int kFloorRuns = 5;
  const auto floorStart = std::chrono::steady_clock::now();
  for (int i = 0; i < kFloorRuns; ++i) WriteFile(text, true);
  const double floor =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - floorStart).count() / kFloorRuns;
  const pid_t other = fork();
  if (other == 0) {
    for (int i = 0;; ++i) {
      reg::Value value;
      value.text = vb::FromUtf8(std::to_string(i));
      reg::SetValue(u"Software\\Many", u"Other", value);
    }
  }
  int i = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    reg::Value value;
    value.text = vb::FromUtf8(std::to_string(++i));
    if (reg::SetValue(u"Software\\Many", u"Mine", value) != 0) state.SkipWithError("write failed");
  }
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  kill(other, SIGKILL);
  waitpid(other, nullptr, 0);
  state.counters["writes_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["ratio"] = each / floor;
  state.SetLabel(std::to_string(count) + " values");
}
BENCHMARK(WritesWhileAnotherProcessWrites)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
