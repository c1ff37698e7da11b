#include "statement/statement_import_screen.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QTableWidget>
#include <algorithm>
#include <filesystem>

#include "data/book/remark_memory.h"
#include "data/book/statement_import.h"
#include "data/disk/file_system.h"
#include "data/disk/io_result.h"
#include "data/formats/cp932.h"
#include "statement/statement_columns.h"
#include "statement/statement_preview.h"
#include "ui/focus_frame.h"
#include "ui/folder_picker.h"
#include "ui/fonts.h"
#include "ui/input_method_off.h"
#include "ui/screen_metrics.h"
#include "ui/text_folding.h"

namespace hanaki {
namespace {

QSize WindowSize(ScreenSizeClass sizeClass) {
    switch (sizeClass) {
        case ScreenSizeClass::Small:
            return {620, 420};
        case ScreenSizeClass::Middle:
            return {780, 540};
        case ScreenSizeClass::Full:
            break;
    }
    return {980, 680};
}

}  // namespace

StatementImportScreen::StatementImportScreen(ProgramState& state, Services& services,
                                             const std::string& startFolder, MayImport mayImport,
                                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      services_(services),
      mayImport_(std::move(mayImport)),
      heading_(new QLabel(this)),
      steps_(new QStackedWidget(this)),
      picker_(new FolderPicker(QStringLiteral("Drive1"), QStringLiteral("Dir1"), services.messages,
                               this)),
      files_(new QListWidget(this)),
      layoutWords_(new QLabel(this)),
      columns_(new QTableWidget(this)),
      rows_(new QTableWidget(this)),
      number_(new QLineEdit(this)),
      guide_(new QLabel(this)),
      legend_(new QLabel(this)) {
    setObjectName("FormStatement");
    setWindowTitle(QStringLiteral("明細の取り込み"));
    const ScreenSizeClass sizeClass = services.metrics.sizeClass();
    setFont(GothicFont(sizeClass == ScreenSizeClass::Full ? 11 : 9));
    setFixedSize(WindowSize(sizeClass));
    heading_->setObjectName("Label0");
    files_->setObjectName("File1");
    layoutWords_->setObjectName("Label1");
    columns_->setObjectName("Grid1");
    rows_->setObjectName("MSFlexGrid1");
    number_->setObjectName("Text1");
    guide_->setObjectName("Label2");
    legend_->setObjectName("Legend");
    guide_->setWordWrap(true);
    legend_->setWordWrap(true);
    // Of fixed height, so that the controls under them never move.
    const int line = QFontMetrics(font()).lineSpacing();
    heading_->setFixedHeight(line + 4);
    layoutWords_->setFixedHeight(4 * line + 4);
    guide_->setFixedHeight(2 * line + 4);
    legend_->setFixedHeight(2 * line + 4);
    number_->setReadOnly(true);
    number_->setFocusPolicy(Qt::NoFocus);
    number_->setMaxLength(2);
    for (QTableWidget* grid : {columns_, rows_}) {
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setTabKeyNavigation(false);
        grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).lineSpacing() + 6);
        SwitchInputMethodOff(grid);
    }

    auto* filePage = new QWidget(steps_);
    auto* fileLayout = new QHBoxLayout(filePage);
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->addWidget(picker_, 1);
    fileLayout->addWidget(files_, 1);
    auto* layoutPage = new QWidget(steps_);
    auto* columnLayout = new QVBoxLayout(layoutPage);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->addWidget(layoutWords_);
    columnLayout->addWidget(columns_, 1);
    auto* previewPage = new QWidget(steps_);
    auto* previewLayout = new QVBoxLayout(previewPage);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->addWidget(rows_, 1);
    auto* typing = new QHBoxLayout;
    number_->setFixedWidth(QFontMetrics(font()).horizontalAdvance("000") + 12);
    typing->addWidget(number_);
    typing->addWidget(guide_, 1);
    previewLayout->addLayout(typing);
    steps_->addWidget(filePage);
    steps_->addWidget(layoutPage);
    steps_->addWidget(previewPage);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(steps_, 1);
    layout->addWidget(legend_);

    columnKeys_ = new StatementColumns(columns_, layoutWords_,
                                       {[this] { SwitchEncoding(); }, [this] { ConfirmLayout(); },
                                        [this] { ShowStep(Step::File); }},
                                       this);
    preview_ = new StatementPreview(state_.categories, rows_, number_, guide_,
                                    {[this] { Import(); }, [this] { ShowStep(Step::Layout); },
                                     [this](const PlannedRow& row) { OfferRule(row); }},
                                    this);

    // Keys reach the screen first; Tab goes between the folders and the files.
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
    new FocusFrame(this);
    connect(picker_, &FolderPicker::folderChanged, this, &StatementImportScreen::ListFiles);
    if (!picker_->OpenNative(startFolder))
        picker_->OpenNative(state_.folder.path());
    ShowStep(Step::File);
}

StatementImportScreen::~StatementImportScreen() = default;

bool StatementImportScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool used =
        KeysNow().Run(key) || (step_ == Step::Preview && preview_->TakeDigit(key.text()));
    ShowWords();
    // In the preview the grid takes only its arrows and page keys.
    return used || (step_ == Step::Preview && !key.text().isEmpty());
}

KeyTable StatementImportScreen::KeysNow() {
    switch (step_) {
        case Step::File:
            return FileKeys();
        case Step::Layout:
            return columnKeys_->Keys();
        case Step::Preview:
            break;
    }
    return preview_->Keys();
}

// Tab and the arrows are the lists' own; Enter on a folder opens it (the
// picker's key), on a file reads it.
KeyTable StatementImportScreen::FileKeys() {
    std::vector<KeyBinding> keys{
        TakenElsewhere("<Tab>次の欄へ"),
        TakenElsewhere("<↑↓>カーソル移動"),
        {{Qt::Key_Escape}, "<Esc>取込終了", [this] { close(); }},
    };
    if (focusWidget() == files_)
        keys.push_back({kEnterKeys, "<Enter>開く", [this] {
                            if (QListWidgetItem* file = files_->currentItem())
                                OpenFile(picker_->folder() + "/" + FileNameBytes(file->text()));
                        }});
    else
        keys.push_back(TakenElsewhere("<Enter>開く"));
    return {"<Tab>次の欄へ  <↑↓>カーソル移動  <Enter>開く  <Esc>取込終了", std::move(keys)};
}

void StatementImportScreen::ShowStep(Step step) {
    step_ = step;
    steps_->setCurrentIndex(static_cast<int>(step));
    if (step == Step::Layout)
        columnKeys_->Show(table_, layout_);
    ShowWords();
    // Laid out before the focus frame measures the control it surrounds.
    for (QLayout* laid : {layout(), steps_->currentWidget()->layout()}) {
        laid->invalidate();
        laid->activate();
    }
    switch (step) {
        case Step::File:
            (files_->count() > 0 ? static_cast<QWidget*>(files_) : picker_->folderList())
                ->setFocus();
            break;
        case Step::Layout:
            columns_->setFocus();
            break;
        case Step::Preview:
            rows_->setFocus();
            break;
    }
}

// The step's heading and the legend of the keys in force.
void StatementImportScreen::ShowWords() {
    const std::string name =
        FileNameText(std::filesystem::path(path_).filename().string()).toStdString();
    std::string heading;
    switch (step_) {
        case Step::File:
            heading = "取り込む明細のファイル";
            break;
        case Step::Layout:
            heading = name + " の列（日付・金額・摘要）";
            break;
        case Step::Preview: {
            const std::vector<PlannedRow>& rows = preview_->rows();
            const auto checked = std::count_if(rows.begin(), rows.end(), [](const PlannedRow& row) {
                return row.checked && row.Importable();
            });
            heading = name + ": " + std::to_string(rows.size()) + " 行、取り込む行 " +
                      std::to_string(checked);
            break;
        }
    }
    heading_->setText(QString::fromStdString(heading));
    legend_->setText(QString::fromUtf8(KeysNow().legend));
}

// Any regular file: a statement's name is whatever the bank gave it.
void StatementImportScreen::ListFiles() {
    files_->clear();
    files_->addItems(picker_->FileNames([](std::string_view) { return true; }));
    files_->setCurrentRow(0);
}

void StatementImportScreen::OpenFile(const std::string& path) {
    if (!ReadTable(path, std::nullopt))
        return;
    layouts_ = {};
    rules_ = {};
    for (const IoResult& io : {LoadStatementLayouts(state_.folder, layouts_),
                               LoadStatementRules(state_.folder, rules_)}) {
        if (!io.ok()) {
            Inform(DescribeIoError(*io.error));
            return;
        }
    }
    std::string unreadable;
    for (const auto& [name, lines] :
         {std::pair{kStatementLayoutsFileName, layouts_.UnreadableLines()},
          std::pair{kStatementRulesFileName, rules_.UnreadableLines()}}) {
        for (int line : lines)
            unreadable += std::string(name) + " の " + std::to_string(line + 1) +
                          " 行目は読めないため、使いませんでした（ファイルはそのままです）。\n";
    }
    if (!unreadable.empty())
        Inform(unreadable);
    // A header seen before goes straight to the preview.
    if (std::optional<GuessedLayout> remembered = FindRememberedLayout(layouts_, table_)) {
        layout_ = *remembered;
        Plan();
        return;
    }
    layout_ = GuessStatementLayout(table_).value_or(GuessedLayout{});
    ShowStep(Step::Layout);
}

bool StatementImportScreen::ReadTable(const std::string& path,
                                      std::optional<StatementEncoding> encoding) {
    std::string bytes;
    if (const int code = RealFileSystem().ReadAll(path, bytes); code != 0) {
        Inform(DescribeStatementFileError(path, code));
        return false;
    }
    StatementTable table = ReadStatementTable(bytes, encoding);
    if (table.error != StatementReadError::None) {
        Inform("明細ファイル " + path + " は" +
               (table.errorLine > 0 ? std::to_string(table.errorLine) + " 行目の" : "") +
               DescribeStatementReadError(table.error) + "。");
        return false;
    }
    path_ = path;
    table_ = std::move(table);
    layout_.headerRow = std::min(layout_.headerRow, table_.rows.size() - 1);
    return true;
}

void StatementImportScreen::SwitchEncoding() {
    if (ReadTable(path_, table_.encoding == StatementEncoding::Utf8 ? StatementEncoding::Cp932
                                                                    : StatementEncoding::Utf8))
        columnKeys_->Show(table_, layout_);
}

void StatementImportScreen::ConfirmLayout() {
    StatementLayout& layout = layout_.layout;
    if (!layout.IsComplete()) {
        Inform("日付、金額（または入金と出金）、摘要の列を選んでください。");
        return;
    }
    layout.header = table_.rows[layout_.headerRow].fields;
    RememberLayout(layouts_, layout);
    if (const IoResult saved = SaveStatementLayouts(state_.folder, layouts_); !saved.ok())
        Inform(DescribeIoError(*saved.error));
    Plan();
}

// The rows planned anew; what the user chose or unchecked stays so.
void StatementImportScreen::Plan() {
    RemarkMemory memory(FoldText);
    memory.Read(state_.folder, state_.closingDay(), state_.date.year, state_.date.month);
    StatementPlan plan =
        PlanStatementImport(state_.folder, state_.categories, state_.closingDay(), table_, layout_,
                            rules_, ProposerFrom(memory, state_.categories));
    if (!plan.io.ok()) {
        Inform(DescribeIoError(*plan.io.error));
        return;
    }
    const std::vector<PlannedRow>& before = preview_->rows();
    if (step_ == Step::Preview && before.size() == plan.rows.size()) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            PlannedRow& row = plan.rows[i];
            if (before[i].source == ProposalSource::Chosen)
                ChooseCategory(state_.categories, row, before[i].choice);
            if (before[i].Importable() && row.Importable())
                row.checked = before[i].checked;
        }
    }
    preview_->Show(std::move(plan.rows));
    ShowStep(Step::Preview);
}

void StatementImportScreen::OfferRule(const PlannedRow& row) {
    const int c = row.choice.category, d = row.choice.description;
    const std::string question = "「" + Cp932ToUtf8(row.remark) + "」を含む明細を、次からも「" +
                                 Cp932ToUtf8(state_.categories.names[c]) + "・" +
                                 Cp932ToUtf8(state_.categories.descriptions[c][d]) +
                                 "」にしますか？  <Enter>OK  <Esc>キャンセル";
    if (!services_.messages.Confirm(this, windowTitle(), QString::fromStdString(question)))
        return;
    LearnStatementRule(rules_, {row.remark, false, c, d});
    if (const IoResult saved = SaveStatementRules(state_.folder, rules_); !saved.ok()) {
        Inform(DescribeIoError(*saved.error));
        return;
    }
    Plan();
}

void StatementImportScreen::Import() {
    const std::vector<PlannedRow>& rows = preview_->rows();
    if (std::none_of(rows.begin(), rows.end(),
                     [](const PlannedRow& row) { return row.checked && row.Importable(); })) {
        Inform("取り込む行がありません。");
        return;
    }
    if (mayImport_ && !mayImport_(this))
        return;
    const std::string name = std::filesystem::path(path_).filename().string();
    const StatementImport result =
        ImportStatementRows(state_.folder, state_.categories, state_.closingDay(), rows,
                            "明細 " + name + " の取り込み");
    if (result.fullMonth) {
        Inform(AccountingMonthWords(*result.fullMonth) + "の項目が " +
               std::to_string(result.fullMonthCount) +
               " 件になり 1000 件を超えるため、何も取り込みませんでした。");
        return;
    }
    if (!result.io.ok()) {
        Inform(DescribeIoError(*result.io.error));
        return;
    }
    emit imported();
    close();
}

void StatementImportScreen::Inform(const std::string& text) {
    services_.messages.Inform(this, windowTitle(), QString::fromStdString(text));
}

}  // namespace hanaki

#include "moc_statement_import_screen.cpp"
