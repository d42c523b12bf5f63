#pragma once
// The indexed table of every caption, hint, list item and message.
#include <string>
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

    // Entry i; an index outside the table gives an empty text.
    const std::string& operator[](int i) const;
    void Set(int i, std::string text);
    int Size() const { return size_; }
    const std::vector<std::string>& Entries() const { return texts_; }

private:
    std::vector<std::string> texts_;
    int size_ = 0;
};

// The built-in English default of entry i (" " for indices no dialog uses).
const char* Default_Text(int i);

// Load_Default_Texts, then the language file of `language_name` in
// `language_dir`, falling back to "English" (which then becomes the name).
void Load_Texts(TextTable& table, const std::string& language_dir, std::string& language_name);

} // namespace ks
