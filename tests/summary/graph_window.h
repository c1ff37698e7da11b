#pragma once

#include <QLabel>
#include <QPointer>
#include <functional>

#include "settings/household.h"
#include "summary/graph_household.h"
#include "summary/graph_screen.h"
#include "ui/graph_canvas.h"

namespace hanaki::testing {

// The graph window over a household's figures, opened as a summary screen
// opens it.
struct Choice {
    GraphSource source;
    int selector, year, month;
};
struct GraphWindow {
    explicit GraphWindow(Choice choice, int screenHeight = 768,
                         const std::function<void(GraphInput&)>& prepare = {})
        : services{messages, ScreenMetrics(screenHeight)} {
        home.input.source = choice.source;
        home.input.selector = choice.selector;
        home.input.year = choice.year;
        home.input.month = choice.month;
        if (prepare)
            prepare(home.input);
        screen = new GraphScreen(home.input, services, &opener);
        ShowActive(*screen);
    }
    ~GraphWindow() { delete screen; }

    const RecordingSurface& drawing() const { return Child<GraphCanvas>(*screen, "P1")->drawing(); }
    std::string Subtitle() const { return TextAt(drawing(), 18, 113); }
    std::string Title() const { return TextAt(drawing(), 40, 119); }
    QString Legend() const { return Child<QLabel>(*screen, "Label1")->text(); }

    GraphHousehold home;
    ScriptedMessages messages;
    Services services;
    QWidget opener;
    QPointer<GraphScreen> screen;
};

}  // namespace hanaki::testing
