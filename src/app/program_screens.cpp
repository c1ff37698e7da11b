#include "app/program_screens.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "entry/entry_calculator.h"
#include "entry/main_entry_screen.h"
#include "export/csv_export_screen.h"
#include "find/find_screen.h"
#include "fixed/due_items_screen.h"
#include "fixed/fixed_items_editor.h"
#include "history/history_screen.h"
#include "history/undo_prompt.h"
#include "monthly/monthly_table_screen.h"
#include "settings/first_run.h"
#include "settings/settings_menu.h"
#include "statement/statement_import_screen.h"
#include "summary/summary_menu.h"
#include "ui/day_watch.h"
#include "ui/printer_dialog.h"
#include "ui/sub_screen.h"

namespace hanaki {
namespace {

// The main window's calculator, on another screen's amount field.
class CalculatorOnField : public AmountCalculator {
  public:
    CalculatorOnField(QLineEdit* field, QLabel* legend, MessageService& messages, QWidget* window,
                      CalculatorEnds ends)
        : calculator_(field, legend, messages, window) {
        QObject::connect(&calculator_, &EntryCalculator::finished, &calculator_, ends.finished);
        QObject::connect(&calculator_, &EntryCalculator::cancelled, &calculator_, ends.cancelled);
    }
    void Open(const QString& amountText, const CivilDate& taxDate) override {
        calculator_.Open(amountText, taxDate);
    }
    KeyTable KeysNow() override { return calculator_.KeysNow(); }

  private:
    EntryCalculator calculator_;
};

}  // namespace

ProgramScreens::ProgramScreens(ProgramState& state, Services& services)
    : state_(state), services_(services) {}

MakeAmountCalculator ProgramScreens::Calculator() {
    return [this](QLineEdit* field, QLabel* legend, QWidget* window, CalculatorEnds ends) {
        return std::make_unique<CalculatorOnField>(field, legend, services_.messages, window,
                                                   std::move(ends));
    };
}

void ProgramScreens::StartedUp(MainEntryScreen& main) {
    main_ = &main;
    AskDueItems();
    auto* watch = new DayWatch(state_.today, &main);
    QObject::connect(watch, &DayWatch::newDay, &main, [this] { AskDueItems(); });
}

void ProgramScreens::AskDueItems() {
    if (main_ == nullptr)
        return;
    if (!dueItems_.isNull())
        dueItems_->close();  // its list is of an earlier day or before an undo
    std::vector<DueOccurrence> due = DueItemsScreen::DueNow(state_, services_, main_);
    if (due.empty())
        return;
    MainEntryScreen& main = *main_;
    dueItems_ = new DueItemsScreen(
        state_, services_,
        {Calculator(), [&main](QWidget* asker) { return main.TakesHandOff(asker); },
         [&main] { main.ShowCurrentMonth(); }},
        std::move(due), &main);
    dueItems_->setAttribute(Qt::WA_DeleteOnClose);
    ShowInFrontOf(dueItems_, &main);
}

bool ProgramScreens::RunFirstRunCategoryEditor(QWidget* window) {
    return hanaki::RunFirstRunCategoryEditor(state_, services_, window);
}

bool ProgramScreens::RunFirstRunClosingDay(QWidget* window) {
    return hanaki::RunFirstRunClosingDay(state_, services_, window);
}

void ProgramScreens::RunFirstRunCarryOver(QWidget* window) {
    hanaki::RunFirstRunCarryOver(state_, services_, window);
}

void ProgramScreens::Open(FunctionScreen screen, MainEntryScreen& main) {
    // A picked item is corrected on the main window, when it takes it.
    const ItemHandOff handOff = [&main](const PickedItem& item, QWidget* asker) {
        return main.OpenItem(item, asker);
    };
    switch (screen) {
        case FunctionScreen::MonthlyTable:  // F5 月計表
            ShowOnce(monthlyTable_, &main, [&] {
                auto* table = new MonthlyTableScreen(
                    state_, services_,
                    std::make_unique<QtPrinterDialog>(
                        state_.folder.fs(), services_.messages,
                        PrintModulePlaces(QCoreApplication::applicationDirPath())),
                    state_.date.year, state_.date.month, handOff, &main);
                QObject::connect(&main, &MainEntryScreen::ledgerChanged, table,
                                 &MonthlyTableScreen::Refresh);
                return table;
            });
            return;
        case FunctionScreen::SummaryMenu:  // F6 集計
            OpenSummaryMenu(state_, services_, &main);
            return;
        case FunctionScreen::SettingsMenu:  // F7 設定
            ShowOnce(settingsMenu_, &main, [&] {
                auto* menu = new SettingsMenu(
                    state_, services_, &main,
                    [this, &main](QWidget* opener) {
                        auto* history = new HistoryScreen(
                            state_, services_,
                            [&main](QWidget* asker) { return main.TakesHandOff(asker); }, opener);
                        // A restored folder is shown as it now is.
                        QObject::connect(history, &HistoryScreen::restored, &main, [this, &main] {
                            main.ShowCurrentMonth();
                            main.RefreshGuide();
                            AskDueItems();
                        });
                        return history;
                    },
                    [this](QWidget* opener) {
                        return new FixedItemsEditor(state_, services_, Calculator(), opener);
                    },
                    [this, &main](QWidget* opener) { OpenStatement(opener, main); });
                // The guide on screen follows a newly saved master at once.
                QObject::connect(menu, &SettingsMenu::categoriesSaved, &main,
                                 &MainEntryScreen::RefreshGuide);
                return menu;
            });
            return;
        case FunctionScreen::CsvExport:  // F8 データ変換
            ShowOnce(csvExport_, &main,
                     [&] { return new CsvExportScreen(state_, services_, &main); });
            return;
        case FunctionScreen::Find:  // F9 検索
            if (find_.isNull()) {
                find_ = OpenFindScreen(
                    state_, services_, handOff,
                    [&main](const PickedMemo& memo, QWidget* asker) {
                        return main.OpenDayMemo(memo, asker);
                    },
                    &main);
            } else {
                ShowInFrontOf(find_, &main);
            }
            return;
        case FunctionScreen::Statement:  // F10 明細取込
            OpenStatement(&main, main);
            return;
    }
}

void ProgramScreens::OpenStatement(QWidget* opener, MainEntryScreen& main) {
    ShowOnce(statement_, opener, [&] {
        // Statements are downloaded; the home folder is nearer them than the data folder.
        auto* screen = new StatementImportScreen(
            state_, services_, QFile::encodeName(QDir::homePath()).toStdString(),
            [&main](QWidget* asker) { return main.TakesHandOff(asker); }, opener);
        QObject::connect(screen, &StatementImportScreen::imported, &main, [&main] {
            main.ShowCurrentMonth();
            emit main.ledgerChanged();
        });
        return screen;
    });
}

bool ProgramScreens::UndoOrRedo(SharedKey key, QWidget* window) {
    const bool changed = key == SharedKey::Undo
                             ? AskAndUndoLastChange(state_, services_.messages, window)
                             : AskAndRedoLastUndo(state_, services_.messages, window);
    // Fixed items entered and taken back are due again, and asked for.
    if (changed)
        AskDueItems();
    return changed;
}

void ProgramScreens::RefuseUndoOrRedo(SharedKey key, QWidget* window) {
    RefuseUndoWhileEntering(key == SharedKey::Redo, services_.messages, window);
}

}  // namespace hanaki
