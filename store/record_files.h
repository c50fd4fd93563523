// The recordings kept with the top-ten results: one file a result in "records/" beside the settings,
// named by a hash of the result's line of the stored table, so the table's text needs nothing more to
// find it. A recording lives as long as its result stays in the top ten of its level code.
#pragma once

#include <string>

#include "store/score_table.h"

inline constexpr char kRecordsFolder[] = "records";

// The file name of a result's recording: 16 hexadecimal digits (the FNV-1a hash of the result's line
// "date<TAB>name<TAB>code<TAB>score") and ".dat". Equal results share one name.
std::string RecordingFileName(int score, const ScoreRecord& record);
// The path of a result's recording in folder.
std::string RecordingFilePath(int score, const ScoreRecord& record,
                              const std::string& folder = kRecordsFolder);
// Deletes every recording in folder (a file named as RecordingFileName names them) that belongs to no row
// of a top ten of the table; other files stay. Returns how many were deleted.
int PruneRecordings(const ScoreTable& table, const std::string& folder = kRecordsFolder);
