#pragma once
// One data column of an access table: the row field it shows, the file
// attribute of the same name, its grid editor and its texts. The access
// tables list their columns in grid order, which is also the attribute order
// of their files.
#include <cstdint>
#include <string>

#include "tables/table_model.h"

namespace ks {

// Stands for the platform's window colour instead of a fixed one.
inline constexpr uint32_t Window_Colour = 0xFFFFFFFFu;

template <class Row>
struct Access_Column {
    const char* field;  // the attribute name, equal to the field's name
    std::string Row::*member;
    int header_text;
    int hint_text;
    int width;
    uint32_t colour;  // 0xRRGGBB or Window_Colour
    ColumnSpec spec;  // editor kind and choices
};

} // namespace ks
