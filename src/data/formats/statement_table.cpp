#include "data/formats/statement_table.h"

#include <algorithm>
#include <cerrno>

#include "data/disk/file_system.h"
#include "data/disk/io_result.h"
#include "data/formats/cp932.h"

namespace hanaki {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kSeparatorSampleLines = 50;

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned low = 0x80, high = 0xBF;  // bounds of the second byte
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
        }
        i += length;
    }
    return true;
}

bool IsCp932(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (IsCp932LeadByte(c)) {
            if (i + 1 == bytes.size())
                return false;
            const unsigned char trail = static_cast<unsigned char>(bytes[++i]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC)
                return false;
        } else if (c == 0x80 || c == 0xA0 || c >= 0xFD) {
            return false;
        }
    }
    return true;
}

// Control characters other than tab and line ends belong to no statement.
bool HasOnlyTextControls(std::string_view bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return u < 0x20 && c != '\t' && c != '\r' && c != '\n';
    });
}

// The first lines' count of lines holding each separator outside quotes.
char GuessSeparator(std::string_view text) {
    std::size_t commaLines = 0, tabLines = 0, lines = 0;
    bool quoted = false, comma = false, tab = false;
    for (std::size_t i = 0; i <= text.size() && lines < kSeparatorSampleLines; ++i) {
        const char c = i < text.size() ? text[i] : '\n';
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            comma = true;
        } else if (!quoted && c == '\t') {
            tab = true;
        } else if (!quoted && c == '\n') {
            commaLines += comma;
            tabLines += tab;
            comma = tab = false;
            ++lines;
        }
    }
    return tabLines > 0 && tabLines >= commaLines ? '\t' : ',';
}

}  // namespace

bool DecodeStatementText(std::string_view bytes, StatementEncoding& encoding, std::string& utf8) {
    // A DOS end-of-file mark after the last line.
    while (!bytes.empty() && bytes.back() == '\x1A')
        bytes.remove_suffix(1);
    if (!HasOnlyTextControls(bytes))
        return false;
    if (bytes.starts_with(kByteOrderMark) || IsUtf8(bytes)) {
        if (bytes.starts_with(kByteOrderMark))
            bytes.remove_prefix(kByteOrderMark.size());
        if (!IsUtf8(bytes))
            return false;
        encoding = StatementEncoding::Utf8;
        utf8 = std::string(bytes);
        return true;
    }
    if (!IsCp932(bytes))
        return false;
    utf8 = Cp932ToUtf8(bytes);
    encoding = StatementEncoding::Cp932;
    // A well-formed pair that code page 932 leaves unassigned.
    return utf8.find("\xEF\xBF\xBD") == std::string::npos;
}

StatementTable SplitStatementRows(std::string_view text, char separator) {
    StatementTable table;
    table.separator = separator;
    StatementRow row;
    std::string field;
    bool quoted = false, wasQuoted = false, rowHasText = false;
    std::size_t cells = 0;
    int line = 1;
    row.line = 1;
    auto endField = [&] {
        if (row.fields.size() >= kStatementFieldLimit) {
            table.error = StatementReadError::TooManyFields;
            table.errorLine = row.line;
            return false;
        }
        if (++cells > kStatementCellLimit) {
            table.error = StatementReadError::TooManyRows;
            table.errorLine = row.line;
            return false;
        }
        rowHasText = rowHasText || wasQuoted || !field.empty();
        row.fields.push_back(std::move(field));
        field.clear();
        wasQuoted = false;
        return true;
    };
    auto endRow = [&] {
        if (!endField())
            return false;
        if (rowHasText) {
            if (table.rows.size() >= kStatementRowLimit) {
                table.error = StatementReadError::TooManyRows;
                table.errorLine = row.line;
                return false;
            }
            table.rows.push_back(std::move(row));
        }
        row = {};
        row.line = line;
        rowHasText = false;
        return true;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n')
                    ++line;
                if (!(c == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                    field += c;
            }
        } else if (c == '"' && field.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == separator) {
            if (!endField())
                return table;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++line;
            if (!endRow())
                return table;
        } else {
            field += c;
        }
    }
    if (quoted) {
        table.error = StatementReadError::OpenQuote;
        table.errorLine = row.line;
        return table;
    }
    if (!field.empty() || wasQuoted || !row.fields.empty())
        endRow();
    return table;
}

StatementTable ReadStatementTable(std::string_view bytes, std::optional<StatementEncoding> chosen) {
    StatementEncoding encoding = StatementEncoding::Utf8;
    std::string text;
    bool decoded = DecodeStatementText(bytes, encoding, text);
    if (decoded && chosen && *chosen != encoding) {
        // Bytes valid in both (ASCII alone, or rare kana pairs) read as chosen.
        decoded = *chosen == StatementEncoding::Cp932 && IsCp932(bytes);
        text = decoded ? Cp932ToUtf8(bytes) : std::string();
        decoded = decoded && text.find("\xEF\xBF\xBD") == std::string::npos;
        encoding = *chosen;
    }
    if (!decoded) {
        StatementTable table;
        table.error = StatementReadError::Encoding;
        return table;
    }
    StatementTable table = SplitStatementRows(text, GuessSeparator(text));
    table.encoding = encoding;
    if (table.error == StatementReadError::None &&
        std::none_of(table.rows.begin(), table.rows.end(),
                     [](const StatementRow& row) { return row.fields.size() >= 2; }))
        table.error = StatementReadError::NotATable;
    return table;
}

std::string DescribeStatementFileError(const std::string& path, int code) {
    std::string why;
    if (code == kNotRegularFile)
        why = "通常のファイルではありません (FIFO や装置)";
    else if (code == EFBIG)
        why = "大きすぎます (8 MB まで)";
    else
        why = DescribeErrno(code, IoStep::Read);
    return "明細ファイル " + path + " を読めません: " + why + "。";
}

std::string DescribeStatementReadError(StatementReadError error) {
    switch (error) {
        case StatementReadError::Encoding:
            return "文字コードが UTF-8 でもシフトJIS (CP932) でもないため、読めません";
        case StatementReadError::NotATable:
            return "カンマかタブで区切られた表ではないため、読めません";
        case StatementReadError::TooManyRows:
            return "行が多すぎるため (50,000 行まで)、読めません";
        case StatementReadError::TooManyFields:
            return "列が多すぎるため (64 列まで)、読めません";
        case StatementReadError::OpenQuote:
            return "引用符 (\") が閉じていないため、読めません";
        case StatementReadError::None:
            break;
    }
    return {};
}

}  // namespace hanaki
