#pragma once
// Numbered file channels (#1, #2, ... up to 511), as the extension opens its settings and
// export files. Paths are drive paths (see DriveMap). Bytes are written and read as they
// are; line ends are CR LF. The item format is ItemReader's. Errors about a file name the
// file and the cause in their description (see FileError.h).

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace host {

class FileChannels {
public:
    static FileChannels& Instance();

    FileChannels();
    ~FileChannels();
    FileChannels(const FileChannels&) = delete;
    FileChannels& operator=(const FileChannels&) = delete;

    // Opens an existing file for reading (error 53 when missing, 75 when it is a folder or
    // cannot be read). Error 55 when the number is open, 52 for a number outside 1..511.
    void OpenForInput(int number, std::string_view path);
    // Opens a file for appending; a missing file is created empty. Error 75 for a read-only
    // file or a folder, 76 when its folder is missing, 55 / 52 as above.
    void OpenForAppend(int number, std::string_view path);
    // Opens a channel that writes a new version of the file. The writes go to a temporary
    // file of its own, uniquely named (".corvane-<process id>-<count>.tmp"), beside the
    // file; Commit puts it in the file's place in one step once it is whole, and Close
    // without Commit throws it away. So a failed or abandoned write leaves the former file
    // (or none) as it was, and two programs writing the same file never share a temporary
    // file. A symbolic link (or a chain of them) is written through: the temporary file is
    // made beside the link's final target, which it replaces, and the link stays; a link to
    // nothing creates its target. Where the folder takes no new file but the file may be
    // written, the channel rewrites the file itself at Commit, from what it keeps in memory
    // until then. Temporary files that killed writers left in the folder (their process no
    // longer runs) are removed first. Errors as OpenForAppend, but 70 for a read-only file;
    // the file itself is not touched.
    void OpenForReplace(int number, std::string_view path);
    // Puts what a channel opened by OpenForReplace wrote in its file's place, then closes
    // the channel. The new version keeps the former file's permission bits, and its owner
    // and group where this process may set them (else it loses the group's bits); a new
    // file gets 0666 less the umask. A file made read-only since the open is refused (70)
    // and kept. A write, flush or rename that fails raises an error naming the file and the
    // cause (61 for a full disk); the channel is closed and its temporary file gone either
    // way. Error 54 on a channel opened otherwise, 52 when not open.
    void Commit(int number);

    // Closes the channel; harmless when it is not open. A channel opened by OpenForReplace
    // and not committed leaves its file as it was.
    void Close(int number);
    void CloseAll();
    bool IsOpen(int number) const;

    // True when a channel open for input has nothing more to read (always true for one
    // open for appending). Error 52 when the channel is not open.
    bool Eof(int number) const;

    // The next item (see ItemReader). Error 62 past the end, 54 on a channel open for
    // appending, 52 when not open.
    std::string ReadItem(int number);
    // Writes one item: a double quote, the text, a double quote, CR LF.
    // Error 54 on a channel open for input, 52 when not open.
    void WriteItem(int number, std::string_view text);
    // Writes the text as it is, then CR LF (a line of a table).
    void WriteLine(int number, std::string_view text);

private:
    struct Channel;
    Channel& Get(int number) const;
    void CheckFree(int number) const;
    std::map<int, std::unique_ptr<Channel>> channels_;
};

}  // namespace host
