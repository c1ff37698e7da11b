#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

namespace hanaki {

// How one screen's notice looks; lengths in twips.
struct NoticeLook {
    QString objectName;
    QString title;
    QPoint textAt;  // top left of the text "コンバート中です。しばらくお待ちください。"
    QSize size;  // empty: as wide and high as the text with its margins on both sides
};

// The small window that stands in front of a screen while it writes files.
class WorkNotice : public QWidget {
    Q_OBJECT
  public:
    WorkNotice(const NoticeLook& look, QWidget* opener);

    // Shows the notice centred over its opener and returns once it is drawn;
    // keys typed meanwhile wait for the work to end.
    void ShowNow();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPoint textAt_;
};

}  // namespace hanaki
