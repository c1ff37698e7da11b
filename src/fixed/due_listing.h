#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "data/book/due_entry.h"
#include "data/book/due_items.h"
#include "data/formats/category_table.h"

// The due occurrences as the commands print them: one text line each, in the
// columns `--find` uses, or a CSV row under the report CSV's header.
namespace hanaki {

// Why an occurrence was not entered, as a command and a window say it (UTF-8).
std::string DueRefusalText(DueRefusal refusal, const DueOccurrence& occurrence);

class DueListing {
  public:
    // The CSV header is written at once.
    DueListing(const CategoryTable& categories, const FixedItems& items, bool csv,
               std::ostream& out);

    // `amount` is one typed for an item that has none.
    void Add(const DueOccurrence& occurrence, std::optional<long long> amount);
    // The occurrence as one text line, for a message (UTF-8).
    std::string Describe(const DueOccurrence& occurrence) const;

  private:
    const CategoryTable& categories_;
    const FixedItems& items_;
    bool csv_;
    std::ostream& out_;
};

}  // namespace hanaki
