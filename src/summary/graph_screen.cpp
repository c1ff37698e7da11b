#include "summary/graph_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <cmath>

#include "ui/fonts.h"
#include "ui/graph_canvas.h"
#include "ui/key_table.h"
#include "ui/painter_surface.h"
#include "ui/sub_screen.h"

namespace hanaki {
namespace {

// Twips of the full-size layout; the smaller classes scale the drawing, its
// type with it, and the legend by one factor.
struct Layout {
    int windowWidth, windowHeight;
    double factor;
    double legendPoints;
};

// The two smaller windows leave room for a title bar on the smallest screen of
// their class, and their drawing is scaled down to keep its proportions.
Layout LayoutFor(const ScreenMetrics& metrics) {
    const ScreenSizeClass sizeClass = metrics.sizeClass();
    const QSize window = WindowTwips(sizeClass);
    switch (sizeClass) {
        case ScreenSizeClass::Small:
            return {window.width(), window.height() - 450, 640.0 / 1024, 11};
        case ScreenSizeClass::Middle:
            return {window.width(), window.height() - 450, 819.0 / 1024, 14};
        case ScreenSizeClass::Full:
            break;
    }
    return {window.width(), window.height(), 1.0, 16};
}

int Scaled(int twips, double factor) {
    return TwipsToPixels(static_cast<int>(twips * factor));
}

}  // namespace

GraphScreen::GraphScreen(GraphInput input, Services& services, QWidget* opener)
    : QWidget(opener, Qt::Window), input_(std::move(input)) {
    setObjectName("Form8");
    setWindowTitle(QStringLiteral("グラフ表示"));
    setAttribute(Qt::WA_DeleteOnClose);
    const Layout layout = LayoutFor(services.metrics);
    setFixedSize(TwipsToPixels(layout.windowWidth), TwipsToPixels(layout.windowHeight));
    // The drawing is a little narrower than the smaller windows; no seam beside it.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, PainterSurface::ToQColor(kGraphBackground));
    setPalette(palette);
    setAutoFillBackground(true);

    const int canvasWidth = static_cast<int>(std::lround(kGraphDesignWidth * layout.factor));
    const int left = (width() - canvasWidth) / 2;
    canvas_ = new GraphCanvas(this);
    canvas_->setObjectName("P1");
    canvas_->setGeometry(left, 0, canvasWidth,
                         static_cast<int>(std::lround(kGraphDesignHeight * layout.factor)));

    legend_ = new QLabel(this);
    legend_->setObjectName("Label1");
    legend_->setFont(GothicFont(layout.legendPoints));
    legend_->setGeometry(left + Scaled(120, layout.factor), Scaled(10110, layout.factor),
                         Scaled(13960, layout.factor), Scaled(480, layout.factor));

    setFocusPolicy(Qt::StrongFocus);
    Rebuild();
    ShowInFrontOf(this, opener);
    setFocus();
}

bool GraphScreen::event(QEvent* event) {
    // Tab belongs to the graph, not to focus navigation.
    if (event->type() == QEvent::KeyPress && KeysNow().Run(static_cast<QKeyEvent&>(*event)))
        return true;
    return QWidget::event(event);
}

// The legend is the graph's own (BuildGraph): it names the keys that change
// the graph shown; the others do nothing there.
KeyTable GraphScreen::KeysNow() {
    const bool monthly = input_.source != GraphSource::Trend;
    const bool ofCategory = input_.selector >= 1 && input_.selector <= kMaxCategories;
    const char* const categoryStep = ofCategory ? "<↑↓>費目変更" : "";
    const char* const descriptionStep = !monthly && ofCategory ? "<←→>摘要変更" : "";
    auto stepDescription = [this, monthly, ofCategory](int step) {
        if (!monthly && ofCategory)
            StepDescription(step);
    };
    return {shownLegend_.c_str(),
            {{{Qt::Key_Escape}, "<ESC>グラフ終了", [this] { close(); }},
             {{Qt::Key_Up}, categoryStep, [this] { StepCategory(-1); }},
             {{Qt::Key_Down}, categoryStep, [this] { StepCategory(+1); }},
             {{Qt::Key_Right}, descriptionStep, [stepDescription] { stepDescription(+1); }},
             {{Qt::Key_Left}, descriptionStep, [stepDescription] { stepDescription(-1); }},
             {{Qt::Key_Tab}, monthly ? "<Tab>棒,円グラフ切り替え" : "", [this] {
                  SwitchBarAndPie();
              }}}};
}

void GraphScreen::SwitchBarAndPie() {
    if (input_.source == GraphSource::MonthlyBar)
        input_.source = GraphSource::MonthlyPie;
    else if (input_.source == GraphSource::MonthlyPie)
        input_.source = GraphSource::MonthlyBar;
    else
        return;
    Rebuild();
}

// To the neighbouring category, when it has a name: an unnamed one ends the way.
void GraphScreen::StepCategory(int step) {
    const int next = input_.selector + step;
    if (input_.selector < 1 || next < 1 || next > kMaxCategories ||
        input_.categories.names[next].empty())
        return;
    input_.selector = next;
    description_ = 0;
    Rebuild();
}

// Through the named descriptions; left of the first is the category again.
void GraphScreen::StepDescription(int step) {
    const int c = input_.selector;
    const int next = description_ + step;
    if (step < 0 && description_ == 1) {
        description_ = 0;
        Rebuild();
        return;
    }
    if (next < 1 || next > kMaxDescriptions || input_.categories.descriptions[c][next].empty())
        return;
    description_ = next;
    Rebuild();
}

void GraphScreen::Rebuild() {
    const GraphData graph = BuildGraph(input_, description_);
    DrawGraph(graph, GraphTextSizes{}, canvas_->drawing());
    canvas_->update();
    shownLegend_ = graph.legend;
    legend_->setText(QString::fromStdString(shownLegend_));
}

}  // namespace hanaki

#include "moc_graph_screen.cpp"
