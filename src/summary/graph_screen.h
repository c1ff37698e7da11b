#pragma once

#include <QWidget>

#include "data/program_state.h"
#include "ui/services.h"

namespace hanaki {

// グラフ表示: draws the graph that state.graph names.
class GraphScreen : public QWidget {
    Q_OBJECT
  public:
    GraphScreen(ProgramState& state, Services& services, QWidget* opener);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace hanaki
