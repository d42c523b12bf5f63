#include "image/config_image.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <system_error>

#include <pugixml.hpp>

#include "app/app_state.h"
#include "core/text_util.h"
#include "core/xml_util.h"
#include "tables/conversions.h"
#include "tables/xml_read.h"

namespace ks {

namespace {

// One project file read and parsed in place: the text lives as long as the
// document.
struct XmlFile {
    bool missing = false;
    std::string text;
    pugi::xml_document doc;
};

// Line and column of a parse fault, counted like an editor does (from 1).
std::string Fault_Position(std::string_view text, ptrdiff_t offset) {
    size_t line = 1, col = 1;
    const size_t end = offset < 0 ? 0 : std::min(static_cast<size_t>(offset), text.size());
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            col = 1;
        } else {
            ++col;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(col);
}

// Empty on success or when the file does not exist (f.missing), else the error.
std::string Load_Xml(const std::string& path, XmlFile& f) {
    ProjectFileText file = Read_Project_File(path);
    if (file.missing) {
        f.missing = true;
        return {};
    }
    if (!file.error.empty()) return file.error;
    f.text = std::move(file.text);
    // Parsing in place rewrites the text; a copy is kept only to place a fault.
    const pugi::xml_parse_result r =
        f.doc.load_buffer_inplace(f.text.data(), f.text.size(), Parse_Options(), pugi::encoding_auto);
    if (r) return {};
    const auto original = Read_File(path);
    return File_Error(path, std::string("not a valid XML document (") + r.description() + ", " +
                                Fault_Position(original ? *original : std::string(), r.offset) + ")");
}

// The text of the first child `name` of `root` when it holds plain text only;
// empty when the element is missing, empty or holds anything else.
std::optional<std::string> Plain_Text(pugi::xml_node root, const char* name) {
    const pugi::xml_node e = root.child(name);
    if (!e || !e.first_child()) return std::nullopt;
    std::string text;
    for (pugi::xml_node c = e.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_pcdata && c.type() != pugi::node_cdata) return std::nullopt;
        text += c.value();
    }
    return text;
}

bool Is_One(const std::optional<std::string>& t) { return t && *t == "1"; }

// The UTF-16 code units of a UTF-8 text, at most `limit` of them; a byte that
// does not start a valid sequence counts as one unit of its own value.
std::vector<uint16_t> Utf16_Units(std::string_view s, size_t limit) {
    std::vector<uint16_t> units;
    size_t i = 0;
    while (i < s.size() && units.size() < limit) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        uint32_t cp = b0;
        size_t len = 1;
        if (b0 >= 0xC2 && b0 <= 0xF4) {
            const size_t need = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : 2;
            uint32_t v = b0 & (need == 2 ? 0x1F : need == 3 ? 0x0F : 0x07);
            bool good = i + need <= s.size();
            for (size_t k = 1; good && k < need; ++k) {
                const auto b = static_cast<unsigned char>(s[i + k]);
                if ((b & 0xC0) != 0x80) good = false;
                v = (v << 6) | (b & 0x3F);
            }
            const uint32_t min_v = need == 2 ? 0x80 : need == 3 ? 0x800 : 0x10000;
            if (good && v >= min_v && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
                cp = v;
                len = need;
            }
        }
        i += len;
        if (cp >= 0x10000) {
            const uint32_t u = cp - 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 + (u >> 10)));
            if (units.size() < limit) units.push_back(static_cast<uint16_t>(0xDC00 + (u & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(cp));
        }
    }
    return units;
}

// "Y" after upper-casing only a-z (a blank makes it no).
bool Is_Y_Upper(const char* v) { return (v[0] == 'Y' || v[0] == 'y') && v[1] == '\0'; }
// "NO" after upper-casing only a-z.
bool Is_No_Upper(const char* v) {
    return (v[0] == 'N' || v[0] == 'n') && (v[1] == 'O' || v[1] == 'o') && v[2] == '\0';
}
// "Y" after trimming and upper-casing.
bool Is_Y_Trimmed_Upper(std::string_view v) {
    const std::string t = Trim(v);
    return t.size() == 1 && (t[0] == 'Y' || t[0] == 'y');
}

struct SplitText {
    std::string first, rest;
    bool found = false;
};
// Splits at the first `sep`; both parts trimmed.
SplitText Split_First(std::string_view s, char sep) {
    SplitText r;
    const size_t p = s.find(sep);
    if (p == std::string_view::npos) {
        r.first = Trim(s);
        return r;
    }
    r.found = true;
    r.first = Trim(s.substr(0, p));
    r.rest = Trim(s.substr(p + 1));
    return r;
}

// The attributes of one row that the compiler reads, looked up in one pass:
// files written by the program hold them in this order, so each name is
// usually found at the first comparison. A missing attribute stays null; of
// repeated ones the first counts, as a lookup by name gives.
template <size_t N>
class RowAttributes {
public:
    explicit RowAttributes(const std::array<const char*, N>& names) : names_(names) {}

    void Read(pugi::xml_node row) {
        values_.fill(nullptr);
        size_t next = 0;
        for (pugi::xml_attribute a = row.first_attribute(); a; a = a.next_attribute()) {
            // Search from where the previous name was found, wrapping round,
            // so that a skipped attribute costs only the names it skips.
            const char* name = a.name();
            size_t found = N;
            for (size_t i = 0; i < N; ++i) {
                const size_t k = (next + i) % N;
                if (std::strcmp(name, names_[k]) == 0) {
                    found = k;
                    break;
                }
            }
            if (found == N) continue;
            if (!values_[found]) values_[found] = a.value();
            next = found + 1;
        }
    }
    bool Has(size_t k) const { return values_[k] != nullptr; }
    // The value, or an empty text when the attribute is missing.
    const char* operator[](size_t k) const { return values_[k] ? values_[k] : ""; }
    const char* Name(size_t k) const { return names_[k]; }

private:
    const std::array<const char*, N>& names_;
    std::array<const char*, N> values_{};
};

// KNX rule attributes in file order (the description is read past, not used).
enum KNXAttr : size_t {
    K_Enable,
    K_Source_Address,
    K_Destination_Address,
    K_APCI,
    K_Priority,
    K_Format,
    K_MultiplicationFactor,
    K_Extended,
    K_ReTest,
    K_On_Command,
    K_On_Change,
    K_On_Timer,
    K_Poll_Time,
    K_Position,
    K_Bit_Mode,
    K_Length,
    K_TimeOut,
    K_Mnemonic,
    K_Count
};
constexpr std::array<const char*, K_Count> kKNXNames = {"Enable",
                                                        "Source_Address",
                                                        "Destination_Address",
                                                        "APCI",
                                                        "Priority",
                                                        "Format",
                                                        "MultiplicationFactor",
                                                        "Extended",
                                                        "ReTest",
                                                        "On_Command",
                                                        "On_Change",
                                                        "On_Timer",
                                                        "Poll_Time",
                                                        "Position",
                                                        "Bit_Mode",
                                                        "Length",
                                                        "TimeOut",
                                                        "Mnemonic"};
// An enabled rule lacking one of these cannot be compiled; the others have fallbacks.
constexpr KNXAttr kKNXRequired[] = {
    K_Source_Address, K_Destination_Address, K_APCI,     K_Priority, K_Extended,
    K_ReTest,         K_On_Change,           K_Position, K_Bit_Mode, K_Length};

// S7comm request attributes in file order (the write list's order; the
// description is read past, not used).
enum S7Attr : size_t {
    S_Enable,
    S_PLC_Address,
    S_PLC_Port,
    S_PLC_Type,
    S_Rack,
    S_Slot,
    S_Data_Type,
    S_Data_Identifier,
    S_DB_Number,
    S_PLC_Area,
    S_PLC_Add,
    S_PLC_Bit,
    S_PollTime,
    S_OnChange,
    S_OnCMD,
    S_Position,
    S_Bit,
    S_Swap,
    S_SwapWord,
    S_Mnemonic,
    S_Count
};
constexpr std::array<const char*, S_Count> kS7Names = {
    "Enable",          "PLC_Address", "PLC_Port", "PLC_Type", "Rack",     "Slot",     "Data_Type",
    "Data_Identifier", "DB_Number",   "PLC_Area", "PLC_Add",  "PLC_Bit",  "PollTime", "OnChange",
    "OnCMD",           "Position",    "Bit",      "Swap",     "SwapWord", "Mnemonic"};

std::string Too_Many_Rules(const std::string& path, const char* what, int enabled) {
    return File_Error(path, std::to_string(enabled) + " " + what +
                                " are enabled, but the converter holds at most " +
                                std::to_string(Rule_Table_Capacity) + ". Disable or remove " +
                                std::to_string(enabled - Rule_Table_Capacity) + " of them and update again.");
}

void Fill_KNX_Rule(KNX_Rule_Rec& r, const RowAttributes<K_Count>& a, char sep) {
    const char* dst = a[K_Destination_Address];
    const char* bit_mode = a[K_Bit_Mode];

    r.APCI = static_cast<uint16_t>(APCI_Code(a[K_APCI]));
    r.Priority = static_cast<uint8_t>(Priority_Code(a[K_Priority]));
    uint16_t flags = 0;
    const bool group = Is_KNX_Group_Text(dst);
    if (Is_Y_Upper(a[K_Extended])) flags |= knx_flag::Extended;
    if (group) flags |= knx_flag::Group;
    if (Is_Y_Upper(a[K_ReTest])) flags |= knx_flag::ReTest;
    r.Source_Address = KNX_Address_To_Word(a[K_Source_Address], false);
    r.Destination_Address = KNX_Address_To_Word(dst, group);
    if (Is_Y_Upper(a[K_On_Command])) flags |= knx_flag::On_Command;
    if (Is_Y_Upper(a[K_On_Change])) flags |= knx_flag::On_Change;

    // Sending on a timer has no flag: a poll time other than 0 marks it.
    r.Poll_Time = 0;
    if (a.Has(K_On_Timer) && a.Has(K_Poll_Time) && Is_Y_Upper(a[K_On_Timer]))
        r.Poll_Time = static_cast<uint32_t>(Int_Value(a[K_Poll_Time], 1000));

    if (a.Has(K_Format)) flags |= static_cast<uint16_t>(Format_Code(a[K_Format]) & knx_flag::Format_Mask);

    r.Multiplication_Factor = 1.0f;
    const std::string factor = Trim(a[K_MultiplicationFactor]);
    if (!factor.empty()) {
        const RealResult real = Text_To_Real(factor, sep);
        r.Multiplication_Factor = real.ok ? real.value : 1.0f;
    }

    const int64_t position = Int_Value(a[K_Position], 0);
    if (Is_No_Upper(bit_mode)) {
        r.Position = static_cast<uint16_t>(static_cast<uint64_t>(position));
    } else {
        flags |= knx_flag::Bit_Mode;
        const int64_t bit = Int_Value(bit_mode, 0);
        r.Position = static_cast<uint16_t>(static_cast<uint64_t>(position * 8 + bit));
    }
    r.Flags = flags;
    r.Length = static_cast<uint8_t>(Int_Value(a[K_Length], 1));
    r.Time_Out = static_cast<uint32_t>(Int_Value(a[K_TimeOut], 0));
}

void Fill_S7_Rule(S7comm_Rule_Rec& r, const RowAttributes<S_Count>& a, bool write) {
    auto is_y = [&](S7Attr k) { return std::strcmp(a[k], "Y") == 0; };

    const IpBytes ip = IP_Text_To_Bytes(a[S_PLC_Address]);
    r.PLC_Address = ip.error ? 0
                             : (static_cast<uint32_t>(ip.bytes[0]) << 24) |
                                   (static_cast<uint32_t>(ip.bytes[1]) << 16) |
                                   (static_cast<uint32_t>(ip.bytes[2]) << 8) | ip.bytes[3];
    r.Poll_Time = static_cast<uint32_t>(Int_Value(a[S_PollTime], 1000));
    r.PLC_Add = static_cast<uint16_t>(Int_Value(a[S_PLC_Add], 0));
    r.DB_Number = static_cast<uint16_t>(Int_Value(a[S_DB_Number], 0));
    r.PLC_Port = static_cast<uint16_t>(Int_Value(a[S_PLC_Port], 0));
    r.Position = static_cast<uint16_t>(Int_Value(a[S_Position], 0));
    r.Bit = static_cast<uint8_t>(Int_Value(a[S_Bit], 0));
    r.PLC_Type = S7_PLC_Type_Code(a[S_PLC_Type]);
    r.Data_Type = S7_Data_Type_Code(a[S_Data_Type]);
    r.Data_Identifier = S7_Data_Identifier_Code(a[S_Data_Identifier]);
    r.PLC_Bit = static_cast<uint8_t>(Int_Value(a[S_PLC_Bit], 0));
    r.PLC_Area = S7_Area_Code(a[S_PLC_Area]);
    const auto rack = static_cast<uint8_t>(Int_Value(a[S_Rack], 0));
    const auto slot = static_cast<uint8_t>(Int_Value(a[S_Slot], 0));
    r.Rack_Slot = static_cast<uint8_t>(rack * 32 + slot);

    // A read request never looks at OnChange or OnCMD.
    uint8_t flags = write ? s7_flag::Write : 0;
    if (write && is_y(S_OnChange)) flags |= s7_flag::On_Change;
    if (write && is_y(S_OnCMD)) flags |= s7_flag::On_CMD;
    if (is_y(S_Swap)) flags |= s7_flag::Swap;
    if (is_y(S_SwapWord)) flags |= s7_flag::Swap_Word;
    r.Flags = flags;
}

std::string Write_Bank_Pair(const std::string& path1, const std::vector<uint8_t>& data1,
                            const std::string& path2, const std::vector<uint8_t>& data2) {
    namespace fs = std::filesystem;
    std::random_device rd;
    auto temp_beside = [&](const fs::path& target, const char* kind) {
        return target.parent_path() /
               To_Path("." + From_Path(target.filename()) + kind + std::to_string(rd() % 1000000));
    };
    auto remove_quietly = [](const fs::path& p) {
        std::error_code ec;
        fs::remove(p, ec);
    };
    const fs::path target1 = To_Path(path1), target2 = To_Path(path2);
    const fs::path tmp1 = temp_beside(target1, ".tmp"), tmp2 = temp_beside(target2, ".tmp");

    // Phase one: both new banks complete on disk beside the old ones.
    auto write = [](const fs::path& p, const std::vector<uint8_t>& data) {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        out.close();
        return static_cast<bool>(out);
    };
    if (!write(tmp1, data1)) {
        remove_quietly(tmp1);
        return "Cannot write file " + path1 + "; no bank file was changed";
    }
    if (!write(tmp2, data2)) {
        remove_quietly(tmp1);
        remove_quietly(tmp2);
        return "Cannot write file " + path2 + "; no bank file was changed";
    }

    // Phase two: the old bank 1 is set aside until bank 2 is in place, so that
    // a failure to replace bank 2 can put bank 1 back and the pair stays matched.
    std::error_code ec;
    const fs::path old1 = temp_beside(target1, ".old");
    const bool had_old1 = fs::exists(target1, ec);
    if (had_old1) {
        fs::rename(target1, old1, ec);
        if (ec) {
            remove_quietly(tmp1);
            remove_quietly(tmp2);
            return "Cannot replace file " + path1 + ": " + ec.message() + "; no bank file was changed";
        }
    }
    auto restore1 = [&]() {
        std::error_code ec2;
        if (had_old1)
            fs::rename(old1, target1, ec2);
        else
            fs::remove(target1, ec2);
        return !ec2;
    };
    fs::rename(tmp1, target1, ec);
    if (ec) {
        const std::string msg = "Cannot replace file " + path1 + ": " + ec.message();
        remove_quietly(tmp1);
        remove_quietly(tmp2);
        return msg +
               (restore1() ? "; no bank file was changed" : "; the old bank 1 is kept as " + From_Path(old1));
    }
    fs::rename(tmp2, target2, ec);
    if (ec) {
        const std::string msg = "Cannot replace file " + path2 + ": " + ec.message();
        remove_quietly(tmp2);
        if (had_old1) remove_quietly(target1);
        return msg + (restore1()
                          ? "; no bank file was changed"
                          : "; the old bank 1 is kept as " + From_Path(old1) + " and the banks do not match");
    }
    if (had_old1) remove_quietly(old1);
    return {};
}

} // namespace

ImageSources Image_Sources(const ProjectFiles& files) {
    return {files.File_ParGen, files.File_KNX_SetAccess, files.File_S7_Protocol};
}

ImageSources Image_Sources_Of(const std::string& project_path) {
    return {Join_Path(project_path, "ParGen.xml"), Join_Path(project_path, "KNX_SetAccess.xml"),
            Join_Path(project_path, "S7_Protocol.xml")};
}

void ImageWorkspace::Reset() {
    Settings.fill(0);
    uint8_t* s = Settings.data();
    Put_U32(s + bank1::Fixed_Word_0, 250000);
    Put_U32(s + bank1::Fixed_Word_1, 250000);
    Put_U32(s + bank1::Fixed_Word_2, 0);
    Put_U32(s + bank1::Fixed_Word_3, 9600);
    const uint8_t ip[4] = {192, 168, 2, 205}, mask[4] = {255, 255, 255, 0}, gw[4] = {255, 255, 255, 255};
    std::memcpy(s + bank1::IP_Address, ip, 4);
    std::memcpy(s + bank1::Subnet_Mask, mask, 4);
    std::memcpy(s + bank1::Gateway, gw, 4);
    Put_U16(s + bank1::Fixed_Port_0, 10000);
    Put_U16(s + bank1::Fixed_Port_1, 10001);
    Put_U16(s + bank1::Fixed_Port_2, 10001);
    std::memset(s + bank1::Fixed_Bytes, 8, 8);
    KNX_Rules.fill(KNX_Rule_Rec{});
    S7_Rules.fill(S7comm_Rule_Rec{});
}

uint16_t KNX_Device_Address_To_Word(std::string_view text) {
    if (text.find('.') == std::string_view::npos) return static_cast<uint16_t>(Int_Value(text, 4372));
    const SplitText a = Split_First(text, '.');
    std::string two, three;
    const SplitText b = Split_First(a.rest, '.');
    if (b.found) {
        two = b.first;
        three = b.rest;
    } else {
        three = a.rest;
    }
    const int64_t v = static_cast<int64_t>(Int_Value(a.first, 1)) * 4096 +
                      static_cast<int64_t>(Int_Value(two, 1)) * 256 + Int_Value(three, 20);
    return static_cast<uint16_t>(static_cast<uint64_t>(v));
}

uint16_t KNX_Address_To_Word(std::string_view text, bool group_mode) {
    const std::string t = Trim(text);
    const char sep = group_mode ? '/' : '.';
    if (t.find(sep) == std::string::npos) return static_cast<uint16_t>(Int_Value(t, 0));
    const SplitText a = Split_First(t, sep);
    const SplitText b = Split_First(a.rest, sep);
    const auto one = static_cast<uint32_t>(Int_Value(a.first, 0));
    if (!group_mode) {
        // area.line.device; with a single "." the line part is empty.
        const auto line = static_cast<uint32_t>(b.found ? Int_Value(b.first, 0) : 0);
        const auto device = static_cast<uint32_t>(Int_Value(b.found ? b.rest : a.rest, 0));
        return static_cast<uint16_t>((one & 0x0F) * 4096 + (line & 0x0F) * 256 + (device & 0xFF));
    }
    if (!b.found) {
        const auto sub = static_cast<uint32_t>(Int_Value(a.rest, 0));
        return static_cast<uint16_t>((one & 0x1F) * 2048 + (sub & 0x07FF));
    }
    const auto middle = static_cast<uint32_t>(Int_Value(b.first, 0));
    const auto sub = static_cast<uint32_t>(Int_Value(b.rest, 0));
    return static_cast<uint16_t>((one & 0x1F) * 2048 + (middle & 0x07) * 256 + (sub & 0xFF));
}

// An unknown name reads as the first of its list ("S7200", "Bit", "OB",
// direct peripheral access).
uint8_t S7_PLC_Type_Code(std::string_view t) { return Code_Of(S7_PLC_Types, t, 0); }
uint8_t S7_Data_Type_Code(std::string_view t) { return Code_Of(S7_Data_Types, t, 1); }
uint8_t S7_Data_Identifier_Code(std::string_view t) { return Code_Of(S7_Data_Identifiers, t, 8); }
uint8_t S7_Area_Code(std::string_view t) { return Code_Of(S7_Areas, t, 0x80); }

std::string Compile_ParGen_Bank(ImageWorkspace& ws, const std::string& path) {
    XmlFile f;
    if (std::string err = Load_Xml(path, f); !err.empty()) return err;
    if (f.missing) return {};
    // Compiling the defaults in place of a file the user edited would send
    // wrong network settings to the device.
    if (std::string err = Root_Element_Error(f.doc); !err.empty()) return File_Error(path, err);
    const pugi::xml_node root = First_Node(f.doc);
    uint8_t* s = ws.Settings.data();

    std::memset(s + bank1::Version, 0, bank1::Version_Size);
    std::memcpy(s + bank1::Version, Image_Version_Text, std::strlen(Image_Version_Text));

    // Device name: at most 31 characters, so a zero byte always ends it.
    std::memset(s + bank1::Device_Name, 0, bank1::Device_Name_Size);
    if (auto name = Plain_Text(root, "Eth_Conn_Device_Name")) {
        const auto units = Utf16_Units(*name, bank1::Device_Name_Size - 1);
        for (size_t i = 0; i < units.size(); ++i) s[bank1::Device_Name + i] = static_cast<uint8_t>(units[i]);
    }

    uint16_t dhcp = 0;
    if (Is_One(Plain_Text(root, "Eth_Conn_DHCP_Cable"))) dhcp |= bank1::DHCP_Cable;
    if (Is_One(Plain_Text(root, "Eth_Conn_DHCP_WiFi"))) dhcp |= bank1::DHCP_WiFi;
    Put_U16(s + bank1::DHCP_Flags, dhcp);

    auto bytes_of = [&](const char* prefix, const int(&defaults)[4], uint8_t* out) {
        for (int i = 0; i < 4; ++i) {
            const std::string name = prefix + std::to_string(i + 1);
            const auto t = Plain_Text(root, name.c_str());
            out[i] = static_cast<uint8_t>(t ? Int_Value(*t, defaults[i]) : defaults[i]);
        }
    };
    if (Is_One(Plain_Text(root, "Eth_Conn_Enable_DNS"))) {
        bytes_of("Eth_Conn_Primary_DNS", {8, 8, 8, 8}, s + bank1::Primary_DNS);
        bytes_of("Eth_Conn_Secondary_DNS", {8, 8, 4, 4}, s + bank1::Secondary_DNS);
    }
    bytes_of("S7_Protocol_IP", {192, 168, 0, 10}, s + bank1::IP_Address);
    bytes_of("S7_Protocol_SM", {255, 255, 255, 0}, s + bank1::Subnet_Mask);
    bytes_of("S7_Protocol_GAT", {192, 168, 0, 1}, s + bank1::Gateway);
    if (!Is_One(Plain_Text(root, "S7_Protocol_EN_GAT"))) std::memset(s + bank1::Gateway, 255, 4);

    // KNX_TYPE has no field in the image.
    const auto dev = Plain_Text(root, "KNX_ID_DEV");
    Put_U16(s + bank1::KNX_Device_Address, dev ? KNX_Device_Address_To_Word(*dev) : 0x11C8);
    return {};
}

std::string Compile_KNX_Rules(ImageWorkspace& ws, const std::string& path, char decimal_separator) {
    uint8_t* s = ws.Settings.data();
    Put_U32(s + bank1::KNX_Count_2, 0);
    Put_U32(s + bank1::KNX_Count, 0);
    XmlFile f;
    if (std::string err = Load_Xml(path, f); !err.empty()) return err;
    if (f.missing) return {};
    const pugi::xml_node list = First_Node(f.doc).child("KNX_in_Write");
    if (!list) return File_Error(path, "the list KNX_in_Write is missing");

    int n = 0, enabled = 0, row_no = 0;
    RowAttributes<K_Count> attrs(kKNXNames);
    for (pugi::xml_node row = list.first_child(); row; row = row.next_sibling()) {
        if (row.type() != pugi::node_element) continue;
        ++row_no;
        attrs.Read(row);
        // A row without Enable counts as enabled.
        if (attrs.Has(K_Enable) && !Is_Y_Trimmed_Upper(attrs[K_Enable])) continue;
        ++enabled;
        if (n >= Rule_Table_Capacity) continue;  // only counted, for the message below
        for (const KNXAttr k : kKNXRequired)
            if (!attrs.Has(k))
                return File_Error(path,
                                  "row " + std::to_string(row_no) + " has no attribute " + attrs.Name(k));
        Fill_KNX_Rule(ws.KNX_Rules[static_cast<size_t>(n)], attrs, decimal_separator);
        ++n;
    }
    if (enabled > Rule_Table_Capacity) return Too_Many_Rules(path, "KNX rules", enabled);
    Put_U32(s + bank1::KNX_Count, static_cast<uint32_t>(n));
    return {};
}

std::string Compile_S7_Rules(ImageWorkspace& ws, const std::string& path, int& count) {
    count = 0;
    XmlFile f;
    if (std::string err = Load_Xml(path, f); !err.empty()) return err;
    if (f.missing) return {};
    const pugi::xml_node root = First_Node(f.doc);
    const pugi::xml_node lists[2] = {root.child("S7_Protocol_Read"), root.child("S7_Protocol_Write")};
    if (!lists[0]) return File_Error(path, "the list S7_Protocol_Read is missing");
    if (!lists[1]) return File_Error(path, "the list S7_Protocol_Write is missing");

    int n = 0, enabled = 0;
    RowAttributes<S_Count> attrs(kS7Names);
    for (int k = 0; k < 2; ++k) {
        for (pugi::xml_node row = lists[k].first_child(); row; row = row.next_sibling()) {
            if (row.type() != pugi::node_element) continue;
            attrs.Read(row);
            if (std::strcmp(attrs[S_Enable], "Y") != 0) continue;
            ++enabled;
            if (n >= Rule_Table_Capacity) continue;
            Fill_S7_Rule(ws.S7_Rules[static_cast<size_t>(n)], attrs, k == 1);
            ++n;
        }
    }
    if (enabled > Rule_Table_Capacity) return Too_Many_Rules(path, "S7comm requests", enabled);
    count = n;
    return {};
}

ConfigImage Build_Banks(ImageWorkspace& ws) {
    ConfigImage img;
    Put_U32(ws.Settings.data() + bank1::Checksum, Bank1_Checksum(ws.Settings.data()));
    img.Bank1_Image.assign(ws.Settings.begin(), ws.Settings.end());
    img.Bank2_Image.assign(Bank2_Size, 0);
    uint8_t* out = img.Bank2_Image.data();
    for (const KNX_Rule_Rec& r : ws.KNX_Rules) {
        Serialise_KNX_Rule(r, out);
        out += KNX_Rule_Size;
    }
    for (const S7comm_Rule_Rec& r : ws.S7_Rules) {
        Serialise_S7_Rule(r, out);
        out += S7_Rule_Size;
    }
    return img;
}

CompileResult Compile_Bin(const ImageSources& sources, char decimal_separator) {
    CompileResult res;
    auto ws = std::make_unique<ImageWorkspace>();
    ws->Reset();
    res.Error = Compile_ParGen_Bank(*ws, sources.File_ParGen);
    if (!res.Ok()) return res;
    uint8_t* s = ws->Settings.data();
    Put_U32(s + bank1::S7_Table, S7_Table_Address);
    Put_U32(s + bank1::KNX_Table, KNX_Table_Address);
    Put_U32(s + bank1::KNX_Table_Copy, KNX_Table_Address);
    res.Error = Compile_KNX_Rules(*ws, sources.File_KNX_SetAccess, decimal_separator);
    if (!res.Ok()) return res;
    int s7_count = 0;
    res.Error = Compile_S7_Rules(*ws, sources.File_S7_Protocol, s7_count);
    if (!res.Ok()) return res;
    Put_U32(s + bank1::S7_Count, static_cast<uint32_t>(s7_count));
    res.KNX_Count = static_cast<int>(Get_U32(s + bank1::KNX_Count));
    res.S7_Count = s7_count;
    res.Image = Build_Banks(*ws);
    return res;
}

CompileResult Compile_Bin(const ImageSources& sources) { return Compile_Bin(sources, Decimal_Separator()); }

std::string Bank1_Path(const std::string& project_path) {
    return Join_Path(Join_Path(project_path, "bin"), "bank1.bin");
}
std::string Bank2_Path(const std::string& project_path) {
    return Join_Path(Join_Path(project_path, "bin"), "bank2.bin");
}

std::string Save_Bin(const ConfigImage& image, const std::string& project_path, bool create_bin_folder) {
    if (image.Bank1_Image.size() != Bank1_Size || image.Bank2_Image.size() != Bank2_Size)
        return "The configuration image is incomplete; no bank file was written";
    const std::string bin = Join_Path(project_path, "bin");
    if (!Is_Directory(bin)) {
        if (!create_bin_folder) return "The folder " + bin + " does not exist; no bank file was written";
        std::error_code ec;
        std::filesystem::create_directories(To_Path(bin), ec);
        if (ec || !Is_Directory(bin))
            return "Cannot create the folder " + bin + (ec ? ": " + ec.message() : "");
    }
    return Write_Bank_Pair(Bank1_Path(project_path), image.Bank1_Image, Bank2_Path(project_path),
                           image.Bank2_Image);
}

} // namespace ks
