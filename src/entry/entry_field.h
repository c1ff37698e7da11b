#pragma once

namespace hanaki {

// Which input of the main window has the keys; only its key tables move them.
enum class EntryField {
    Year,
    Month,
    Day,
    Category,
    Description,
    Income,
    Expense,
    Remark,
    Grid,
    Memo,
    Calculator
};

}  // namespace hanaki
