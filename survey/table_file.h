#pragma once
// This machine's row, added to a table file that a whole site's machines share.

#include "survey/table_append.h"

#include <string>
#include <string_view>

// Appends `row` to the table at `path` (local or on a share), which is created with `header`
// when it is missing, by the rules of AppendRow; waits up to 15 seconds while another writer
// holds it, and then leaves the row beside it in a file named after `computer`, the row's. Refuses, with nothing created or changed, a path that cannot name a table file or
// is too long, a folder, a folder that does not exist, a read-only file and a device or pipe.
TableOutcome AppendToTableFile(const std::wstring& path, std::wstring_view computer, const std::wstring& header,
                               const std::wstring& row);
