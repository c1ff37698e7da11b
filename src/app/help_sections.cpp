#include "app/help_sections.h"

#include <QApplication>

#include "ui/help_guide.h"

namespace hanaki {
namespace {

constexpr const char* kConverterKeys = "データ変換f8とデータコンバータtsugite";
constexpr const char* kMessages = "15-メッセージの意味";

}  // namespace

std::vector<HelpSection> HanakiHelpSections() {
    return {
        {"Form1", "", "記帳画面"},
        {"Form1", "Text10", "記帳画面の電卓"},
        {"Form1", "Text11", "記帳画面のメモ"},
        {"Form1", "Text12", "記帳画面のメモ"},
        {"Form1", "Text13", "記帳画面のメモ"},
        {"Form2", "", "月計表f5"},
        {"Form3", "", "費目設定"},
        {"Form4", "", "集計メニューf6"},
        {"Form6", "", kConverterKeys},
        {"Form7", "", "月度集計月度推移年間集計"},
        {"Form8", "", "グラフ表示"},
        {"Form9", "", "月度設定締め日"},
        {"Form10", "", "月度集計月度推移年間集計"},
        {"Form11", "", "自動繰越"},
        {"Form12", "", "設定メニューf7"},
        {"Form13", "", "予算設定"},
        {"FormYear", "", "月度集計月度推移年間集計"},
        {"FormFind", "", "検索f9"},
        {"FormTeiki", "", "定期項目の設定"},
        {"FormDue", "", "定期項目の記入"},
        {"FormHistory", "", "変更の履歴"},
        {"FormStatement", "", "20-銀行カード家計簿アプリの明細の取り込み"},
        {"QPrintDialog", "", "印刷と-pdf"},
        {"QMessageBox", "", kMessages},
    };
}

std::vector<HelpSection> TsugiteHelpSections() {
    return {
        {"Form1", "", kConverterKeys},
        {"Form2", "", "コンバータの月度設定tsugite"},
        {"QMessageBox", "", kMessages},
    };
}

void InstallHelpKey(QApplication& app, std::vector<HelpSection> sections) {
    app.installEventFilter(new HelpKey(GuidePlaces(QCoreApplication::applicationDirPath()),
                                       std::move(sections), &app));
}

}  // namespace hanaki
