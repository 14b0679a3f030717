#pragma once
// The attribute export engine: writes the selected features of the selection layer
// (gSelectionLayerName) as an export table, the one format that View Report's "Export.txt"
// and the user-named .csv / .txt tables share:
//
//   - a header line of column names, then one line per exported row, each line ending in
//     CR LF (the last one too);
//   - every column wrapped in the qualifier, columns joined by qualifier + delimiter +
//     qualifier; a qualifier inside a name or a value is written twice, so that a reader
//     takes the value whole (delimiters and line breaks inside a value stay as they are,
//     within their qualifiers);
//   - one column per field of the layer's display table (joined fields included, as the
//     display table names them) other than the geometry field, in table order; a value is
//     empty for Null, else its text with leading and trailing blanks removed;
//   - with the field configuration: a field that a slot of "fields" names is headed by the
//     slot's key (the first slot wins when several name it), and each slot set to NONE adds
//     an empty column headed by its key, after the field columns.

#include <string>

// Writes the export table to OutPath: to a temporary file beside it that replaces the
// former table in one step once it is whole (the table of the header line alone when the
// first feature has no object id). Delim goes between columns, Qualifier around each.
// With ExcludeSubject, rows whose value in the search field (gSearchFieldName) equals
// SubjectValue, ignoring case, are left out. With UseFieldConfig the field configuration
// at FieldConfigPath renames and adds columns (see above); without it the path is not read.
//
// Returns true when the export gave up after telling the user why: no such layer, nothing
// selected, no search field in the layer while leaving out the subject, no field
// configuration file, a first feature without object id, or any run-time failure (reported;
// a table that cannot be written is named with the cause, such as a full disk). The table
// file is left untouched by all but the object id case.
bool ExportAllValues(const std::string& OutPath, const std::string& Delim, const std::string& Qualifier,
                     bool ExcludeSubject, const std::string& SubjectValue, bool UseFieldConfig,
                     const std::string& FieldConfigPath);
