#pragma once

#include <QWidget>

#include "data/program/program_state.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QListWidget;
class QPushButton;

namespace hanaki {

class FolderPicker;

// F8: writes every ledger file of a folder as CSV into another folder.
class CsvExportScreen : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    CsvExportScreen(ProgramState& state, Services& services, QWidget* parent = nullptr);
    KeyTable KeysNow() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    KeyTable Keys(QPushButton* focusedButton);
    void ListSourceFiles();
    void Convert();

    ProgramState& state_;
    Services& services_;
    FolderPicker* source_;
    QListWidget* sourceFiles_;
    QPushButton* arrow_;
    FolderPicker* destination_;
    QPushButton* convert_;
};

}  // namespace hanaki
