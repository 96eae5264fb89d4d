// The cost of a typed write of the settings file against a plain rewrite of the same bytes, for a
// file of the size the settings dialog writes (about 140 keys), and the choice of durability.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "settings/app_directory.h"
#include "settings/file_replacement.h"
#include "settings/ini_document.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"

namespace {

constexpr int kWrites = 200;

// A folder beside the executable: the settings file lives on that disk, and /tmp may be memory.
class BenchFolder {
public:
    BenchFolder()
    {
        std::string pattern = AppDirectory() + "settings-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    std::string file() const { return path_ + "/ScreenSaver.ini"; }

private:
    std::string path_;
};

struct Key {
    std::string section;
    std::string key;
};

// The keys of a full dialog save: the table's keys and four label-style sections of 24 keys.
std::vector<Key> DialogKeys()
{
    std::vector<Key> keys;
    for (const SettingKeyInfo& info : AllSettingKeys())
        keys.push_back({info.section, info.key});
    for (const char* style : {"Title", "N", "StartEnd", "Week"})
        for (int i = 0; i < 24; ++i)
            keys.push_back({style, "Effect" + std::to_string(i)});
    return keys;
}

std::string DialogFile(const std::vector<Key>& keys)
{
    IniDocument document;
    for (const Key& key : keys)
        document.Write(key.section, key.key, key.key == "Title" ? "Tarnik工作室成立至今" : "100");
    return document.ToBytes();
}

void PlainWrite(const std::string& path, const std::string& bytes, bool flush)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::abort();
    if (flush)
        fdatasync(fd);
    close(fd);
}

// Time is wall-clock time (the cost is waiting for the disk); writes/s gives the time per write.
void Report(benchmark::State& state, std::size_t fileBytes)
{
    state.SetItemsProcessed(state.iterations() * kWrites);
    state.counters["file_bytes"] = static_cast<double>(fileBytes);
}

// 200 writes through SettingsFile, as it ships: integers, booleans and texts over the keys.
void BM_SettingsFileTypedWrites(benchmark::State& state)
{
    const BenchFolder folder;
    const auto keys = DialogKeys();
    const std::string initial = DialogFile(keys);
    PlainWrite(folder.file(), initial, false);
    SettingsFile file(folder.file());
    int round = 0;
    for (auto _ : state) {
        for (int i = 0; i < kWrites; ++i) {
            const Key& key = keys[static_cast<std::size_t>(i) % keys.size()];
            switch (i % 3) {
            case 0: file.WriteInteger(key.section, key.key, 100 + round); break;
            case 1: file.WriteBool(key.section, key.key, round % 2 != 0); break;
            default: file.WriteString(key.section, key.key, "第" + std::to_string(round)); break;
            }
        }
        ++round;
    }
    Report(state, initial.size());
}
BENCHMARK(BM_SettingsFileTypedWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same writes with each durability, to choose between them.
void BM_TypedWritesWithDurability(benchmark::State& state)
{
    const auto durability = static_cast<Durability>(state.range(0));
    const BenchFolder folder;
    const auto keys = DialogKeys();
    const std::string initial = DialogFile(keys);
    PlainWrite(folder.file(), initial, false);
    int round = 0;
    for (auto _ : state) {
        for (int i = 0; i < kWrites; ++i) {
            const Key& key = keys[static_cast<std::size_t>(i) % keys.size()];
            IniDocument document = IniDocument::FromBytes(*ReadWholeFile(folder.file()));
            document.Write(key.section, key.key, std::to_string(100 + round));
            if (!ReplaceFile(folder.file(), document.ToBytes(), durability))
                std::abort();
        }
        ++round;
    }
    state.SetLabel(durability == Durability::Rename ? "rename" : "flush+rename");
    Report(state, initial.size());
}
BENCHMARK(BM_TypedWritesWithDurability)
    ->Arg(static_cast<int>(Durability::Rename))
    ->Arg(static_cast<int>(Durability::FlushThenRename))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 200 plain rewrites of the same file in place, without (0) and with (1) a flush: the floor.
void BM_PlainRewrite(benchmark::State& state)
{
    const bool flush = state.range(0) != 0;
    const BenchFolder folder;
    const std::string bytes = DialogFile(DialogKeys());
    for (auto _ : state)
        for (int i = 0; i < kWrites; ++i)
            PlainWrite(folder.file(), bytes, flush);
    state.SetLabel(flush ? "flush" : "no flush");
    Report(state, bytes.size());
}
BENCHMARK(BM_PlainRewrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading every key of a full file once, as the dialog does when it opens.
void BM_ReadAllKeys(benchmark::State& state)
{
    const BenchFolder folder;
    const auto keys = DialogKeys();
    PlainWrite(folder.file(), DialogFile(keys), false);
    const SettingsFile file(folder.file());
    for (auto _ : state)
        for (const Key& key : keys)
            benchmark::DoNotOptimize(file.ReadInteger(key.section, key.key, 0));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}
BENCHMARK(BM_ReadAllKeys)->Unit(benchmark::kMillisecond);

}  // namespace
