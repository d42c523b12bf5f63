// Start-up cost of the program against a bare Qt program.
//
// Each iteration starts a fresh process (this program again, in a child
// mode) with the offscreen platform and waits for it to end; the child ends
// as soon as its window is on screen. "Program" builds the main window with
// the whole start-up and every dialog; "BareQt" shows one empty window. The
// ratio of the two is the start-up overhead of Keystrel itself. The two
// in-process benchmarks show the same work without process creation.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef __unix__
#include <sys/resource.h>
#endif

#include "app/app_state.h"
#include "app/ui/error_report.h"
#include "app/ui/main_window.h"
#include "app/ui/qt_messages.h"

namespace {

QString Self_Path;
QString Program_Dir;

void Wait_Exposed(QWidget& w) {
    while (!(w.windowHandle() && w.windowHandle()->isExposed())) QApplication::processEvents();
}

int Child_Program(int argc, char** argv, const char* dir) {
    ks::KsApplication app(argc, argv);
    ks::AppState st;
    ks::QtMessages msg;
    ks::TFKeystrelFirmWare w(st, msg, dir);
    msg.Set_Parent(&w);
    w.Create_Dialogs();
    w.show();
    Wait_Exposed(w);
    std::_Exit(0);
}

int Child_Bare(int argc, char** argv, bool with_text) {
    QApplication app(argc, argv);
    QWidget w;
    w.resize(694, 440);
    if (with_text) new QLabel(QStringLiteral("Keystrel"), &w);
    w.show();
    Wait_Exposed(w);
    std::_Exit(0);
}

// Processor time used by ended child processes so far, in milliseconds
// (steadier than wall time on a busy machine).
double Children_Cpu_Ms() {
#ifdef __unix__
    rusage ru{};
    getrusage(RUSAGE_CHILDREN, &ru);
    return (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;
#else
    return 0;
#endif
}

void Run_Child(benchmark::State& state, const QStringList& args) {
    const double cpu0 = Children_Cpu_Ms();
    for (auto _ : state) {
        const int rc = QProcess::execute(Self_Path, args);
        if (rc != 0) {
            state.SkipWithError("child failed");
            break;
        }
    }
    state.counters["child_cpu_ms"] =
        benchmark::Counter(Children_Cpu_Ms() - cpu0, benchmark::Counter::kAvgIterations);
}

void BM_Process_Program(benchmark::State& state) {
    Run_Child(state, {QStringLiteral("--child-program"), Program_Dir});
}
void BM_Process_BareQt(benchmark::State& state) { Run_Child(state, {QStringLiteral("--child-bare")}); }
// The same empty window with one line of text: the cost of the font system,
// which any window with text pays once.
void BM_Process_BareQtText(benchmark::State& state) { Run_Child(state, {QStringLiteral("--child-bare-text")}); }

void BM_InProcess_Program(benchmark::State& state) {
    for (auto _ : state) {
        ks::AppState st;
        ks::QtMessages msg;
        ks::TFKeystrelFirmWare w(st, msg, Program_Dir.toStdString());
        w.Create_Dialogs();
        w.show();
        Wait_Exposed(w);
    }
}

void BM_InProcess_BareQt(benchmark::State& state) {
    for (auto _ : state) {
        QWidget w;
        w.resize(694, 440);
        w.show();
        Wait_Exposed(w);
    }
}

} // namespace

BENCHMARK(BM_Process_BareQt)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Process_BareQtText)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Process_Program)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_InProcess_BareQt)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_InProcess_Program)->Unit(benchmark::kMicrosecond)->UseRealTime();

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 3 && std::strcmp(argv[1], "--child-program") == 0) return Child_Program(argc, argv, argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "--child-bare") == 0) return Child_Bare(argc, argv, false);
    if (argc >= 2 && std::strcmp(argv[1], "--child-bare-text") == 0) return Child_Bare(argc, argv, true);

    QApplication app(argc, argv);
    Self_Path = QApplication::applicationFilePath();
    QTemporaryDir dir;
    Program_Dir = QDir::toNativeSeparators(dir.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
