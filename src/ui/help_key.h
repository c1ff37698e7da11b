#pragma once

#include <QObject>
#include <QStringList>
#include <vector>

class QWidget;

namespace hanaki {

// Which section of the guide tells the keys of a screen: its window's object
// name (or class, for Qt's own windows), and, where one part of the window has
// keys of its own, the object name of the control that has the focus there.
struct HelpSection {
    const char* window;
    const char* control;  // "" for the whole window
    const char* anchor;   // the heading's anchor in the guide
};

// F1 on any window of the program, whatever control has the focus, opens the
// help on that window's section of the guide (the whole guide for a window
// with none). Installed once on the application, it sees the key before any
// screen's own key handling can take it.
class HelpKey : public QObject {
  public:
    HelpKey(QStringList guidePlaces, std::vector<HelpSection> sections, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString AnchorFor(const QWidget& window, const QWidget& focus) const;

    QStringList guidePlaces_;
    std::vector<HelpSection> sections_;
};

}  // namespace hanaki
