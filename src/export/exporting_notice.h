#pragma once

#include <QWidget>

namespace hanaki {

// The small window in front of the export screen while the files are written.
class ExportingNotice : public QWidget {
    Q_OBJECT
  public:
    explicit ExportingNotice(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace hanaki
