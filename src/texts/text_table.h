#pragma once
// The indexed table of every caption, hint, list item and message.
#include <string>
#include <string_view>
#include <vector>

namespace ks {

class TextTable {
public:
    static constexpr int Default_Size = 2800;

    // Clears the table and appends the 2800 English defaults in index order.
    void Load_Default_Texts();
    // Applies one language file (UTF-8/UTF-16 BOMs, else an 8-bit code page
    // that maps 0xB6 to the pilcrow). A file that cannot be read changes nothing.
    void Load_Language_File(const std::string& path);
    // The same, but tells whether the file could be read (false: nothing changed).
    bool Apply_Language_File(const std::string& path);
    // Applies the raw bytes of a language file as Load_Language_File does.
    void Apply_Language_Text(std::string_view bytes);

    // Entry i; an index outside the table gives an empty text.
    const std::string& operator[](int i) const;
    // Replaces entry i; an index outside the table is ignored.
    void Set(int i, std::string text);
    int Size() const { return size_; }
    const std::vector<std::string>& Entries() const { return texts_; }

private:
    std::vector<std::string> texts_;
    int size_ = 0;
};

// The built-in English default of entry i (" " for indices no dialog uses,
// "" outside 0 to 2799).
const char* Default_Text(int i);

// The bytes of a language file as UTF-8 text: a byte-order mark selects UTF-8,
// UTF-16 LE or UTF-16 BE (the mark itself is dropped); without one the bytes
// are Windows-1252. Malformed input (invalid UTF-8, lone surrogates, an odd
// trailing byte, the five bytes Windows-1252 leaves undefined) becomes U+FFFD,
// so the result is always valid UTF-8.
std::string Language_Bytes_To_Utf8(std::string_view bytes);

// Load_Default_Texts, then the language file of `language_name` in
// `language_dir`, falling back to "English" (which then becomes the name).
void Load_Texts(TextTable& table, const std::string& language_dir, std::string& language_name);

} // namespace ks
