// Loading the text table: built-in defaults, and a language file naming all
// 2800 entries (UTF-8 with byte-order mark, Windows-1252 without), from
// memory and through Load_Texts from disk.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "texts/text_table.h"

namespace {

// Every entry, quoted with pilcrows and followed by a comment, so each line
// takes every step of the grammar. `utf8` selects the encoding.
std::string Full_Language_File(bool utf8) {
    const std::string pilcrow = utf8 ? "\xC2\xB6" : "\xB6";
    const std::string u_umlaut = utf8 ? "\xC3\x9C" : "\xDC";
    std::string file = utf8 ? "\xEF\xBB\xBF" : "";
    file += "; Deutsch - full test translation\r\n";
    for (int i = 0; i < ks::TextTable::Default_Size; ++i) {
        file += "STR" + std::to_string(i) + " = " + pilcrow + u_umlaut + "bersetzt " + ks::Default_Text(i) +
                pilcrow + " /#/ entry " + std::to_string(i) + "\r\n";
    }
    return file;
}

void BM_Load_Default_Texts(benchmark::State& state) {
    ks::TextTable t;
    for (auto _ : state) {
        t.Load_Default_Texts();
        benchmark::DoNotOptimize(t.Entries().data());
    }
}
BENCHMARK(BM_Load_Default_Texts)->Unit(benchmark::kMicrosecond);

void BM_Apply_Full_Language(benchmark::State& state) {
    const std::string file = Full_Language_File(state.range(0) != 0);
    state.SetLabel(state.range(0) ? "UTF-8 with BOM" : "Windows-1252");
    ks::TextTable t;
    for (auto _ : state) {
        t.Load_Default_Texts();
        t.Apply_Language_Text(file);
        benchmark::DoNotOptimize(t.Entries().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_Apply_Full_Language)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_Load_Texts_From_Disk(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("keystrel-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    std::ofstream(dir / "Deutsch.lng", std::ios::binary) << Full_Language_File(state.range(0) != 0);
    state.SetLabel(state.range(0) ? "UTF-8 with BOM" : "Windows-1252");
    ks::TextTable t;
    for (auto _ : state) {
        std::string name = "Deutsch";
        ks::Load_Texts(t, dir.string(), name);
        benchmark::DoNotOptimize(t.Entries().data());
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_Load_Texts_From_Disk)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
