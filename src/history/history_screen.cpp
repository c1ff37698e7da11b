#include "history/history_screen.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/history/history_listing.h"
#include "data/history/undo.h"
#include "history/undo_prompt.h"
#include "ui/folder_watch.h"
#include "ui/fonts.h"

namespace hanaki {
namespace {

const QString kTitle = QStringLiteral("変更の履歴");
constexpr int kChangeRole = Qt::UserRole;

QTableWidgetItem* Cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

HistoryScreen::HistoryScreen(ProgramState& state, Services& services, MayRestore mayRestore,
                             QWidget* parent)
    : QDialog(parent), state_(state), services_(services), mayRestore_(std::move(mayRestore)) {
    setObjectName("FormHistory");
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    const bool small = services.metrics.below600();
    setFont(GothicFont(small ? 9 : 12));

    list_ = new QTableWidget(0, 4, this);
    list_->setObjectName("HistoryList");
    list_->setHorizontalHeaderLabels({QStringLiteral("時刻"), QStringLiteral("月度・ファイル"),
                                      QStringLiteral("種類"), QStringLiteral("内容")});
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTabKeyNavigation(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);

    space_ = new QLabel(this);
    space_->setObjectName("HistorySpace");
    space_->setWordWrap(true);
    legend_ = new QLabel(QString::fromUtf8(KeysNow().legend), this);
    legend_->setObjectName("Legend");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(space_);
    layout->addWidget(legend_);

    // Room for the legend at either size class, within the smallest screen.
    resize(small                         ? QSize(620, 440)
           : services.metrics.below768() ? QSize(780, 560)
                                         : QSize(960, 700));
    Fill();
    list_->setFocus();
    connect(new FolderWatch(state_.folder, this), &FolderWatch::changed, this,
            &HistoryScreen::Fill);
}

long HistoryScreen::ChosenChange() const {
    const int row = list_->currentRow();
    return row < 0 ? 0 : list_->item(row, 0)->data(kChangeRole).toLongLong();
}

void HistoryScreen::Fill() {
    const long chosen = ChosenChange();
    history_ = ReadHistory(state_.folder);
    const auto& entries = history_.entries;
    list_->setRowCount(static_cast<int>(entries.size()));
    // Newest first: the chosen line, or the newest older one when it was pruned.
    int chosenRow = -1;
    int row = 0;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it, ++row) {
        if (chosenRow < 0 && chosen != 0 && it->change <= chosen)
            chosenRow = row;
        QTableWidgetItem* time = Cell(FormatChangeTime(it->time));
        time->setData(kChangeRole, static_cast<qlonglong>(it->change));
        list_->setItem(row, 0, time);
        list_->setItem(row, 1, Cell(ChangedFileName(it->file)));
        list_->setItem(row, 2, Cell(std::string(ChangeKindWord(it->kind))));
        list_->setItem(row, 3, Cell(ListedChangeText(*it)));
    }
    if (!entries.empty())
        list_->setCurrentCell(chosen == 0 ? 0 : chosenRow < 0 ? row - 1 : chosenRow, 0);
    std::string note = "履歴の容量: " + FormatSpace(HistorySpace(state_.folder)) + "（" +
                       std::to_string(entries.size()) + " 件の変更）";
    if (const std::string damage = DescribeHistoryDamage(history_); !damage.empty())
        note += "\n" + damage;
    space_->setText(QString::fromStdString(note));
}

void HistoryScreen::RestoreChosen() {
    if (list_->currentRow() < 0)
        return;
    if (state_.folder.readOnly()) {
        services_.messages.Inform(
            this, kTitle,
            QStringLiteral(
                "データフォルダを読み取り専用で開いているため、取り消しも復元もできません。"));
        return;
    }
    if (mayRestore_ && !mayRestore_(this))
        return;
    // The question names the change as the history holds it now, not as first listed.
    Fill();
    if (history_.error) {  // the folder went away, or the index cannot be read
        services_.messages.Inform(this, kTitle,
                                  QString::fromStdString(DescribeHistoryDamage(history_)));
        return;
    }
    if (list_->currentRow() < 0)
        return;
    const long change = ChosenChange();
    const HistoryEntry& entry = history_.entries.rbegin()[list_->currentRow()];  // newest first
    const QString question = QString::fromStdString(
        FormatChangeTime(entry.time) + " の「" + DescribeEntry(entry) +
        "」の直前の状態にデータフォルダを戻しますか？\nそれより後の変更もすべて取り消されます"
        "（戻したこと自体も履歴に残ります）。");
    if (!services_.messages.Confirm(this, kTitle, question))
        return;
    // Changes kept while the question was open are taken back too, so the
    // restore reads the history as it is now.
    const History now = ReadHistory(state_.folder);
    if (const std::string failed = RestoreBefore(state_.folder, now, change); !failed.empty())
        services_.messages.Inform(this, kTitle, QString::fromStdString(failed));
    ReloadAfterRestore(state_, services_.messages, this);
    Fill();
    emit restored();
}

void HistoryScreen::keyPressEvent(QKeyEvent* event) {
    if (!KeysNow().Run(*event))
        QDialog::keyPressEvent(event);
}

// The arrows and PageUp/Down are the list's own.
KeyTable HistoryScreen::KeysNow() {
    return {"<Esc>戻る   <↑↓PageUp/Down>選択   <Enter>この変更の前の状態に戻す",
            {{{Qt::Key_Escape}, "<Esc>戻る", [this] { close(); }},
             TakenElsewhere("<↑↓PageUp/Down>選択"),
             {kEnterKeys, "<Enter>この変更の前の状態に戻す", [this] { RestoreChosen(); }}}};
}

}  // namespace hanaki

#include "moc_history_screen.cpp"
