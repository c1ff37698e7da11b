#pragma once

#include <QString>
#include <string>
#include <vector>

#include "ui/print_surface.h"

namespace hanaki::testing {

// Keeps what a printout draws as readable lines, sheet by sheet, the way the
// paper gets it: a page asked for with nothing drawn after it makes no sheet.
//   text:  "401,325 Times New Roman 12 [text]"
//   line:  "line 401,700 11270,700"
class RecordingPrintSurface : public PrintSurface {
  public:
    void SetFont(const QString& family, double points) override {
        font_ = family.toStdString() + " " + QString::number(points).toStdString();
    }
    void Text(int x, int y, const QString& text) override {
        Draw(std::to_string(x) + "," + std::to_string(y) + " " + font_ + " [" + text.toStdString() +
             "]");
    }
    void Line(int x1, int y1, int x2, int y2) override {
        Draw("line " + std::to_string(x1) + "," + std::to_string(y1) + " " + std::to_string(x2) +
             "," + std::to_string(y2));
    }
    void NewPage() override { pagePending_ = true; }
    IoResult End() override {
        ++ends;
        return IoResult::Ok();
    }

    // The texts of one sheet, without its rules.
    std::vector<std::string> TextsOf(std::size_t sheet) const {
        std::vector<std::string> texts;
        for (const std::string& call : sheets.at(sheet)) {
            if (call.rfind("line ", 0) != 0)
                texts.push_back(call);
        }
        return texts;
    }
    // The texts of all sheets whose position starts with "x,y ".
    std::vector<std::string> TextsAt(int x, int y) const {
        const std::string at = std::to_string(x) + "," + std::to_string(y) + " ";
        std::vector<std::string> found;
        for (const auto& sheet : sheets) {
            for (const std::string& call : sheet) {
                if (call.rfind(at, 0) == 0)
                    found.push_back(call);
            }
        }
        return found;
    }

    std::vector<std::vector<std::string>> sheets;
    int ends = 0;

  private:
    void Draw(std::string call) {
        if (sheets.empty() || pagePending_)
            sheets.emplace_back();
        pagePending_ = false;
        sheets.back().push_back(std::move(call));
    }

    std::string font_;
    bool pagePending_ = false;
};

}  // namespace hanaki::testing
