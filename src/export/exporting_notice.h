#pragma once

#include <QWidget>

namespace hanaki {

// The small window in front of the export screen while the files are written.
class ExportingNotice : public QWidget {
    Q_OBJECT
  public:
    explicit ExportingNotice(QWidget* parent);

    // Shows the notice and returns once it is drawn; keys typed meanwhile
    // wait for the export to end.
    void ShowNow();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace hanaki
