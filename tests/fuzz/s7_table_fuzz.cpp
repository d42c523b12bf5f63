// Feeds arbitrary bytes to the S7_Protocol.xml reader. The table it gives
// (complete or partial) must validate without fault of its own and survive
// a write and a second read: the rows up to each list's first row without an
// address come back, the rest reset.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tables/s7_table.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ks::S7_Load_Result first = ks::Load_S7_Protocol_From_String(text);
    const ks::S7_Access_Table& t = first.table;
    if (t.S7_Protocol_Read.size() != ks::S7_Rows || t.S7_Protocol_Write.size() != ks::S7_Rows) std::abort();

    ks::IP_Port_Array conns;
    const std::string fault = ks::Controllo_dati(t, Texts(), conns);
    if (!fault.empty() && fault.rfind("Error row ", 0) != 0) std::abort();

    const ks::S7_Load_Result second = ks::Load_S7_Protocol_From_String(ks::S7_Protocol_To_Xml(t));
    if (!second.error.empty()) std::abort();
    const ks::S7_Access_Row reset;
    for (ks::S7_List l : {ks::S7_List::Read, ks::S7_List::Write}) {
        bool ended = false;
        for (int i = 0; i < ks::S7_Rows; ++i) {
            const ks::S7_Access_Row& row = t.List(l)[i];
            ended = ended || ks::S7_Ends_List(row);
            if (second.table.List(l)[i] != (ended ? reset : row)) std::abort();
        }
    }
    return 0;
}
