#include "entry/memo_editor.h"

#include <QKeyEvent>
#include <QLabel>

#include "data/formats/cp932.h"
#include "data/formats/fixed_field.h"
#include "data/program/program_state.h"
#include "ui/byte_limited_field.h"
#include "ui/io_failure.h"
#include "ui/services.h"
#include "ui/text_codec.h"

namespace hanaki {

MemoEditor::MemoEditor(ProgramState& state, Services& services,
                       std::array<ByteLimitedField*, 3> lines, QLabel* title, QLabel* legend,
                       QWidget* dialogParent, QObject* parent)
    : QObject(parent),
      state_(state),
      services_(services),
      lines_(lines),
      title_(title),
      legend_(legend),
      dialogParent_(dialogParent) {
    for (ByteLimitedField* line : lines_) {
        line->setByteLimit(static_cast<int>(kMemoLineBytes));
        line->installEventFilter(this);
        connect(line, &ByteLimitedField::refused, this, &MemoEditor::ShowLegend);
    }
}

void MemoEditor::Open() {
    if (open_)
        return;
    MemoMonth memo;
    if (!LoadMonth(state_.date, memo))
        return;
    memo_ = std::move(memo);
    position_ = state_.date;
    open_ = true;
    ShowDay();
    title_->show();
    for (ByteLimitedField* line : lines_)
        line->show();
    lines_[0]->setFocus();
}

void MemoEditor::Close() {
    if (!open_)
        return;
    Save();
    Hide();
}

void MemoEditor::ShowLegend(const QString& hint) {
    const QString legend = QString::fromUtf8(KeysOf(0).legend);
    legend_->setText(hint.isEmpty() ? legend : legend + QStringLiteral("    ") + hint);
}

KeyTable MemoEditor::KeysNow() {
    for (int line = 0; line < 3; ++line) {
        if (open_ && lines_[line]->hasFocus())
            return KeysOf(line);
    }
    return {};
}

KeyTable MemoEditor::KeysOf(int line) {
    // Past the first or the last line nothing moves.
    auto focus = [this](int to) -> std::function<void()> {
        if (to < 0 || to > 2)
            return [] {};
        return [this, to] { lines_[to]->setFocus(); };
    };
    std::vector<KeyBinding> keys{
        // A memo that could not be saved stays on screen.
        {{Qt::Key_Escape},
         "<ESC>メモ終了",
         [this] {
             if (Save())
                 Hide();
         }},
        {{Qt::Key_PageUp},
         "<Shift+PageUp,Down>前後項目",
         [this] { StepToMemo(-1); },
         Qt::ShiftModifier},
        {{Qt::Key_PageDown},
         "<Shift+PageUp,Down>前後項目",
         [this] { StepToMemo(1); },
         Qt::ShiftModifier},
        {{Qt::Key_PageUp}, "<PageUP,Down>日付変更", [this] { StepDay(-1); }},
        {{Qt::Key_PageDown}, "<PageUP,Down>日付変更", [this] { StepDay(1); }},
        {{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Down}, "", focus(line + 1)},
        {{Qt::Key_Up}, "", focus(line - 1)},
        // Tab stays among the three lines.
        {{Qt::Key_Tab}, "", focus((line + 1) % 3)},
        {{Qt::Key_Backtab}, "", focus((line + 2) % 3)},
    };
    // Right at the end of a non-empty line goes on to the next line, from its
    // start; Left at the start of line 2 or 3 back to the previous one, from its
    // end. Elsewhere they move the caret.
    const ByteLimitedField* field = lines_[line];
    if (line < 2 && !field->text().isEmpty() && field->cursorPosition() >= field->text().size())
        keys.push_back({{Qt::Key_Right}, "", [this, line] {
                            lines_[line + 1]->setFocus();
                            lines_[line + 1]->home(false);
                        }});
    if (line > 0 && field->cursorPosition() == 0)
        keys.push_back({{Qt::Key_Left}, "", [this, line] {
                            lines_[line - 1]->setFocus();
                            lines_[line - 1]->end(false);
                        }});
    return {"<ESC>メモ終了 <PageUP,Down>日付変更 <Shift+PageUp,Down>前後項目", std::move(keys)};
}

bool MemoEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    for (int line = 0; line < 3; ++line) {
        if (watched == lines_[line])
            return KeysOf(line).Run(static_cast<const QKeyEvent&>(*event));
    }
    return false;
}

void MemoEditor::StepDay(int delta) {
    CurrentDate to = position_;
    if (delta < 0)
        StepPreviousDay(state_.closingDay(), to);
    else
        StepNextDay(state_.closingDay(), to);
    if (to.year < kEarliestYear || to.year > kLatestYear)
        return;  // the calendar ends with 1950 and 2049
    MoveTo(to);
}

void MemoEditor::StepToMemo(int delta) {
    CurrentDate to = position_;
    for (int day = position_.day + delta; day >= 1 && day <= 31; day += delta) {
        if (memo_.InUse(day)) {
            to.day = day;
            break;
        }
    }
    MoveTo(to);
}

void MemoEditor::MoveTo(const CurrentDate& to) {
    if (!Save() || to == position_)
        return;
    if (to.year != position_.year || to.month != position_.month) {
        MemoMonth memo;
        if (!LoadMonth(to, memo))
            return;
        memo_ = std::move(memo);
    }
    position_ = to;
    ShowDay();
}

bool MemoEditor::LoadMonth(const CurrentDate& month, MemoMonth& memo) {
    const IoResult result =
        LoadMemo(state_.folder, state_.closingDay(), month.year, month.month, memo);
    if (!result.ok())
        Report(*result.error);
    return result.ok();
}

bool MemoEditor::Save() {
    const std::array<std::string, 3> stored = memo_.LinesOf(position_.day);
    std::array<std::string, 3> lines;
    for (int i = 0; i < 3; ++i) {
        // An untouched line keeps its bytes, even those code page 932 maps to
        // nothing; the fields themselves admit only what it can hold.
        const QString text = lines_[i]->text();
        lines[i] = text == FromCp932(stored[i]) ? stored[i]
                                                : TrimRight(Utf8ToCp932Lossy(text.toStdString()));
    }
    if (lines == stored)
        return true;  // looking through the memos writes nothing
    memo_.SetLines(position_.day, lines);
    const IoResult result =
        SaveMemo(state_.folder, state_.closingDay(), position_.year, position_.month, memo_);
    if (result.ok())
        return true;
    Report(*result.error);
    // Past the rename the file holds the new lines; only their confirmation failed.
    if (result.error->step == IoStep::SyncFolder)
        return true;
    memo_.SetLines(position_.day, stored);  // memory as on disk; the screen keeps the text
    return false;
}

void MemoEditor::Report(const IoError& error) {
    ReportIoFailure(services_.messages, dialogParent_, QStringLiteral("メモ"), error);
}

void MemoEditor::ShowDay() {
    const std::array<std::string, 3> stored = memo_.LinesOf(position_.day);
    for (int i = 0; i < 3; ++i)
        lines_[i]->setText(FromCp932(stored[i]));
    const CivilDate real = RealDate(state_.closingDay(), position_);
    title_->setText(
        QStringLiteral("メモ %1年%2月%3日").arg(real.year).arg(real.month).arg(real.day));
    ShowLegend({});
}

void MemoEditor::Hide() {
    open_ = false;
    title_->hide();
    for (ByteLimitedField* line : lines_)
        line->hide();
    emit closed();
}

}  // namespace hanaki

#include "moc_memo_editor.cpp"
