// Shared by the editing engine's files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_edit.h"
#include "skin/value_edit.h"

namespace pindrel::edit {

EditResult Fail(std::string error);
// The file with the edits made, and its parse.
EditResult Finish(const SkinIniFile& file, std::vector<ByteEdit> edits);
bool HasSection(const SkinIniFile& file, int32_t section);
// Why KEY=VALUE (value trimmed) would not read back as that entry; empty when it would.
std::string EntryProblem(std::string_view key, std::string_view value);
std::string EntryLine(std::string_view key, std::string_view value);
std::string HeaderLine(SectionKind kind);

} // namespace pindrel::edit
