#include "tools/towngen/Command.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "tools/towngen/Town.h"
#include "tools/towngen/TownWriter.h"

namespace towngen {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: towngen [--seed N] [--parcels N] [--map FILE] [--overwrite] OUTPUT.gpkg\n"
    "\n"
    "Writes a synthetic town to OUTPUT.gpkg (the layers Parcels, Owners, Streets and\n"
    "Hydrants) and a map document that shows it. The same seed and parcel count always\n"
    "give the same town.\n"
    "\n"
    "  --seed N      the random seed, a whole number from 0 (default 1)\n"
    "  --parcels N   how many parcels, 1 to 100000000 (default 500)\n"
    "  --map FILE    the map document (default: OUTPUT with the extension .json)\n"
    "  --overwrite   replace output files that already exist\n"
    "  --help        show this text\n";

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongArguments = 2;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Arguments {
    TownOptions options;
    fs::path dataset;
    fs::path mapDocument;
    bool overwrite = false;
    bool help = false;
};

template <typename Number> Number ParseWhole(const std::string& text, const std::string& option) {
    Number value{};
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc{} || end != last) {
        throw UsageError(option + " needs a whole number, not \"" + text + "\"");
    }
    return value;
}

// A file name with a name part and the extension .gpkg in any case (".gpkg" alone is a
// hidden file with no extension).
bool IsGeoPackageName(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension.size() == 5 && std::equal(extension.begin(), extension.end(), ".gpkg", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

Arguments Parse(const std::vector<std::string>& arguments) {
    Arguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw UsageError(argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--seed") {
            parsed.options.seed = ParseWhole<std::uint64_t>(value(), argument);
        } else if (argument == "--parcels") {
            parsed.options.parcels = ParseWhole<std::int64_t>(value(), argument);
        } else if (argument == "--map") {
            parsed.mapDocument = value();
            if (parsed.mapDocument.empty()) throw UsageError("--map needs a file name");
        } else if (argument == "--overwrite") {
            parsed.overwrite = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError("unknown option " + argument);
        } else if (!parsed.dataset.empty()) {
            throw UsageError("only one OUTPUT may be given (\"" + parsed.dataset.string() + "\" and \"" + argument +
                             "\")");
        } else {
            parsed.dataset = argument;
        }
    }
    if (parsed.help) return parsed;
    if (parsed.dataset.empty()) throw UsageError("the OUTPUT file is missing");
    if (!IsGeoPackageName(parsed.dataset)) {
        throw UsageError("OUTPUT must be a GeoPackage file name ending in .gpkg, not \"" + parsed.dataset.string() +
                         "\"");
    }
    if (parsed.options.parcels < 1 || parsed.options.parcels > Town::kMaxParcels) {
        throw UsageError("--parcels must be between 1 and " + std::to_string(Town::kMaxParcels));
    }
    if (parsed.mapDocument.empty()) {
        parsed.mapDocument = fs::path(parsed.dataset).replace_extension(".json");
    }
    if (fs::absolute(parsed.mapDocument).lexically_normal() == fs::absolute(parsed.dataset).lexically_normal()) {
        throw UsageError("the map document and OUTPUT must be different files");
    }
    return parsed;
}

// Refuses to touch a folder, or an existing file unless asked to replace it.
void CheckTarget(const fs::path& path, bool overwrite) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) return;
    if (fs::is_directory(status)) throw std::runtime_error(path.string() + " is a folder");
    if (!overwrite) {
        throw std::runtime_error(path.string() + " already exists (use --overwrite to replace it)");
    }
}

}  // namespace

int RunTowngen(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Arguments parsed;
    try {
        parsed = Parse(arguments);
    } catch (const UsageError& error) {
        err << "towngen: " << error.what() << "\n\n" << kUsage;
        return kWrongArguments;
    }
    if (parsed.help) {
        out << kUsage;
        return kDone;
    }
    try {
        CheckTarget(parsed.dataset, parsed.overwrite);
        CheckTarget(parsed.mapDocument, parsed.overwrite);
        const Town town(parsed.options);
        const TownSummary summary = WriteTown(town, parsed.dataset, parsed.mapDocument);
        out << "towngen: wrote " << parsed.dataset.string() << " (" << summary.parcels << " parcels, " << summary.owners
            << " owner rows, " << summary.streets << " street segments, " << summary.hydrants << " hydrants) and "
            << parsed.mapDocument.string() << "\n";
        return kDone;
    } catch (const std::exception& error) {
        err << "towngen: " << error.what() << "\n";
        return kFailed;
    }
}

}  // namespace towngen
