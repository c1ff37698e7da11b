#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>

#include "data/program/program_state.h"
#include "summary/graph_data.h"
#include "summary/summary_grid.h"
#include "summary/summary_table.h"
#include "ui/key_table.h"
#include "ui/services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace hanaki {

class GraphScreen;

// What the monthly summary and the twelve-month trend share: the year and
// month fields stepped with PageUp/PageDown, the category grid whose cursor
// skips the total rows, the three input states and the graph keys.
class SummaryScreen : public QWidget, public KeysInForce {
    Q_OBJECT
  public:
    // The legend of each state's keys (UTF-8).
    struct Legends {
        const char* year;
        const char* month;
        const char* grid;
    };

    KeyTable KeysNow() override;

  protected:
    enum class Focus { Year, Month, Grid };
    // Esc in the grid: closes the screen, or goes back to the month field.
    enum class GridEsc { Closes, LeavesGrid };

    // What tells one summary screen from the other.
    struct Kind {
        const char* objectName;
        QString title;
        SummaryScale scale;
        GraphSource graphSource;
        QString graphCaption;
        Legends legends;
        GridEsc gridEsc;
    };

    // The summaries by category, monthly and yearly: their scale, graph button and Esc.
    static Kind ByCategoryKind(const ScreenMetrics& metrics, const char* objectName, QString title,
                               GraphSource graphSource, Legends legends);

    // Makes the controls every summary screen has: the year and month fields,
    // the legend, the note of what the figures leave out and the graph button.
    SummaryScreen(ProgramState& state, Services& services, QWidget* opener, Kind kind);

    static QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

    // Called last by the screen's constructor, once it has made categoryGrid_ and placed it.
    void Start();
    // Puts the category grid at `left` under the heading line with `sideGrid`
    // `gap` to its right, rows of `rowPixels`; the graph button at the right end
    // of the heading line (the note between it and `titleRight`), the legend
    // under the grids; and sizes the window.
    void PlaceAround(int left, int titleRight, int rowPixels, QTableWidget* sideGrid, int gap);
    int HeadingTop() const;
    // On the heading line from `x`: the year field, `words` ("年    月度") with
    // the month field in its blanks, and `title`.
    void PlaceYearMonthTitle(int x, QLabel* words, QLabel* title);
    int FieldHeight() const;
    // A line under the grids that explains the figures; made before PlaceAround.
    void MakeFiguresLine(const char* objectName);
    // The line under the grids, whole within its width.
    void ShowFiguresLine(const QString& text);
    // What the figures leave out, whole above the grids.
    void ShowNote(const QString& note);
    // Lays the category grid out afresh for the month's deleted categories, as
    // many rows as it needs, and the cursor on its first row.
    void LayOut(std::vector<DeletedCategoryRow> deleted);
    // The grid rows' height: the design's, or less where the window would not
    // leave room for a title bar on the smallest screen of its class.
    int RowPixelsWithin(int designRowPixels) const;

    // Sums the shown month (or months) afresh and shows them by category.
    virtual void Aggregate() = 0;
    // Shows the figures by category again, as when the cursor leaves the grid.
    virtual void ShowByCategory() = 0;
    // Shows the breakdown of the category under the cursor.
    virtual void ShowCategory(int category) = 0;
    // Puts the figures this screen shows into the input of a graph.
    virtual void FillGraphFigures(GraphInput& input) const = 0;

    // The category grid's cursor back on its first row, quietly, and no row lit;
    // the rows stay where the user left them, so that the totals under a long
    // grid can be read from the month field.
    void ResetCursor();

    bool eventFilter(QObject* watched, QEvent* event) override;

    ProgramState& state_;
    Services& services_;
    const SummaryScale scale_;
    SummaryLayout layout_;
    const QFont font_;
    int year_ = 0;  // years since 1900
    int month_ = 1;
    QLineEdit* yearField_;
    QLineEdit* monthField_;
    QLabel* legend_;
    QLabel* unreadableNote_;
    QPushButton* graphButton_;
    QTableWidget* categoryGrid_ = nullptr;  // Grid1, made by the screen
    // F5 in the grid draws the category under the cursor, not the whole.
    bool f5FollowsCursor_ = false;

  private:
    int LineHeight() const;
    // Left free under the grids for a sideways scroll bar.
    int ScrollBarRoom() const;
    // The legend, and the figures line when the screen has one.
    int LinesUnderGrids() const;
    void Enter(Focus focus);
    void ShowMonth();
    void FollowCursor();
    void ShowRowsAround(int row);
    void LeaveGrid();
    void OpenGraph(int selector);
    void StepYearShown(int delta);
    // How the legends name the graph keys: F5 draws the whole, Enter the
    // category under the cursor (and F5 too where it follows the cursor).
    const char* WholeGraphItem() const;
    const char* CategoryGraphItem() const;
    KeyTable KeysOf(Focus focus);
    KeyTable YearKeys();
    KeyTable MonthKeys();
    KeyTable GridKeys();

    const Legends legends_;
    QLabel* figuresLine_ = nullptr;  // when the screen has one
    const GridEsc gridEsc_;
    const GraphSource graphSource_;
    Focus focus_ = Focus::Month;
    QPointer<GraphScreen> graph_;
};

}  // namespace hanaki
