#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/file_bytes.h"

// Every message the programs can show is explained in the guide's message
// section, which F1 opens on every message box. A message is found in the
// sources as a string literal (adjacent literals joined, comments skipped)
// that holds Japanese and reads as a sentence: it contains "。" or "？", or
// ends in ません, ください, 下さい or です. A message built from pieces (a
// literal, a file name, another literal) is checked piece by piece: each
// line of each literal, cut at its "%1" places, must stand in the message
// column of one row, where "…" takes the place of what the program fills in.
namespace hanaki {
namespace {

namespace fs = std::filesystem;

constexpr char kPlaceholder = '\x01';

// Texts that read as sentences but are no message: screen captions, key
// legends and the --help texts. Each is named by its file and its beginning.
struct NotAMessage {
    std::string_view file;
    std::string_view start;
};
constexpr NotAMessage kNotMessages[] = {
    {"app/command_line.cpp", "使い方: hanaki"},
    {"import/tsugite_command.cpp", "使い方: tsugite"},
    {"settings/closing_day_dialog.cpp", "   月度締め日の設定をします。"},
    {"settings/closing_day_dialog.cpp", " 毎月"},
    {"settings/carry_over_setting_screen.cpp", "前月の残金を翌月の繰越金として"},
    {"settings/carry_over_setting_screen.cpp", "費目、摘要の番号を決定して"},
    {"settings/budget_editor.cpp", "<Esc>設定破棄"},
    {"settings/budget_editor.cpp", "<Space>集計フラグ"},
    {"import/converter_closing_day_dialog.cpp", " 「まちかど帳」の月度締日を入力して下さい。"},
    {"import/converter_closing_day_dialog.cpp", " 毎月"},
    {"summary/summary_table.cpp", "取り消し線は集計対象外の費目"},
    {"summary/graph_drawing.cpp", "データがありません"},
    // Titles of message boxes.
    {"app/hanaki_main.cpp", "データフォルダがありません"},
    {"data/disk/folder_lock.cpp", "データフォルダがありません"},
    {"data/disk/folder_lock.cpp", "データフォルダに書き込めません"},
    {"import/converter_screen.cpp", "変換先のフォルダがありません"},
    {"import/converter_screen.cpp", "変換先に書き込めません"},
    {"ui/folder_picker.cpp", "フォルダを開けません"},
};

bool IsJapanese(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xE3; });
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ReadsAsSentence(std::string_view text) {
    if (text.find("。") != std::string_view::npos || text.find("？") != std::string_view::npos)
        return true;
    const std::string_view end = TrimBlanks(text.substr(0, text.find_last_not_of("\r\n") + 1));
    for (std::string_view ending : {"ません", "ください", "下さい", "です"})
        if (end.ends_with(ending))
            return true;
    return false;
}

// Runs of blanks as one, the blanks around a placeholder dropped.
std::string Normalized(std::string_view text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\t';
        if (blank && (out.empty() || out.back() == ' ' || out.back() == kPlaceholder))
            continue;
        if (c == kPlaceholder && !out.empty() && out.back() == ' ')
            out.pop_back();
        out += blank ? ' ' : c;
    }
    return std::string(TrimBlanks(out));
}

struct Literal {
    std::string file;  // under src/
    std::string text;  // unescaped
};

char Unescaped(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return c;
    }
}

// The string literals of one C++ file, adjacent ones joined as the compiler joins them.
std::vector<std::string> StringLiterals(std::string_view code) {
    std::vector<std::string> literals;
    bool joining = false;
    for (std::size_t i = 0; i < code.size();) {
        if (code.substr(i, 2) == "//") {
            i = code.find('\n', i);
        } else if (code.substr(i, 2) == "/*") {
            i = code.find("*/", i);
            i = i == std::string_view::npos ? i : i + 2;
        } else if (code[i] == '\'') {
            for (++i; i < code.size() && code[i] != '\''; ++i)
                i += code[i] == '\\' ? 1 : 0;
            ++i;
            joining = false;
        } else if (code[i] == '"') {
            std::string text;
            if (i > 0 && code[i - 1] == 'R') {
                const std::size_t open = code.find('(', i);
                const std::string close =
                    ")" + std::string(code.substr(i + 1, open - i - 1)) + "\"";
                const std::size_t end = code.find(close, open);
                text = code.substr(open + 1, end - open - 1);
                i = end + close.size();
            } else {
                for (++i; i < code.size() && code[i] != '"'; ++i)
                    text += code[i] == '\\' ? Unescaped(code[++i]) : code[i];
                ++i;
            }
            if (joining)
                literals.back() += text;
            else
                literals.push_back(text);
            joining = true;
            continue;
        } else {
            joining = joining && (code[i] == ' ' || code[i] == '\n' || code[i] == '\t');
            ++i;
        }
        if (i == std::string_view::npos)
            break;
    }
    return literals;
}

std::vector<Literal> Messages(const fs::path& sources) {
    std::vector<Literal> messages;
    for (const auto& entry : fs::recursive_directory_iterator(sources)) {
        const fs::path& path = entry.path();
        if (path.extension() != ".cpp" && path.extension() != ".h")
            continue;
        const std::string file = path.lexically_relative(sources).generic_string();
        for (std::string& text : StringLiterals(testing::ReadFile(path))) {
            const bool excluded = std::any_of(
                std::begin(kNotMessages), std::end(kNotMessages),
                [&](const NotAMessage& n) { return n.file == file && text.starts_with(n.start); });
            if (!excluded && IsJapanese(text) && ReadsAsSentence(text))
                messages.push_back({file, std::move(text)});
        }
    }
    return messages;
}

// The first column of each row of the guide's message section, as a program shows it.
std::vector<std::string> GuideMessages(const std::string& guide) {
    const std::size_t start = guide.find("\n## 15. メッセージの意味");
    const std::size_t end = guide.find("\n## ", start + 1);
    std::vector<std::string> rows;
    std::size_t line = guide.find("\n| ", start);
    while (line < end) {
        std::string cell;
        std::size_t i = line + 3;
        for (; i < guide.size() && guide.compare(i, 3, " | ") != 0 && guide[i] != '\n'; ++i) {
            if (guide[i] == '\\')
                ++i;
            cell += guide[i];
        }
        std::size_t dots;
        while ((dots = cell.find("…")) != std::string::npos)
            cell.replace(dots, std::string_view("…").size(), 1, kPlaceholder);
        cell.erase(std::remove(cell.begin(), cell.end(), '`'), cell.end());
        rows.push_back(Normalized(cell));
        line = guide.find("\n| ", line + 1);
    }
    return rows;
}

// The pieces of a message that the program does not fill in: its lines, cut at "%1".
std::vector<std::string> FixedPieces(const std::string& message) {
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t i = 0; i <= message.size(); ++i) {
        const bool placeholder = i + 1 < message.size() && message[i] == '%' &&
                                 message[i + 1] >= '1' && message[i + 1] <= '9';
        if (i == message.size() || message[i] == '\n' || message[i] == '\r' || placeholder) {
            if (!Normalized(piece).empty())
                pieces.push_back(Normalized(piece));
            piece.clear();
            i += placeholder ? 1 : 0;
        } else {
            piece += message[i];
        }
    }
    return pieces;
}

TEST(GuideMessages, EveryMessageOfTheProgramsIsExplainedInTheGuide) {
    const fs::path root(HANAKI_SOURCE_DIR);
    const std::vector<std::string> rows =
        GuideMessages(testing::ReadFile((root / "docs/guide.ja.md")));
    ASSERT_GT(rows.size(), 20u) << "the guide's message section was not found";
    const std::vector<Literal> messages = Messages(root / "src");
    ASSERT_GT(messages.size(), 50u) << "the sources' messages were not found";
    for (const Literal& message : messages) {
        for (const std::string& piece : FixedPieces(message.text)) {
            const bool explained = std::any_of(
                rows.begin(), rows.end(),
                [&](const std::string& row) { return row.find(piece) != std::string::npos; });
            EXPECT_TRUE(explained) << "src/" << message.file << ": 「" << piece
                                   << "」 has no row in the guide's section 15";
        }
    }
}

}  // namespace
}  // namespace hanaki
