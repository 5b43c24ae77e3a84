// The point plot with 100,000 points: fitting them and repainting the plot offscreen, the work of
// the 全部显示 button and of every redraw after a zoom or pan.
#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <random>

#include "shell/plot/point_plot_canvas.h"

namespace {

int g_argc = 1;
char g_arg0[] = "point_plot_bench";
char* g_argv[] = {g_arg0, nullptr};

constexpr std::size_t kPoints = 100'000;

// A survey of a few square kilometres with names as long as the instrument keeps.
std::vector<vrk::SurveyPoint> Survey() {
    std::mt19937 random(14);
    std::uniform_real_distribution<double> east(3000.0, 5000.0);
    std::uniform_real_distribution<double> north(2000.0, 3500.0);
    std::vector<vrk::SurveyPoint> points;
    points.reserve(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) {
        vrk::SurveyPoint point;
        point.name = "P" + std::to_string(i);
        point.y = east(random);
        point.x = north(random);
        point.line = i + 1;
        points.push_back(std::move(point));
    }
    return points;
}

void BM_FitAndRepaint100kPoints(benchmark::State& state) {
    QApplication app(g_argc, g_argv);
    vrk::CPointPlotCanvas canvas;
    canvas.resize(1000, 700);
    canvas.setPoints(Survey(), true);
    QPixmap target(canvas.size());
    for (auto _ : state) {
        canvas.fitAll();
        canvas.render(&target);
        benchmark::DoNotOptimize(target.cacheKey());
    }
}
BENCHMARK(BM_FitAndRepaint100kPoints)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
