#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "ui/message_service.h"

namespace hanaki::testing {

// Records every message box and answers questions from a script (OK when the
// script runs out).
class ScriptedMessages : public MessageService {
  public:
    struct Shown {
        QString title;
        QString text;
        bool question = false;
    };

    void Answer(bool ok) { answers_.push_back(ok); }

    void Inform(QWidget*, const QString& title, const QString& text) override {
        shown.push_back({title, text, false});
    }
    bool Confirm(QWidget*, const QString& title, const QString& text) override {
        shown.push_back({title, text, true});
        if (answers_.empty())
            return true;
        bool ok = answers_.front();
        answers_.pop_front();
        return ok;
    }

    std::vector<Shown> shown;

  private:
    std::deque<bool> answers_;
};

}  // namespace hanaki::testing
