// report.json read back: the reader of the schema that report_json writes.
#pragma once

#include <string>

#include "report/judge/baseline.h"

// Reads `text` as the report.json at `file`, of any schema version up to report_schema_version;
// one without a schema version is of version 1 and has no provenance. Returns false, with a
// message naming the file and the first member that is missing, of the wrong kind or out of
// range, or where the text stops being JSON, when it is no report of this program, or naming the
// file and both versions when its schema version is later; `stored` is then unspecified.
bool parse_stored_report(const std::string& text, const std::string& file, StoredReport& stored,
                         std::string& error);

// Reads report.json in the folder `path`, or the file `path` when it is no folder, as
// parse_stored_report does, within the JSON reader's size limit. Returns false with a message
// naming the file when it is missing, unreadable, empty, too large, no JSON or not a report of
// this program.
bool read_stored_report(const std::string& path, StoredReport& stored, std::string& error);
