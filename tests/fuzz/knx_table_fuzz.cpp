// Feeds arbitrary bytes to the KNX_SetAccess.xml reader. The table it gives
// (complete or partial) must validate without fault of its own with either
// decimal separator and survive a write and a second read: the rows up to
// the first row without a source address come back, the rest reset.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tables/knx_table.h"
#include "texts/text_table.h"

namespace {

const ks::TextTable& Texts() {
    static const ks::TextTable t = [] {
        ks::TextTable x;
        x.Load_Default_Texts();
        return x;
    }();
    return t;
}

bool Known_Priority(const std::string& p) { return p == "System" || p == "Urgent" || p == "Normal" || p == "Low"; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ks::KNX_Load_Result first = ks::Load_KNX_SetAccess_From_String(text);
    const ks::KNX_Access_Table& t = first.table;
    if (t.KNX_in_Write.size() != ks::KNX_Rows) std::abort();

    for (char sep : {'.', ','}) {
        const std::string fault = ks::Controllo_dati(t, Texts(), sep);
        if (!fault.empty() && fault.rfind("Error row ", 0) != 0) std::abort();
    }

    const ks::KNX_Load_Result second = ks::Load_KNX_SetAccess_From_String(ks::KNX_SetAccess_To_Xml(t));
    if (!second.error.empty()) std::abort();
    const ks::KNX_Access_Row reset;
    bool ended = false;
    for (int i = 0; i < ks::KNX_Rows; ++i) {
        const ks::KNX_Access_Row& row = t.KNX_in_Write[i];
        ended = ended || ks::KNX_Ends_List(row);
        if (!ended && !Known_Priority(row.Priority)) std::abort();  // loading keeps only the four names
        if (second.table.KNX_in_Write[i] != (ended ? reset : row)) std::abort();
    }
    return 0;
}
