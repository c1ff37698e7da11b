#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "data/book/statement_import.h"
#include "data/formats/statement_rules.h"
#include "data/formats/statement_table.h"
#include "data/program/program_state.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTableWidget;

namespace hanaki {

class FolderPicker;
class StatementColumns;
class StatementPreview;

// 明細の取り込み: a bank's, card company's or household book's statement
// brought into the ledgers in three steps on one window. The file is picked;
// the columns are confirmed (a layout remembered for the header skips this);
// the rows are previewed, categories chosen, and Enter imports the checked
// ones as one change.
class StatementImportScreen : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    // Whether the windows that show the ledgers may take new items now; a
    // refusal is told in front of the window given.
    using MayImport = std::function<bool(QWidget* asker)>;

    StatementImportScreen(ProgramState& state, Services& services, const std::string& startFolder,
                          MayImport mayImport, QWidget* parent = nullptr);
    ~StatementImportScreen() override;
    KeyTable KeysNow() override;

    // Reads `path` as a statement, as Enter on its name does.
    void OpenFile(const std::string& path);

  signals:
    // Items went into the ledgers; windows that show them redraw.
    void imported();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Step { File, Layout, Preview };
    KeyTable FileKeys();
    void ShowStep(Step step);
    void ShowWords();
    void ListFiles();
    // Reads `path` as a statement, in `encoding` or the one its bytes tell;
    // false, and the statement shown stays, when it cannot be read.
    bool ReadTable(const std::string& path, std::optional<StatementEncoding> encoding);
    void SwitchEncoding();
    void ConfirmLayout();
    void Plan();
    void OfferRule(const PlannedRow& row);
    void Import();
    void Inform(const std::string& text);

    ProgramState& state_;
    Services& services_;
    MayImport mayImport_;
    QLabel* heading_;
    QStackedWidget* steps_;
    FolderPicker* picker_;
    QListWidget* files_;
    QLabel* layoutWords_;
    QTableWidget* columns_;
    QTableWidget* rows_;
    QLineEdit* number_;
    QLabel* guide_;
    QLabel* legend_;
    StatementColumns* columnKeys_;
    StatementPreview* preview_;

    Step step_ = Step::File;
    std::string path_;
    StatementTable table_;
    StatementLayouts layouts_;
    StatementRules rules_;
    GuessedLayout layout_;
};

}  // namespace hanaki
