#include "entry/memo_editor.h"

#include <QKeyEvent>
#include <QLabel>

#include "data/cp932.h"
#include "data/fixed_field.h"
#include "data/program_state.h"
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
    const QString legend =
        QStringLiteral("<ESC>メモ終了 <PageUP,Down>日付変更 <Shift+PageUp,Down>前後項目");
    legend_->setText(hint.isEmpty() ? legend : legend + QStringLiteral("    ") + hint);
}

bool MemoEditor::OnKey(int line, const QKeyEvent& key) {
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    ByteLimitedField* field = lines_[line];
    switch (key.key()) {
        case Qt::Key_Escape:  // メモ終了; a memo that could not be saved stays on screen
            if (Save())
                Hide();
            return true;
        case Qt::Key_PageUp:  // 日付変更, with Shift 前後項目
            shift ? StepToMemo(-1) : StepDay(-1);
            return true;
        case Qt::Key_PageDown:
            shift ? StepToMemo(1) : StepDay(1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            if (line < 2)
                lines_[line + 1]->setFocus();
            return true;
        case Qt::Key_Up:
            if (line > 0)
                lines_[line - 1]->setFocus();
            return true;
        case Qt::Key_Tab:  // stays among the three lines
            lines_[(line + 1) % 3]->setFocus();
            return true;
        case Qt::Key_Backtab:
            lines_[(line + 2) % 3]->setFocus();
            return true;
        case Qt::Key_Right:  // at the end of a non-empty line: the next line, from its start
            if (line == 2 || field->text().isEmpty() ||
                field->cursorPosition() < field->text().size())
                return false;
            lines_[line + 1]->setFocus();
            lines_[line + 1]->home(false);
            return true;
        case Qt::Key_Left:  // at the start of line 2 or 3: the previous line, from its end
            if (line == 0 || field->cursorPosition() > 0)
                return false;
            lines_[line - 1]->setFocus();
            lines_[line - 1]->end(false);
            return true;
        default:
            return false;
    }
}

bool MemoEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    for (int line = 0; line < 3; ++line) {
        if (watched == lines_[line])
            return OnKey(line, static_cast<const QKeyEvent&>(*event));
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
