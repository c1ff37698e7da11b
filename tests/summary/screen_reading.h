#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTableWidget>
#include <QWidget>

#include "summary/graph_screen.h"

// What the summary screens show, read as the tests of each screen read it.
namespace hanaki::testing {

// A grid's cell by the row number the screen shows (from 1).
inline QTableWidgetItem* Cell(const QTableWidget* grid, int row, int column) {
    return grid->item(row - 1, column);
}

// The graph open (the last one made, as the one before closes).
inline const GraphInput& GraphShown(const QWidget& screen) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto graphs = screen.findChildren<GraphScreen*>("Form8");
    EXPECT_EQ(graphs.size(), 1);  // the one before closed
    return graphs.back()->input();
}

}  // namespace hanaki::testing
