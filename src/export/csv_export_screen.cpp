#include "export/csv_export_screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "data/disk/folder_paths.h"
#include "data/disk/io_result.h"
#include "export/csv_export.h"
#include "ui/focus_frame.h"
#include "ui/folder_picker.h"
#include "ui/fonts.h"
#include "ui/io_failure.h"
#include "ui/work_notice.h"

namespace hanaki {
namespace {

// Laid out in half-width cells of the heading's font, so that each list sits
// under its half of the heading.
constexpr int kLeft = 30;
constexpr int kRight = 264;
constexpr int kSideWidth = 210;
constexpr int kTop = 56;

}  // namespace

CsvExportScreen::CsvExportScreen(ProgramState& state, Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      services_(services),
      source_(new FolderPicker(QStringLiteral("Drive1"), QStringLiteral("Dir1"), services.messages,
                               this)),
      sourceFiles_(new QListWidget(this)),
      arrow_(new QPushButton(QStringLiteral("→"), this)),
      destination_(new FolderPicker(QStringLiteral("Drive2"), QStringLiteral("Dir2"),
                                    services.messages, this)),
      convert_(new QPushButton(QStringLiteral("コンバート実行"), this)) {
    setObjectName("Form6");
    setWindowTitle(QStringLiteral("データ変換"));
    setFont(GothicFont(9));
    setFixedSize(500, 404);

    sourceFiles_->setObjectName("File1");
    arrow_->setObjectName("Command2");
    convert_->setObjectName("Command1");
    source_->setGeometry(kLeft, kTop, kSideWidth, 180);
    sourceFiles_->setGeometry(kLeft, kTop + 186, kSideWidth, 130);
    arrow_->setGeometry(kLeft + kSideWidth + 3, kTop + 120, kRight - kLeft - kSideWidth - 6, 28);
    destination_->setGeometry(kRight, kTop, kSideWidth, 270);
    convert_->setGeometry(kRight, kTop + 282, kSideWidth, 34);
    auto* legend = new QLabel(QString::fromUtf8(Keys(nullptr).legend), this);
    legend->setObjectName("Legend");
    legend->setGeometry(kLeft, kTop + 324, width() - kLeft, 20);

    // Keys reach the screen first; Tab follows the order the controls were
    // made: the left side, "→", the right side.
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
    new FocusFrame(this);

    connect(source_, &FolderPicker::folderChanged, this, &CsvExportScreen::ListSourceFiles);
    connect(convert_, &QPushButton::clicked, this, &CsvExportScreen::Convert);
    const std::string& start = state_.folder.path();
    if (!source_->OpenNative(start))
        ListSourceFiles();  // nothing to convert, and the button says so
    destination_->OpenNative(start);
    source_->folderList()->setFocus();
}

// Keys reach the screen before the control that has the focus.
bool CsvExportScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    return Keys(qobject_cast<QPushButton*>(watched)).Run(static_cast<const QKeyEvent&>(*event));
}

KeyTable CsvExportScreen::KeysNow() {
    return Keys(qobject_cast<QPushButton*>(focusWidget()));
}

// Tab and the arrows are the controls' own; Enter on a folder list opens the
// folder (the picker's keys), on a button presses it.
KeyTable CsvExportScreen::Keys(QPushButton* focusedButton) {
    std::vector<KeyBinding> keys{
        {{Qt::Key_Escape}, "<Esc>データ変換終了", [this] { close(); }},
        TakenElsewhere("<Tab>次の欄へ"),
        TakenElsewhere("<↑↓>カーソル移動"),
    };
    if (focusedButton != nullptr)
        keys.push_back(
            {kEnterKeys, "<Enter>開く・実行", [focusedButton] { focusedButton->click(); }});
    else
        keys.push_back(TakenElsewhere("<Enter>開く・実行"));
    return {"<Tab>次の欄へ  <↑↓>カーソル移動  <Enter>開く・実行  <Esc>データ変換終了",
            std::move(keys)};
}

void CsvExportScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    painter.drawText(0, 2 * metrics.height() + metrics.ascent(),
                     QStringLiteral("     「そよかぜ帳」データ                   CSV データ"));
}

void CsvExportScreen::ListSourceFiles() {
    sourceFiles_->clear();
    // Only the month files the export writes: the category master is not one of them.
    sourceFiles_->addItems(source_->FileNames(IsExportableLedgerName));
    sourceFiles_->setCurrentRow(0);
    convert_->setEnabled(sourceFiles_->count() > 0);
}

void CsvExportScreen::Convert() {
    const std::string& source = source_->folder();
    const std::string& destination = destination_->folder();
    if (IsSameFolder(source, destination)) {
        services_.messages.Inform(this, QString::fromUtf8(kSamePathTitle),
                                  QString::fromUtf8(kSamePathMessage));
        return;
    }
    CsvExportResult result;
    {
        WorkNotice notice(
            {QStringLiteral("Form5"), QStringLiteral("Now Converting!"), {500, 500}, {5250, 1600}},
            this);
        notice.ShowNow();
        result = ExportFolderToCsv(state_.folder.fs(), source, destination, state_.categories);
    }
    // One box for the whole run, however many files failed.
    if (!result.failures.empty())
        services_.messages.Inform(this, QStringLiteral("書き出せなかったファイル"),
                                  QString::fromStdString(FailureSummary(result)));
    std::string converted = ConvertedMessage(result);
    for (const std::string& skip : result.skips)
        converted += "\n" + skip;
    services_.messages.Inform(this, QString::fromUtf8(kConvertedTitle),
                              QString::fromStdString(converted));
    close();
}

}  // namespace hanaki

#include "moc_csv_export_screen.cpp"
