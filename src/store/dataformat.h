// The tagged text format of the six data files (data.orv .. week.orv): pure
// readers and writers over memory, with no file access. Each record kind's
// tags are listed once, in one field table that both directions use.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "store/fileio.h"
#include "store/recordstore.h"
#include "store/records.h"

namespace orv {

enum class DataKind { Addresses, Calendar, Advanced, Annual, Monthly, Weekly };

// The order in which the files are loaded and saved.
inline constexpr std::array<DataKind, 6> AllDataKinds{DataKind::Addresses, DataKind::Calendar,
                                                      DataKind::Advanced,  DataKind::Annual,
                                                      DataKind::Monthly,   DataKind::Weekly};

std::string_view DataFileName(DataKind kind);    // "cal.orv"
std::string_view DataFileStem(DataKind kind);    // "cal", as the backups are named
std::string_view DataHeaderLine(DataKind kind);  // "<BEGIN:CAL:FILE:VERSION>3.0"

// The outcome of reading one file's text. On failure the records completed
// before the bad line have been appended; the record in progress was dropped.
using ParseResult = FileResult;

// Each reader appends the file's complete records to `out`. An empty text is an
// empty file; any other text must start with the kind's header line.
ParseResult ParseDataText(std::string_view text, std::vector<AData>& out);
ParseResult ParseDataText(std::string_view text, std::vector<ACal>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AAdv>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AYear>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AMonth>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AWeek>& out);
ParseResult ParseDataText(DataKind kind, std::string_view text, RecordStore& store);

// The whole file, header to "<END:FILE>", lines ended by CR LF.
std::string SerializeDataText(const std::vector<AData>& list);
std::string SerializeDataText(const std::vector<ACal>& list);
std::string SerializeDataText(const std::vector<AAdv>& list);
std::string SerializeDataText(const std::vector<AYear>& list);
std::string SerializeDataText(const std::vector<AMonth>& list);
std::string SerializeDataText(const std::vector<AWeek>& list);
std::string SerializeDataText(DataKind kind, const RecordStore& store);

}  // namespace orv
