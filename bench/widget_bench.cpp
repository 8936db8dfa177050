// The worst clicks through the real main window, on the offscreen platform:
// a long text pasted into a field, then one click on an arrow. Only the click
// is timed (the conversion, the fields written back, their relayout).

#include "app/application.h"
#include "app/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

using namespace tuvo;

namespace {

Form1 *form1 = nullptr;

QString pasted(std::int64_t kind, std::int64_t length)
{
    const auto size = static_cast<qsizetype>(length);
    switch (kind) {
    case 0: return QLatin1Char('1') + QString(size - 1, QLatin1Char('0'));
    case 1: return QString(size, QLatin1Char('m'));
    default: {
        const QString pattern = QStringLiteral("x7 é.-zM");
        QString junk;
        junk.reserve(size);
        for (qsizetype i = 0; i < size; ++i)
            junk += pattern[i % pattern.size()];
        return junk;
    }
    }
}

void WidgetClick(benchmark::State &state, bool roman)
{
    const QString text = pasted(state.range(0), state.range(1));
    auto *field = form1->findChild<QLineEdit *>(roman ? QStringLiteral("Text2")
                                                      : QStringLiteral("Text1"));
    auto *arrow = form1->findChild<QPushButton *>(roman ? QStringLiteral("Command1")
                                                        : QStringLiteral("Command2"));
    for (auto _ : state) {
        state.PauseTiming();
        field->setText(text);
        state.ResumeTiming();
        arrow->click();
    }
    state.SetLabel(std::to_string(state.range(1)) + " chars");
}

void WidgetClickToRoman(benchmark::State &state)
{
    WidgetClick(state, false);
}

void WidgetClickToArabic(benchmark::State &state)
{
    WidgetClick(state, true);
}

BENCHMARK(WidgetClickToRoman)
    ->ArgsProduct({{0, 1, 2}, {32767, 1000000}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WidgetClickToArabic)
    ->ArgsProduct({{0, 1, 2}, {32767, 1000000}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tuvo::prepareApplication(application);
    Form1 window;
    window.show();
    form1 = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
