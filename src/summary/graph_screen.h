#pragma once

#include <QWidget>

#include "data/program_state.h"
#include "summary/graph_drawing.h"
#include "ui/services.h"

class QKeyEvent;
class QLabel;

namespace hanaki {

class GraphCanvas;

// グラフ表示: the bar or pie graph that `state.graph` names, drawn from the
// sums the opening summary screen left in the program state. Shows itself in
// front of `opener`, modeless, and deletes itself when closed.
class GraphScreen : public QWidget {
    Q_OBJECT
  public:
    GraphScreen(ProgramState& state, Services& services, QWidget* opener);

  protected:
    bool event(QEvent* event) override;

  private:
    bool HandleKey(const QKeyEvent& key);
    void StepCategory(int step);
    void StepDescription(int step);
    void Rebuild();

    ProgramState& state_;
    GraphTextSizes sizes_;
    GraphCanvas* canvas_;
    QLabel* legend_;
    int description_ = 0;  // of the twelve-month category graph; 0 for none
};

}  // namespace hanaki
