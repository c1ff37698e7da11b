#include "summary/graph_screen.h"

#include <QKeyEvent>

namespace hanaki {

GraphScreen::GraphScreen(ProgramState&, Services&, QWidget* opener) : QWidget(opener, Qt::Window) {
    setObjectName("Form8");
    setWindowTitle(QStringLiteral("グラフ表示"));
    resize(640, 480);
}

void GraphScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
}

}  // namespace hanaki
