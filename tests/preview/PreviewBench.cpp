// Times the installed-fonts tree fill and the proof sheet of all fonts at growing sizes
// (run by scripts/bench-preview.sh; not a test). Usage:
//   preview_bench.exe [runs] [size...]
// QL_BENCH_FACES=n cycles the sheet through n faces only; QL_BENCH_SHEETS_ONLY=1 times the
// sheets written as RTF streams alone; QL_BENCH_VERBOSE=1 prints every run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "preview/frmViewer.h"
#include "shell/frmFonts.h"
#include "shell/frmMain.h"

namespace {

double Seconds()
{
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

template <class F>
double Median(int runs, F once)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        t.push_back(once());
        if (std::getenv("QL_BENCH_VERBOSE"))
            std::printf("  run %d: %.1f ms\n", i + 1, t.back() * 1000);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

int CALLBACK CollectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM out)
{
    if (lf->lfFaceName[0] != '@' && (type & TRUETYPE_FONTTYPE))
        reinterpret_cast<std::set<std::string>*>(out)->insert(lf->lfFaceName);
    return 1;
}

// The TrueType faces the system draws with.
std::vector<std::string> InstalledFaces()
{
    std::set<std::string> faces;
    HDC dc = GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &lf, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, dc);
    return {faces.begin(), faces.end()};
}

// n records with names of their own; with faces, each record's face cycles through them
// so every sample line is drawn in a real font.
std::shared_ptr<qlFonts> Collection(int n, const std::vector<std::string>& faces)
{
    auto fonts = std::make_shared<qlFonts>();
    char name[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(name, sizeof name, "Synthetic Face %05d", i);
        auto f = fonts->Add(name, 0, "", "TrueType", true, "synthetic.ttf");
        if (f && !faces.empty())
            f->FaceName(faces[static_cast<size_t>(i) % faces.size()]);
    }
    return fonts;
}

}  // namespace

int main(int argc, char** argv)
{
    OleInitialize(nullptr);
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 5000, 10000};

    modMain::FontModel = std::make_shared<qlMain>();
    qlDisplay& d = *modMain::FontModel->Display();
    d.FontName("Arial");
    d.Text("The quick brown fox jumps over the lazy dog");
    d.DisplaySizes("8,10,16,24,36");
    d.Style(1);
    d.FontSize(14);
    d.ForeColor(0);
    d.BackColor(0xFFFFFF);
    modMain::FontModel->Fonts(std::make_shared<qlFonts>());

    frmMain& main = *Forms::frmMain;
    main.Show();
    Pump();
    frmFonts& tree = *Forms::frmFonts;
    frmViewer& viewer = *Forms::frmViewer;
    std::vector<std::string> faces = InstalledFaces();
    // QL_BENCH_FACES=n cycles through the first n faces only.
    if (const char* limit = std::getenv("QL_BENCH_FACES"); limit && std::atoi(limit) > 0)
        faces.resize(std::min(faces.size(), static_cast<size_t>(std::atoi(limit))));
    const bool sheetsOnly = std::getenv("QL_BENCH_SHEETS_ONLY") != nullptr;
    std::printf("installed TrueType faces to cycle through: %zu; median of %d runs\n", faces.size(), runs);

    std::vector<double> sheetTimes[2];
    for (int n : sizes) {
        modMain::FontModel->Fonts(Collection(n, {}));
        if (!sheetsOnly) {
        double fill = Median(runs, [&] {
            tree.tvFonts.Clear();
            double t0 = Seconds();
            tree.LoadFonts();
            return Seconds() - t0;
        });
        double refill = Median(runs, [&] {
            double t0 = Seconds();
            tree.LoadFonts();
            return Seconds() - t0;
        });
        std::printf("tree fill    %6d faces: %8.1f ms into an empty tree, %8.1f ms replacing a full one\n", n,
                    fill * 1000, refill * 1000);
        std::fflush(stdout);
        }

        modMain::FontModel->Fonts(Collection(n, faces));
        for (PageWriting how : {PageWriting::LineByLine, PageWriting::RtfStreams}) {
            if (sheetsOnly && how == PageWriting::LineByLine)
                continue;
            frmViewer::SetPageWriting(how);
            double sheet = Median(runs, [&] {
                double t0 = Seconds();
                viewer.ShowProofSheet();
                UpdateWindow(viewer.rtbFonts.Window());
                return Seconds() - t0;
            });
            sheetTimes[how == PageWriting::RtfStreams].push_back(sheet);
            std::printf("proof sheet  %6d fonts: %8.1f ms %s\n", n, sheet * 1000,
                        how == PageWriting::RtfStreams ? "(RTF streams of 40 fonts)" : "(line by line, drawing off)");
            std::fflush(stdout);
        }
        // A single font right after the sheet: what the next click in the tree costs.
        d.CurrentView(1);
        double single = Median(runs, [&] {
            double t0 = Seconds();
            viewer.UpdateDisplay(faces.empty() ? std::string("Arial") : faces.front());
            UpdateWindow(viewer.rtbFonts.Window());
            return Seconds() - t0;
        });
        std::printf("one font after that sheet: %8.1f ms\n", single * 1000);
        Pump();
    }
    if (sizes.size() > 1) {
        for (int k = 0; k < 2; ++k)
            if (!sheetTimes[k].empty())
            std::printf("proof sheet %s: %d/%d ratio %.2f\n", k ? "RTF streams " : "line by line", sizes.back(),
                        sizes.front(), sheetTimes[k].back() / sheetTimes[k].front());
    }
    main.Unload(platform::forms::vbFormCode);
    Pump();
    OleUninitialize();
    return 0;
}
