// Opening the access dialogs on full tables until the grid is painted, and
// OK (validate and save) on the same tables. Targets: open < 150 ms,
// OK < 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <chrono>
#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "core/messages.h"
#include "tables/knx_table.h"
#include "tables/s7_table.h"
#include "tables/ui/knx_access_dialog.h"
#include "tables/ui/s7_access_dialog.h"
#include "core/text_util.h"

using namespace ks;

namespace {

using Clock = std::chrono::steady_clock;

QApplication& App() {
    static int argc = 1;
    static char name[] = "dialogs_ui_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

class Silent : public Messages {
public:
    void Error(const std::string&) override { ++errors; }
    void Info(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
    int errors = 0;
};

KNX_Access_Row Rule(int n) {
    KNX_Access_Row r;
    r.Source_Address = "1.1." + std::to_string(n % 256);
    r.Destination_Address = std::to_string(n % 32) + "/" + std::to_string(n % 8) + "/" + std::to_string(1 + n % 255);
    r.APCI = "Write";
    r.Priority = "Normal";
    r.Format = "Swap16";
    r.MultiplicationFactor = "0.5";
    r.Extended = "N";
    r.ReTest = "N";
    r.On_Command = "Y";
    r.On_Change = "Y";
    r.On_Timer = "Y";
    r.Poll_Time = "1000";
    r.Position = std::to_string(n % 1400);
    r.Bit_Mode = "No";
    r.Length = "4";
    r.TimeOut = "5000";
    r.Mnemonic = "Heating valve " + std::to_string(n);
    return r;
}

S7_Access_Row Request(int n, bool write) {
    S7_Access_Row r;
    r.PLC_Address = "192.168.1." + std::to_string(10 + n % 10);
    r.PLC_Port = "102";
    r.PLC_Type = "S71500";
    r.Rack = "0";
    r.Slot = "1";
    r.Data_Type = "DWord";
    r.Data_Identifier = "DB";
    r.DB_Number = std::to_string(n);
    r.PLC_Area = "Flags (M) (Merker)";
    r.PLC_Add = std::to_string(n * 4);
    r.PLC_Bit = "0";
    r.PollTime = "500";
    if (write) {
        r.OnChange = "Y";
        r.OnCMD = "N";
    }
    r.Position = std::to_string(n % 1496);
    r.Bit = "0";
    r.Swap = "N";
    r.SwapWord = "Y";
    r.Mnemonic = "Line " + std::to_string(n);
    return r;
}

// A project folder of its own, removed afterwards.
struct TempProject {
    std::filesystem::path path;
    TempProject()
        : path(std::filesystem::temp_directory_path() /
               ("keystrel-bench-" + std::to_string(Clock::now().time_since_epoch().count()))) {
        std::filesystem::create_directories(path);
    }
    ~TempProject() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

struct Fixture {
    TempProject dir;
    AppState st;
    Silent msg;
    Fixture() {
        App();
        st.Text_Table.Load_Default_Texts();
        st.Project_Path = From_Path(dir.path);
        st.Files.File_KNX_SetAccess = Join_Path(st.Project_Path, "KNX_SetAccess.xml");
        st.Files.File_S7_Protocol = Join_Path(st.Project_Path, "S7_Protocol.xml");
        KNX_Access_Table k;
        for (int i = 0; i < KNX_Rows; ++i) k.KNX_in_Write[i] = Rule(i + 1);
        Save_KNX_SetAccess(st.Files.File_KNX_SetAccess, k);
        S7_Access_Table s;
        for (int i = 0; i < S7_Rows; ++i) {
            s.S7_Protocol_Read[i] = Request(i + 1, false);
            s.S7_Protocol_Write[i] = Request(i + 1, true);
        }
        Save_S7_Protocol(st.Files.File_S7_Protocol, s);
    }
};

// Shows the dialog and returns the time until its grid has been painted. The
// grid is asked for after the showing: the dialog builds it on first showing.
template <class Dialog>
double Open_Seconds(Dialog& d, GridView* Dialog::*grid) {
    const auto t0 = Clock::now();
    d.show();
    QApplication::processEvents();
    (d.*grid)->viewport()->repaint();
    const auto t1 = Clock::now();
    return std::chrono::duration<double>(t1 - t0).count();
}

void BM_Open_KNX_1024(benchmark::State& state) {
    Fixture f;
    TFKNXAccess d(f.st, f.msg);  // created once at program start, not part of opening
    for (auto _ : state) {
        state.SetIterationTime(Open_Seconds(d, &TFKNXAccess::ACG_KNX_in_Write));
        d.hide();
        QApplication::processEvents();
    }
    if (d.ACG_KNX_in_Write->Table().Cell(18, 1024) != "Heating valve 1024") state.SkipWithError("not loaded");
}
BENCHMARK(BM_Open_KNX_1024)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_Open_S7_2x512(benchmark::State& state) {
    Fixture f;
    TFS7_Protocol_Set_Access d(f.st, f.msg);
    for (auto _ : state) {
        state.SetIterationTime(Open_Seconds(d, &TFS7_Protocol_Set_Access::ACG_S7_Read));
        d.hide();
        QApplication::processEvents();
    }
    if (d.ACG_S7_Write->Table().Cell(20, 512) != "Line 512") state.SkipWithError("not loaded");
}
BENCHMARK(BM_Open_S7_2x512)->UseManualTime()->Unit(benchmark::kMillisecond);

// One page of the full KNX grid scrolled and painted: smooth scrolling needs
// this well under a frame (16 ms).
void BM_Scroll_KNX_Page(benchmark::State& state) {
    Fixture f;
    TFKNXAccess d(f.st, f.msg);
    d.show();
    QApplication::processEvents();
    QScrollBar* bar = d.ACG_KNX_in_Write->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        d.ACG_KNX_in_Write->viewport()->repaint();
    }
}
BENCHMARK(BM_Scroll_KNX_Page)->Unit(benchmark::kMillisecond);

template <class Dialog>
void Ok_Loop(benchmark::State& state, Dialog& d, Silent& msg) {
    for (auto _ : state) {
        d.show();
        QApplication::processEvents();
        const auto t0 = Clock::now();
        d.Btn_OKClick();
        const auto t1 = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        if (d.isVisible() || msg.errors) {
            state.SkipWithError("OK did not validate and close");
            break;
        }
    }
}

void BM_OK_KNX_1024(benchmark::State& state) {
    Fixture f;
    TFKNXAccess d(f.st, f.msg);
    Ok_Loop(state, d, f.msg);
}
BENCHMARK(BM_OK_KNX_1024)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_OK_S7_2x512(benchmark::State& state) {
    Fixture f;
    TFS7_Protocol_Set_Access d(f.st, f.msg);
    Ok_Loop(state, d, f.msg);
}
BENCHMARK(BM_OK_S7_2x512)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
