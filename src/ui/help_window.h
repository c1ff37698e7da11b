#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include "ui/key_table.h"

class QKeyEvent;
class QLabel;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace hanaki {

// The help of one screen: the keys and legends of that screen, read from the
// user guide, in a window of the program's own. F1 (or the button) opens the
// whole guide at that place and goes back; Esc closes the help and gives the
// keys back to the screen.
class HelpWindow : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    // `guidePlaces`: where the guide may lie, in the order to look.
    HelpWindow(const QStringList& guidePlaces, QWidget* screen);
    KeyTable KeysNow() override;

    // The section under the heading `anchor`; an empty anchor, the whole guide.
    void ShowSection(const QString& anchor);
    void ShowWholeGuide(const QString& anchor);
    bool showsWholeGuide() const { return wholeGuide_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void ShowMissingGuide();
    void FollowLink(const QUrl& link);
    void ShowLegend();

    QStringList guidePlaces_;
    QString guidePath_;  // empty: the guide is nowhere to be found
    QString anchor_;
    bool wholeGuide_ = false;
    QTextBrowser* text_;
    QPushButton* wholeGuideButton_;
    QLabel* legend_;
};

}  // namespace hanaki
