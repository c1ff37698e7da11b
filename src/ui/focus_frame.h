#pragma once

#include <QWidget>

namespace hanaki {

// A frame in the highlight colour around whichever control of `screen` has
// the keyboard focus, so that every Tab stop shows where the keys go, lists
// and drive lists too. Clicks pass through it.
class FocusFrame : public QWidget {
    Q_OBJECT
  public:
    explicit FocusFrame(QWidget* screen);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Follow(QWidget* focused);
};

}  // namespace hanaki
