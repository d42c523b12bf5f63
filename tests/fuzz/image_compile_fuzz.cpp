// Compiles a project whose settings, KNX or S7 file (chosen by the first
// byte) holds arbitrary bytes. Either the compilation refuses with a reason,
// or both banks are complete: bank 1 checksummed, the counts within the
// tables, the records behind them in their reset state, and the decoder
// reads every compiled record back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <random>

#include "image/config_image.h"
#include "image/image_decode.h"

namespace {

// A project folder of its own, removed when the fuzzer ends.
struct FuzzDir {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("keystrel-image-fuzz-" + std::to_string(std::random_device{}()));
    FuzzDir() { std::filesystem::create_directories(path); }
    ~FuzzDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::filesystem::path& Dir() {
    static const FuzzDir d;
    return d.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const names[] = {"ParGen.xml", "KNX_SetAccess.xml", "S7_Protocol.xml"};
    for (const char* n : names) std::filesystem::remove(Dir() / n);
    {
        std::ofstream out(Dir() / names[data[0] % 3], std::ios::binary);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    const ks::CompileResult r =
        ks::Compile_Bin(ks::Image_Sources_Of(Dir().string()), data[0] & 0x80 ? ',' : '.');
    if (!r.Ok()) {
        if (!r.Image.Bank1_Image.empty() || !r.Image.Bank2_Image.empty()) std::abort();
        return 0;
    }
    const auto& b1 = r.Image.Bank1_Image;
    const auto& b2 = r.Image.Bank2_Image;
    if (b1.size() != ks::Bank1_Size || b2.size() != ks::Bank2_Size) std::abort();
    if (ks::Get_U32(b1.data() + ks::bank1::Checksum) != ks::Bank1_Checksum(b1.data())) std::abort();
    if (b1[ks::bank1::Device_Name + ks::bank1::Device_Name_Size - 1] != 0) std::abort();
    if (r.KNX_Count < 0 || r.KNX_Count > ks::Rule_Table_Capacity || r.S7_Count < 0 ||
        r.S7_Count > ks::Rule_Table_Capacity)
        std::abort();
    for (int i = r.KNX_Count; i < ks::Rule_Table_Capacity; ++i)
        if (!(ks::Parse_KNX_Rule(b2.data() + ks::KNX_Rule_Size * i) == ks::KNX_Rule_Rec{})) std::abort();
    for (size_t i = ks::Bank2_S7_Offset + ks::S7_Rule_Size * r.S7_Count; i < ks::Bank2_Size; ++i)
        if (b2[i] != 0) std::abort();
    ks::ImageDump d;
    if (!ks::Decode_Image(b1, b2, d).empty()) std::abort();
    if (d.KNX_Rules.size() != static_cast<size_t>(r.KNX_Count) ||
        d.S7_Rules.size() != static_cast<size_t>(r.S7_Count))
        std::abort();
    (void)ks::Dump_Json(d);
    return 0;
}
