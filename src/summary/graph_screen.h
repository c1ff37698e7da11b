#pragma once

#include <QWidget>

#include "summary/graph_data.h"
#include "summary/graph_drawing.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;

namespace hanaki {

class GraphCanvas;

// グラフ表示: the bar or pie graph of `input`, the figures the opening
// summary screen handed over. Shows itself in front of `opener`, modeless,
// and deletes itself when closed.
class GraphScreen : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    GraphScreen(GraphInput input, Services& services, QWidget* opener);
    KeyTable KeysNow() override;

    // What the window draws from now: its keys change the graph and category.
    const GraphInput& input() const { return input_; }

  protected:
    bool event(QEvent* event) override;

  private:
    void SwitchBarAndPie();
    void StepCategory(int step);
    void StepDescription(int step);
    void Rebuild();

    GraphInput input_;
    GraphCanvas* canvas_;
    QLabel* legend_;
    std::string shownLegend_;  // the graph's, naming the keys of Keys
    int description_ = 0;      // of the twelve-month category graph; 0 for none
};

}  // namespace hanaki
