#pragma once

#include <QString>

class QWidget;

namespace hanaki {

// Every message box the programs show goes through here, so that a test can
// read the texts and script the answers.
class MessageService {
  public:
    virtual ~MessageService() = default;
    // A message with an OK button.
    virtual void Inform(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool Confirm(QWidget* parent, const QString& title, const QString& text) = 0;
};

// Real message boxes (QMessageBox), OK/Cancel answered by Enter/Esc.
class DialogMessageService : public MessageService {
  public:
    void Inform(QWidget* parent, const QString& title, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& title, const QString& text) override;
};

}  // namespace hanaki
