// How quickly the Windows program's plan view draws, pans and zooms 100,000
// points: each frame drawn into the view's bitmap and copied to its window,
// as WM_PAINT does, on the points and the canvas size of bench_plan (the Qt
// view), so that the two can be set side by side. Run under wine on a
// display (Xvfb will do).
// Usage: bench_plan_win FOLDER [POINTS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench/bench_data.h"
#include "conversion/driver.h"
#include "conversion/prompts.h"
#include "win/plan_view.h"

using namespace tervan;

namespace {

constexpr int kWidth = 1000, kHeight = 700;
constexpr int kFrames = 60;

double millisecondsOf(const std::function<void()>& work, int times = 1) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < times; ++i) work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / times;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    const long points = argc > 2 ? std::atol(argv[2]) : 100000;
    const std::string input = folder + "/leica_plan.txt";
    bench::generateScatteredLeica(input, points);
    Session session = bench::sessionWithoutOutputs("Leica1200");
    FixedPrompts prompts;
    convert(session, input, prompts);
    desk::Plan plan(session);
    plan.load();

    HWND window = CreateWindowExW(0, L"STATIC", L"plan", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kWidth + 40,
                                  kHeight + 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    win::PlanView view;
    view.create(window, plan, [](std::size_t) {}, 100);
    SetWindowPos(view.canvas(), nullptr, 0, 0, kWidth, kHeight, SWP_NOZORDER);
    RECT client{};
    GetClientRect(view.canvas(), &client);
    plan.resize(client.right, client.bottom);
    plan.fit();
    auto frame = [&] { RedrawWindow(view.canvas(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);

    const std::size_t shown = plan.visible().size();
    const double first = millisecondsOf(frame);
    const double pan = millisecondsOf(
        [&] {
            plan.pan(5, 3);
            frame();
        },
        kFrames);
    const double zoom = millisecondsOf(
        [&] {
            plan.zoom({kWidth / 2.0, kHeight / 2.0}, 1.05);
            frame();
        },
        kFrames / 3);
    const double drawn = millisecondsOf([&] { view.render(); }, kFrames);
    std::printf("plan view (GDI), %zu points, %zu drawn, canvas %ldx%ld\n", plan.items().size(), shown, client.right,
                client.bottom);
    std::printf("  first frame %7.1f ms   pan %7.2f ms/frame (%6.1f fps)   zoom %7.2f ms/frame   bitmap only %7.2f ms\n",
                first, pan, 1000 / pan, zoom, drawn);
    DestroyWindow(window);
    return 0;
}
