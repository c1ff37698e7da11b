#pragma once

#include <QWidget>

namespace hanaki {

// The small window that stands in front of the converter while it works.
class ConvertingNotice : public QWidget {
    Q_OBJECT
  public:
    explicit ConvertingNotice(QWidget* parent = nullptr);

    // Shows the notice and returns once it is on the screen; keys typed
    // meanwhile wait for the conversion to end.
    void ShowNow();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace hanaki
