// Compiling a full project against only parsing its three files: the
// compiler should cost at most twice the bare parse and stay under 10 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <pugixml.hpp>

#include "core/text_util.h"
#include "core/xml_util.h"
#include "image/config_image.h"

namespace {

namespace fs = std::filesystem;

std::string Attr(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + value + "\"";
}

// 1024 KNX rules, 512 + 512 S7comm requests and every setting in use, written
// the way the program writes its files.
class FullProject {
public:
    FullProject() {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("keystrel-image-bench-" + std::to_string(rd()));
        fs::create_directories(dir_ / "bin");

        std::string par = "<Par_Gen>";
        auto el = [&](const std::string& n, const std::string& v) {
            par += "<" + n + ">" + v + "</" + n + ">";
        };
        const char* ip[] = {"192", "168", "10", "20"};
        for (int i = 0; i < 4; ++i) el("S7_Protocol_IP" + std::to_string(i + 1), ip[i]);
        const char* sm[] = {"255", "255", "255", "0"};
        for (int i = 0; i < 4; ++i) el("S7_Protocol_SM" + std::to_string(i + 1), sm[i]);
        const char* gw[] = {"192", "168", "10", "1"};
        for (int i = 0; i < 4; ++i) el("S7_Protocol_GAT" + std::to_string(i + 1), gw[i]);
        el("S7_Protocol_EN_GAT", "1");
        el("Eth_Conn_Device_Name", "plant-converter-hall-7");
        el("Eth_Conn_DHCP_Cable", "1");
        el("Eth_Conn_DHCP_WiFi", "0");
        el("Eth_Conn_Enable_DNS", "1");
        for (int i = 0; i < 4; ++i) el("Eth_Conn_Primary_DNS" + std::to_string(i + 1), "8");
        for (int i = 0; i < 4; ++i) el("Eth_Conn_Secondary_DNS" + std::to_string(i + 1), i < 2 ? "8" : "4");
        el("KNX_TYPE", "0");
        el("KNX_ID_DEV", "1.1.200");
        par += "</Par_Gen><!--SW_VERSION = 1.001-->";
        Write("ParGen.xml", par);

        std::string knx = "<BACnet_to_KNX><KNX_in_Write>";
        for (int i = 0; i < ks::Rule_Table_Capacity; ++i) {
            const bool bits = i % 3 == 0;
            knx += "<row" + Attr("Enable", "Y") + Attr("Source_Address", "1.1." + std::to_string(i % 256)) +
                   Attr("Destination_Address", std::to_string(i % 32) + "/" + std::to_string(i % 8) + "/" +
                                                   std::to_string(i % 256)) +
                   Attr("APCI", i % 2 ? "Write" : "Read") + Attr("Priority", "Low") +
                   Attr("Format", i % 2 ? "Swap16" : "Float16 to Int * 10") +
                   Attr("MultiplicationFactor", i % 4 ? "" : "0,5") + Attr("Extended", "N") +
                   Attr("ReTest", "N") + Attr("On_Command", "N") + Attr("On_Change", "Y") +
                   Attr("On_Timer", "Y") + Attr("Poll_Time", "2000") +
                   Attr("Position", std::to_string(i % 1400)) + Attr("Bit_Mode", bits ? "3" : "No") +
                   Attr("Length", bits ? "4" : "2") + Attr("TimeOut", "0") +
                   Attr("Mnemonic", "Rule " + std::to_string(i)) + "/>";
        }
        knx += "</KNX_in_Write></BACnet_to_KNX><!--SW_VERSION = 1.001-->";
        Write("KNX_SetAccess.xml", knx);

        auto s7_row = [](int i, bool write) {
            std::string r =
                "<row" + Attr("Enable", "Y") + Attr("PLC_Address", "192.168.1." + std::to_string(i % 10)) +
                Attr("PLC_Port", "102") + Attr("PLC_Type", "S71500") + Attr("Rack", "0") + Attr("Slot", "1") +
                Attr("Data_Type", "Word") + Attr("Data_Identifier", "DB") +
                Attr("DB_Number", std::to_string(i % 100)) + Attr("PLC_Area", "Flags (M) (Merker)") +
                Attr("PLC_Add", std::to_string(i * 2)) + Attr("PLC_Bit", "0") + Attr("PollTime", "500");
            if (write) r += Attr("OnChange", "Y") + Attr("OnCMD", "N");
            return r + Attr("Position", std::to_string(i % 1500)) + Attr("Bit", "0") + Attr("Swap", "Y") +
                   Attr("SwapWord", "N") + Attr("Mnemonic", "Request " + std::to_string(i)) + "/>";
        };
        std::string s7 = "<S7_Protocol><S7_Protocol_Read>";
        for (int i = 0; i < 512; ++i) s7 += s7_row(i, false);
        s7 += "</S7_Protocol_Read><S7_Protocol_Write>";
        for (int i = 0; i < 512; ++i) s7 += s7_row(i, true);
        s7 += "</S7_Protocol_Write></S7_Protocol><!--SW_VERSION = 1.003-->";
        Write("S7_Protocol.xml", s7);
    }
    ~FullProject() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Path() const { return dir_.string(); }

private:
    void Write(const char* name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    fs::path dir_;
};

const FullProject& Project() {
    static const FullProject p;
    return p;
}

void BM_Compile_Full_Project(benchmark::State& state) {
    const ks::ImageSources src = ks::Image_Sources_Of(Project().Path());
    for (auto _ : state) {
        ks::CompileResult r = ks::Compile_Bin(src, '.');
        if (!r.Ok() || r.KNX_Count != 1024 || r.S7_Count != 1024) {
            state.SkipWithError(("compilation failed: " + r.Error).c_str());
            break;
        }
        benchmark::DoNotOptimize(r.Image.Bank2_Image.data());
    }
}
BENCHMARK(BM_Compile_Full_Project)->Unit(benchmark::kMillisecond);

// The same three files only read and parsed.
void BM_Parse_Only(benchmark::State& state) {
    const ks::ImageSources src = ks::Image_Sources_Of(Project().Path());
    const std::string files[] = {src.File_ParGen, src.File_KNX_SetAccess, src.File_S7_Protocol};
    for (auto _ : state) {
        for (const std::string& f : files) {
            pugi::xml_document doc;
            const pugi::xml_parse_result r = doc.load_file(f.c_str(), ks::Parse_Options());
            if (!r) state.SkipWithError("parse failed");
            benchmark::DoNotOptimize(doc.first_child());
        }
    }
}
BENCHMARK(BM_Parse_Only)->Unit(benchmark::kMillisecond);

// Compile and write both bank files, as the update step does.
void BM_Compile_And_Save(benchmark::State& state) {
    const ks::ImageSources src = ks::Image_Sources_Of(Project().Path());
    for (auto _ : state) {
        const ks::CompileResult r = ks::Compile_Bin(src, '.');
        const std::string err = ks::Save_Bin(r.Image, Project().Path());
        if (!err.empty()) {
            state.SkipWithError(err.c_str());
            break;
        }
    }
}
BENCHMARK(BM_Compile_And_Save)->Unit(benchmark::kMillisecond);

} // namespace
