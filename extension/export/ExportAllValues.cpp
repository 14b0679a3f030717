// The attribute export engine of the Abutters module (reports name the source "Abutters").
#include "extension/export/ExportAllValues.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "extension/shared/Tovalin_Controls.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/carto/FeatureLayer.h"
#include "host/core/ErrorTrap.h"
#include "host/data/Cursor.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/Row.h"
#include "host/data/SelectionSet.h"
#include "host/data/Table.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/platform/FileChannels.h"
#include "host/platform/MessageBoxes.h"

namespace {

constexpr const char* kSource = "Abutters";
constexpr int kTableFile = 1;
constexpr int kFieldConfigFile = 2;

// What the field configuration file says: the fields that slots name, with the slot keys
// that head their columns, and the keys of the slots set to NONE, all in file order.
struct FieldConfiguration {
    std::vector<std::string> mappedFields;
    std::vector<std::string> mappedKeys;
    std::vector<std::string> noneKeys;
};

bool StartsWithNoneIgnoringCase(const std::string& item) {
    return item.size() >= 4 && host::EqualIgnoringCase(item.substr(0, 4), "NONE");
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The text with every occurrence of "NONE", in any case, taken out.
std::string WithoutNone(const std::string& item) {
    static const std::string none = "none";
    std::string out;
    std::size_t i = 0;
    while (i < item.size()) {
        bool match = i + none.size() <= item.size();
        for (std::size_t k = 0; match && k < none.size(); ++k) match = LowerAscii(item[i + k]) == none[k];
        if (match) {
            i += none.size();
        } else {
            out += item[i++];
        }
    }
    return out;
}

// Reads the items two at a time: a pair whose second item starts with NONE is a slot set
// to NONE, keyed by that item less its NONEs ("NONEXZIPX" gives "XZIPX"); any other pair
// maps the field named by the first item to the key in the second. A last item without a
// partner is passed over. A file that cannot be opened is a run-time error for the
// caller's trap; a read that fails ends the reading.
FieldConfiguration ReadFieldConfiguration(const std::string& path) {
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFieldConfigFile);
    channels.OpenForInput(kFieldConfigFile, path);
    FieldConfiguration config;
    for (;;) {
        std::string first;
        std::string second;
        bool paired = false;
        host::ResumeNext([&] {
            if (channels.Eof(kFieldConfigFile)) return;
            first = channels.ReadItem(kFieldConfigFile);
            if (channels.Eof(kFieldConfigFile)) return;
            second = channels.ReadItem(kFieldConfigFile);
            paired = true;
        });
        if (!paired) break;
        if (StartsWithNoneIgnoringCase(second)) {
            config.noneKeys.push_back(WithoutNone(second));
        } else {
            config.mappedFields.push_back(first);
            config.mappedKeys.push_back(second);
        }
    }
    host::ResumeNext([&] { channels.Close(kFieldConfigFile); });
    return config;
}

// The count divided by 10, rounded to the nearest whole number, halves to the even one.
long TenthRoundedToEven(long count) {
    long quotient = count / 10;
    const long remainder = count % 10;
    if (remainder > 5 || (remainder == 5 && quotient % 2 != 0)) ++quotient;
    return quotient;
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The qualifier written twice wherever it stands in the text.
std::string DoubleQualifier(const std::string& text, const std::string& qualifier) {
    if (qualifier.empty()) return text;
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(qualifier); at != std::string::npos; at = text.find(qualifier, from)) {
        out.append(text, from, at - from);
        out += qualifier;
        out += qualifier;
        from = at + qualifier.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

// One line of the table: every column wrapped in the qualifier, joined by the delimiter.
std::string TableLine(const std::vector<std::string>& columns, const std::string& delim, const std::string& qualifier) {
    std::string line = qualifier;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0) line += qualifier + delim + qualifier;
        line += DoubleQualifier(columns[i], qualifier);
    }
    line += qualifier;
    return line;
}

// The feature's object id, read from the field its own table names as the object id field.
// Ids are 64-bit: a data source may number its features beyond 2,147,483,647.
std::int64_t FeatureObjectId(const host::Row& feature) {
    const long index = feature.Fields()->FindField(feature.Table()->OIDFieldName());
    const host::Value value = feature.Value(index);
    return value.IsInteger() ? value.AsInteger() : static_cast<std::int64_t>(value.AsDouble());
}

// What the caller asks of an export (see ExportAllValues).
struct ExportRequest {
    const std::string& outPath;
    const std::string& delim;
    const std::string& qualifier;
    bool excludeSubject;
    const std::string& subjectValue;
    bool useFieldConfig;
    const std::string& fieldConfigPath;
};

// One export, step by step: the selection layer's selected features, the subject's column,
// the bar, the field configuration, then the table's header and rows. A step that gives up
// returns false after its message; what the steps hand on is kept here.
class TableExport {
public:
    explicit TableExport(const ExportRequest& request) : request_(request) {}

    // False when the export gave up after telling the user why.
    bool Run() {
        if (!FindSelection() || !CheckSubjectColumn()) return false;
        ShowProgress();
        if (!ReadFieldConfigurationIfAsked()) return false;
        // The table is written beside its place and takes it only when whole: an export
        // that fails (a full disk, a write error) leaves the former table, or none.
        channels_.Close(kTableFile);
        channels_.OpenForReplace(kTableFile, request_.outPath);
        WriteHeader();
        if (!WriteRows()) return false;
        channels_.Commit(kTableFile);
        progress_->Hide();
        return true;
    }

    // The table is left as it was before the export (the report names the file and the
    // cause when it could not be written); the bar goes away before the report.
    void Abandon() {
        host::ResumeNext([&] { channels_.Close(kTableFile); });
        host::ResumeNext([&] { channels_.Close(kFieldConfigFile); });
        if (progress_) host::ResumeNext([&] { progress_->Hide(); });
    }

private:
    // The layer and its selection.
    bool FindSelection() {
        layer_ = FindLayer(gSelectionLayerName);
        if (!layer_) {
            host::ShowMessage("Can't find layer: " + gSelectionLayerName);
            return false;
        }
        host::Ref<host::SelectionSet> selection = layer_->SelectionSet();
        cursor_ = selection->Search(nullptr, false);
        selected_ = selection->Count();
        if (selected_ < 1) {
            host::ShowMessage("No features selected");
            return false;
        }
        return true;
    }

    // Leaving out the subject needs its column; without one the export stops here, before
    // the table is touched.
    bool CheckSubjectColumn() {
        table_ = layer_->DisplayTable();
        subjectField_ = table_->FindField(gSearchFieldName);
        if (!request_.excludeSubject || subjectField_ >= 0) return true;
        const std::string why = gSearchFieldName == "NONE"
                                    ? "no search field is chosen"
                                    : "layer " + gSelectionLayerName + " has no field " + gSearchFieldName;
        host::ShowMessage("Can't exclude buffered features: " + why +
                          ". Choose a search field or clear \"Exclude buffered features from export\".");
        return false;
    }

    // The bar shows that the export runs; it is not advanced.
    void ShowProgress() {
        progress_ = gApplication->StatusBar()->ProgressBar();
        progress_->SetMinRange(1);
        progress_->SetPosition(1);
        progress_->SetMessage("Exporting...");
        progress_->Show();
        progress_->SetMaxRange(selected_);
        progress_->SetStepValue(TenthRoundedToEven(selected_));
    }

    bool ReadFieldConfigurationIfAsked() {
        if (!request_.useFieldConfig) return true;
        if (!fDoesFileExist(request_.fieldConfigPath)) {
            host::ShowMessage("Can't find field configuration file: \r\n" + request_.fieldConfigPath);
            progress_->Hide();
            return false;
        }
        config_ = ReadFieldConfiguration(request_.fieldConfigPath);
        return true;
    }

    // The header: the field columns, renamed by the slots that name them, then the NONE slots.
    void WriteHeader() {
        host::Ref<host::Fields> fields = table_->Fields();
        const long fieldCount = fields->FieldCount();
        std::vector<std::string> header;
        for (long i = 0; i < fieldCount; ++i) {
            host::Ref<host::Field> field = fields->Field(i);
            if (field->Type() == host::FieldType::Geometry) continue;
            columnFields_.push_back(i);
            std::string name = field->Name();
            if (request_.useFieldConfig) {
                const long slot = ArrayIndexOf(config_.mappedFields, name);
                if (slot >= 0) name = config_.mappedKeys[static_cast<std::size_t>(slot)];
            }
            header.push_back(name);
        }
        header.insert(header.end(), config_.noneKeys.begin(), config_.noneKeys.end());
        channels_.WriteLine(kTableFile, TableLine(header, request_.delim, request_.qualifier));
    }

    // One line per selected feature; false when the first has no object id (the table of
    // the header line alone is then committed).
    bool WriteRows() {
        host::Ref<host::Row> feature = cursor_->NextRow();
        if (!feature->HasOID()) {
            host::ShowMessage("Attribute Table must have an ObjectID field.  Please create one.");
            channels_.Commit(kTableFile);
            progress_->Hide();
            return false;
        }
        for (; feature; feature = cursor_->NextRow()) WriteRow(*feature);
        return true;
    }

    // The feature's row of the display table, unless it cannot be read or is the subject.
    void WriteRow(const host::Row& feature) {
        host::Ref<host::Row> row;
        host::ResumeNext([&] { row = table_->GetRow(FeatureObjectId(feature)); });
        if (!row || IsLeftOutSubject(*row)) return;
        columns_.clear();
        for (long i : columnFields_) {
            const host::Value value = row->Value(i);
            columns_.push_back(value.IsNull() ? std::string() : TrimBlanks(value.Text()));
        }
        columns_.resize(columns_.size() + config_.noneKeys.size());
        channels_.WriteLine(kTableFile, TableLine(columns_, request_.delim, request_.qualifier));
    }

    bool IsLeftOutSubject(const host::Row& row) const {
        if (!request_.excludeSubject) return false;
        const host::Value subject = row.Value(subjectField_);
        return !subject.IsNull() && host::EqualIgnoringCase(subject.Text(), request_.subjectValue);
    }

    const ExportRequest& request_;
    host::FileChannels& channels_ = host::FileChannels::Instance();
    host::Ref<host::FeatureLayer> layer_;
    host::Ref<host::Cursor> cursor_;
    long selected_ = 0;
    host::Ref<host::Table> table_;
    long subjectField_ = -1;
    host::Ref<host::StepProgressor> progress_;
    FieldConfiguration config_;
    std::vector<long> columnFields_;
    std::vector<std::string> columns_;
};

}  // namespace

bool ExportAllValues(const std::string& OutPath, const std::string& Delim, const std::string& Qualifier,
                     bool ExcludeSubject, const std::string& SubjectValue, bool UseFieldConfig,
                     const std::string& FieldConfigPath) {
    const ExportRequest request{OutPath,      Delim,          Qualifier,      ExcludeSubject,
                                SubjectValue, UseFieldConfig, FieldConfigPath};
    TableExport run(request);
    bool gaveUp = false;
    StandardErrorTrap(
        "ExportAllValues ", kSource, [&] { gaveUp = !run.Run(); },
        [&] {
            run.Abandon();
            gaveUp = true;
        });
    return gaveUp;
}
