// Feeds arbitrary bytes to the ParGen.xml reader. Whatever it accepts must
// survive a write and a second read unchanged, and must validate without
// fault of its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/par_gen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ks::ParGenLoad first = ks::Load_ParGen_From_String(text);
    (void)ks::Controllo_Dati(first.settings);
    if (!first.error.empty()) {
        if (!(first.settings == ks::Default_ParGen())) std::abort();
        return 0;
    }
    const std::string written = ks::ParGen_To_Xml(first.settings);
    const ks::ParGenLoad second = ks::Load_ParGen_From_String(written);
    if (!second.error.empty() || !(second.settings == first.settings)) std::abort();
    if (ks::ParGen_To_Xml(second.settings) != written) std::abort();
    return 0;
}
