#pragma once
// Reading and writing one list of `row` elements of an access table file:
// one attribute per column, in column order.
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "tables/access_column.h"

namespace ks {

struct Access_List_Read {
    std::string error;
    int rows_read = 0;
    bool stopped = false;  // a damaged row: nothing after it is read
};

// Reads the rows of `section` (named `list_name` in messages) into the reset
// `rows`. `fallback(attr)` gives what a missing attribute reads as, nullptr
// when it is required. Rows beyond the capacity are not loaded and reported.
template <class Row, class Fallback>
Access_List_Read Read_Access_List(pugi::xml_node section, std::string_view list_name,
                                  const std::vector<Access_Column<Row>>& cols, Fallback fallback,
                                  std::vector<Row>& rows) {
    Access_List_Read r;
    const int capacity = static_cast<int>(rows.size());
    for (pugi::xml_node e : section.children()) {
        if (e.type() != pugi::node_element) continue;  // comments and text between rows carry nothing
        if (r.rows_read == capacity) {
            r.error = std::string(list_name) + " holds more than " + std::to_string(capacity) +
                      " rows; the rows after row " + std::to_string(capacity) + " were not loaded";
            return r;
        }
        Row row;
        for (const Access_Column<Row>& c : cols) {
            if (const pugi::xml_attribute a = e.attribute(c.field)) {
                row.*c.member = a.value();
            } else if (const char* fb = fallback(c.field)) {
                row.*c.member = fb;
            } else {
                r.error = "row " + std::to_string(r.rows_read + 1) + " of " + std::string(list_name) +
                          " has no attribute " + c.field;
                r.stopped = true;
                return r;
            }
        }
        rows[r.rows_read++] = std::move(row);
    }
    return r;
}

// Appends a `row` element per row up to the first one that `ends_list`.
template <class Row, class EndsList>
void Write_Access_List(pugi::xml_node section, const std::vector<Row>& rows,
                       const std::vector<Access_Column<Row>>& cols, size_t capacity, EndsList ends_list) {
    for (size_t i = 0; i < rows.size() && i < capacity; ++i) {
        if (ends_list(rows[i])) break;
        pugi::xml_node e = section.append_child("row");
        for (const Access_Column<Row>& c : cols) e.append_attribute(c.field).set_value((rows[i].*c.member).c_str());
    }
}

// Joins the errors of several lists with "; ".
inline void Add_Error(std::string& all, const std::string& e) {
    if (e.empty()) return;
    if (!all.empty()) all += "; ";
    all += e;
}

} // namespace ks
